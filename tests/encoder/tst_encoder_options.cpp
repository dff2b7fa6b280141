// The encoder's command line, filter chain, muxer choice and progress line,
// tested without running the program.
#include "options.h"
#include "pipeline.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace tq;

namespace {

std::vector<std::string> split(const QString &line)
{
    std::vector<std::string> args;
    for (const QString &arg : line.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        args.push_back(arg.toStdString());
    return args;
}

} // namespace

class TestEncoderOptions final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void jobCommandLines_data();
    void jobCommandLines();
    void badCommandLines_data();
    void badCommandLines();
    void filterChain_data();
    void filterChain();
    void fadeOutEndsTheClip_data();
    void fadeOutEndsTheClip();
    void outputFormat_data();
    void outputFormat();
    void progressLine_data();
    void progressLine();
    void temporaryNameFitsTheFileSystem_data();
    void temporaryNameFitsTheFileSystem();
    void temporaryFileNeverFollowsALink();
    void wavSizesChecked_data();
    void wavSizesChecked();
};

void TestEncoderOptions::jobCommandLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("duration"); // -1: none
    QTest::addColumn<int>("volume");
    QTest::addColumn<double>("fadeIn");
    QTest::addColumn<QString>("output");

    QTest::newRow("waveform job") << "-y -i in.mp3 -vn -ab 192K -ac 2 -ar 44100 /tmp/w 1.wav" << 0.0 << -1.0
                                  << 256 << 0.0 << "/tmp/w";
    QTest::newRow("ringtone job") << "-ss 12.5 -t 30 -y -i in.mp3 -vol 384 -fadein 3 -vn -ab 192K -ac 2 -ar 44100 o.m4a"
                                  << 12.5 << 30.0 << 384 << 3.0 << "o.m4a";
    QTest::newRow("six digits") << "-ss 12345.7 -t 3725.25 -y -i in.mp3 -vol 0 -fadein 0 -vn -ab 192K -ac 2 -ar 44100 o.m4a"
                                << 12345.7 << 3725.25 << 0 << 0.0 << "o.m4a";
    QTest::newRow("start zero") << "-ss 0 -t 20.5 -y -i in.mp3 -vol 256 -fadein 10 -vn -ab 192K -ac 2 -ar 44100 o.m4a"
                                << 0.0 << 20.5 << 256 << 10.0 << "o.m4a";
    QTest::newRow("milliseconds") << "-ss 11527437ms -t 30000ms -y -i in.mp3 -vol 256 -fadein 0 o.m4a" << 11527.437
                                  << 30.0 << 256 << 0.0 << "o.m4a";
    QTest::newRow("exponent") << "-ss 1e+06 -y -i in.mp3 o.m4a" << 1e6 << -1.0 << 256 << 0.0 << "o.m4a";
}

void TestEncoderOptions::jobCommandLines()
{
    QFETCH(QString, line);
    QFETCH(double, start);
    QFETCH(double, duration);
    QFETCH(int, volume);
    QFETCH(double, fadeIn);
    QFETCH(QString, output);

    std::vector<std::string> args = split(line);
    // A path with a space stays one argument, as QProcess passes it.
    if (output == QLatin1String("/tmp/w")) {
        args.pop_back();
        args.back() = "/tmp/w 1.wav";
    }
    const ParsedCommandLine parsed = parseCommandLine(args);
    QVERIFY2(parsed.options, parsed.error.c_str());
    const EncoderOptions &o = *parsed.options;
    QCOMPARE(o.inputPath, std::string("in.mp3"));
    QCOMPARE(o.outputPath, output == QLatin1String("/tmp/w") ? std::string("/tmp/w 1.wav") : output.toStdString());
    QCOMPARE(o.startSeconds, start);
    QCOMPARE(o.durationSeconds.value_or(-1.0), duration);
    QCOMPARE(o.volume, volume);
    QCOMPARE(o.fadeInSeconds, fadeIn);
    QVERIFY(o.overwrite);
    if (line.contains(QLatin1String("-ab"))) {
        QCOMPARE(o.bitRate, int64_t(192000));
        QCOMPARE(o.channels, 2);
        QCOMPARE(o.sampleRate, 44100);
    }
}

