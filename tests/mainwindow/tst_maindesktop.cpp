// The main window as a keyboard and desktop user meets it: Space and Ctrl+Q,
// the focus ring, a machine without sound, warnings before a bad ringtone.
#include "desktop.h"
#include "focusring.h"
#include "ffplay.h"
#include "language.h"
#include "maindialog.h"
#include "managedialog.h"
#include "standins.h"
#include "timeedit.h"
#include "tonefile.h"
#include "windowtest.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMessageBox>
#include <QScreen>
#include <QScrollBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTranslator>

#include <memory>

class TestMainDesktop final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void spacePlaysOrPauses_data();
    void spacePlaysOrPauses();
    void enterPressesAFocusedButton();
    void ctrlQCloses();
    void focusRingFollowsTheKeyboard();
    void noSoundIsToldOnce();
    void warningsBeforeABadRingtone();
    void warningRules_data();
    void warningRules();
    void positionIsRemembered();
    void longRingtoneSentToThePhone();
    void managerFitsItsTexts();
    void messageBoxTitleFits();
    void dropIsTakenAsACopy_data();
    void dropIsTakenAsACopy();
    void messageBoxShowsItsWholeText_data();
    void messageBoxShowsItsWholeText();

private:
    void load(double seconds);
    QString status() const { return child<QLabel>(dialog.get(), "labelStatus")->text(); }
    int plays() const;

    QTranslator translator;
    std::unique_ptr<MainDialog> dialog;
};

void TestMainDesktop::initTestCase()
{
    QVERIFY(qEnvironmentVariable("HOME").contains(QLatin1String("test-home")));
    theTranslator = &translator;
    QApplication::installTranslator(&translator);
    QFile css(QStringLiteral(":/images/skin.css"));
    QVERIFY(css.open(QIODevice::ReadOnly));
    qApp->setStyleSheet(QString::fromUtf8(css.readAll()));
}

void TestMainDesktop::init()
{
    store().clear();
    standin::bridge() = {};
    standin::player() = {};
    dialog = std::make_unique<MainDialog>();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    QApplication::setActiveWindow(dialog.get());
    QCoreApplication::processEvents();
}

void TestMainDesktop::cleanup()
{
    dialog.reset();
}

void TestMainDesktop::load(double seconds)
{
    standin::player().probeDuration = seconds;
    dialog->loadInputFile(QStringLiteral("/nowhere/song.mp3"));
}

int TestMainDesktop::plays() const
{
    int count = 0;
    for (const std::string &call : standin::player().calls)
        count += call == "play" || call == "toggle_pause";
    return count;
}

void TestMainDesktop::spacePlaysOrPauses_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("plays");

    // After a time was typed and the timeline clicked.
    QTest::newRow("timeline clicked") << "sliderBar" << true;
    QTest::newRow("Play button") << "btnPlay" << true;
    QTest::newRow("Browse button") << "btnBrowseIn" << true;
    QTest::newRow("check box") << "checkExportITunes" << true;
    QTest::newRow("volume slider") << "sliderVolume" << true;
    QTest::newRow("read-only input file") << "editInputFile" << true;
    // Text fields keep their space.
    QTest::newRow("output name") << "editOutputName" << false;
    QTest::newRow("start time") << "editStartTime" << false;
}

void TestMainDesktop::spacePlaysOrPauses()
{
    QFETCH(QString, focus);
    QFETCH(bool, plays);

    load(60);
    auto *target = dialog->findChild<QWidget *>(focus);
    QVERIFY(target);
    if (focus == QLatin1String("sliderBar")) {
        // Typed a time, then clicked the timeline.
        QTest::mouseClick(child<CTimeEdit>(dialog.get(), "editStartTime"), Qt::LeftButton);
        // Shown once the waveform job (which finds no file here) has ended.
        QTRY_VERIFY(target->isVisible());
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(400, 25));
    } else {
        // The export boxes wait for a phone; enabled, they take the focus.
        target->setEnabled(true);
        target->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), target);
    }
    const bool checked = child<QCheckBox>(dialog.get(), "checkExportITunes")->isChecked();
    standin::player().calls.clear();
    QWidget *keys = QApplication::focusWidget() ? QApplication::focusWidget() : dialog.get();
    QTest::keyClick(keys, Qt::Key_Space);
    QCOMPARE(this->plays(), plays ? 1 : 0);
    // Nothing else took the key as well.
    QCOMPARE(child<QCheckBox>(dialog.get(), "checkExportITunes")->isChecked(), checked);
    if (!plays)
        return;
    // Playing: Space pauses.
    standin::sendPlayState(PlayPlaying);
    QCoreApplication::processEvents();
    standin::player().calls.clear();
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : dialog.get(), Qt::Key_Space);
    QCOMPARE(standin::player().calls, std::vector<std::string>{"toggle_pause"});
}

