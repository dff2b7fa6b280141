// Loading, preview and generating in the main window, with stand-ins for the
// player and the device bridge but the real encoder program beside this test.
#include "clipslider.h"
#include "devicebridge.h"
#include "ffplay.h"
#include "language.h"
#include "maindialog.h"
#include "standins.h"
#include "timeedit.h"
#include "tonefile.h"
#include "windowtest.h"

#include <QApplication>
#include <QCheckBox>
#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTime>
#include <QTimer>
#include <QTranslator>

#include <cmath>
#include <memory>

#ifdef Q_OS_UNIX
#include <unistd.h>
#include <sys/stat.h>
#endif

namespace {

// Seconds of a 440 Hz tone, 16-bit stereo at 44.1 kHz.
// A WAV header that claims claimedSeconds over a tone of realSeconds, as a
// cut download does.
bool writeCutTone(const QString &path, double realSeconds, double claimedSeconds)
{
    if (!writeTone(path, realSeconds))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    const quint32 claimed = quint32(claimedSeconds * 44100) * 4;
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    file.seek(4);
    out << quint32(36 + claimed);
    file.seek(40);
    out << claimed;
    return out.status() == QDataStream::Ok;
}

// Columns of the timeline where the waveform's band differs from the rows
// above it.
int bandedColumns(QWidget *timeline)
{
    const QImage image = timeline->grab().toImage();
    int banded = 0;
    for (int x = 20; x < image.width() - 20; ++x)
        banded += image.pixel(x, image.height() / 2 - 4) != image.pixel(x, 4);
    return banded;
}

void closeMessageBoxSoon(QString *text)
{
    QTimer::singleShot(50, [text] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            *text = box->text();
            box->accept();
        }
    });
}

// Answers the box that opens next with the given button, keeping its text.
void answerMessageBoxSoon(QMessageBox::StandardButton answer, QString *text)
{
    QTimer::singleShot(50, [answer, text] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            *text = box->text();
            if (QAbstractButton *button = box->button(answer))
                button->click();
        }
    });
}

} // namespace

class TestMainFlow final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void encoderVolume_data();
    void encoderVolume();
    void loadSetsDefaultClip_data();
    void loadSetsDefaultClip();
    void shortOrUnreadableFileIsRefused();
    void playStatesDriveButtons_data();
    void playStatesDriveButtons();
    void clipPreviewStopsAfterClipEnd();
    void loopingClipPlaysOn();
    void pausedClipResumesAsAClip();
    void emptyLoopedClipStops();
    void editorsAndTimelineStayInStep();
    void waveformThenGenerate();
    void failedEncodingIsNotReportedAsSuccess();
    void loadDuringAJobWaitsForIt();
    void loadWhileTheWaveformIsReadDropsIt();
    void typedTimesAreTakenWhenEntered_data();
    void typedTimesAreTakenWhenEntered();
    void typedHoursAreKept_data();
    void typedHoursAreKept();
    void homeOnTheEndHandleKeepsAClip();
    void enterPressesNoButton();
    void loadDuringGenerateKeepsTheJob();
    void tooShortClipIsNotEncoded();
    void silentRingtoneIsAskedFor_data();
    void silentRingtoneIsAskedFor();
    void failuresSayWhy_data();
    void failuresSayWhy();
    void failureHints_data();
    void failureHints();
    void decodedLengthDecidesTheTimeline();
    void fileWithoutWaveformClearsTheTimeline();
    void failedWaveformSaysWhy_data();
    void failedWaveformSaysWhy();
    void namedPipeIsRefusedUnprobed();
    void plantedLinkInTempIsNotFollowed();
    void longOutputNameStillSaves();
    void exportFollowsTheBox_data();
    void exportFollowsTheBox();
    void failedRenameKeepsTheSound();
    void nameOfDotsFallsBackToTheInput();

private:
    std::unique_ptr<MainDialog> makeDialog();
    void load(double duration, const QString &path = QStringLiteral("/music/Song.mp3"));
    // Loads a real tone file and waits for its waveform.
    bool loadTone(const QString &path, double seconds);
    bool generateAndWait();
    QString status() const;

    QTranslator translator;
    std::unique_ptr<MainDialog> dialog;
};

void TestMainFlow::initTestCase()
{
    QVERIFY(qEnvironmentVariable("HOME").contains(QLatin1String("test-home")));
    QVERIFY2(QFile::exists(QCoreApplication::applicationDirPath() + QStringLiteral("/ffmpeg" TQ_EXE_SUFFIX)),
             "the encoder program must be built beside this test");
    theTranslator = &translator;
    QApplication::installTranslator(&translator);
}

void TestMainFlow::init()
{
    store().clear();
    standin::player() = {};
    standin::bridge() = {};
    dialog = makeDialog();
}

void TestMainFlow::cleanup()
{
    dialog.reset();
}

std::unique_ptr<MainDialog> TestMainFlow::makeDialog()
{
    auto made = std::make_unique<MainDialog>();
    made->show();
    QCoreApplication::processEvents();
    return made;
}

void TestMainFlow::load(double duration, const QString &path)
{
    standin::player().probeDuration = duration;
    dialog->loadInputFile(path);
}

bool TestMainFlow::loadTone(const QString &path, double seconds)
{
    if (!writeTone(path, seconds))
        return false;
    load(seconds, path);
    auto *generate = child<QPushButton>(dialog.get(), "btnGenerate");
    QElapsedTimer waited;
    waited.start();
    while (!generate->isEnabled() && waited.elapsed() < 20000)
        QTest::qWait(10);
    return generate->isEnabled();
}

bool TestMainFlow::generateAndWait()
{
    auto *generate = child<QPushButton>(dialog.get(), "btnGenerate");
    QTest::mouseClick(generate, Qt::LeftButton);
    QElapsedTimer waited;
    waited.start();
    while (!generate->isEnabled() && waited.elapsed() < 20000)
        QTest::qWait(10);
    return generate->isEnabled();
}

QString TestMainFlow::status() const
{
    return child<QLabel>(dialog.get(), "labelStatus")->text();
}

void TestMainFlow::encoderVolume_data()
{
    QTest::addColumn<int>("slider");
    QTest::addColumn<int>("gain");
    QTest::newRow("silent") << 0 << 0;
    QTest::newRow("half") << 50 << 128;
    QTest::newRow("unchanged") << 100 << 256;
    QTest::newRow("first boost step") << 101 << 266;
    QTest::newRow("rightmost") << 198 << 1259;
    QTest::newRow("top") << 200 << 1280;
}