void TestEncoderOptions::badCommandLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("named"); // what the error line must name

    QTest::newRow("unknown option") << "-y -i in.mp3 -acodec aac o.m4a" << "'acodec'";
    QTest::newRow("unknown flag") << "-y -i in.mp3 -vf o.m4a" << "'vf'";
    QTest::newRow("comma decimal") << "-ss 12,5 -y -i in.mp3 o.m4a" << "'ss'";
    QTest::newRow("clock time") << "-ss 00:00:12 -y -i in.mp3 o.m4a" << "'ss'";
    QTest::newRow("negative start") << "-ss -1 -y -i in.mp3 o.m4a" << "'ss'";
    QTest::newRow("zero length") << "-t 0 -y -i in.mp3 o.m4a" << "'t'";
    QTest::newRow("zero milliseconds") << "-t 0ms -y -i in.mp3 o.m4a" << "'t'";
    QTest::newRow("unit alone") << "-ss ms -y -i in.mp3 o.m4a" << "'ss'";
    QTest::newRow("negative milliseconds") << "-ss -5ms -y -i in.mp3 o.m4a" << "'ss'";
    QTest::newRow("not a number") << "-t nan -y -i in.mp3 o.m4a" << "'t'";
    QTest::newRow("fractional volume") << "-y -i in.mp3 -vol 1.5 o.m4a" << "'vol'";
    QTest::newRow("negative volume") << "-y -i in.mp3 -vol -256 o.m4a" << "'vol'";
    QTest::newRow("bad fade") << "-y -i in.mp3 -fadein x o.m4a" << "'fadein'";
    QTest::newRow("bad fade-out") << "-y -i in.mp3 -fadeout -2 o.m4a" << "'fadeout'";
    QTest::newRow("bad rate suffix") << "-y -i in.mp3 -ab 192Q o.m4a" << "'ab'";
    QTest::newRow("no channels") << "-y -i in.mp3 -ac 0 o.m4a" << "'ac'";
    QTest::newRow("sample rate text") << "-y -i in.mp3 -ar 44.1k o.m4a" << "'ar'";
    QTest::newRow("missing value") << "-y -i in.mp3 o.m4a -ss" << "'ss'";
    QTest::newRow("no input") << "-y -vn o.m4a" << "'i'";
    QTest::newRow("no output") << "-y -i in.mp3 -vn" << "output";
    QTest::newRow("two outputs") << "-y -i in.mp3 a.m4a b.m4a" << "'b.m4a'";
    QTest::newRow("two inputs") << "-y -i in.mp3 -i other.mp3 o.m4a" << "'i'";
}

void TestEncoderOptions::badCommandLines()
{
    QFETCH(QString, line);
    QFETCH(QString, named);
    const ParsedCommandLine parsed = parseCommandLine(split(line));
    QVERIFY(!parsed.options);
    const QString error = QString::fromStdString(parsed.error);
    QVERIFY2(error.contains(named), qPrintable(error));
    QVERIFY(!error.contains(QLatin1Char('\n')));
}

void TestEncoderOptions::filterChain_data()
{
    QTest::addColumn<int>("volume");
    QTest::addColumn<double>("fadeIn");
    QTest::addColumn<bool>("trimStart");
    QTest::addColumn<qint64>("trimEnd");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("chain");

    const QString target = QStringLiteral("sample_rates=44100:channel_layouts=stereo");
    QTest::newRow("unchanged wave") << 256 << 0.0 << false << qint64(-1) << "s16"
                                    << "aformat=sample_fmts=s16:" + target;
    QTest::newRow("cut only") << 256 << 0.0 << true << qint64(1323000) << "fltp"
                              << "atrim=start_pts=0:end_pts=1323000,aformat=sample_fmts=fltp:" + target;
    QTest::newRow("length only") << 256 << 0.0 << false << qint64(88200) << "s16"
                                 << "atrim=end_pts=88200,aformat=sample_fmts=s16:" + target;
    const QString limiter = QString::fromStdString(tq::limiterFilter());
    QTest::newRow("louder float is limited") << 384 << 3.0 << true << qint64(-1) << "fltp"
                                             << "atrim=start_pts=0,aformat=" + target
                                                    + ",volume=volume=384/256,afade=t=in:st=0:d=3.000000,"
                                                    + limiter + ",aformat=sample_fmts=fltp:" + target;
    QTest::newRow("louder integer is limited")
        << 512 << 0.0 << false << qint64(-1) << "s16"
        << "aformat=" + target + ",volume=volume=512/256," + limiter + ",aformat=sample_fmts=s16:" + target;
    QTest::newRow("quieter needs no clip") << 128 << 0.0 << false << qint64(-1) << "fltp"
                                           << "aformat=" + target + ",volume=volume=128/256,aformat=sample_fmts=fltp:"
                                                  + target;
    QTest::newRow("fade only") << 256 << 1.5 << false << qint64(-1) << "fltp"
                               << "aformat=" + target + ",afade=t=in:st=0:d=1.500000,aformat=sample_fmts=fltp:"
                                      + target;
}