void TestMainDesktop::enterPressesAFocusedButton()
{
    auto *checkBox = child<QCheckBox>(dialog.get(), "checkExportITunes");
    const bool before = checkBox->isChecked();
    checkBox->setEnabled(true);
    checkBox->setFocus(Qt::TabFocusReason);
    QTest::keyClick(checkBox, Qt::Key_Return);
    QTRY_COMPARE(checkBox->isChecked(), !before);
}

void TestMainDesktop::ctrlQCloses()
{
    QVERIFY(dialog->isVisible());
    QTest::keyClick(dialog.get(), Qt::Key_Q, Qt::ControlModifier);
    QTRY_VERIFY(!dialog->isVisible());
}

void TestMainDesktop::focusRingFollowsTheKeyboard()
{
    auto *ring = dialog->findChild<CFocusRing *>();
    QVERIFY(ring);
    // The focus the window hands its first control on opening shows none.
    QVERIFY(!ring->isVisible());
    child<QLineEdit>(dialog.get(), "editOutputName")->setFocus(Qt::OtherFocusReason);
    // The three picture buttons at the top had no visible focus at all.
    for (const char *name : {"btnMenu", "btnMinimize", "btnClose", "btnGenerate"}) {
        auto *button = child<QPushButton>(dialog.get(), name);
        button->setEnabled(true);
        // As Tab moves it: a key press, then the focus.
        QTest::keyPress(QApplication::focusWidget() ? QApplication::focusWidget() : dialog.get(), Qt::Key_Shift);
        button->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        QVERIFY2(ring->isVisible(), name);
        QCOMPARE(ring->target(), button);
        const QRect around(button->mapTo(dialog.get(), QPoint(0, 0)), button->size());
        QCOMPARE(ring->geometry(),
                 around.adjusted(-kFocusRingMargin, -kFocusRingMargin, kFocusRingMargin, kFocusRingMargin));
        // Drawn in the skin's colour, just outside the control.
        const QImage shot = dialog->grab().toImage();
        const QPoint left(around.left() - 2, around.center().y());
        QCOMPARE(QColor(shot.pixel(left)), QColor(255, 176, 32));
    }
    // A pointer user gets no ring.
    auto *name = child<QLineEdit>(dialog.get(), "editOutputName");
    QTest::mouseClick(name, Qt::LeftButton);
    QCoreApplication::processEvents();
    QVERIFY(!ring->isVisible());
}

void TestMainDesktop::noSoundIsToldOnce()
{
    load(60);
    standin::player().playResult = FFPLAY_NO_SOUND;
    QTest::mouseClick(child<QPushButton>(dialog.get(), "btnPlay"), Qt::LeftButton);
    QCOMPARE(status(), QStringLiteral("No sound device was found: the preview plays silently."));
    standin::sendPlayState(PlayStopped);
    dialog->setStatus("Ready.");
    QTest::mouseClick(child<QPushButton>(dialog.get(), "btnPlayClip"), Qt::LeftButton);
    QCOMPARE(status(), QStringLiteral("Ready."));
}

void TestMainDesktop::warningsBeforeABadRingtone()
{
    load(60);
    auto *volume = dialog->findChild<QWidget *>(QStringLiteral("sliderVolume"));
    volume->setFocus(Qt::TabFocusReason);
    QTest::keyClick(volume, Qt::Key_Home);
    QCOMPARE(status(), QStringLiteral("The volume is 0: the ringtone would be silent."));
    QTest::keyClick(volume, Qt::Key_End);
    QCOMPARE(status(), QString());

    // The default clip is 10 s: a 10-second fade-in never ends.
    auto *fade = child<QSpinBox>(dialog.get(), "spinFadein");
    fade->setValue(10);
    QCOMPARE(status(), QStringLiteral("The fade-in lasts the whole clip: the ringtone would never reach full volume."));
    fade->setValue(9);
    QCOMPARE(status(), QString());

    // A clip too short for Generate, then long enough again.
    auto *end = child<CTimeEdit>(dialog.get(), "editEndTime");
    end->setMsecs(50);
    fade->setValue(0);
    auto *generate = child<QPushButton>(dialog.get(), "btnGenerate");
    // Once the waveform job (which finds no encoder here) has ended.
    QTRY_VERIFY(generate->isEnabled());
    QTest::mouseClick(generate, Qt::LeftButton);
    QVERIFY2(status().startsWith(QLatin1String("The clip is too short")), qPrintable(status()));
    end->setMsecs(5000);
    QCOMPARE(status(), QString());
}

