// Behaviour of the preview player through its C interface, checked on the
// state reports, on ffplay_get_position and on the samples handed to the
// output. Built three times, once per kind of output (see CMakeLists.txt).
#include "ffplay.h"
#include "playerdsp.h"
#include "playertest.h"

#include <QElapsedTimer>
#include <QList>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// The ramp fixtures hold 0.2 * t at every sample, so a sample's value tells
// which position of the file it came from, to a fraction of a millisecond.
constexpr double kRampSlope = 0.2;
constexpr double kSeekTolerance = 0.020;

class ReportLog
{
public:
    static int record(int state, void *user)
    {
        auto *self = static_cast<ReportLog *>(user);
        std::lock_guard lock(self->m_mutex);
        self->m_states.append(state);
        return 0;
    }
    QList<int> states()
    {
        std::lock_guard lock(m_mutex);
        return m_states;
    }
    void clear()
    {
        std::lock_guard lock(m_mutex);
        m_states.clear();
    }

private:
    std::mutex m_mutex;
    QList<int> m_states;
};

// The left channel of everything handed to the output.
class Capture
{
public:
    void attach()
    {
        player::setOutputTap([this](const float *samples, int frames, int channels) {
            std::lock_guard lock(m_mutex);
            for (int i = 0; i < frames; ++i)
                m_left.push_back(samples[static_cast<size_t>(i) * channels]);
        });
    }
    void detach() { player::setOutputTap({}); }
    std::vector<float> samples()
    {
        std::lock_guard lock(m_mutex);
        return m_left;
    }
    void clear()
    {
        std::lock_guard lock(m_mutex);
        m_left.clear();
    }
    // Index of the first sample whose magnitude exceeds `threshold`, or -1.
    long long firstAbove(float threshold, size_t from = 0)
    {
        std::lock_guard lock(m_mutex);
        for (size_t i = from; i < m_left.size(); ++i) {
            if (std::fabs(m_left[i]) > threshold)
                return static_cast<long long>(i);
        }
        return -1;
    }

private:
    std::mutex m_mutex;
    std::vector<float> m_left;
};

double rampPosition(float sample)
{
    return sample / kRampSlope;
}

} // namespace

class TestPlayer final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void callsBeforeAnyOpenAreHarmless();
    void usesTheExpectedOutput();
    void playsAtTheFilesOwnSpeed_data();
    void playsAtTheFilesOwnSpeed();
    void pauseFreezesAndResumesWhereHeard();
    void seekWhilePausedMovesTheResumePoint();
    void seekWhileStoppedMovesTheStartPoint_data();
    void seekWhileStoppedMovesTheStartPoint();
    void seekWhilePlayingJumps();
    void seekIsAccurateInAnMp3();
    void soundStartingAfterTheVideoKeepsItsPlace();
    void stopResetsTheStartPoint();
    void playsToTheEndAndReportsStop_data();
    void playsToTheEndAndReportsStop();
    void reportsEveryChangeOnce();
    void fadeInRampsFromSilence();
    void fadeOutEndsAtTheClipEnd();
    void loopStartsAgainAtTheClipStart();
    void emptyClipStopsAtOnce_data();
    void emptyClipStopsAtOnce();
    void resumeGoesOnWithThePausedClip_data();
    void resumeGoesOnWithThePausedClip();
    void volumeScalesAmplitude();
    void boostIsLimitedInsteadOfWrapping();
    void monoPlaysAtItsOwnLevelOnBothChannels();
    void unplayableFileReportsNothing_data();
    void unplayableFileReportsNothing();
    void openReplacesAPlayingFile();
    void callbackMayCallBackIntoThePlayer();
    void unregisteringWaitsForARunningCallback();
    void signalsKeepTheirDefaultAction_data();
    void signalsKeepTheirDefaultAction();

private:
    bool makeFixture(const QString &name, const QStringList &ffmpegArgs);
    QString ramp() const { return m_dir.filePath("ramp.wav"); }
    void openFile(const QString &path);
    void waitForPlaying();

    QTemporaryDir m_dir;
    ReportLog m_reports;
    Capture m_capture;
    int m_rate = 0;
};

bool TestPlayer::makeFixture(const QString &name, const QStringList &ffmpegArgs)
{
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral(TQ_REFERENCE_FFMPEG),
                 QStringList{"-v", "error", "-y"} + ffmpegArgs + QStringList{m_dir.filePath(name)});
    if (ffmpeg.waitForFinished(30000) && ffmpeg.exitStatus() == QProcess::NormalExit
        && ffmpeg.exitCode() == 0)
        return true;
    qWarning() << "ffmpeg failed for" << name << ffmpeg.readAllStandardError();
    return false;
}