void TestMainFlow::encoderVolume()
{
    QFETCH(int, slider);
    QFETCH(int, gain);
    QCOMPARE(::encoderVolume(slider), gain);
}

void TestMainFlow::loadSetsDefaultClip_data()
{
    QTest::addColumn<double>("duration");
    QTest::addColumn<double>("clipEnd");
    QTest::addColumn<qint64>("endEditor");
    QTest::addColumn<qint64>("longest");
    QTest::addColumn<QString>("playTime");

    // Shorter than ten seconds: the whole file, to the millisecond.
    QTest::newRow("4.7 s") << 4.7 << 4.7 << qint64(4700) << qint64(4700) << "00:00:00 / 00:00:04";
    QTest::newRow("4.2 s") << 4.2 << 4.2 << qint64(4200) << qint64(4200) << "00:00:00 / 00:00:04";
    QTest::newRow("3 min") << 180.0 << 10.0 << qint64(10000) << qint64(180000) << "00:00:00 / 00:03:00";
    QTest::newRow("just over half a second") << 0.51 << 0.51 << qint64(510) << qint64(510)
                                             << "00:00:00 / 00:00:00";
    QTest::newRow("30 h") << 30 * 3600.0 << 10.0 << qint64(10000) << qint64(108000000) << "00:00:00 / 30:00:00";
}

void TestMainFlow::loadSetsDefaultClip()
{
    QFETCH(double, duration);
    QFETCH(double, clipEnd);
    QFETCH(qint64, endEditor);
    QFETCH(qint64, longest);
    QFETCH(QString, playTime);

    load(duration, QStringLiteral("/music/My Song.mp3"));
    QWidget *w = dialog.get();
    auto *slider = child<CClipSlider>(w, "sliderBar");
    double start = -1, end = -1;
    slider->getClip(start, end);
    QCOMPARE(start, 0.0);
    QCOMPARE(end, clipEnd);
    // The editors, the length label and the clip the encoder gets agree.
    QCOMPARE(child<QLabel>(w, "labelLengthValue")->text(),
             QTime(0, 0).addMSecs(int(endEditor)).toString(QStringLiteral("hh:mm:ss.zzz")));
    QCOMPARE(child<CTimeEdit>(w, "editStartTime")->msecs(), 0);
    QCOMPARE(child<CTimeEdit>(w, "editEndTime")->msecs(), endEditor);
    QCOMPARE(child<CTimeEdit>(w, "editEndTime")->maximumMsecs(), longest);
    QCOMPARE(child<QLabel>(w, "labelPlayTime")->text(), playTime);
    QCOMPARE(child<QLineEdit>(w, "editInputFile")->text(),
             QDir::toNativeSeparators(QStringLiteral("/music/My Song.mp3")));
    QCOMPARE(child<QLineEdit>(w, "editOutputName")->text(), QStringLiteral("My Song"));
    QVERIFY(child<QPushButton>(w, "btnPlay")->isEnabled());
    QVERIFY(child<QPushButton>(w, "btnPlayClip")->isEnabled());
    QVERIFY(slider->isEnabled());
    QCOMPARE(child<QLabel>(w, "labelStatus")->text(), QStringLiteral("File is loading, please wait..."));
    QCOMPARE(standin::player().calls.back(), std::string("open"));
    // The waveform job of a file that does not exist ends at once.
    QTRY_VERIFY(child<QPushButton>(w, "btnGenerate")->isEnabled());
    QVERIFY(slider->isVisible());
}

void TestMainFlow::shortOrUnreadableFileIsRefused()
{
    load(180.0, QStringLiteral("/music/First.mp3"));
    QString shown;
    closeMessageBoxSoon(&shown);
    load(0.5, QStringLiteral("/music/Tiny.mp3"));
    QCOMPARE(shown, QStringLiteral("Invalid input file"));
    // A refused file changes nothing, not even the output name.
    QCOMPARE(child<QLineEdit>(dialog.get(), "editOutputName")->text(), QStringLiteral("First"));
    QCOMPARE(child<QLineEdit>(dialog.get(), "editInputFile")->text(),
             QDir::toNativeSeparators(QStringLiteral("/music/First.mp3")));
}

void TestMainFlow::playStatesDriveButtons_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("play");
    QTest::addColumn<bool>("pause");
    QTest::addColumn<bool>("clip");
    QTest::newRow("playing") << 1 << false << true << false;
    QTest::newRow("paused") << 2 << true << false << true;
    QTest::newRow("stopped") << 0 << true << false << true;
}

void TestMainFlow::playStatesDriveButtons()
{
    QFETCH(int, state);
    QFETCH(bool, play);
    QFETCH(bool, pause);
    QFETCH(bool, clip);

    load(60.0);
    standin::sendPlayState(PlayPlaying);
    standin::player().position = 12.6;
    standin::sendPlayState(state);
    QWidget *w = dialog.get();
    QCOMPARE(child<QPushButton>(w, "btnPlay")->isEnabled(), play);
    QCOMPARE(child<QPushButton>(w, "btnPause")->isEnabled(), pause);
    QCOMPARE(child<QPushButton>(w, "btnPlayClip")->isEnabled(), clip);
    if (state == PlayPlaying) {
        // The marker and the label follow the player.
        QTRY_COMPARE(child<QLabel>(w, "labelPlayTime")->text(), QStringLiteral("00:00:12 / 00:01:00"));
    } else if (state == PlayStopped) {
        QCOMPARE(child<QLabel>(w, "labelPlayTime")->text(), QStringLiteral("00:00:00 / 00:01:00"));
        double pos = -1;
        child<CClipSlider>(w, "sliderBar")->getPos(pos);
        QCOMPARE(pos, 0.0);
    }
}

void TestMainFlow::clipPreviewStopsAfterClipEnd()
{
    load(60.0);
    child<QSpinBox>(dialog.get(), "spinFadein")->setValue(3);
    child<QSpinBox>(dialog.get(), "spinFadeout")->setValue(2);
    QTest::mouseClick(child<QPushButton>(dialog.get(), "btnPlayClip"), Qt::LeftButton);
    QCOMPARE(standin::player().fadeins.back(), 3.0);
    // The fade-out ends with the clip.
    QCOMPARE(standin::player().fadeouts.back(), std::make_pair(2.0, 10.0));
    QCOMPARE(standin::player().seeks.back(), 0.0);
    QCOMPARE(standin::player().calls.back(), std::string("play"));
    standin::sendPlayState(PlayPlaying);

    // Exactly at the clip end it goes on; past it, it stops.
    standin::player().position = 10.0;
    QTest::qWait(1100);
    QVERIFY(standin::player().calls.back() != "stop");
    standin::player().position = 10.2;
    QTRY_COMPARE(standin::player().calls.back(), std::string("stop"));
}