void TestMainDesktop::warningRules_data()
{
    QTest::addColumn<double>("clip");
    QTest::addColumn<int>("fade");
    QTest::addColumn<int>("volume");
    QTest::addColumn<QString>("warning");

    const QString silent = QStringLiteral("The volume is 0: the ringtone would be silent.");
    const QString fade = QStringLiteral("The fade-in lasts the whole clip: the ringtone would never reach full volume.");
    QTest::newRow("fine") << 10.0 << 3 << 100 << QString();
    QTest::newRow("no fade") << 0.5 << 0 << 100 << QString();
    QTest::newRow("fade shorter by a hair") << 5.001 << 5 << 100 << QString();
    QTest::newRow("fade as long as the clip") << 5.0 << 5 << 100 << fade;
    QTest::newRow("fade longer") << 2.5 << 3 << 100 << fade;
    QTest::newRow("silent") << 10.0 << 0 << 0 << silent;
    QTest::newRow("silent beats the fade") << 1.0 << 3 << 0 << silent;
}

void TestMainDesktop::warningRules()
{
    QFETCH(double, clip);
    QFETCH(int, fade);
    QFETCH(int, volume);
    QFETCH(QString, warning);
    const char *found = ringtoneWarning(clip, fade, volume);
    QCOMPARE(found ? QString::fromLatin1(found) : QString(), warning);
}

void TestMainDesktop::positionIsRemembered()
{
    dialog->move(123, 87);
    QCoreApplication::processEvents();
    const QPoint moved = dialog->pos();
    dialog.reset();
    QCOMPARE(store().value(QStringLiteral("Setting/WindowPosition")).toString(),
             QStringLiteral("%1,%2").arg(moved.x()).arg(moved.y()));
    dialog = std::make_unique<MainDialog>();
    QCOMPARE(dialog->pos(), moved);
}

void TestMainDesktop::longRingtoneSentToThePhone()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString tone = folder.filePath(QStringLiteral("long.wav"));
    QVERIFY(writeTone(tone, 45));
    standin::player().probeDuration = 45;
    dialog->loadInputFile(tone);
    auto *generate = child<QPushButton>(dialog.get(), "btnGenerate");
    QTRY_VERIFY_WITH_TIMEOUT(generate->isEnabled(), 20000);
    child<CTimeEdit>(dialog.get(), "editEndTime")->setMsecs(42000);
    child<QLineEdit>(dialog.get(), "editOutputFolder")->setText(QDir::toNativeSeparators(folder.path()));
    standin::sendDeviceEvent(0, "connect");
    auto *exportPhone = child<QCheckBox>(dialog.get(), "checkExport");
    QTRY_VERIFY(exportPhone->isChecked());

    const auto generateAndWait = [&] {
        QTest::mouseClick(generate, Qt::LeftButton);
        QElapsedTimer waited;
        waited.start();
        while (!generate->isEnabled() && waited.elapsed() < 30000)
            QTest::qWait(10);
        return generate->isEnabled();
    };
    QVERIFY(generateAndWait());
    QCOMPARE(status(), QStringLiteral("Sent to the iPhone, but the ringtone is longer than 40 seconds: the iPhone will "
                                      "not list it."));
    exportPhone->setChecked(false);
    QVERIFY(generateAndWait());
    QCOMPARE(status(), QStringLiteral("Done, but the ringtone is longer than 40 seconds: the iPhone will not list it."));
}