void TestEncoderOptions::filterChain()
{
    QFETCH(int, volume);
    QFETCH(double, fadeIn);
    QFETCH(bool, trimStart);
    QFETCH(qint64, trimEnd);
    QFETCH(QString, format);
    QFETCH(QString, chain);

    ChainParams params;
    params.volume = volume;
    params.fadeInSeconds = fadeIn;
    params.trimStart = trimStart;
    params.trimEndPts = trimEnd;
    params.sampleFormat = format.toStdString();
    QCOMPARE(QString::fromStdString(tq::filterChain(params)), chain);
}

void TestEncoderOptions::fadeOutEndsTheClip_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("fades"); // between the rate change and the output format

    QTest::newRow("none") << 0.0 << 0.0 << "";
    QTest::newRow("last four seconds") << 26.0 << 4.0 << ",afade=t=out:st=26.000000:d=4.000000";
    QTest::newRow("whole clip") << 0.0 << 2.5 << ",afade=t=out:st=0.000000:d=2.500000";
}

void TestEncoderOptions::fadeOutEndsTheClip()
{
    QFETCH(double, start);
    QFETCH(double, seconds);
    QFETCH(QString, fades);

    ChainParams params;
    params.fadeInSeconds = 1.0;
    params.fadeOutStart = start;
    params.fadeOutSeconds = seconds;
    params.sampleFormat = "fltp";
    const QString target = QStringLiteral("sample_rates=44100:channel_layouts=stereo");
    QCOMPARE(QString::fromStdString(tq::filterChain(params)),
             "aformat=" + target + ",afade=t=in:st=0:d=1.000000" + fades + ",aformat=sample_fmts=fltp:" + target);

    const ParsedCommandLine parsed = parseCommandLine(split(
        QStringLiteral("-ss 2 -t 30 -y -i in.mp3 -vol 256 -fadein 1 -fadeout %1 o.m4a").arg(seconds)));
    QVERIFY2(parsed.options, parsed.error.c_str());
    QCOMPARE(parsed.options->fadeOutSeconds, seconds);
}

void TestEncoderOptions::outputFormat_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("muxer"); // empty: none

    QTest::newRow("m4a") << "/x/ring.m4a" << "ipod";
    QTest::newRow("m4r") << "/x/ring.m4r" << "ipod";
    QTest::newRow("upper case") << "C:\\x\\RING.M4A" << "ipod";
    QTest::newRow("wav") << "/tmp/wave 3.wav" << "wav";
    QTest::newRow("dots in folder") << "/a.m4a/b.wav" << "wav";
    QTest::newRow("mp3") << "/x/a.mp3" << "mp3";
    QTest::newRow("flac") << "/x/a.flac" << "flac";
    QTest::newRow("unknown") << "/x/a.xyz" << "";
}

void TestEncoderOptions::outputFormat()
{
    QFETCH(QString, path);
    QFETCH(QString, muxer);
    const AVOutputFormat *format = outputFormatFor(path.toStdString());
    QCOMPARE(format ? QString::fromLatin1(format->name) : QString(), muxer);
}

void TestEncoderOptions::progressLine_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("line");

    QTest::newRow("ringtone") << qint64(524288) << 12.34 << "size=     512kB time=12.34 bitrate= 339.9kbits/s";
    QTest::newRow("start") << qint64(0) << 0.0 << "size=       0kB time=0.00 bitrate=N/A";
    QTest::newRow("hour") << qint64(635000000) << 3600.0 << "size=  620117kB time=3600.00 bitrate=1411.1kbits/s";
}

void TestEncoderOptions::progressLine()
{
    QFETCH(qint64, bytes);
    QFETCH(double, seconds);
    QFETCH(QString, line);
    const QString text = QString::fromStdString(formatProgress(Progress{bytes, seconds}));
    QCOMPARE(text, line);
    // Read back the way the conversion job does.
    const int at = text.indexOf(QLatin1String("time=")) + 5;
    QCOMPARE(text.mid(at, text.indexOf(QLatin1Char(' '), at) - at).toDouble(), seconds);
}