void TestMainFlow::loopingClipPlaysOn()
{
    load(60.0);
    auto *loop = child<QCheckBox>(dialog.get(), "checkLoop");
    loop->setChecked(true);
    QTest::mouseClick(child<QPushButton>(dialog.get(), "btnPlayClip"), Qt::LeftButton);
    QCOMPARE(standin::player().loops.back(), 1);
    QCOMPARE(standin::player().fadeouts.back().second, 10.0);
    standin::sendPlayState(PlayPlaying);

    // The player starts each round again itself: past the end is no stop.
    standin::player().position = 10.05;
    QTest::qWait(1100);
    QVERIFY(standin::player().calls.back() != "stop");

    // Turned off while it plays, the round playing now is the last.
    loop->setChecked(false);
    QCOMPARE(standin::player().loops.back(), 0);
    QTRY_COMPARE(standin::player().calls.back(), std::string("stop"));

    // Plain Play never loops, whatever the box says.
    loop->setChecked(true);
    standin::sendPlayState(PlayStopped);
    const size_t loopsBefore = standin::player().loops.size();
    QTest::mouseClick(child<QPushButton>(dialog.get(), "btnPlay"), Qt::LeftButton);
    QCOMPARE(standin::player().loops.size(), loopsBefore);
}

void TestMainFlow::pausedClipResumesAsAClip()
{
    load(60.0);
    auto *loop = child<QCheckBox>(dialog.get(), "checkLoop");
    loop->setChecked(true);
    QTest::mouseClick(child<QPushButton>(dialog.get(), "btnPlayClip"), Qt::LeftButton);
    standin::sendPlayState(PlayPlaying);
    QTest::keyClick(dialog.get(), Qt::Key_Space);
    QCOMPARE(standin::player().calls.back(), std::string("toggle_pause"));
    standin::sendPlayState(PlayPaused);

    // Space resumes the clip as it was paused: the player keeps its end,
    // fades and loop for a resume that sets none.
    standin::player().calls.clear();
    QTest::keyClick(dialog.get(), Qt::Key_Space);
    QCOMPARE(standin::player().calls, std::vector<std::string>{"toggle_pause"});
    standin::sendPlayState(PlayPlaying);
    // Still the clip: with the loop turned off, its end stops it.
    loop->setChecked(false);
    standin::player().position = 10.2;
    QTRY_COMPARE(standin::player().calls.back(), std::string("stop"));
    standin::sendPlayState(PlayStopped);

    // The Play button resumes the whole file: the clip's end and loop go.
    loop->setChecked(true);
    QTest::mouseClick(child<QPushButton>(dialog.get(), "btnPlayClip"), Qt::LeftButton);
    standin::sendPlayState(PlayPlaying);
    standin::sendPlayState(PlayPaused);
    standin::player().calls.clear();
    QTest::mouseClick(child<QPushButton>(dialog.get(), "btnPlay"), Qt::LeftButton);
    QCOMPARE(standin::player().calls, (std::vector<std::string>{"fadeout", "loop", "toggle_pause"}));
    QCOMPARE(standin::player().fadeouts.back().second, -1.0);
    QCOMPARE(standin::player().loops.back(), 0);
}

void TestMainFlow::emptyLoopedClipStops()
{
    // A clip whose end is its start has nothing to loop: past its end the
    // preview stops as an unlooped one does.
    load(60.0);
    child<CTimeEdit>(dialog.get(), "editStartTime")->setMsecs(5000);
    child<CTimeEdit>(dialog.get(), "editEndTime")->setMsecs(5000);
    double start = 0, end = 0;
    child<CClipSlider>(dialog.get(), "sliderBar")->getClip(start, end);
    QCOMPARE(end, start);
    child<QCheckBox>(dialog.get(), "checkLoop")->setChecked(true);
    QTest::mouseClick(child<QPushButton>(dialog.get(), "btnPlayClip"), Qt::LeftButton);
    standin::sendPlayState(PlayPlaying);
    standin::player().position = 5.3;
    QTRY_COMPARE(standin::player().calls.back(), std::string("stop"));
}

void TestMainFlow::editorsAndTimelineStayInStep()
{
    load(180.0);
    QWidget *w = dialog.get();
    auto *slider = child<CClipSlider>(w, "sliderBar");
    auto *startEditor = child<CTimeEdit>(w, "editStartTime");
    auto *endEditor = child<CTimeEdit>(w, "editEndTime");

    startEditor->setMsecs(4250);
    double start = 0, end = 0;
    slider->getClip(start, end);
    QCOMPARE(start, 4.25);
    QCOMPARE(end, 10.0);
    QCOMPARE(child<QLabel>(w, "labelLengthValue")->text(), QStringLiteral("00:00:05.750"));

    endEditor->setMsecs(30000);
    slider->getClip(start, end);
    QCOMPARE(end, 30.0);

    // A drag on the timeline writes both editors and nothing back.
    QMetaObject::invokeMethod(dialog.get(), "onClipChanged", Q_ARG(double, 20.0), Q_ARG(double, 25.5));
    QCOMPARE(startEditor->msecs(), 20000);
    QCOMPARE(endEditor->msecs(), 25500);
    QCOMPARE(child<QLabel>(w, "labelLengthValue")->text(), QStringLiteral("00:00:05.500"));
}