void TestMainDesktop::managerFitsItsTexts()
{
    standin::bridge().ringtones = {{"A ringtone with a rather long name indeed", "a.m4r"}, {"gjpqy", "b.m4r"}};
    ManageDialog manager(dialog.get());
    manager.show();
    QVERIFY(QTest::qWaitForWindowExposed(&manager));
    // Descenders of the name field's text are not cut.
    auto *name = child<QLineEdit>(&manager, "editName");
    QVERIFY2(name->sizeHint().height() <= name->height(),
             qPrintable(QStringLiteral("needs %1, has %2").arg(name->sizeHint().height()).arg(name->height())));
    // A list of names needs no sideways scrolling.
    auto *list = child<QListWidget>(&manager, "listRingtone");
    QCOMPARE(list->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QVERIFY(!list->horizontalScrollBar()->isVisible());
    if (const QString folder = qEnvironmentVariable("TQ_WIDGETS_SCREENSHOTS"); !folder.isEmpty())
        QVERIFY(manager.grab().save(folder + QStringLiteral("/manager-names.png")));
}

void TestMainDesktop::messageBoxTitleFits()
{
    // Window managers cut a title longer than the box is wide.
    QMessageBox box(QMessageBox::Information, QStringLiteral("Zentavo Tonquill"), QStringLiteral("Invalid input file"),
                    QMessageBox::Ok, dialog.get());
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QVERIFY2(box.width() >= 260, qPrintable(QString::number(box.width())));
}

void TestMainDesktop::dropIsTakenAsACopy_data()
{
    QTest::addColumn<int>("offered");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("taken");

    const int copyMove = Qt::CopyAction | Qt::MoveAction;
    QTest::newRow("copy or move") << copyMove << int(Qt::NoModifier) << int(Qt::CopyAction);
    // Shift asks a file manager for a move: the source would delete the file.
    QTest::newRow("move proposed") << copyMove << int(Qt::ShiftModifier) << int(Qt::CopyAction);
    QTest::newRow("link or move") << int(Qt::LinkAction | Qt::MoveAction) << int(Qt::NoModifier)
                                  << int(Qt::LinkAction);
    QTest::newRow("move only") << int(Qt::MoveAction) << int(Qt::NoModifier) << int(Qt::IgnoreAction);
}

void TestMainDesktop::dropIsTakenAsACopy()
{
    QFETCH(int, offered);
    QFETCH(int, modifiers);
    QFETCH(int, taken);
    const auto actions = Qt::DropActions(offered);
    const auto keys = Qt::KeyboardModifiers(modifiers);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/nowhere/dropped.mp3"))});
    standin::player().probeDuration = 60;
    const QPoint at(200, 100);

    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, keys);
    QApplication::sendEvent(dialog.get(), &enter);
    QCOMPARE(enter.isAccepted(), taken != Qt::IgnoreAction);
    if (enter.isAccepted())
        QCOMPARE(int(enter.dropAction()), taken);
    QDragMoveEvent move(at + QPoint(5, 5), actions, &data, Qt::LeftButton, keys);
    QApplication::sendEvent(dialog.get(), &move);
    QCOMPARE(move.isAccepted(), taken != Qt::IgnoreAction);
    QDropEvent drop(at + QPoint(5, 5), actions, &data, Qt::LeftButton, keys);
    QApplication::sendEvent(dialog.get(), &drop);
    QCOMPARE(drop.isAccepted(), taken != Qt::IgnoreAction);
    if (drop.isAccepted())
        QCOMPARE(int(drop.dropAction()), taken);
    const auto &probed = standin::player().probedPaths;
    // The window probes the path in the platform's own spelling.
    const std::string dropped = QDir::toNativeSeparators(QStringLiteral("/nowhere/dropped.mp3")).toStdString();
    QCOMPARE(!probed.empty() && probed.back() == dropped, taken != Qt::IgnoreAction);
}

void TestMainDesktop::messageBoxShowsItsWholeText_data()
{
    QTest::addColumn<QString>("text");
    const QString folder = QStringLiteral("/home/someone/Music/Ringtones made on a long afternoon/");
    QTest::newRow("refused file") << QStringLiteral("\"%1junk.m4r\" is not a playable audio file.").arg(folder);
    QTest::newRow("help page")
        << QStringLiteral("No web browser could be started to show the help page. You can open it yourself: "
                          "/usr/local/lib/tonquill/help/index_zh_CN.html");
    QTest::newRow("one long word") << QStringLiteral("/tmp/") + QString(120, u'x') + QStringLiteral(".m4r");
}

void TestMainDesktop::messageBoxShowsItsWholeText()
{
    // The box sizes itself to its text, wrapping it where it is long; every
    // word of it shows, the path above all.
    QFETCH(QString, text);
    QMessageBox box(QMessageBox::Information, QStringLiteral("Zentavo Tonquill"), text, QMessageBox::Ok, dialog.get());
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    QVERIFY(label);
    const QRect inside = label->contentsRect();
    if (label->wordWrap()) {
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                 qPrintable(QStringLiteral("%1 rows needed, %2 shown").arg(label->heightForWidth(label->width())).arg(label->height())));
    } else {
        const int needed = label->fontMetrics().horizontalAdvance(text);
        QVERIFY2(needed <= inside.width(), qPrintable(QStringLiteral("%1 columns needed, %2 shown").arg(needed).arg(inside.width())));
    }
    QVERIFY(box.width() <= box.screen()->availableGeometry().width());
    QVERIFY2(box.width() >= 260, qPrintable(QString::number(box.width())));
}

QTEST_MAIN(TestMainDesktop)
#include "tst_maindesktop.moc"
