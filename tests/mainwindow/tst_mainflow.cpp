// Loading, preview and generating in the main window, with stand-ins for the
// player and the device bridge but the real encoder program beside this test.
#include "clipslider.h"
#include "ffplay.h"
#include "language.h"
#include "maindialog.h"
#include "standins.h"
#include "windowtest.h"

#include <QApplication>
#include <QCheckBox>
#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <QTranslator>

#include <cmath>
#include <memory>

namespace {

// Seconds of a 440 Hz tone, 16-bit stereo at 44.1 kHz.
bool writeTone(const QString &path, double seconds)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const quint32 rate = 44100, frames = quint32(seconds * rate), dataSize = frames * 4;
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataSize);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(2) << rate << rate * 4 << quint16(4) << quint16(16);
    out.writeRawData("data", 4);
    out << dataSize;
    for (quint32 i = 0; i < frames; ++i) {
        const qint16 v = qint16(12000 * std::sin(2 * M_PI * 440 * i / rate));
        out << v << v;
    }
    return out.status() == QDataStream::Ok;
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
    void editorsAndTimelineStayInStep();
    void waveformThenGenerate();
    void failedEncodingIsNotReportedAsSuccess();
    void loadDuringAJobWaitsForIt();

private:
    std::unique_ptr<MainDialog> makeDialog();
    void load(double duration, const QString &path = QStringLiteral("/music/Song.mp3"));

    QTranslator translator;
    std::unique_ptr<MainDialog> dialog;
};

void TestMainFlow::initTestCase()
{
    QVERIFY(qEnvironmentVariable("HOME").contains(QLatin1String("test-home")));
    QVERIFY2(QFile::exists(QCoreApplication::applicationDirPath() + QStringLiteral("/ffmpeg")),
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
    QTest::addColumn<QTime>("endEditor");
    QTest::addColumn<QTime>("longest");
    QTest::addColumn<QString>("playTime");

    // The end editor takes whole seconds and writes them back to the clip.
    QTest::newRow("4.7 s") << 4.7 << 4.0 << QTime(0, 0, 4) << QTime(0, 0, 4, 700) << "00:00:00 / 00:00:04";
    QTest::newRow("3 min") << 180.0 << 10.0 << QTime(0, 0, 10) << QTime(0, 3) << "00:00:00 / 00:03:00";
    QTest::newRow("just over half a second") << 0.51 << 0.51 << QTime(0, 0) << QTime(0, 0, 0, 510)
                                             << "00:00:00 / 00:00:00";
}

void TestMainFlow::loadSetsDefaultClip()
{
    QFETCH(double, duration);
    QFETCH(double, clipEnd);
    QFETCH(QTime, endEditor);
    QFETCH(QTime, longest);
    QFETCH(QString, playTime);

    load(duration, QStringLiteral("/music/My Song.mp3"));
    QWidget *w = dialog.get();
    auto *slider = child<CClipSlider>(w, "sliderBar");
    double start = -1, end = -1;
    slider->getClip(start, end);
    QCOMPARE(start, 0.0);
    QCOMPARE(end, clipEnd);
    QCOMPARE(child<QTimeEdit>(w, "editStartTime")->time(), QTime(0, 0));
    QCOMPARE(child<QTimeEdit>(w, "editEndTime")->time(), endEditor);
    QCOMPARE(child<QTimeEdit>(w, "editEndTime")->maximumTime(), longest);
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
    // Only the output name follows the refused file.
    QCOMPARE(child<QLineEdit>(dialog.get(), "editOutputName")->text(), QStringLiteral("Tiny"));
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
    QTest::mouseClick(child<QPushButton>(dialog.get(), "btnPlayClip"), Qt::LeftButton);
    QCOMPARE(standin::player().fadeins.back(), 3.0);
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

void TestMainFlow::editorsAndTimelineStayInStep()
{
    load(180.0);
    QWidget *w = dialog.get();
    auto *slider = child<CClipSlider>(w, "sliderBar");
    auto *startEditor = child<QTimeEdit>(w, "editStartTime");
    auto *endEditor = child<QTimeEdit>(w, "editEndTime");

    startEditor->setTime(QTime(0, 0, 4, 250));
    double start = 0, end = 0;
    slider->getClip(start, end);
    QCOMPARE(start, 4.25);
    QCOMPARE(end, 10.0);
    QCOMPARE(endEditor->minimumTime(), QTime(0, 0, 4, 250));
    QCOMPARE(child<QLabel>(w, "labelLengthValue")->text(), QStringLiteral("00:00:05.750"));

    endEditor->setTime(QTime(0, 0, 30));
    slider->getClip(start, end);
    QCOMPARE(end, 30.0);
    QCOMPARE(startEditor->maximumTime(), QTime(0, 0, 30));

    // A drag on the timeline writes both editors and nothing back.
    QMetaObject::invokeMethod(dialog.get(), "onClipChanged", Q_ARG(double, 20.0), Q_ARG(double, 25.5));
    QCOMPARE(startEditor->time(), QTime(0, 0, 20));
    QCOMPARE(endEditor->time(), QTime(0, 0, 25, 500));
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
    const QString outputFolder = dir.filePath(QStringLiteral("out"));

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
    QCOMPARE(child<QLabel>(dialog.get(), "labelStatus")->text(), QStringLiteral("Conversion failed."));
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

QTEST_MAIN(TestMainFlow)
#include "tst_mainflow.moc"