void TestMainFlow::waveformThenGenerate()
{
    QTemporaryDir dir;
    // A name of its own, so that the check for the temporary waveform file
    // below sees only this run's.
    const QString base = QStringLiteral("FlowTone%1").arg(QCoreApplication::applicationPid());
    const QString input = dir.filePath(base + QStringLiteral(".wav"));
    QVERIFY(writeTone(input, 3.0));
    // Created with its parents on the first Generate.
    const QString outputFolder = dir.filePath(QStringLiteral("out/deeper/still"));

    load(3.0, input);
    QWidget *w = dialog.get();
    auto *generate = child<QPushButton>(w, "btnGenerate");
    QVERIFY(!generate->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(generate->isEnabled(), 20000);
    QCOMPARE(child<QLabel>(w, "labelStatus")->text(), QStringLiteral("File loaded."));
    QVERIFY(child<QWidget>(w, "sliderBar")->isVisible());
    QCOMPARE(child<QProgressBar>(w, "progressBar")->value(), 100);
    // The waveform's temporary file is gone.
    QVERIFY(QDir::temp().entryList({base + QStringLiteral("*.wav")}).isEmpty());
    // The timeline now shows the waveform: a band around mid-height that
    // differs from the rows above it (the clip overlay covers both).
    const QImage timeline = child<QWidget>(w, "sliderBar")->grab().toImage();
    int banded = 0;
    for (int x = 20; x < timeline.width() - 20; ++x)
        banded += timeline.pixel(x, timeline.height() / 2 - 4) != timeline.pixel(x, 4);
    QVERIFY(banded > timeline.width() / 2);

    child<QLineEdit>(w, "editOutputFolder")->setText(QDir::toNativeSeparators(outputFolder));
    child<QLineEdit>(w, "editOutputName")->setText(QStringLiteral(" My:Tone? "));
    QTest::mouseClick(generate, Qt::LeftButton);
    QVERIFY(!generate->isEnabled());
    QCOMPARE(status(), QStringLiteral("Making the ringtone, please wait..."));
    QTRY_VERIFY_WITH_TIMEOUT(generate->isEnabled(), 20000);
    QCOMPARE(child<QLabel>(w, "labelStatus")->text(), QStringLiteral("Conversion succeed."));
    QVERIFY(QFile::exists(outputFolder + QStringLiteral("/MyTone.m4r")));

    QTest::mouseClick(generate, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(generate->isEnabled(), 20000);
    QVERIFY(QFile::exists(outputFolder + QStringLiteral("/MyTone(1).m4r")));
    // The intermediate files were renamed away.
    QCOMPARE(QDir(outputFolder).entryList(QDir::Files).size(), 2);
}

void TestMainFlow::failedEncodingIsNotReportedAsSuccess()
{
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("Gone.wav"));
    QVERIFY(writeTone(input, 2.0));
    load(2.0, input);
    auto *generate = child<QPushButton>(dialog.get(), "btnGenerate");
    QTRY_VERIFY_WITH_TIMEOUT(generate->isEnabled(), 20000);
    QVERIFY(QFile::remove(input));

    child<QLineEdit>(dialog.get(), "editOutputFolder")->setText(QDir::toNativeSeparators(dir.path()));
    QTest::mouseClick(generate, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(generate->isEnabled(), 20000);
    QVERIFY(status().startsWith(QStringLiteral("Conversion failed.")));
    QVERIFY(QDir(dir.path()).entryList({QStringLiteral("*.m4r"), QStringLiteral("*.m4a")}).isEmpty());
}

void TestMainFlow::loadDuringAJobWaitsForIt()
{
    QTemporaryDir dir;
    const QString stem = QStringLiteral("FlowPair%1").arg(QCoreApplication::applicationPid());
    const QString first = dir.filePath(stem + QStringLiteral("A.wav"));
    const QString second = dir.filePath(stem + QStringLiteral("B.wav"));
    QVERIFY(writeTone(first, 20.0));
    QVERIFY(writeTone(second, 2.0));
    QWidget *w = dialog.get();
    auto *slider = child<QWidget>(w, "sliderBar");

    load(20.0, first);
    load(2.0, second); // while the first file's waveform job runs
    QCOMPARE(child<QLineEdit>(w, "editInputFile")->text(), QDir::toNativeSeparators(second));
    // The timeline stays hidden until the second file's own waveform is drawn.
    auto *generate = child<QPushButton>(w, "btnGenerate");
    QElapsedTimer waited;
    waited.start();
    while (!generate->isEnabled() && waited.elapsed() < 20000) {
        QVERIFY(!slider->isVisible());
        QTest::qWait(5);
    }
    QVERIFY(generate->isEnabled());
    QVERIFY(slider->isVisible());
    QCOMPARE(child<QLabel>(w, "labelStatus")->text(), QStringLiteral("File loaded."));
    QVERIFY(QDir::temp().entryList({stem + QStringLiteral("*.wav")}).isEmpty());
}

void TestMainFlow::loadWhileTheWaveformIsReadDropsIt()
{
    // The first file's job has ended and its WAV is being read when the
    // second file comes: nothing of the first (its length, its picture, its
    // "File loaded.") may reach the window while the second one loads.
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("five minutes.wav"));
    const QString second = dir.filePath(QStringLiteral("three seconds.wav"));
    QVERIFY(writeTone(first, 300.0));
    QVERIFY(writeTone(second, 3.0));
    QWidget *w = dialog.get();
    auto *progress = child<QProgressBar>(w, "progressBar");
    bool loadedSecond = false;
    // The next turn of the loop after the job's end: the read is under way.
    connect(progress, &QProgressBar::valueChanged, this, [this, &second, &loadedSecond](int value) {
        if (value == 100 && !loadedSecond) {
            loadedSecond = true;
            QTimer::singleShot(0, this, [this, &second] { load(3.0, second); });
        }
    });
    load(300.0, first);
    auto *generate = child<QPushButton>(w, "btnGenerate");
    QTRY_VERIFY_WITH_TIMEOUT(loadedSecond && generate->isEnabled(), 20000);
    QCOMPARE(child<QLineEdit>(w, "editInputFile")->text(), QDir::toNativeSeparators(second));
    QCOMPARE(child<QLabel>(w, "labelPlayTime")->text(), QStringLiteral("00:00:00 / 00:00:03"));
    QCOMPARE(child<QLabel>(w, "labelStatus")->text(), QStringLiteral("File loaded."));
    QVERIFY(bandedColumns(child<QWidget>(w, "sliderBar")) > 0);
    QTest::qWait(300);
    QCOMPARE(child<QLabel>(w, "labelPlayTime")->text(), QStringLiteral("00:00:00 / 00:00:03"));
}

void TestMainFlow::typedTimesAreTakenWhenEntered_data()
{
    QTest::addColumn<double>("duration");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("clipStart");
    QTest::addColumn<double>("clipEnd");

    // The clip is 20 .. 30 s before typing.
    QTest::newRow("start past the end stops at the end")
        << 180.0 << "editStartTime" << "0:00:40.000" << 30.0 << 30.0;
    QTest::newRow("start inside") << 180.0 << "editStartTime" << "0:00:25.500" << 25.5 << 30.0;
    QTest::newRow("end far into a long file") << 3600.0 << "editEndTime" << "0:32:00.000" << 20.0 << 1920.0;
    QTest::newRow("end before the start stops at the start")
        << 180.0 << "editEndTime" << "0:00:05.000" << 20.0 << 20.0;
}

void TestMainFlow::typedTimesAreTakenWhenEntered()
{
    QFETCH(double, duration);
    QFETCH(QString, editor);
    QFETCH(QString, typed);
    QFETCH(double, clipStart);
    QFETCH(double, clipEnd);

    load(duration);
    QWidget *w = dialog.get();
    auto *slider = child<CClipSlider>(w, "sliderBar");
    slider->setClip(20, 30);
    QMetaObject::invokeMethod(dialog.get(), "onClipChanged", Q_ARG(double, 20.0), Q_ARG(double, 30.0));

    auto *edit = child<CTimeEdit>(w, editor.toLatin1().constData());
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, typed);
    // Nothing is taken while typing.
    double start = 0, end = 0;
    slider->getClip(start, end);
    QCOMPARE(start, 20.0);
    QCOMPARE(end, 30.0);
    QTest::keyClick(edit, Qt::Key_Return);

    slider->getClip(start, end);
    QCOMPARE(start, clipStart);
    QCOMPARE(end, clipEnd);
    QCOMPARE(child<CTimeEdit>(w, "editStartTime")->msecs(), qRound(clipStart * 1000));
    QCOMPARE(child<CTimeEdit>(w, "editEndTime")->msecs(), qRound(clipEnd * 1000));
    QCOMPARE(child<QLabel>(w, "labelLengthValue")->text(),
             QTime(0, 0).addMSecs(qRound((clipEnd - clipStart) * 1000)).toString(QStringLiteral("hh:mm:ss.zzz")));
}