void TestPlayer::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QStringList lavfi{"-f", "lavfi", "-i"};
    const QString rampExpr = QStringLiteral("aevalsrc=%1*t|%1*t:s=%2:d=4").arg(kRampSlope);
    const QStringList tone = lavfi + QStringList{"sine=f=440:r=44100:d=1", "-ac", "2"};
    const QStringList pcm{"-c:a", "pcm_s16le"};
    const QList<std::pair<QString, QStringList>> fixtures{
        {"ramp.wav", lavfi + QStringList{rampExpr.arg(48000)} + pcm},
        {"ramp44.flac", lavfi + QStringList{rampExpr.arg(44100)}},
        {"level.wav", lavfi + QStringList{"aevalsrc=0.25|0.25:s=48000:d=3"} + pcm},
        {"mono.wav", lavfi + QStringList{"aevalsrc=0.25:s=22050:d=1"} + pcm},
        {"loud.wav", lavfi + QStringList{"sine=f=440:r=48000:d=1", "-af",
                                         "volume=0.9/0.125,aformat=channel_layouts=stereo"} + pcm},
        // 400 Hz, then 200 Hz higher every second.
        {"steps.mp3", lavfi + QStringList{"aevalsrc=0.5*sin(2*PI*(400+200*floor(t))*t):s=44100:d=4",
                                          "-ac", "2", "-c:a", "libmp3lame", "-b:a", "192k"}},
        // Video from 0 s, sound (a constant level) only from 0.5 s.
        {"late.mov", lavfi + QStringList{"testsrc=d=2:s=64x48:r=10", "-itsoffset", "0.5"} + lavfi
                         + QStringList{"aevalsrc=0.25|0.25:s=48000:d=1.5", "-c:v", "mpeg4"} + pcm},
        {"tone.wav", tone},
        {"tone.mp3", tone + QStringList{"-c:a", "libmp3lame", "-b:a", "128k"}},
        {"tone.mp4", lavfi + QStringList{"testsrc=d=1:s=64x48:r=10"} + tone
                         + QStringList{"-c:v", "mpeg4", "-c:a", "aac", "-shortest"}},
        {"silent.mp4", lavfi + QStringList{"testsrc=d=1:s=64x48:r=10", "-c:v", "mpeg4"}},
    };
    for (const auto &[name, args] : fixtures)
        QVERIFY2(makeFixture(name, args), qPrintable(name));
    QFile garbage(m_dir.filePath("garbage.mp3"));
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();

#ifndef Q_OS_WIN
    // As in the program: QtTest's crash handler would otherwise hold these,
    // and SDL only takes over a signal whose action is still the default.
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
#endif
    ffplay_init();
    ffplay_set_callback(&ReportLog::record, &m_reports);
}

void TestPlayer::init()
{
    m_reports.clear();
    m_capture.clear();
    m_capture.attach();
    ffplay_set_volume(1.0);
    ffplay_fadein(0.0);
    ffplay_fadeout(0.0, -1.0);
    ffplay_loop(0);
}

void TestPlayer::cleanup()
{
    ffplay_stop();
    // A stop report may still be on its way; it must not leak into the next test.
    QTRY_VERIFY(m_reports.states().isEmpty() || m_reports.states().constLast() == PlayStopped);
    m_capture.detach();
}

void TestPlayer::openFile(const QString &path)
{
    QCOMPARE(ffplay_open(path.toUtf8().constData(), 0, 0), 0);
    m_rate = player::outputSampleRate();
    QVERIFY(m_rate > 0);
    m_reports.clear();
    m_capture.clear();
}

void TestPlayer::waitForPlaying()
{
    QTRY_COMPARE_WITH_TIMEOUT(m_reports.states(), QList<int>{PlayPlaying}, 2000);
}

void TestPlayer::callsBeforeAnyOpenAreHarmless()
{
    ffplay_set_volume(2.0);
    ffplay_fadein(1.0);
    ffplay_seek(3.0);
    ffplay_play();
    ffplay_toggle_pause();
    ffplay_stop();
    QCOMPARE(ffplay_get_position(), 0.0);
    QCOMPARE(ffplay_open(nullptr, 0, 0), -1);
    QTest::qWait(100);
    QVERIFY(m_reports.states().isEmpty());
    QVERIFY(m_capture.samples().empty());
}

