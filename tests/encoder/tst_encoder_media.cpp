// Media from the real world that the ffmpeg command line converts: formats
// that change mid-stream (joined MP3s), damaged packets, and files written
// to a pipe, which state no duration. Runs the built encoder and the probe.
#include "encodertestutil.h"
#include "mediainfo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace enctest;

namespace {

const QStringList WaveJob = {"-vn", "-ab", "192K", "-ac", "2", "-ar", "44100"};

struct Part
{
    int rate;
    int channels;
    int frequency;
};

} // namespace

class TestEncoderMedia final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void joinedStreams_data();
    void joinedStreams();
    void damagedPackets_data();
    void damagedPackets();
    void noStatedDuration_data();
    void noStatedDuration();

private:
    QString fixture(const QString &name) const { return m_dir.filePath(name); }
    // Two seconds of a tone as a bare MP3 stream (no tag, no Xing frame), so
    // that files joined byte by byte stay one valid stream.
    bool makePart(const Part &part, const QString &name) const;
    bool writeToPipe(const QStringList &args, const QString &name) const;
    Run waveJob(const QString &input, const QString &output) const;

    QTemporaryDir m_dir;
};

bool TestEncoderMedia::makePart(const Part &part, const QString &name) const
{
    return reference({"-f", "lavfi", "-i", QStringLiteral("sine=f=%1:r=%2:d=2").arg(part.frequency).arg(part.rate),
                      "-ac", QString::number(part.channels), "-c:a", "libmp3lame", "-write_xing", "0",
                      "-id3v2_version", "0", fixture(name)});
}

bool TestEncoderMedia::writeToPipe(const QStringList &args, const QString &name) const
{
    QProcess process;
    process.setStandardOutputFile(fixture(name));
    process.start(QStringLiteral(TQ_REFERENCE_FFMPEG), QStringList{"-v", "error", "-y"} + args + QStringList{"pipe:1"});
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

Run TestEncoderMedia::waveJob(const QString &input, const QString &output) const
{
    return runEncoder(QStringList{"-y", "-i", input} + WaveJob + QStringList{output});
}

void TestEncoderMedia::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(QFile::exists(encoderPath()), qPrintable(encoderPath()));
    const QString sine = QStringLiteral("sine=f=440:r=44100:d=6");
    QVERIFY(reference({"-f", "lavfi", "-i", sine, "-ac", "2", "-c:a", "libmp3lame", fixture("clean.mp3")}));
    QVERIFY(reference({"-f", "lavfi", "-i", sine, "-ac", "2", "-c:a", "flac", fixture("clean.flac")}));
    QVERIFY(reference({"-f", "lavfi", "-i", sine, "-ac", "2", "-c:a", "aac", fixture("clean.m4a")}));
    QVERIFY(writeToPipe({"-f", "lavfi", "-i", "sine=f=440:r=44100:d=7.3", "-f", "flac"}, "pipe.flac"));
    QVERIFY(writeToPipe({"-f", "lavfi", "-i", "sine=f=440:r=48000:d=4.2", "-c:a", "libopus", "-f", "webm"},
                        "pipe.webm"));
    QVERIFY(writeToPipe({"-f", "lavfi", "-i", "testsrc=d=2:s=64x48:r=10", "-c:v", "libvpx", "-f", "webm"},
                        "silent.webm"));
}

void TestEncoderMedia::joinedStreams_data()
{
    QTest::addColumn<QList<int>>("parts"); // rate, channels, tone; three per part
    QTest::addColumn<QString>("output");

    QTest::newRow("44.1 kHz then 8 kHz") << QList<int>{44100, 2, 300, 8000, 2, 600} << "rates.wav";
    QTest::newRow("mono then stereo") << QList<int>{44100, 1, 300, 44100, 2, 600} << "channels.wav";
    QTest::newRow("rate and channels, three times, to m4a")
        << QList<int>{32000, 1, 300, 48000, 2, 600, 22050, 1, 900} << "three.m4a";
}