void TestMainFlow::typedHoursAreKept_data()
{
    QTest::addColumn<double>("duration");
    QTest::addColumn<double>("clipEndBefore"); // the clip starts at 20 s
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("clipStart");
    QTest::addColumn<double>("clipEnd");
    QTest::addColumn<QString>("shown");

    const double h = 3600.0;
    QTest::newRow("end, a two-hour film") << 2 * h << 30.0 << "editEndTime" << "1:30:00.000" << 20.0 << 1.5 * h
                                          << "1:30:00.000";
    QTest::newRow("start, a two-hour film") << 2 * h << 2 * h << "editStartTime" << "1:00:00.000" << h << 2 * h
                                            << "1:00:00.000";
    QTest::newRow("end, two digits of hours") << 12 * h << 30.0 << "editEndTime" << "10:00:00.000" << 20.0 << 10 * h
                                              << "10:00:00.000";
    QTest::newRow("start past a day") << 30 * h << 29 * h << "editStartTime" << "25:00:00.000" << 25 * h << 29 * h
                                      << "25:00:00.000";
    QTest::newRow("end past the file's end stops at it")
        << 30 * h << 30.0 << "editEndTime" << "31:00:00.000" << 20.0 << 30 * h << "30:00:00.000";
    QTest::newRow("hours only") << 2 * h << 30.0 << "editEndTime" << "1" << 20.0 << h << "1:00:00.000";
}

void TestMainFlow::typedHoursAreKept()
{
    QFETCH(double, duration);
    QFETCH(double, clipEndBefore);
    QFETCH(QString, editor);
    QFETCH(QString, typed);
    QFETCH(double, clipStart);
    QFETCH(double, clipEnd);
    QFETCH(QString, shown);

    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    load(duration);
    QWidget *w = dialog.get();
    auto *slider = child<CClipSlider>(w, "sliderBar");
    slider->setClip(20, clipEndBefore);
    QMetaObject::invokeMethod(dialog.get(), "onClipChanged", Q_ARG(double, 20.0), Q_ARG(double, clipEndBefore));

    // As a user does it: into the field, select all, type, Tab away.
    auto *edit = child<QAbstractSpinBox>(w, editor.toLatin1().constData());
    edit->setFocus(Qt::TabFocusReason);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, typed);
    QTest::keyClick(edit, Qt::Key_Tab);
    QVERIFY(!edit->hasFocus());

    double start = 0, end = 0;
    slider->getClip(start, end);
    QCOMPARE(start, clipStart);
    QCOMPARE(end, clipEnd);
    QCOMPARE(edit->text(), shown);
    QCOMPARE(child<QLabel>(w, "labelPlayTime")->text().section(QLatin1Char(' '), -1),
             QStringLiteral("%1:00:00").arg(int(duration / 3600), 2, 10, QLatin1Char('0')));
}

void TestMainFlow::homeOnTheEndHandleKeepsAClip()
{
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    load(180.0);
    auto *slider = child<CClipSlider>(dialog.get(), "sliderBar");
    slider->show();
    // The default clip is 0 .. 10 s; its end handle's column:
    const int endColumn = int(slider->width() * 10.0 / 180.0);
    QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(endColumn, slider->height() / 2));
    QCOMPARE(slider->selection(), CClipSlider::Selection::End);
    QTest::keyClick(slider, Qt::Key_Home);
    double start = -1, end = -1;
    slider->getClip(start, end);
    QCOMPARE(start, 0.0);
    // As short as Generate takes, not an empty clip.
    QCOMPARE(end, kShortestClipMs / 1000.0);
    QCOMPARE(child<QLabel>(dialog.get(), "labelLengthValue")->text(), QStringLiteral("00:00:00.100"));
}

void TestMainFlow::enterPressesNoButton()
{
    // Enter in a field would otherwise press the auto-default button: the
    // menu button, which opens the menu.
    load(60.0);
    QSignalSpy pressed(child<QPushButton>(dialog.get(), "btnMenu"), &QPushButton::pressed);
    for (const char *field : {"editOutputName", "editStartTime"}) {
        auto *edit = child<QWidget>(dialog.get(), field);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Return);
    }
    QCOMPARE(pressed.count(), 0);
    for (QPushButton *button : dialog->findChildren<QPushButton *>())
        QVERIFY2(!button->autoDefault() && !button->isDefault(), qPrintable(button->objectName()));
}