void TestPlayer::usesTheExpectedOutput()
{
    openFile(ramp());
    const QByteArray forced = qgetenv("TONQUILL_PLAYER_NULL_OUTPUT");
    const bool silent = (!forced.isEmpty() && forced != "0") || qgetenv("SDL_AUDIODRIVER") != "dummy";
    QCOMPARE(QString::fromStdString(player::outputKind()), silent ? "null" : "sdl");
}

void TestPlayer::playsAtTheFilesOwnSpeed_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("wav") << "ramp.wav";
    QTest::newRow("flac resampled from 44.1 kHz") << "ramp44.flac";
}

// Judged on the samples handed to the device, not on the clock, so that a
// loaded machine cannot fail it: one second of output must carry one second
// of the file (a wrong rate is off by 9 % or more), and the reported
// position must follow what has been played.
void TestPlayer::playsAtTheFilesOwnSpeed()
{
    QFETCH(QString, file);
    openFile(m_dir.filePath(file));
    ffplay_play();
    waitForPlaying();
    QTRY_VERIFY_WITH_TIMEOUT(m_capture.samples().size() > size_t(m_rate) * 2, 10000);
    const double position = ffplay_get_position();
    const std::vector<float> played = m_capture.samples();
    const long long from = m_capture.firstAbove(0.1f * kRampSlope);
    QVERIFY(from >= 0 && size_t(from + m_rate) < played.size());
    const double carried = rampPosition(played[size_t(from + m_rate)]) - rampPosition(played[size_t(from)]);
    QVERIFY2(std::abs(carried - 1.0) < 0.002, qPrintable(QString::number(carried)));
    const double heard = rampPosition(played.back());
    QVERIFY2(position > heard - 0.5 && position < heard + 0.5,
             qPrintable(QStringLiteral("%1 against %2").arg(position).arg(heard)));
}

void TestPlayer::pauseFreezesAndResumesWhereHeard()
{
    openFile(ramp());
    ffplay_play();
    waitForPlaying();
    QTRY_VERIFY(ffplay_get_position() > 0.3);
    ffplay_toggle_pause();
    const double pausedAt = ffplay_get_position();
    QTRY_COMPARE(m_reports.states(), (QList<int>{PlayPlaying, PlayPaused}));
    QTest::qWait(150);
    QCOMPARE(ffplay_get_position(), pausedAt);

    m_capture.clear();
    ffplay_toggle_pause();
    QTRY_COMPARE(m_reports.states(), (QList<int>{PlayPlaying, PlayPaused, PlayPlaying}));
    QTRY_VERIFY(m_capture.firstAbove(0.0f) >= 0);
    const double resumedAt = rampPosition(m_capture.samples()[m_capture.firstAbove(0.0f)]);
    QVERIFY2(std::fabs(resumedAt - pausedAt) < kSeekTolerance,
             qPrintable(QString("paused at %1, resumed at %2").arg(pausedAt).arg(resumedAt)));
    QTRY_VERIFY(ffplay_get_position() > pausedAt + 0.05);
}

void TestPlayer::seekWhilePausedMovesTheResumePoint()
{
    openFile(ramp());
    ffplay_play();
    waitForPlaying();
    ffplay_toggle_pause();
    QTRY_COMPARE(m_reports.states(), (QList<int>{PlayPlaying, PlayPaused}));
    ffplay_seek(3.0);
    QCOMPARE(ffplay_get_position(), 3.0);

    m_capture.clear();
    ffplay_toggle_pause();
    QTRY_VERIFY(m_capture.firstAbove(0.0f) >= 0);
    const double resumedAt = rampPosition(m_capture.samples()[m_capture.firstAbove(0.0f)]);
    QVERIFY2(std::fabs(resumedAt - 3.0) < kSeekTolerance, qPrintable(QString::number(resumedAt)));
    QTRY_VERIFY(ffplay_get_position() > 3.05);
    QVERIFY(ffplay_get_position() < 3.5);
}

void TestPlayer::seekWhileStoppedMovesTheStartPoint_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("target");
    QTest::newRow("wav") << "ramp.wav" << 2.5;
    QTest::newRow("flac resampled from 44.1 kHz") << "ramp44.flac" << 1.237;
}

void TestPlayer::seekWhileStoppedMovesTheStartPoint()
{
    QFETCH(QString, file);
    QFETCH(double, target);
    openFile(m_dir.filePath(file));
    ffplay_seek(target);
    QCOMPARE(ffplay_get_position(), target);
    ffplay_play();
    waitForPlaying();
    QTRY_VERIFY(m_capture.firstAbove(0.0f) >= 0);
    const double startedAt = rampPosition(m_capture.samples()[m_capture.firstAbove(0.0f)]);
    QVERIFY2(std::fabs(startedAt - target) < kSeekTolerance, qPrintable(QString::number(startedAt)));
    QTRY_VERIFY(ffplay_get_position() > target + 0.05);
}

