// The main window and the manager as they look and read in each of the nine
// languages, with the program's own font and style sheet: every row reads
// from the left, texts fit their controls, Tab follows the window from top
// to bottom, Escape closes it.
#include "language.h"
#include "look.h"
#include "maindialog.h"
#include "managedialog.h"
#include "standins.h"
#include "tonefile.h"
#include "windowtest.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <algorithm>
#include <memory>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

const char *const kLanguages[] = {"en", "fr", "de", "es", "it", "ja", "zh_CN", "zh_TW", "ar"};

QRect placeIn(const QWidget *window, const QWidget *widget)
{
    return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

// The first column right of a label's drawn text: where its window looks
// different without the text.
int inkEnd(QLabel *label)
{
    QWidget *window = label->window();
    const QRect place = placeIn(window, label);
    const QImage with = window->grab(place).toImage();
    const QString text = label->text();
    label->setText(QString());
    const QImage without = window->grab(place).toImage();
    label->setText(text);
    for (int x = with.width() - 1; x >= 0; --x)
        for (int y = 0; y < with.height(); ++y)
            if (with.pixel(x, y) != without.pixel(x, y))
                return int((x + 1) / with.devicePixelRatio());
    return 0;
}

// Where a button's picture rounds off: its text must stay clear of it.
constexpr int kButtonTextMargin = 5;

} // namespace

namespace {

// Wine answers to Windows' calls but draws with fonts of its own.
bool runsUnderWine()
{
#ifdef Q_OS_WIN
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
#else
    return false;
#endif
}

} // namespace

class TestMainLook final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void rowsReadFromTheLeft_data();
    void rowsReadFromTheLeft();
    void textsFit_data();
    void textsFit();
    void fadeLabelsNameOneFade_data();
    void fadeLabelsNameOneFade();
    void tabFollowsTheWindow();
    void escapeCloses();
    void escapeAsksWhileARingtoneIsMade_data();
    void escapeAsksWhileARingtoneIsMade();

private:
    void setLanguage(const QString &code);

    QTranslator translator;
    std::unique_ptr<MainDialog> dialog;
};

void TestMainLook::initTestCase()
{
    QVERIFY(qEnvironmentVariable("HOME").contains(QLatin1String("test-home")));
    theTranslator = &translator;
    QApplication::installTranslator(&translator);
    applyApplicationLook(*qApp);
}

void TestMainLook::init()
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

void TestMainLook::cleanup()
{
    dialog.reset();
    // Back to following the translation (a direction once set stays).
    QApplication::setLayoutDirection(Qt::LayoutDirectionAuto);
    QxLanguage::instance()->setLanguage(QStringLiteral("en"));
    QCoreApplication::processEvents();
}

void TestMainLook::setLanguage(const QString &code)
{
    QxLanguage::instance()->setLanguage(code);
    // The texts arrive with the language change the load posts.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

void TestMainLook::rowsReadFromTheLeft_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("reversed"); // the application turned round, as by -reverse
    for (const char *code : kLanguages)
        QTest::newRow(code) << QString::fromLatin1(code) << false;
    QTest::newRow("reversed application") << QStringLiteral("en") << true;
}