void TestEncoderMedia::joinedStreams()
{
    QFETCH(QList<int>, parts);
    QFETCH(QString, output);

    const QString joined = fixture(output + ".joined.mp3");
    QFile join(joined);
    QVERIFY(join.open(QIODevice::WriteOnly));
    qint64 expectedFrames = 0;
    QList<double> middles; // of each part in the output, in seconds
    // A join may lose up to one frame of the source (1152 samples, or 576
    // below 32 kHz) to the decoder's bit reservoir.
    double tolerance = 0.0;
    for (qsizetype i = 0; i < parts.size(); i += 3) {
        const Part part{parts[i], parts[i + 1], parts[i + 2]};
        const QString name = output + QStringLiteral(".part%1.mp3").arg(i / 3);
        QVERIFY(makePart(part, name));
        const Pcm alone = decodeWithReference(fixture(name));
        QVERIFY(alone.isValid());
        middles << double(expectedFrames) / 44100 + alone.seconds() / 2;
        expectedFrames += qint64(std::llround(alone.seconds() * 44100));
        if (i > 0)
            tolerance += (part.rate >= 32000 ? 1152.0 : 576.0) / part.rate;
        QFile file(fixture(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        join.write(file.readAll());
    }
    join.close();

    const Run run = waveJob(joined, fixture(output));
    QVERIFY2(run.exitCode == 0, run.errorOutput.constData());
    const Pcm out = output.endsWith(QLatin1String(".wav")) ? readWav(fixture(output)) : decodeWithReference(fixture(output));
    QCOMPARE(out.channels, 2);
    QCOMPARE(out.sampleRate, 44100);
    const double missing = double(expectedFrames - out.frames()) / 44100;
    QVERIFY2(std::abs(missing) <= tolerance + 2048.0 / 44100,
             qPrintable(QStringLiteral("%1 s missing").arg(missing)));
    // Each part's tone sits where it belongs.
    for (qsizetype i = 0; i < middles.size(); ++i) {
        const double heard = out.frequencyAt(middles[i], 0.1);
        QVERIFY2(std::abs(heard - parts[3 * i + 2]) < 5.0, qPrintable(QString::number(heard)));
    }
}

void TestEncoderMedia::damagedPackets_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("skips");
    QTest::newRow("mp3") << "clean.mp3" << true;
    QTest::newRow("flac") << "clean.flac" << true;
    QTest::newRow("aac in mp4") << "clean.m4a" << true;
}

void TestEncoderMedia::damagedPackets()
{
    QFETCH(QString, input);
    QFETCH(bool, skips);

    // Three kilobytes of noise in the middle of the file.
    QFile clean(fixture(input));
    QVERIFY(clean.open(QIODevice::ReadOnly));
    QByteArray bytes = clean.readAll();
    const qsizetype middle = bytes.size() / 2;
    for (qsizetype i = middle; i < middle + 3000; ++i)
        bytes[i] = char((i * 7919) >> 3);
    const QString damaged = fixture("damaged." + input);
    QFile file(damaged);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    const QString output = fixture(input + ".wav");
    const Run run = waveJob(damaged, output);
    QVERIFY2(run.exitCode == 0, run.errorOutput.constData());
    const Pcm out = readWav(output);
    QVERIFY2(std::abs(out.seconds() - 6.0) < 0.6, qPrintable(QString::number(out.seconds())));
    const QString last = run.errorLines().constLast();
    QVERIFY2(last.startsWith(QLatin1String("size=")), qPrintable(last));
    QCOMPARE(last.contains(QLatin1String(" damaged packets")), skips);
    // The job's progress field stays readable.
    QVERIFY(last.section(QLatin1String("time="), 1).section(QLatin1Char(' '), 0, 0).toDouble() > 5.0);
}

void TestEncoderMedia::noStatedDuration_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<double>("seconds");
    QTest::newRow("flac written to a pipe") << "pipe.flac" << 7.3;
    QTest::newRow("webm written to a pipe") << "pipe.webm" << 4.2;
    QTest::newRow("no audio: refused") << "silent.webm" << 0.0;
}

void TestEncoderMedia::noStatedDuration()
{
    QFETCH(QString, input);
    QFETCH(double, seconds);

    QVERIFY(probe(fixture(input), "format=duration").startsWith(QLatin1String("N/A")));
    CMediaInfo info;
    const int result = info.open(QDir::toNativeSeparators(fixture(input)).toUtf8().constData());
    if (seconds == 0.0) {
        QVERIFY(result < 0);
        QCOMPARE(info.duration(), 0.0);
        return;
    }
    QCOMPARE(result, 0);
    // What the window then does with it: the waveform job decodes it to the
    // length the probe gave, within a frame.
    const Run run = waveJob(fixture(input), fixture(input + ".wav"));
    QCOMPARE(run.exitCode, 0);
    const Pcm wave = readWav(fixture(input + ".wav"));
    QVERIFY2(std::abs(info.duration() - seconds) < 0.03, qPrintable(QString::number(info.duration())));
    QVERIFY2(std::abs(wave.seconds() - info.duration()) < 0.025,
             qPrintable(QStringLiteral("%1 decoded, %2 probed").arg(wave.seconds()).arg(info.duration())));
}

QTEST_GUILESS_MAIN(TestEncoderMedia)
#include "tst_encoder_media.moc"
