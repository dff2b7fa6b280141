#include "mediainfo.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <chrono>
#include <thread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const QString fixtureMaker = QStringLiteral(TQ_REFERENCE_FFMPEG);

QByteArray probePath(const QString &path)
{
    return QDir::toNativeSeparators(path).toUtf8();
}

} // namespace

class TestMediaInfo : public QObject
{
    Q_OBJECT

private:
    bool makeTone(const QString &name, double seconds, const QStringList &codec);

    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase();
    void probe_data();
    void probe();
    void failureKeepsDuration();
    void fileStatingNoLengthDoesNotHoldTheWindow();
    void refusesWhatIsNotARegularFile();
};

bool TestMediaInfo::makeTone(const QString &name, double seconds, const QStringList &codec)
{
    QProcess maker;
    maker.start(fixtureMaker, QStringList{"-nostdin", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                                          QStringLiteral("sine=frequency=440:duration=%1").arg(seconds)}
                                  + codec + QStringList{m_dir.filePath(name)});
    return maker.waitForFinished(60000) && maker.exitStatus() == QProcess::NormalExit && maker.exitCode() == 0;
}

void TestMediaInfo::initTestCase()
{
    QVERIFY(m_dir.isValid());
    if (!QFile::exists(fixtureMaker))
        QSKIP("the ffmpeg command-line tool makes the fixtures");
    QVERIFY(makeTone(QStringLiteral("tone30.mp3"), 30, {"-c:a", "libmp3lame", "-b:a", "128k"}));
    QVERIFY(makeTone(QStringLiteral("short.mp3"), 0.4, {"-c:a", "libmp3lame"}));
    QVERIFY(makeTone(QStringLiteral("short.wav"), 0.4, {"-c:a", "pcm_s16le"}));
    QVERIFY(makeTone(QStringLiteral("stereo.wav"), 2.5, {"-ac", "2", "-ar", "44100", "-c:a", "pcm_s16le"}));
    QVERIFY(makeTone(QStringLiteral("Mélodie été.m4a"), 3, {"-c:a", "aac"}));
    QProcess video;
    video.start(fixtureMaker, {"-nostdin", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                               "testsrc=duration=2:size=64x48:rate=10", "-c:v", "mpeg4",
                               m_dir.filePath(QStringLiteral("silent.mp4"))});
    QVERIFY(video.waitForFinished(60000) && video.exitCode() == 0);
    // What a phone takes as a ringtone as it is, and what merely looks like it.
    const QStringList tone{"-f", "lavfi", "-i", "sine=frequency=440:duration=2"};
    const QStringList picture{"-f", "lavfi", "-i", "color=c=red:size=32x32:duration=1"};
    const QList<std::pair<QString, QStringList>> made{
        {"ringtone.m4r", tone + QStringList{"-c:a", "aac", "-f", "ipod"}},
        {"aac.mov", tone + QStringList{"-c:a", "aac"}},
        {"mp3 inside.m4a", tone + QStringList{"-c:a", "libmp3lame", "-f", "mp4"}},
        {"aac.adts.m4a", tone + QStringList{"-c:a", "aac", "-f", "adts"}},
        {"film.mp4", QStringList{"-f", "lavfi", "-i", "testsrc=duration=2:size=64x48:rate=10"} + tone
                         + QStringList{"-c:v", "libx264", "-c:a", "aac", "-shortest"}},
        {"two voices.m4a", tone + tone + QStringList{"-map", "0", "-map", "1", "-c:a", "aac"}},
        {"cover.m4a", tone + picture + QStringList{"-map", "0", "-map", "1", "-c:a", "aac", "-c:v", "png",
                                                   "-frames:v", "1", "-disposition:v", "attached_pic"}},
    };
    for (const auto &[name, args] : made) {
        QProcess maker;
        maker.start(fixtureMaker, QStringList{"-nostdin", "-loglevel", "error", "-y"} + args
                                      + QStringList{m_dir.filePath(name)});
        QVERIFY2(maker.waitForFinished(60000) && maker.exitCode() == 0,
                 qPrintable(name + QLatin1Char(' ') + maker.readAllStandardError()));
    }

    QFile text(m_dir.filePath(QStringLiteral("notes.dat")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("This is a shopping list, not a media file.\nMilk\nBread\n");
}

void TestMediaInfo::probe_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<double>("tolerance");
    // A phone takes it as a ringtone as it is.
    QTest::addColumn<bool>("aacInMp4");

    QTest::newRow("missing file") << "absent.mp3" << false << 0.0 << 0.0 << false;
    QTest::newRow("text file") << "notes.dat" << false << 0.0 << 0.0 << false;
    QTest::newRow("video without sound") << "silent.mp4" << false << 0.0 << 0.0 << false;
    QTest::newRow("30 s mp3") << "tone30.mp3" << true << 30.0 << 0.1 << false;
    QTest::newRow("0.4 s mp3") << "short.mp3" << true << 0.4 << 0.06 << false;
    QTest::newRow("0.4 s wav") << "short.wav" << true << 0.4 << 0.001 << false;
    QTest::newRow("stereo wav") << "stereo.wav" << true << 2.5 << 0.001 << false;
    QTest::newRow("non-ASCII name") << "Mélodie été.m4a" << true << 3.0 << 0.05 << true;
    QTest::newRow("ringtone") << "ringtone.m4r" << true << 2.0 << 0.05 << true;
    QTest::newRow("AAC in a QuickTime file") << "aac.mov" << true << 2.0 << 0.05 << true;
    QTest::newRow("cover picture") << "cover.m4a" << true << 2.0 << 0.05 << true;
    QTest::newRow("MP3 in MP4") << "mp3 inside.m4a" << true << 2.0 << 0.1 << false;
    QTest::newRow("raw AAC named m4a") << "aac.adts.m4a" << true << 2.0 << 0.2 << false;
    QTest::newRow("film with AAC sound") << "film.mp4" << true << 2.0 << 0.2 << false;
    QTest::newRow("two soundtracks") << "two voices.m4a" << true << 2.0 << 0.05 << false;
}

void TestMediaInfo::probe()
{
    QFETCH(QString, name);
    QFETCH(bool, ok);
    QFETCH(double, seconds);
    QFETCH(double, tolerance);
    QFETCH(bool, aacInMp4);

    CMediaInfo info;
    const int result = info.open(probePath(m_dir.filePath(name)).constData());
    QCOMPARE(info.isAacInMp4(), aacInMp4);
    if (ok) {
        QCOMPARE(result, 0);
        QVERIFY2(qAbs(info.duration() - seconds) <= tolerance, qPrintable(QString::number(info.duration())));
    } else {
        QVERIFY(result < 0);
        QCOMPARE(info.duration(), 0.0);
    }
}

void TestMediaInfo::failureKeepsDuration()
{
    CMediaInfo info;
    QCOMPARE(info.open(probePath(m_dir.filePath(QStringLiteral("stereo.wav"))).constData()), 0);
    const double measured = info.duration();
    QVERIFY(info.open(probePath(m_dir.filePath(QStringLiteral("notes.dat"))).constData()) < 0);
    QCOMPARE(info.duration(), measured);
}

void TestMediaInfo::fileStatingNoLengthDoesNotHoldTheWindow()
{
    // FLAC written to a pipe states no length; 900,000 tiny frames take
    // seconds to count. The probe runs on the window's thread, so it counts
    // a moment and estimates the rest (the waveform job corrects it).
    const QString path = m_dir.filePath(QStringLiteral("piped.flac"));
    QProcess maker;
    maker.setStandardOutputFile(path);
    maker.start(fixtureMaker, {"-nostdin", "-loglevel", "error", "-f", "lavfi", "-t", "7200", "-i",
                               "anullsrc=r=8000:cl=mono", "-c:a", "flac", "-frame_size", "64", "-f", "flac", "pipe:1"});
    QVERIFY(maker.waitForFinished(120000) && maker.exitCode() == 0);

    CMediaInfo info;
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(info.open(probePath(path).constData()), 0);
    const qint64 elapsed = timer.elapsed();
    // A quarter of a second of counting, with room for a busy machine.
    QVERIFY2(elapsed < 1500, qPrintable(QString::number(elapsed)));
    // An estimate from the part counted, not that part as the length. These
    // frames are so small that their growing frame numbers make the later
    // ones a few percent larger: within a tenth is right here.
    QVERIFY2(qAbs(info.duration() - 7200) < 7200 * 0.1, qPrintable(QString::number(info.duration())));
}

void TestMediaInfo::refusesWhatIsNotARegularFile()
{
    CMediaInfo folder;
    QVERIFY(folder.open(probePath(m_dir.path()).constData()) < 0);
    QCOMPARE(folder.duration(), 0.0);
#ifdef Q_OS_UNIX
    // A named pipe would hold the probe until a writer came: should the
    // probe open it anyway, one comes after three seconds and leaves at once.
    const QString pipe = m_dir.filePath(QStringLiteral("pipe.mp3"));
    QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    std::atomic<bool> done = false;
    std::thread unblocker([&] {
        for (int waited = 0; !done; waited += 20) {
            if (waited >= 3000) {
                if (const int fd = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK); fd >= 0) {
                    ::close(fd);
                    break;
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
    QElapsedTimer timer;
    timer.start();
    CMediaInfo info;
    const int result = info.open(probePath(pipe).constData());
    const qint64 elapsed = timer.elapsed();
    done = true;
    unblocker.join();
    QVERIFY(result < 0);
    QVERIFY2(elapsed < 1000, qPrintable(QString::number(elapsed)));
#endif
}

QTEST_GUILESS_MAIN(TestMediaInfo)
#include "tst_mediainfo.moc"