void TestPlayer::seekWhilePlayingJumps()
{
    openFile(ramp());
    ffplay_play();
    waitForPlaying();
    QTRY_VERIFY(ffplay_get_position() > 0.2);
    m_capture.clear();
    ffplay_seek(3.0);
    QVERIFY(ffplay_get_position() >= 3.0);
    // The first sample of the new position, past whatever was in flight.
    QTRY_VERIFY(m_capture.firstAbove(2.5 * kRampSlope) >= 0);
    const double jumpedTo = rampPosition(m_capture.samples()[m_capture.firstAbove(2.5 * kRampSlope)]);
    QVERIFY2(std::fabs(jumpedTo - 3.0) < kSeekTolerance, qPrintable(QString::number(jumpedTo)));
    QTRY_VERIFY(ffplay_get_position() > 3.05);
    QVERIFY(ffplay_get_position() < 3.5);
    QCOMPARE(m_reports.states(), QList<int>{PlayPlaying});
}

void TestPlayer::seekIsAccurateInAnMp3()
{
    // MP3 timestamps start after the encoder's delay; positions must still
    // count from where avformat starts the file, and the seek must land on
    // the sample. The tone steps from 600 to 800 Hz at 2 s.
    openFile(m_dir.filePath("steps.mp3"));
    ffplay_seek(1.9);
    ffplay_play();
    waitForPlaying();
    QTRY_VERIFY(m_capture.firstAbove(0.0f) >= 0);
    const size_t start = static_cast<size_t>(m_capture.firstAbove(0.0f));
    QTRY_VERIFY(m_capture.samples().size() > start + m_rate / 4);
    const std::vector<float> heard = m_capture.samples();
    // Upward zero crossings: 80 samples apart at 600 Hz, 60 at 800 Hz (48 kHz).
    const double boundary = 0.5 * (m_rate / 600.0 + m_rate / 800.0);
    size_t previous = 0;
    long long step = -1;
    for (size_t i = start + 1; i < heard.size() && step < 0; ++i) {
        if (heard[i - 1] < 0 && heard[i] >= 0) {
            if (previous && i - previous < boundary && i - start > static_cast<size_t>(m_rate / 100))
                step = static_cast<long long>(previous);
            previous = i;
        }
    }
    QVERIFY(step > 0);
    const double stepAt = 1.9 + static_cast<double>(step - static_cast<long long>(start)) / m_rate;
    QVERIFY2(std::fabs(stepAt - 2.0) < kSeekTolerance, qPrintable(QString::number(stepAt)));
}

void TestPlayer::soundStartingAfterTheVideoKeepsItsPlace()
{
    // Positions count from the start of the file; its first half second has
    // no sound, which must be heard as silence rather than skipped.
    openFile(m_dir.filePath("late.mov"));
    ffplay_play();
    waitForPlaying();
    QTRY_VERIFY(m_capture.firstAbove(0.0f) >= 0);
    const double silence = static_cast<double>(m_capture.firstAbove(0.0f)) / m_rate;
    // At most one device buffer of waiting for the decoder comes on top.
    QVERIFY2(silence >= 0.5 && silence < 0.55, qPrintable(QString::number(silence)));
    QTRY_VERIFY(ffplay_get_position() >= 0.5);
}

void TestPlayer::stopResetsTheStartPoint()
{
    openFile(ramp());
    ffplay_seek(2.0);
    ffplay_play();
    waitForPlaying();
    ffplay_stop();
    QTRY_COMPARE(m_reports.states(), (QList<int>{PlayPlaying, PlayStopped}));
    QCOMPARE(ffplay_get_position(), 0.0);

    m_capture.clear();
    ffplay_play();
    QTRY_VERIFY(m_capture.firstAbove(0.0f) >= 0);
    const double startedAt = rampPosition(m_capture.samples()[m_capture.firstAbove(0.0f)]);
    QVERIFY2(startedAt < kSeekTolerance, qPrintable(QString::number(startedAt)));
}

void TestPlayer::playsToTheEndAndReportsStop_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("wav") << "tone.wav";
    QTest::newRow("mp3") << "tone.mp3";
    QTest::newRow("sound of a video") << "tone.mp4";
}