void TestEncoderOptions::temporaryNameFitsTheFileSystem_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("keptBytes"); // of the name, before the temporary suffix

    const auto ascii = [](int bytes) { return QString(bytes - 4, QLatin1Char('a')) + ".m4r"; };
    QTest::newRow("short") << "ring.m4r" << 8;
    QTest::newRow("239 bytes") << ascii(239) << 239;
    QTest::newRow("240 bytes") << ascii(240) << 239;
    QTest::newRow("254 bytes") << ascii(254) << 239;
    QTest::newRow("255 bytes") << ascii(255) << 239;
    // Two-byte characters: the cut must not split one.
    QTest::newRow("254 bytes of two-byte characters") << QString(125, QChar(0xE9)) + ".m4r" << 238;
    QTest::newRow("three-byte characters") << QString(83, QChar(0x97F3)) + ".m4r" << 237;
}

void TestEncoderOptions::temporaryNameFitsTheFileSystem()
{
    QFETCH(QString, name);
    QFETCH(int, keptBytes);

    const QByteArray folder = "/some/folder.d/";
    const QByteArray nameBytes = name.toUtf8();
    // The largest number a run uses, so the longest suffix.
    const std::string temporary = temporaryNameBeside((folder + nameBytes).toStdString(), 1000000006ULL);
    const QByteArray result = QByteArray::fromStdString(temporary);
    QVERIFY(result.startsWith(folder + nameBytes.left(keptBytes)));
    QCOMPARE(result.mid(folder.size() + keptBytes), QByteArray(".1000000006.part"));
    QVERIFY(result.size() - folder.size() <= 255);
    QCOMPARE(QString::fromUtf8(result).toUtf8(), result);
}

void TestEncoderOptions::temporaryFileNeverFollowsALink()
{
#ifdef Q_OS_UNIX
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::string target = dir.filePath("ring.m4r").toStdString();
    QFile victim(dir.filePath("victim"));
    QVERIFY(victim.open(QIODevice::WriteOnly));
    victim.write("precious");
    victim.close();
    // Links planted at the first two names the job would try: one to a
    // file, one dangling.
    const QString first = QString::fromStdString(temporaryNameBeside(target, 7));
    const QString second = QString::fromStdString(temporaryNameBeside(target, 8));
    QVERIFY(QFile::link(victim.fileName(), first));
    QVERIFY(QFile::link(dir.filePath("created-through-a-link"), second));

    {
        TemporaryFile file;
        QCOMPARE(file.createBeside(target, 7), 0);
        QCOMPARE(file.path(), temporaryNameBeside(target, 9));
        avio_write(file.io(), reinterpret_cast<const unsigned char *>("overwritten"), 11);
        QCOMPARE(file.close(), 0);
        QCOMPARE(QFile(QString::fromStdString(file.path())).size(), 11);
    }
    // Not committed: removed.
    QVERIFY(!QFile::exists(QString::fromStdString(temporaryNameBeside(target, 9))));
    QVERIFY(victim.open(QIODevice::ReadOnly));
    QCOMPARE(victim.readAll(), QByteArray("precious"));
    QVERIFY(!QFile::exists(dir.filePath("created-through-a-link")));
    QVERIFY(QFileInfo(first).isSymLink());
    QVERIFY(QFileInfo(second).isSymLink());
#else
    QSKIP("symbolic links");
#endif
}

void TestEncoderOptions::wavSizesChecked_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<qint64>("fileSize");
    QTest::addColumn<bool>("written");

    const auto riff = [](quint32 size) {
        QByteArray b("RIFF\0\0\0\0WAVE", 12);
        for (int i = 0; i < 4; ++i)
            b[4 + i] = char(size >> (8 * i));
        return b;
    };
    QTest::newRow("plain") << riff(1000 - 8) << qint64(1000) << true;
    QTest::newRow("RF64 past 4 GiB") << QByteArray("RF64\xff\xff\xff\xffWAVE", 12) << (qint64(5) << 30) << true;
    // What the muxer leaves past 4 GiB without RF64, reporting success.
    QTest::newRow("sizes left unfilled") << riff(0xffffffffu) << (qint64(5) << 30) << false;
    QTest::newRow("size wrapped") << riff(quint32((qint64(5) << 30) - 8)) << (qint64(5) << 30) << false;
    QTest::newRow("size never written") << riff(0) << qint64(1000) << false;
    QTest::newRow("not a WAV") << QByteArray("RIFF\0\0\0\0AVI ", 12) << qint64(8) << false;
}

void TestEncoderOptions::wavSizesChecked()
{
    QFETCH(QByteArray, header);
    QFETCH(qint64, fileSize);
    QFETCH(bool, written);
    QCOMPARE(wavSizesWritten(reinterpret_cast<const unsigned char *>(header.constData()), fileSize), written);
}

QTEST_APPLESS_MAIN(TestEncoderOptions)
#include "tst_encoder_options.moc"