void TestMainLook::rowsReadFromTheLeft()
{
    QFETCH(QString, language);
    QFETCH(bool, reversed);
    setLanguage(language);
    if (reversed)
        QApplication::setLayoutDirection(Qt::RightToLeft);
    QCoreApplication::processEvents();
    ManageDialog manager(dialog.get());
    manager.show();
    QVERIFY(QTest::qWaitForWindowExposed(&manager));

    // Each pair: the first stands wholly left of the second, in one row.
    const auto check = [](QWidget *window, const QList<std::pair<const char *, const char *>> &pairs) {
        QStringList wrong;
        for (const auto &[first, second] : pairs) {
            const QRect a = placeIn(window, child<QWidget>(window, first));
            const QRect b = placeIn(window, child<QWidget>(window, second));
            if (a.right() >= b.left() || a.bottom() < b.top() || b.bottom() < a.top())
                wrong << QStringLiteral("%1 %2").arg(QLatin1String(first), QLatin1String(second));
        }
        return wrong;
    };
    QStringList wrong = check(dialog.get(), {{"labelInput", "editInputFile"},
                                             {"editInputFile", "btnBrowseIn"},
                                             {"labelStart", "editStartTime"},
                                             {"labelEnd", "editEndTime"},
                                             {"labelLength", "labelLengthValue"},
                                             {"labelFadein", "spinFadein"},
                                             {"label", "editOutputName"},
                                             {"labelOutput", "editOutputFolder"},
                                             {"editOutputFolder", "btnBrowseOut"},
                                             {"checkExport", "checkExportITunes"},
                                             {"labelManage", "labelHelp"},
                                             {"labelHelp", "labelHome"},
                                             {"labelHome", "labelAbout"}});
    wrong << check(&manager, {{"listRingtone", "labelName"},
                              {"labelName", "editName"},
                              {"listRingtone", "btnRename"},
                              {"btnReplace", "btnPcToIPhone"}});
    // Labels set against the end of their fields keep to it in every script.
    for (QLabel *label : {child<QLabel>(&manager, "labelName"), child<QLabel>(dialog.get(), "labelFadeout")}) {
        if (inkEnd(label) < label->width() - 4)
            wrong << QStringLiteral("%1 ends at %2 of %3").arg(label->objectName()).arg(inkEnd(label)).arg(label->width());
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral(", "))));
    QVERIFY(!dialog->isRightToLeft());
    QVERIFY(!manager.isRightToLeft());
    QVERIFY(!child<QPushButton>(dialog.get(), "btnMenu")->menu()->isRightToLeft());
}

void TestMainLook::textsFit_data()
{
    QTest::addColumn<QString>("language");
    for (const char *code : kLanguages)
        QTest::newRow(code) << QString::fromLatin1(code);
}

void TestMainLook::textsFit()
{
    QFETCH(QString, language);
    if (runsUnderWine())
        QSKIP("Wine's stand-in fonts are wider than Windows' own: only Windows itself tells whether texts fit");
    setLanguage(language);
    ManageDialog manager(dialog.get());
    manager.show();
    QVERIFY(QTest::qWaitForWindowExposed(&manager));

    QStringList cut;
    for (QWidget *window : {static_cast<QWidget *>(dialog.get()), static_cast<QWidget *>(&manager)}) {
        for (QPushButton *button : window->findChildren<QPushButton *>()) {
            const int needs = button->fontMetrics().horizontalAdvance(button->text()) + 2 * kButtonTextMargin;
            if (!button->text().isEmpty() && needs > button->width())
                cut << QStringLiteral("%1 (%2 of %3)").arg(button->text()).arg(needs).arg(button->width());
        }
    }
    // The labels and the check box beside the clip's controls, at fixed
    // places: nothing lays them out to their texts.
    for (const char *name : {"labelFadein", "labelFadeout", "checkLoop", "labelStart", "labelEnd", "labelLength"}) {
        auto *widget = child<QWidget>(dialog.get(), name);
        const auto *label = qobject_cast<QLabel *>(widget);
        const QString text = label ? label->text() : qobject_cast<QCheckBox *>(widget)->text();
        const bool fits = label && label->wordWrap() ? label->heightForWidth(label->width()) <= label->height()
                                                     : widget->sizeHint().width() <= widget->width();
        if (!fits)
            cut << QStringLiteral("%1 (%2)").arg(text, QLatin1String(name));
    }
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral(", "))));
}

void TestMainLook::fadeLabelsNameOneFade_data()
{
    textsFit_data();
}

void TestMainLook::fadeLabelsNameOneFade()
{
    // The two fields are one effect at either end: their labels share its
    // name (two letters at least, or one ideograph), so that fade-out never
    // reads as "output" or as the second half of a word split in two.
    QFETCH(QString, language);
    setLanguage(language);
    const QString in = child<QLabel>(dialog.get(), "labelFadein")->text();
    const QString out = child<QLabel>(dialog.get(), "labelFadeout")->text();
    bool shared = false;
    for (qsizetype i = 0; i < in.size() && !shared; ++i) {
        const bool ideograph = in[i].script() == QChar::Script_Han;
        const qsizetype length = ideograph ? 1 : 2;
        const QString part = in.mid(i, length);
        shared = part.size() == length && std::all_of(part.begin(), part.end(), [](QChar c) { return c.isLetter(); })
                 && out.contains(part);
    }
    QVERIFY2(shared, qPrintable(QStringLiteral("\"%1\" and \"%2\"").arg(in, out)));
}