void TestPlayer::playsToTheEndAndReportsStop()
{
    QFETCH(QString, file);
    openFile(m_dir.filePath(file));
    QElapsedTimer timer;
    timer.start();
    ffplay_play();
    waitForPlaying();
    QTRY_COMPARE_WITH_TIMEOUT(m_reports.states(), (QList<int>{PlayPlaying, PlayStopped}), 4000);
    // The one-second file ends after it has been heard, not when decoded.
    QVERIFY2(timer.elapsed() >= 950, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(ffplay_get_position(), 0.0);
    const std::vector<float> heard = m_capture.samples();
    const auto loud = std::count_if(heard.begin(), heard.end(), [](float s) { return std::fabs(s) > 0.05f; });
    QVERIFY2(loud > m_rate / 2, qPrintable(QString::number(loud)));

    // Played to the end, the next play starts from the beginning again.
    ffplay_play();
    QTRY_COMPARE(m_reports.states(), (QList<int>{PlayPlaying, PlayStopped, PlayPlaying}));
    QVERIFY(ffplay_get_position() < 0.5);
}

void TestPlayer::reportsEveryChangeOnce()
{
    openFile(ramp());
    ffplay_toggle_pause(); // stopped: nothing to pause
    ffplay_stop();
    ffplay_play();
    ffplay_play();
    ffplay_toggle_pause();
    ffplay_seek(1.0);
    ffplay_toggle_pause();
    ffplay_stop();
    ffplay_stop();
    const QList<int> expected{PlayPlaying, PlayPaused, PlayPlaying, PlayStopped};
    QTRY_COMPARE(m_reports.states(), expected);
    QTest::qWait(100);
    QCOMPARE(m_reports.states(), expected);
}

void TestPlayer::fadeInRampsFromSilence()
{
    openFile(m_dir.filePath("level.wav"));
    ffplay_fadein(1.0);
    ffplay_play();
    waitForPlaying();
    QTRY_VERIFY(m_capture.firstAbove(0.0f) >= 0);
    const size_t start = static_cast<size_t>(m_capture.firstAbove(0.0f));
    QTRY_VERIFY_WITH_TIMEOUT(m_capture.samples().size() > start + 1.5 * m_rate, 3000);
    const std::vector<float> heard = m_capture.samples();
    auto mean = [&](double from, double to) {
        double sum = 0;
        const size_t a = start + static_cast<size_t>(from * m_rate);
        const size_t b = start + static_cast<size_t>(to * m_rate);
        for (size_t i = a; i < b; ++i)
            sum += heard[i];
        return sum / static_cast<double>(b - a);
    };
    const double full = mean(1.1, 1.4);
    QVERIFY2(std::fabs(full - 0.25) < 0.01, qPrintable(QString::number(full)));
    QVERIFY2(mean(0.0, 0.1) < 0.1 * full, qPrintable(QString::number(mean(0.0, 0.1))));
    QVERIFY2(std::fabs(mean(0.45, 0.55) - 0.5 * full) < 0.02 * full,
             qPrintable(QString::number(mean(0.45, 0.55))));

    // The fade belongs to that one start: the next start is at full level.
    ffplay_stop();
    QTRY_COMPARE(m_reports.states(), (QList<int>{PlayPlaying, PlayStopped}));
    m_capture.clear();
    ffplay_play();
    QTRY_VERIFY(m_capture.firstAbove(0.0f) >= 0);
    QCOMPARE(m_capture.samples()[m_capture.firstAbove(0.0f)], 0.25f);
}

void TestPlayer::fadeOutEndsAtTheClipEnd()
{
    // The ramp's samples tell their file position: full level until the
    // fade, half of it halfway through, silence from the end on.
    openFile(ramp());
    ffplay_seek(1.0);
    ffplay_fadeout(0.5, 2.0);
    ffplay_play();
    waitForPlaying();
    QTRY_VERIFY(m_capture.firstAbove(0.0f) >= 0);
    const size_t start = static_cast<size_t>(m_capture.firstAbove(0.0f));
    QTRY_VERIFY_WITH_TIMEOUT(m_capture.samples().size() > start + 1.3 * m_rate, 4000);
    const std::vector<float> heard = m_capture.samples();
    auto at = [&](double seconds) { return heard[start + static_cast<size_t>((seconds - 1.0) * m_rate)]; };
    QVERIFY2(std::fabs(at(1.4) - kRampSlope * 1.4) < 0.002, qPrintable(QString::number(at(1.4))));
    QVERIFY2(std::fabs(at(1.75) - 0.5 * kRampSlope * 1.75) < 0.002, qPrintable(QString::number(at(1.75))));
    QVERIFY2(std::fabs(at(1.99)) < 0.01, qPrintable(QString::number(at(1.99))));
    for (double t = 2.0; t < 2.25; t += 0.01)
        QCOMPARE(at(t), 0.0f);

    // The fade-out belongs to that one start, like the fade-in.
    ffplay_stop();
    QTRY_COMPARE(m_reports.states(), (QList<int>{PlayPlaying, PlayStopped}));
    m_capture.clear();
    ffplay_seek(2.5);
    ffplay_play();
    QTRY_VERIFY(m_capture.firstAbove(0.0f) >= 0);
    QVERIFY(std::fabs(rampPosition(m_capture.samples()[m_capture.firstAbove(0.0f)]) - 2.5) < kSeekTolerance);
}

void TestPlayer::loopStartsAgainAtTheClipStart()
{
    // 1.0 .. 1.5 s over and over, each round with its own fade-in.
    openFile(ramp());
    ffplay_seek(1.0);
    ffplay_fadein(0.1);
    ffplay_fadeout(0.0, 1.5);
    ffplay_loop(1);
    ffplay_play();
    waitForPlaying();
    QTRY_VERIFY_WITH_TIMEOUT(m_capture.samples().size() > 2.5 * m_rate, 5000);
    QCOMPARE(m_reports.states(), QList<int>{PlayPlaying});
    const std::vector<float> heard = m_capture.samples();
    // Round starts: a sound sample right after silence, still almost silent
    // (where the output ran dry within a round, it comes back louder).
    int rounds = 0;
    double latest = 0.0;
    for (size_t i = 1; i < heard.size(); ++i) {
        const double pos = rampPosition(heard[i]);
        latest = std::max(latest, pos);
        if (heard[i] != 0.0f && heard[i - 1] == 0.0f && pos < 0.005) {
            ++rounds;
            // Ten milliseconds of sound in, the fade-in has a tenth of its
            // way behind it. Counted in samples heard: on a loaded machine
            // the output may run dry for a moment, and the fade waits too.
            const auto n = static_cast<size_t>(0.01 * m_rate);
            size_t tenMs = i;
            for (size_t sound = 0; tenMs < heard.size(); ++tenMs) {
                if (heard[tenMs] != 0.0f && sound++ == n)
                    break;
            }
            if (tenMs < heard.size())
                QVERIFY2(std::fabs(rampPosition(heard[tenMs]) - 0.1 * 1.01) < 0.01,
                         qPrintable(QString::number(rampPosition(heard[tenMs]))));
        }
    }
    QVERIFY2(rounds >= 4, qPrintable(QString::number(rounds)));
    QVERIFY2(latest <= 1.5, qPrintable(QString::number(latest)));
    const double pos = ffplay_get_position();
    QVERIFY2(pos >= 1.0 - kSeekTolerance && pos <= 1.5 + kSeekTolerance, qPrintable(QString::number(pos)));
}

void TestPlayer::emptyClipStopsAtOnce_data()
{
    QTest::addColumn<bool>("loop");
    QTest::newRow("once") << false;
    QTest::newRow("looped") << true;
}

void TestPlayer::emptyClipStopsAtOnce()
{
    // A clip whose end is its start has nothing to play, looped or not: it
    // must not play the silence after it to the end of the file.
    QFETCH(bool, loop);
    openFile(ramp());
    ffplay_seek(1.0);
    ffplay_fadeout(0.0, 1.0);
    ffplay_loop(loop);
    ffplay_play();
    QTRY_COMPARE_WITH_TIMEOUT(m_reports.states(), (QList<int>{PlayPlaying, PlayStopped}), 2000);
    QCOMPARE(ffplay_get_position(), 0.0);
    QCOMPARE(m_capture.firstAbove(0.0f), -1LL);
}

void TestPlayer::resumeGoesOnWithThePausedClip_data()
{
    QTest::addColumn<bool>("newEnd");
    QTest::addColumn<bool>("staysInTheClip");
    QTest::newRow("as paused") << false << true;
    // The window's Play: the rest of the file, clip end and loop dropped.
    QTest::newRow("end dropped") << true << false;
}

void TestPlayer::resumeGoesOnWithThePausedClip()
{
    QFETCH(bool, newEnd);
    QFETCH(bool, staysInTheClip);
    openFile(ramp());
    ffplay_seek(1.0);
    ffplay_fadein(0.1);
    ffplay_fadeout(0.0, 1.5);
    ffplay_loop(1);
    ffplay_play();
    waitForPlaying();
    QTRY_VERIFY(ffplay_get_position() > 1.2);
    ffplay_toggle_pause();
    QTRY_COMPARE(m_reports.states(), (QList<int>{PlayPlaying, PlayPaused}));
    const double pausedAt = ffplay_get_position();
    m_capture.clear();
    if (newEnd) {
        ffplay_fadeout(0.0, -1.0);
        ffplay_loop(0);
    }
    ffplay_toggle_pause();
    QTRY_VERIFY_WITH_TIMEOUT(m_capture.samples().size() > 1.5 * m_rate, 5000);
    const std::vector<float> heard = m_capture.samples();
    const long long first = m_capture.firstAbove(0.0f);
    QVERIFY(first >= 0);
    QVERIFY2(std::fabs(rampPosition(heard[size_t(first)]) - pausedAt) < kSeekTolerance,
             qPrintable(QStringLiteral("paused at %1, resumed at %2").arg(pausedAt).arg(rampPosition(heard[size_t(first)]))));
    // The loop's rounds start at the clip's start, not where it was resumed.
    double latest = 0.0;
    bool backAtTheStart = false;
    for (size_t i = size_t(first); i < heard.size(); ++i) {
        const double pos = rampPosition(heard[i]);
        latest = std::max(latest, pos);
        backAtTheStart = backAtTheStart || (latest > 1.45 && pos > 0.0 && pos < 1.2);
    }
    if (staysInTheClip) {
        QVERIFY2(latest <= 1.5, qPrintable(QString::number(latest)));
        QVERIFY(backAtTheStart);
        QCOMPARE(m_reports.states(), (QList<int>{PlayPlaying, PlayPaused, PlayPlaying}));
    } else {
        QVERIFY2(latest > 1.6, qPrintable(QString::number(latest)));
    }
}

void TestPlayer::volumeScalesAmplitude()
{
    openFile(m_dir.filePath("level.wav"));
    ffplay_set_volume(2.0);
    ffplay_play();
    waitForPlaying();
    QTRY_VERIFY(m_capture.firstAbove(0.0f) >= 0);
    QCOMPARE(m_capture.samples()[m_capture.firstAbove(0.0f)], 0.5f);

    // Applied at once, to what is playing.
    ffplay_set_volume(0.5);
    QTRY_COMPARE_WITH_TIMEOUT(m_capture.samples().back(), 0.125f, 500);
}

void TestPlayer::boostIsLimitedInsteadOfWrapping()
{
    openFile(m_dir.filePath("loud.wav"));
    ffplay_set_volume(5.08);
    ffplay_play();
    waitForPlaying();
    QTRY_VERIFY(m_capture.firstAbove(0.0f) >= 0);
    const size_t start = static_cast<size_t>(m_capture.firstAbove(0.0f));
    QTRY_VERIFY(m_capture.samples().size() > start + m_rate / 2);
    const std::vector<float> heard = m_capture.samples();
    float low = 0;
    float high = 0;
    float largestStep = 0;
    for (size_t i = start + 1; i < start + m_rate / 2; ++i) {
        low = std::min(low, heard[i]);
        high = std::max(high, heard[i]);
        largestStep = std::max(largestStep, std::fabs(heard[i] - heard[i - 1]));
    }
    // Limited just below full scale, as the encoder does, never clipped.
    QVERIFY2(high <= float(player::CLimiter::kCeiling) && high > 0.95f, qPrintable(QString::number(high)));
    QVERIFY2(low >= -float(player::CLimiter::kCeiling) && low < -0.95f, qPrintable(QString::number(low)));
    // A wrapped sample would jump between the rails within one sample.
    QVERIFY2(largestStep < 0.5f, qPrintable(QString::number(largestStep)));
}

void TestPlayer::monoPlaysAtItsOwnLevelOnBothChannels()
{
    std::mutex mutex;
    int soundingBuffers = 0;
    std::vector<float> frame;
    // Past the resampler's start, in the third buffer that carries sound.
    player::setOutputTap([&](const float *samples, int frames, int channels) {
        std::lock_guard lock(mutex);
        if (samples[(frames - 1) * channels] != 0.0f && ++soundingBuffers == 3)
            frame.assign(samples, samples + channels);
    });
    const auto detach = qScopeGuard([] { player::setOutputTap({}); });
    openFile(m_dir.filePath("mono.wav"));
    ffplay_play();
    waitForPlaying();
    QTRY_VERIFY([&] { std::lock_guard lock(mutex); return !frame.empty(); }());
    std::lock_guard lock(mutex);
    QCOMPARE(frame.size(), size_t(2));
    QVERIFY2(std::fabs(frame[0] - 0.25f) < 0.001f, qPrintable(QString::number(frame[0])));
    QCOMPARE(frame[1], frame[0]);
}

void TestPlayer::unplayableFileReportsNothing_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("missing") << "missing.wav";
    QTest::newRow("not media") << "garbage.mp3";
    QTest::newRow("video without sound") << "silent.mp4";
}

