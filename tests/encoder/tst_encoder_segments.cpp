// The waveform job decoded in segments on several threads must write the
// very file a single thread writes, over every codec the window meets, and
// must fall back to one thread where it cannot. TQ_ENCODER_THREADS is the
// encoder's test hook: 1 forces one thread, N splits even short files into
// N segments and has the encoder say when it did.
#include "encodertestutil.h"
#include "pipeline.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <cstdlib>

using namespace enctest;

namespace {

const QStringList WaveJob = {"-vn", "-ab", "192K", "-ac", "2", "-ar", "44100"};
const QByteArray SplitLine = "decoded in ";

// A chord over noise, so that the codecs' windows and reservoirs are busy
// at every seam.
QString music(double seconds, int rate)
{
    return QStringLiteral("sine=f=220:r=%2,volume=0.3[a];sine=f=277:r=%2,volume=0.2[b];anoisesrc=r=%2:a=0.05[c];"
                          "[a][b][c]amix=3,aformat=channel_layouts=stereo,atrim=duration=%1")
        .arg(seconds)
        .arg(rate);
}

} // namespace

class TestEncoderSegments final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void segmentCount_data();
    void segmentCount();
    void segmentStart_data();
    void segmentStart();
    void fallbackIsDecidedBeforeReading_data();
    void fallbackIsDecidedBeforeReading();
    void sameAsOneThread_data();
    void sameAsOneThread();

private:
    QString fixture(const QString &name) const { return m_dir.filePath(name); }
    Run waveJob(const QString &input, const QString &output, int threads) const;

    QTemporaryDir m_dir;
};

Run TestEncoderSegments::waveJob(const QString &input, const QString &output, int threads) const
{
    return runEncoder(QStringList{"-y", "-i", input} + WaveJob + QStringList{output}, [threads](QProcess &process) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TQ_ENCODER_THREADS"), QString::number(threads));
        process.setProcessEnvironment(environment);
    });
}

void TestEncoderSegments::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(QFile::exists(encoderPath()), qPrintable(encoderPath()));
    const QString chord = music(8, 44100);
    const QStringList audio = {"-f", "lavfi", "-i", chord};
    QVERIFY(reference(audio + QStringList{"-c:a", "libmp3lame", "-b:a", "192k", fixture("music.mp3")}));
    QVERIFY(reference(audio + QStringList{"-ac", "1", "-c:a", "libmp3lame", fixture("mono.mp3")}));
    QVERIFY(reference(audio + QStringList{"-c:a", "aac", "-b:a", "160k", fixture("music.m4a")}));
    QVERIFY(reference(audio + QStringList{"-c:a", "libvorbis", fixture("music.ogg")}));
    QVERIFY(reference(audio + QStringList{"-c:a", "flac", fixture("music.flac")}));
    QVERIFY(reference(audio + QStringList{"-c:a", "flac", fixture("music-flac.mkv")}));
    const QStringList picture = {"-f", "lavfi", "-i", "testsrc=s=64x48:r=25:d=8"};
    const QStringList film = {"-c:v", "libx264", "-preset", "ultrafast", "-c:a"};
    QVERIFY(reference(picture + audio + film + QStringList{"aac", fixture("film.mp4")}));
    QVERIFY(reference(picture + audio + film + QStringList{"libmp3lame", fixture("film-mp3.mp4")}));
    // The audio stops at 5 s, the picture runs on to 8 s.
    const QStringList shortAudio = {"-f", "lavfi", "-i", music(5, 44100)};
    QVERIFY(reference(picture + shortAudio + film + QStringList{"libmp3lame", fixture("short-audio.mp4")}));
    QVERIFY(reference(picture + shortAudio + QStringList{"-c:v", "libx264", "-preset", "ultrafast", "-c:a",
                                                         "libvorbis", fixture("short-audio.mkv")}));
    // Resampled to 44.1 kHz: the seams must fall where the resampler's
    // phase is the single run's.
    QVERIFY(reference({"-f", "lavfi", "-i", music(8, 48000), "-c:a", "libmp3lame", fixture("music48.mp3")}));
    QVERIFY(reference({"-f", "lavfi", "-i", music(8, 32000), "-ac", "1", "-c:a", "libvorbis", fixture("mono32.ogg")}));
    QVERIFY(reference({"-f", "lavfi", "-i", music(8, 96000), "-c:a", "flac", fixture("music96.flac")}));
    // Written to a pipe, FLAC cannot go back to state its length.
    QProcess pipe;
    pipe.setStandardOutputFile(fixture("pipe.flac"));
    pipe.start(QStringLiteral(TQ_REFERENCE_FFMPEG),
               {"-v", "error", "-f", "lavfi", "-i", music(8, 44100), "-c:a", "flac", "-f", "flac", "pipe:1"});
    QVERIFY(pipe.waitForFinished(60000) && pipe.exitCode() == 0);
    // Two bare MP3 streams joined byte by byte: the rate changes at 4 s.
    QFile joined(fixture("rates.mp3"));
    QVERIFY(joined.open(QIODevice::WriteOnly));
    for (int rate : {44100, 48000}) {
        const QString part = fixture(QStringLiteral("part%1.mp3").arg(rate));
        QVERIFY(reference({"-f", "lavfi", "-i", music(4, rate), "-c:a", "libmp3lame", "-write_xing", "0",
                           "-id3v2_version", "0", part}));
        QFile file(part);
        QVERIFY(file.open(QIODevice::ReadOnly));
        joined.write(file.readAll());
    }
}