void TestMainLook::tabFollowsTheWindow()
{
    // Every control as with a file loaded and a phone connected.
    child<QWidget>(dialog.get(), "sliderBar")->show();
    QList<QWidget *> controls;
    for (QWidget *widget : dialog->findChildren<QWidget *>()) {
        if (!(widget->focusPolicy() & Qt::TabFocus) || widget->isWindow() || !widget->isVisibleTo(dialog.get()))
            continue;
        // A spin box's own line edit takes the focus through its box.
        if (widget->focusProxy() || qobject_cast<QAbstractSpinBox *>(widget->parentWidget()))
            continue;
        widget->setEnabled(true);
        controls << widget;
    }
    QVERIFY(controls.size() > 15);

    // One round of Tab; a time editor takes Tab for its sections first.
    controls.first()->setFocus(Qt::TabFocusReason);
    QList<QWidget *> order{QApplication::focusWidget()};
    for (int presses = 0; presses < 200; ++presses) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *now = QApplication::focusWidget();
        if (now == order.first())
            break;
        if (now != order.last())
            order << now;
    }
    QStringList names;
    for (QWidget *widget : order)
        names << widget->objectName();
    const QString shown = names.join(QStringLiteral(" > "));
    QCOMPARE(QSet<QWidget *>(order.begin(), order.end()).size(), order.size());
    QCOMPARE(QSet<QWidget *>(order.begin(), order.end()), QSet<QWidget *>(controls.begin(), controls.end()));

    // From top to bottom: each control lies lower than the one before, or
    // beside it on the right (their heights overlap).
    const auto top = std::min_element(order.begin(), order.end(), [this](QWidget *a, QWidget *b) {
        return placeIn(dialog.get(), a).center().y() < placeIn(dialog.get(), b).center().y();
    });
    std::rotate(order.begin(), top, order.end());
    for (qsizetype i = 1; i < order.size(); ++i) {
        const QRect a = placeIn(dialog.get(), order[i - 1]);
        const QRect b = placeIn(dialog.get(), order[i]);
        const bool lower = b.center().y() > a.center().y();
        const bool onTheRight = a.top() <= b.bottom() && b.top() <= a.bottom() && b.left() > a.left();
        QVERIFY2(lower || onTheRight, qPrintable(QStringLiteral("%1 after %2 in %3")
                                                     .arg(order[i]->objectName(), order[i - 1]->objectName(), shown)));
    }
}

void TestMainLook::escapeCloses()
{
    // As any dialog closes on it; a file being loaded is no reason to ask.
    standin::player().probeDuration = 30;
    dialog->loadInputFile(QStringLiteral("/nowhere/song.mp3"));
    child<QWidget>(dialog.get(), "editOutputName")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTRY_VERIFY(!dialog->isVisible());
}

void TestMainLook::escapeAsksWhileARingtoneIsMade_data()
{
    QTest::addColumn<bool>("close");
    QTest::newRow("No keeps making it") << false;
    QTest::newRow("Yes closes") << true;
}

void TestMainLook::escapeAsksWhileARingtoneIsMade()
{
    QFETCH(bool, close);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString tone = folder.filePath(QStringLiteral("tone.wav"));
    QVERIFY(writeTone(tone, 30));
    standin::player().probeDuration = 30;
    dialog->loadInputFile(tone);
    auto *generate = child<QPushButton>(dialog.get(), "btnGenerate");
    QTRY_VERIFY_WITH_TIMEOUT(generate->isEnabled(), 20000);
    child<QLineEdit>(dialog.get(), "editOutputFolder")->setText(QDir::toNativeSeparators(folder.path()));

    QString asked;
    QTimer::singleShot(0, this, [&asked, close] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            asked = box->text();
            box->button(close ? QMessageBox::Yes : QMessageBox::No)->click();
        }
    });
    // The job runs until the event loop hears the encoder end.
    QTest::mouseClick(generate, Qt::LeftButton);
    QVERIFY(!generate->isEnabled());
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    QCOMPARE(asked, QStringLiteral("A ringtone is being made. Close Tonquill and stop making it?"));
    QCOMPARE(dialog->isVisible(), !close);
    if (!close) {
        // The ringtone is still made.
        QTRY_VERIFY_WITH_TIMEOUT(generate->isEnabled(), 30000);
        QCOMPARE(QDir(folder.path()).entryList({QStringLiteral("*.m4r")}).size(), 1);
    }
}

QTEST_MAIN(TestMainLook)
#include "tst_mainlook.moc"