void TestPlayer::unplayableFileReportsNothing()
{
    QFETCH(QString, file);
    openFile(ramp());
    ffplay_play();
    waitForPlaying();
    QCOMPARE(ffplay_open(m_dir.filePath(file).toUtf8().constData(), 0, 0), -1);
    // The file that was playing is closed and reported stopped.
    QTRY_COMPARE(m_reports.states(), (QList<int>{PlayPlaying, PlayStopped}));
    ffplay_seek(1.0);
    ffplay_play();
    ffplay_toggle_pause();
    ffplay_stop();
    QCOMPARE(ffplay_get_position(), 0.0);
    QTest::qWait(100);
    QCOMPARE(m_reports.states(), (QList<int>{PlayPlaying, PlayStopped}));
}

void TestPlayer::openReplacesAPlayingFile()
{
    openFile(ramp());
    ffplay_play();
    waitForPlaying();
    ffplay_toggle_pause();
    QTRY_COMPARE(m_reports.states(), (QList<int>{PlayPlaying, PlayPaused}));
    QCOMPARE(ffplay_open(m_dir.filePath("level.wav").toUtf8().constData(), 0, 0), 0);
    QTRY_COMPARE(m_reports.states(), (QList<int>{PlayPlaying, PlayPaused, PlayStopped}));
    QCOMPARE(ffplay_get_position(), 0.0);
    m_capture.clear();
    ffplay_play();
    QTRY_VERIFY(m_capture.firstAbove(0.0f) >= 0);
    QCOMPARE(m_capture.samples()[m_capture.firstAbove(0.0f)], 0.25f);
}