void TestMainFlow::loadDuringGenerateKeepsTheJob()
{
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("First.wav"));
    QVERIFY(loadTone(first, 30.0));
    QWidget *w = dialog.get();
    standin::sendDeviceEvent(0, "connect");
    QTRY_VERIFY(child<QCheckBox>(w, "checkExport")->isChecked());
    child<QLineEdit>(w, "editOutputFolder")->setText(QDir::toNativeSeparators(dir.path()));
    child<QLineEdit>(w, "editOutputName")->setText(QStringLiteral("Keeper"));

    auto *generate = child<QPushButton>(w, "btnGenerate");
    QTest::mouseClick(generate, Qt::LeftButton);
    // While the job runs: another file, another clip.
    const QString second = dir.filePath(QStringLiteral("Second.wav"));
    QVERIFY(writeTone(second, 3.0));
    load(3.0, second);
    QTRY_VERIFY_WITH_TIMEOUT(generate->isEnabled(), 20000);

    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("Keeper.m4r"))));
    QVERIFY(QDir(dir.path()).entryList({QStringLiteral("Second*.m4r")}).isEmpty());
    // The phone got the ringtone with the clip it was made from.
    const auto &calls = standin::bridge().calls;
    QCOMPARE(calls.size(), size_t(2));
    QVERIFY(QString::fromStdString(calls[0]).endsWith(QStringLiteral("Keeper.m4r 10000")));
    QCOMPARE(calls[1], std::string("commit"));
    // Its outcome stays in sight once the new file has loaded.
    QCOMPARE(status(), QStringLiteral("Transfer succeed."));
    QCOMPARE(child<QLineEdit>(w, "editOutputName")->text(), QStringLiteral("Second"));
}

void TestMainFlow::silentRingtoneIsAskedFor_data()
{
    QTest::addColumn<bool>("beforeTheFile");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("made");
    QTest::newRow("no") << false << int(QMessageBox::No) << false;
    QTest::newRow("yes") << false << int(QMessageBox::Yes) << true;
    QTest::newRow("set before the file, no") << true << int(QMessageBox::No) << false;
}

void TestMainFlow::silentRingtoneIsAskedFor()
{
    QFETCH(bool, beforeTheFile);
    QFETCH(int, answer);
    QFETCH(bool, made);
    const QString silent = QStringLiteral("The volume is 0: the ringtone would be silent.");
    QTemporaryDir dir;
    // Volume 0 from the keyboard, as from a drag: warned at once, and again
    // once a file is loaded.
    auto *volume = child<QWidget>(dialog.get(), "sliderVolume");
    if (beforeTheFile) {
        volume->setFocus(Qt::TabFocusReason);
        QTest::keyClick(volume, Qt::Key_Home);
        QCOMPARE(status(), silent);
    }
    QVERIFY(loadTone(dir.filePath(QStringLiteral("Quiet.wav")), 2.0));
    child<QLineEdit>(dialog.get(), "editOutputFolder")->setText(QDir::toNativeSeparators(dir.path()));
    if (!beforeTheFile) {
        volume->setFocus(Qt::TabFocusReason);
        QTest::keyClick(volume, Qt::Key_Home);
    }
    QCOMPARE(status(), silent);

    QString asked;
    answerMessageBoxSoon(QMessageBox::StandardButton(answer), &asked);
    auto *generate = child<QPushButton>(dialog.get(), "btnGenerate");
    QTest::mouseClick(generate, Qt::LeftButton);
    QCOMPARE(asked, QStringLiteral("The volume is 0: the ringtone would be silent. Make it anyway?"));
    if (!made) {
        QVERIFY(generate->isEnabled());
        QCOMPARE(status(), silent);
        QTest::qWait(200);
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("*.m4?")}), QStringList());
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(generate->isEnabled(), 20000);
    QCOMPARE(status(), QStringLiteral("Conversion succeed."));
    QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("*.m4r")}), QStringList{QStringLiteral("Quiet.m4r")});
}

void TestMainFlow::tooShortClipIsNotEncoded()
{
    QTemporaryDir dir;
    QVERIFY(loadTone(dir.filePath(QStringLiteral("Short.wav")), 4.0));
    child<QLineEdit>(dialog.get(), "editOutputFolder")->setText(QDir::toNativeSeparators(dir.path()));
    auto *slider = child<CClipSlider>(dialog.get(), "sliderBar");
    slider->setClip(2.0, 2.0);
    auto *generate = child<QPushButton>(dialog.get(), "btnGenerate");
    QTest::mouseClick(generate, Qt::LeftButton);
    QVERIFY(generate->isEnabled());
    QCOMPARE(status(), QStringLiteral("The clip is too short: move its end further from its start."));
    QVERIFY(QDir(dir.path()).entryList({QStringLiteral("*.m4?")}).isEmpty());
}

void TestMainFlow::failuresSayWhy_data()
{
    QTest::addColumn<QString>("breakage");
    QTest::addColumn<QString>("hint");
    QTest::newRow("folder that cannot be made") << "folder"
                                                << "The output folder cannot be written to: choose another one.";
    QTest::newRow("input gone") << "input" << "The input file is gone.";
}

void TestMainFlow::failuresSayWhy()
{
    QFETCH(QString, breakage);
    QFETCH(QString, hint);
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("Reason.wav"));
    QVERIFY(loadTone(input, 2.0));
    QString folder = dir.path();
    if (breakage == QLatin1String("folder")) {
        // A folder inside a plain file can never be made, even by root.
        folder = input + QStringLiteral("/out");
    } else {
        QVERIFY(QFile::remove(input));
    }
    child<QLineEdit>(dialog.get(), "editOutputFolder")->setText(QDir::toNativeSeparators(folder));
    QVERIFY(generateAndWait());
    QCOMPARE(status(), QStringLiteral("Conversion failed. ") + hint);
    // The whole reason is one hover away.
    QVERIFY(!child<QLabel>(dialog.get(), "labelStatus")->toolTip().isEmpty());
    QVERIFY(QDir(dir.path()).entryList({QStringLiteral("*.m4?")}).isEmpty());
}