void TestEncoderSegments::segmentCount_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<unsigned>("threads");
    QTest::addColumn<int>("segments");

    QTest::newRow("unknown length") << 0.0 << 2u << 1;
    QTest::newRow("one core") << 3600.0 << 1u << 1;
    QTest::newRow("too short for two") << 39.0 << 2u << 1;
    QTest::newRow("just long enough") << 40.0 << 2u << 2;
    QTest::newRow("one per core") << 7200.0 << 8u << 8;
    QTest::newRow("capped by the length") << 60.0 << 8u << 3;
    QTest::newRow("capped") << 7200.0 << 64u << 16;
}

void TestEncoderSegments::segmentCount()
{
    QFETCH(double, seconds);
    QFETCH(unsigned, threads);
    QFETCH(int, segments);
    QCOMPARE(tq::segmentCount(seconds, threads), segments);
}

void TestEncoderSegments::segmentStart_data()
{
    QTest::addColumn<qint64>("start");
    QTest::addColumn<qint64>("length");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("count");
    QTest::addColumn<qint64>("expected");

    QTest::newRow("first") << qint64(0) << qint64(158760000) << 0 << 4 << qint64(0);
    QTest::newRow("an hour in four") << qint64(0) << qint64(158760000) << 3 << 4 << qint64(119070000);
    QTest::newRow("rounded down") << qint64(100) << qint64(10) << 1 << 3 << qint64(103);
    QTest::newRow("negative start") << qint64(-1105) << qint64(441000) << 1 << 2 << qint64(219395);
    // A crafted header stating a length of centuries: no overflow, no split.
    QTest::newRow("absurd length") << qint64(0) << qint64(INT64_MAX / 3) << 15 << 16 << qint64(0);
    QTest::newRow("absurd start") << qint64(INT64_MAX - 10) << qint64(441000) << 1 << 2 << qint64(INT64_MAX - 10);
}

void TestEncoderSegments::segmentStart()
{
    QFETCH(qint64, start);
    QFETCH(qint64, length);
    QFETCH(int, index);
    QFETCH(int, count);
    QFETCH(qint64, expected);
    QCOMPARE(qint64(tq::segmentStart(start, length, index, count)), expected);
}

void TestEncoderSegments::fallbackIsDecidedBeforeReading_data()
{
    QTest::addColumn<QString>("input");
    // Millisecond timestamps place most frames between two samples.
    QTest::newRow("flac in matroska") << "music-flac.mkv";
    QTest::newRow("vorbis in matroska") << "short-audio.mkv";
}