namespace {

struct ReentrantReceiver
{
    ReportLog log;
    double positionSeen = -1.0;

    static int onState(int state, void *user)
    {
        auto *self = static_cast<ReentrantReceiver *>(user);
        ReportLog::record(state, &self->log);
        if (state == PlayPlaying) {
            self->positionSeen = ffplay_get_position();
            ffplay_stop();
        }
        return 0;
    }
};

} // namespace

void TestPlayer::callbackMayCallBackIntoThePlayer()
{
    openFile(ramp());
    ReentrantReceiver receiver;
    ffplay_set_callback(&ReentrantReceiver::onState, &receiver);
    ffplay_seek(1.5);
    ffplay_play();
    QTRY_COMPARE(receiver.log.states(), (QList<int>{PlayPlaying, PlayStopped}));
    ffplay_set_callback(&ReportLog::record, &m_reports);
    // Asked right at the start: the start point, give or take what was heard since.
    QVERIFY2(receiver.positionSeen >= 1.5 && receiver.positionSeen < 1.6,
             qPrintable(QString::number(receiver.positionSeen)));
    QCOMPARE(ffplay_get_position(), 0.0);
}

namespace {

// A receiver that is slow to handle a report, as a window busy elsewhere is.
struct SlowReceiver
{
    std::atomic<bool> entered{false};
    std::atomic<bool> left{false};