void TestMainFlow::failureHints_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("hint");
    QTest::newRow("read-only folder")
        << "Could not open output file '/r/a.m4a.1.part' (Permission denied)"
        << "The output folder cannot be written to: choose another one.";
    QTest::newRow("disk full") << "Could not write output file '/r/a.m4a' (No space left on device)"
                               << "The disk of the output folder is full.";
    QTest::newRow("not media") << "Could not open input file '/r/a.txt' (Invalid data found when processing input)"
                               << "The input file is damaged or not a media file.";
    QTest::newRow("no sound") << "Could not find an audio stream in input file '/r/a.mp4' (Stream not found)"
                              << "The input file has no sound.";
    QTest::newRow("anything else") << "Something new went wrong" << "Something new went wrong";
}

void TestMainFlow::failureHints()
{
    QFETCH(QString, line);
    QFETCH(QString, hint);
    QCOMPARE(failureHint(line), hint);
}

void TestMainFlow::decodedLengthDecidesTheTimeline()
{
    // The header promises 45 s, the file holds 6 s: once decoded, 6 s it is.
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("Cut.wav"));
    QVERIFY(writeCutTone(input, 6.0, 45.0));
    load(45.0, input);
    QWidget *w = dialog.get();
    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(w, "btnGenerate")->isEnabled(), 20000);
    auto *slider = child<CClipSlider>(w, "sliderBar");
    double start = -1, end = -1;
    slider->getClip(start, end);
    QCOMPARE(start, 0.0);
    QCOMPARE(end, 6.0);
    QCOMPARE(child<CTimeEdit>(w, "editEndTime")->maximumMsecs(), 6000);
    QCOMPARE(child<CTimeEdit>(w, "editEndTime")->msecs(), 6000);
    QCOMPARE(child<QLabel>(w, "labelLengthValue")->text(), QStringLiteral("00:00:06.000"));
    QCOMPARE(child<QLabel>(w, "labelPlayTime")->text(), QStringLiteral("00:00:00 / 00:00:06"));
    // Drawn to scale: the band reaches the right end of the timeline.
    const QImage image = slider->grab().toImage();
    const int x = image.width() - 25;
    QVERIFY(image.pixel(x, image.height() / 2 - 4) != image.pixel(x, 4));
}

void TestMainFlow::fileWithoutWaveformClearsTheTimeline()
{
    QTemporaryDir dir;
    QVERIFY(loadTone(dir.filePath(QStringLiteral("Drawn.wav")), 3.0));
    auto *slider = child<QWidget>(dialog.get(), "sliderBar");
    QVERIFY(bandedColumns(slider) > slider->width() / 2);
    // The probe passes it, the encoder finds nothing to decode.
    load(30.0, dir.filePath(QStringLiteral("Missing.mp3")));
    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(dialog.get(), "btnGenerate")->isEnabled(), 20000);
    QVERIFY(slider->isVisible());
    // Only the handles' grips stand out of the plain rows.
    QVERIFY(bandedColumns(slider) <= 12);
}

void TestMainFlow::failedWaveformSaysWhy_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::addColumn<QString>("said");

    QTest::newRow("not a media file") << "Notes.wav" << QByteArray("a shopping list, not a song\n")
                                      << "The waveform could not be made. The input file is damaged or not a media file.";
    QTest::newRow("gone") << "Gone.mp3" << QByteArray() << "The waveform could not be made. The input file is gone.";
}

void TestMainFlow::failedWaveformSaysWhy()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, said);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (!content.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    // The probe passes it; the waveform job fails.
    load(30.0, path);
    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(dialog.get(), "btnGenerate")->isEnabled(), 20000);
    QCOMPARE(status(), said);
    // The encoder's own words are in the tooltip.
    QVERIFY(child<QLabel>(dialog.get(), "labelStatus")->toolTip().contains(QFileInfo(path).fileName()));
    // No waveform: only the handles' grips stand out of the plain rows.
    QVERIFY(bandedColumns(child<QWidget>(dialog.get(), "sliderBar")) <= 12);
}

void TestMainFlow::namedPipeIsRefusedUnprobed()
{
#ifdef Q_OS_WIN
    QSKIP("no named pipes in the file system on Windows");
#else
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("Stream.flac"));
    QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    load(180.0, QStringLiteral("/music/First.mp3"));
    standin::player().probedPaths.clear();
    QString shown;
    closeMessageBoxSoon(&shown);
    // The stand-in probe would accept it: only the window's own check stops it.
    load(60.0, pipe);
    QCOMPARE(shown, QStringLiteral("Invalid input file"));
    QVERIFY(standin::player().probedPaths.empty());
    QCOMPARE(child<QLineEdit>(dialog.get(), "editInputFile")->text(),
             QDir::toNativeSeparators(QStringLiteral("/music/First.mp3")));
    // A folder is no input either.
    closeMessageBoxSoon(&shown);
    shown.clear();
    load(60.0, dir.path());
    QCOMPARE(shown, QStringLiteral("Invalid input file"));
    QVERIFY(standin::player().probedPaths.empty());
#endif
}

void TestMainFlow::plantedLinkInTempIsNotFollowed()
{
#ifdef Q_OS_WIN
    QSKIP("symbolic links need privileges on Windows");
#else
    QTemporaryDir dir;
    const QString base = QStringLiteral("Planted%1").arg(QCoreApplication::applicationPid());
    // A dangling link: the name looks free, and writing through it would
    // create a file wherever its planter chose.
    const QString victim = dir.filePath(QStringLiteral("victim.txt"));
    const QString planted = QDir::temp().filePath(base + QStringLiteral(".wav"));
    QFile::remove(planted);
    QVERIFY(QFile::link(victim, planted));
    QVERIFY(loadTone(dir.filePath(base + QStringLiteral(".wav")), 2.0));
    QVERIFY(!QFileInfo::exists(victim));
    QVERIFY(QFileInfo(planted).isSymLink());
    QFile::remove(planted);
#endif
}

void TestMainFlow::longOutputNameStillSaves()
{
    QTemporaryDir dir;
    QVERIFY(loadTone(dir.filePath(QStringLiteral("Long.wav")), 2.0));
    child<QLineEdit>(dialog.get(), "editOutputFolder")->setText(QDir::toNativeSeparators(dir.path()));
    // 250 bytes of name: legal, and its numbered twin must be too.
    const QString name = QString(125, QChar(0x00e9));
    child<QLineEdit>(dialog.get(), "editOutputName")->setText(name);
    QVERIFY(generateAndWait());
    QCOMPARE(status(), QStringLiteral("Conversion succeed."));
    QVERIFY(generateAndWait());
    QCOMPARE(status(), QStringLiteral("Conversion succeed."));
    const QStringList made = QDir(dir.path()).entryList({QStringLiteral("*.m4r")});
    QCOMPARE(made.size(), 2);
    for (const QString &file : made)
        QVERIFY(file.toUtf8().size() <= 255);
}