void TestEncoderSegments::fallbackIsDecidedBeforeReading()
{
    QFETCH(QString, input);
    const Run run = waveJob(fixture(input), fixture(input + ".early.wav"), 3);
    QVERIFY2(run.exitCode == 0, run.errorOutput.constData());
    QVERIFY(!run.errorOutput.contains(SplitLine));
    // No segment started only to be given up: each would have read the
    // file up to its own start first.
    QVERIFY2(!run.errorOutput.contains("segments given up"), run.errorOutput.constData());
}

void TestEncoderSegments::sameAsOneThread_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("threads");
    QTest::addColumn<bool>("split");
    QTest::addColumn<double>("seconds");

    QTest::newRow("mp3, 2 threads") << "music.mp3" << 2 << true << 8.0;
    QTest::newRow("mp3, 5 threads") << "music.mp3" << 5 << true << 8.0;
    QTest::newRow("mono mp3") << "mono.mp3" << 3 << true << 8.0;
    QTest::newRow("vorbis in ogg") << "music.ogg" << 3 << true << 8.0;
    QTest::newRow("flac") << "music.flac" << 3 << true << 8.0;
    QTest::newRow("film, mp3") << "film-mp3.mp4" << 3 << true << 8.0;
    QTest::newRow("audio ends before the picture") << "short-audio.mp4" << 3 << true << 5.0;
    // AAC's substituted noise would come out as other noise.
    QTest::newRow("aac in m4a: one thread") << "music.m4a" << 3 << false << 8.0;
    QTest::newRow("film, aac: one thread") << "film.mp4" << 3 << false << 8.0;
    // Millisecond timestamps do not place samples exactly.
    QTest::newRow("matroska, audio ends first: one thread") << "short-audio.mkv" << 3 << false << 5.0;
    QTest::newRow("mp3 at 48 kHz, resampled") << "music48.mp3" << 3 << true << 8.0;
    QTest::newRow("mono vorbis at 32 kHz, resampled") << "mono32.ogg" << 4 << true << 8.0;
    QTest::newRow("flac at 96 kHz, resampled") << "music96.flac" << 2 << true << 8.0;
    QTest::newRow("no stated length: one thread") << "pipe.flac" << 3 << false << 8.0;
    QTest::newRow("rate change mid-stream: one thread") << "rates.mp3" << 3 << false << 8.0;
}

void TestEncoderSegments::sameAsOneThread()
{
    QFETCH(QString, input);
    QFETCH(int, threads);
    QFETCH(bool, split);
    QFETCH(double, seconds);

    const QString single = fixture(input + ".1.wav");
    const QString parallel = fixture(input + QStringLiteral(".%1.wav").arg(threads));
    const Run one = waveJob(fixture(input), single, 1);
    QVERIFY2(one.exitCode == 0, one.errorOutput.constData());
    QVERIFY(!one.errorOutput.contains(SplitLine));
    const Run many = waveJob(fixture(input), parallel, threads);
    QVERIFY2(many.exitCode == 0, many.errorOutput.constData());
    QCOMPARE(many.errorOutput.contains(SplitLine), split);
    // The progress lines are the single run's: the last one states the
    // whole length.
    QCOMPARE(many.errorLines().last(), one.errorLines().last());

    const Pcm a = readWav(single);
    const Pcm b = readWav(parallel);
    QVERIFY(a.isValid() && b.isValid());
    QVERIFY2(std::abs(a.seconds() - seconds) < 0.1, qPrintable(QString::number(a.seconds())));
    QCOMPARE(b.frames(), a.frames());
    QCOMPARE(b.dataSize, a.dataSize);
    QCOMPARE(b.riffSize, a.riffSize);
    int largest = 0;
    for (qsizetype i = 0; i < a.samples.size(); ++i)
        largest = std::max(largest, std::abs(int(a.samples[i]) - int(b.samples[i])));
    QCOMPARE(largest, 0);
    QFile fa(single), fb(parallel);
    QVERIFY(fa.open(QIODevice::ReadOnly) && fb.open(QIODevice::ReadOnly));
    QVERIFY(fa.readAll() == fb.readAll());
}

QTEST_GUILESS_MAIN(TestEncoderSegments)
#include "tst_encoder_segments.moc"