    static int onState(int, void *user)
    {
        auto *self = static_cast<SlowReceiver *>(user);
        self->entered = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        self->left = true;
        return 0;
    }
};

} // namespace

void TestPlayer::unregisteringWaitsForARunningCallback()
{
    openFile(ramp());
    SlowReceiver receiver;
    ffplay_set_callback(&SlowReceiver::onState, &receiver);
    const auto restore = qScopeGuard([this] { ffplay_set_callback(&ReportLog::record, &m_reports); });
    ffplay_play();
    QTRY_VERIFY(receiver.entered.load());
    // The receiver may be destroyed as soon as this returns.
    ffplay_set_callback(nullptr, nullptr);
    QVERIFY(receiver.left.load());
}

void TestPlayer::signalsKeepTheirDefaultAction_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGINT") << int(SIGINT);
    QTest::newRow("SIGTERM") << int(SIGTERM);
}

void TestPlayer::signalsKeepTheirDefaultAction()
{
#ifdef Q_OS_WIN
    QSKIP("POSIX signals");
#else
    QFETCH(int, signal);
    // The output is started by the first open: that is when SDL would
    // install its own handlers, and a program would then ignore a kill.
    openFile(ramp());
    ffplay_play();
    waitForPlaying();
    struct sigaction action = {};
    QCOMPARE(sigaction(signal, nullptr, &action), 0);
    QVERIFY(action.sa_handler == SIG_DFL);
#endif
}

QTEST_GUILESS_MAIN(TestPlayer)
#include "tst_player.moc"