void TestMainFlow::exportFollowsTheBox_data()
{
    QTest::addColumn<bool>("phoneAtGenerate");
    QTest::addColumn<QString>("duringJob");
    QTest::addColumn<int>("bridgeResult");
    QTest::addColumn<bool>("sent");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("left alone") << true << "" << 0 << true << "Transfer succeed.";
    QTest::newRow("unchecked during the job") << true << "uncheck" << 0 << false << "Conversion succeed.";
    QTest::newRow("phone plugged in during the job") << false << "connect" << 0 << true << "Transfer succeed.";
    QTest::newRow("phone gone during the job") << true << "disconnect" << 0 << false << "Conversion succeed.";
    QTest::newRow("another program syncing")
        << true << "" << int(DEVICE_ERR_BUSY) << true
        << "Transfer failed: another program is syncing with the iPhone; try again later.";
    QTest::newRow("phone full") << true << "" << int(DEVICE_ERR_NO_SPACE) << true
                                << "Transfer failed: the iPhone is full.";
}

void TestMainFlow::exportFollowsTheBox()
{
    QFETCH(bool, phoneAtGenerate);
    QFETCH(QString, duringJob);
    QFETCH(int, bridgeResult);
    QFETCH(bool, sent);
    QFETCH(QString, outcome);
    QTemporaryDir dir;
    QVERIFY(loadTone(dir.filePath(QStringLiteral("Box.wav")), 3.0));
    QWidget *w = dialog.get();
    auto *checkExport = child<QCheckBox>(w, "checkExport");
    if (phoneAtGenerate)
        standin::sendDeviceEvent(0, DEVICE_EVENT_CONNECT);
    QCOMPARE(checkExport->isChecked(), phoneAtGenerate);
    child<QLineEdit>(w, "editOutputFolder")->setText(QDir::toNativeSeparators(dir.path()));
    standin::bridge().changeResult = bridgeResult;

    auto *generate = child<QPushButton>(w, "btnGenerate");
    QTest::mouseClick(generate, Qt::LeftButton);
    QVERIFY(!generate->isEnabled());
    if (duringJob == QLatin1String("uncheck"))
        QTest::mouseClick(checkExport, Qt::LeftButton);
    else if (duringJob == QLatin1String("connect"))
        standin::sendDeviceEvent(0, DEVICE_EVENT_CONNECT);
    else if (duringJob == QLatin1String("disconnect"))
        standin::sendDeviceEvent(0, DEVICE_EVENT_DISCONNECT);
    QCOMPARE(checkExport->isChecked(), sent);
    QTRY_VERIFY_WITH_TIMEOUT(generate->isEnabled(), 20000);

    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("Box.m4r"))));
    const auto &calls = standin::bridge().calls;
    QCOMPARE(calls.size(), size_t(sent ? 2 : 0));
    if (sent)
        QVERIFY(QString::fromStdString(calls[0]).endsWith(QStringLiteral("Box.m4r 3000")));
    QCOMPARE(status(), outcome);
}

void TestMainFlow::failedRenameKeepsTheSound()
{
#ifndef Q_OS_LINUX
    QSKIP("needs Linux's limit on the length of a path");
#else
    QTemporaryDir dir;
    QVERIFY(loadTone(dir.filePath(QStringLiteral("Keep.wav")), 2.0));
    QWidget *w = dialog.get();
    standin::sendDeviceEvent(0, DEVICE_EVENT_CONNECT);
    // A folder so deep that the kept sound's path fits the system's limit
    // (4096 bytes) and the ringtone's long name does not: the name looks
    // free, yet the rename fails, even for root.
    QString out = dir.path();
    while (out.size() < 4000)
        out += u'/' + QString(std::min<qsizetype>(200, 4000 - out.size() - 1), u'd');
    QVERIFY(QDir().mkpath(out));
    const QString name = QStringLiteral("Bell") + QString(230, u'l') + QStringLiteral(".m4r");
    child<QLineEdit>(w, "editOutputFolder")->setText(QDir::toNativeSeparators(out));
    child<QLineEdit>(w, "editOutputName")->setText(name.chopped(4));

    QVERIFY(generateAndWait());
    // The encoded sound is still there, and the user is told where.
    const QString kept = out + QStringLiteral("/Keep.m4a");
    QVERIFY(QFileInfo(kept).size() > 1000);
    QList<QMessageBox *> boxes = w->findChildren<QMessageBox *>();
    QCOMPARE(boxes.size(), 1);
    QVERIFY(boxes.first()->isVisible());
    QVERIFY2(boxes.first()->text().contains(QDir::toNativeSeparators(kept)), qPrintable(boxes.first()->text()));
    QVERIFY(boxes.first()->text().contains(name));
    boxes.first()->accept();

    // The phone still got it, under the ringtone's name, from a copy that
    // is gone again.
    const auto &calls = standin::bridge().calls;
    QCOMPARE(calls.size(), size_t(2));
    const QString added = QString::fromStdString(calls[0]);
    QVERIFY2(added.endsWith(QDir::separator() + name + QStringLiteral(" 2000")), qPrintable(added));
    QVERIFY(!added.startsWith(QStringLiteral("add ") + QDir::toNativeSeparators(out)));
    QVERIFY(!QFile::exists(added.mid(4, added.size() - 9)));
    QCOMPARE(status(), QStringLiteral("Transfer succeed."));
    QCOMPARE(QDir(out).entryList(QDir::Files | QDir::System), QStringList{QStringLiteral("Keep.m4a")});
#endif
}

void TestMainFlow::nameOfDotsFallsBackToTheInput()
{
    QTemporaryDir dir;
    QVERIFY(loadTone(dir.filePath(QStringLiteral("Dots.wav")), 2.0));
    QWidget *w = dialog.get();
    child<QLineEdit>(w, "editOutputFolder")->setText(QDir::toNativeSeparators(dir.path()));
    child<QLineEdit>(w, "editOutputName")->setText(QStringLiteral("///.."));
    QVERIFY(generateAndWait());
    QCOMPARE(status(), QStringLiteral("Conversion succeed."));
    QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("*.m4r")}, QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Dots.m4r")});
}

QTEST_MAIN(TestMainFlow)
#include "tst_mainflow.moc"
