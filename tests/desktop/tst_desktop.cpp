#include "aboutdialog.h"
#include "desktop.h"
#include "ffplay.h"
#include "language.h"
#include "look.h"
#include "maindialog.h"
#include "standins.h"
#include "timeedit.h"
#include "windowtest.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QTemporaryDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QUrl>

#include <memory>

namespace {

// Collects the warnings Qt writes while it is installed.
QStringList *capturedWarnings = nullptr;
void captureWarnings(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    // The offscreen platform's own limits are no fault of the program.
    if (capturedWarnings && type != QtDebugMsg && type != QtInfoMsg
        && !text.startsWith(QLatin1String("This plugin does not support")))
        capturedWarnings->append(text);
}

// Closes the next message box and hands back its text.
void answerNextMessageBox(QString *shown)
{
    QTimer::singleShot(50, [shown] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            *shown = box->text();
            box->accept();
        }
    });
}

} // namespace

// Stands in for the desktop's handler of file: addresses.
class UrlCatcher final : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl &url) { opened.append(url); }
};

class TestDesktop final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void helpPage_data();
    void helpPage();
    void commandLineFile_data();
    void commandLineFile();
    void startsWithoutWarnings();
    void helpOpensThePage();
    void helpWithoutABrowserSaysWhere();
    void helpPagesAreWhole_data();
    void helpPagesAreWhole();
    void fileOnCommandLine_data();
    void fileOnCommandLine();
    void shortcuts_data();
    void shortcuts();
    void tooltipsOnPictureButtons();
    void lengthWarning_data();
    void lengthWarning();
    void textsFitInEveryLanguage_data();
    void textsFitInEveryLanguage();

private:
    QTranslator translator;
    std::unique_ptr<MainDialog> dialog;
    UrlCatcher catcher;
    // Outlives the test function: a box-closing timer may fire after it.
    QString lastMessage;
    // A desktop's opener: xdg-open and xdg-mime that name a browser.
    QTemporaryDir opener;
    QByteArray path;
};

void TestDesktop::initTestCase()
{
    QVERIFY(qEnvironmentVariable("HOME").contains(QLatin1String("test-home")));
    theTranslator = &translator;
    QApplication::installTranslator(&translator);
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    // The program asks the desktop whether anything opens a page before it
    // tries; the catcher above then takes the page.
    QVERIFY(opener.isValid());
    for (const auto &[name, body] : {std::pair{"xdg-open", "exit 0"}, std::pair{"xdg-mime", "echo browser.desktop"}}) {
        QFile script(opener.filePath(QLatin1String(name)));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QByteArray("#!/bin/sh\n") + body + "\n");
        script.close();
        QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner));
    }
    path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(opener.path()) + ':' + path);
}

void TestDesktop::cleanupTestCase()
{
    qputenv("PATH", path);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

void TestDesktop::init()
{
    store().clear();
    standin::bridge() = {};
    standin::player() = {};
    catcher.opened.clear();
}

void TestDesktop::cleanup()
{
    dialog.reset();
    QxLanguage::instance()->setLanguage(QStringLiteral("en"));
}

void TestDesktop::helpPage_data()
{
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("expected");
    const QStringList both{QStringLiteral("index.html"), QStringLiteral("index_de.html")};
    QTest::newRow("English") << both << QStringLiteral("en") << QStringLiteral("index.html");
    QTest::newRow("system language") << both << QString() << QStringLiteral("index.html");
    QTest::newRow("translated page") << both << QStringLiteral("de") << QStringLiteral("index_de.html");
    QTest::newRow("no translated page") << both << QStringLiteral("fr") << QStringLiteral("index.html");
    QTest::newRow("region code") << QStringList{QStringLiteral("index.html"), QStringLiteral("index_zh_CN.html")}
                                 << QStringLiteral("zh_CN") << QStringLiteral("index_zh_CN.html");
    // The English page is named even when it is missing: the handler says so.
    QTest::newRow("nothing installed") << QStringList{} << QStringLiteral("de") << QStringLiteral("index.html");
}

void TestDesktop::helpPage()
{
    QFETCH(QStringList, pages);
    QFETCH(QString, language);
    QFETCH(QString, expected);
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("help")));
    for (const QString &page : pages) {
        QFile file(folder.filePath(QStringLiteral("help/") + page));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(helpPagePath(folder.path(), language), folder.filePath(QStringLiteral("help/") + expected));
}

void TestDesktop::commandLineFile_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");
    const QString here = QDir::currentPath();
    QTest::newRow("no file") << QStringList{QStringLiteral("tonquill")} << QString();
    QTest::newRow("relative") << QStringList{QStringLiteral("tonquill"), QStringLiteral("song.mp3")}
                              << here + QStringLiteral("/song.mp3");
    QTest::newRow("absolute") << QStringList{QStringLiteral("tonquill"), QStringLiteral("/music/a b.flac")}
                              << QStringLiteral("/music/a b.flac");
    QTest::newRow("file URL") << QStringList{QStringLiteral("tonquill"), QStringLiteral("file:///music/a%20b.flac")}
                              << QStringLiteral("/music/a b.flac");
    QTest::newRow("after --") << QStringList{QStringLiteral("tonquill"), QStringLiteral("--"), QStringLiteral("-x.mp3")}
                              << here + QStringLiteral("/-x.mp3");
}

void TestDesktop::commandLineFile()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    QCOMPARE(::commandLineFile(arguments), expected);
}

void TestDesktop::startsWithoutWarnings()
{
    QFile skin(QStringLiteral(":/images/skin.css"));
    QVERIFY(skin.open(QIODevice::ReadOnly));
    const QString sheet = withoutEmptyImages(QString::fromUtf8(skin.readAll()));
    QVERIFY(!sheet.contains(QLatin1String("url()")));
    QVERIFY(QFile::exists(QStringLiteral(":/images/transparent.png")));

    QStringList warnings;
    capturedWarnings = &warnings;
    const QtMessageHandler previous = qInstallMessageHandler(captureWarnings);
    applyApplicationLook(*qApp);
    dialog = std::make_unique<MainDialog>();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    (void)dialog->grab();
    qInstallMessageHandler(previous);
    capturedWarnings = nullptr;
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('\n'))));
    // Diagnostics stay quiet unless QT_LOGGING_RULES asks for them.
    QVERIFY(qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"));
    QVERIFY(!lcDiagnostics().isDebugEnabled());
    QVERIFY(lcDiagnostics().isWarningEnabled());
}

void TestDesktop::helpOpensThePage()
{
    dialog = std::make_unique<MainDialog>();
    dialog->onBtnHelp();
    QxLanguage::instance()->setLanguage(QStringLiteral("de"));
    dialog->onBtnHelp();
    const QString folder = QCoreApplication::applicationDirPath();
    const QList<QUrl> expected{QUrl::fromLocalFile(helpPagePath(folder, QStringLiteral("en"))),
                               QUrl::fromLocalFile(helpPagePath(folder, QStringLiteral("de")))};
    QCOMPARE(catcher.opened, expected);
}

void TestDesktop::helpWithoutABrowserSaysWhere()
{
    dialog = std::make_unique<MainDialog>();
    const QByteArray withOpener = qgetenv("PATH");
    qputenv("PATH", "/nonexistent");
    QString shown;
    answerNextMessageBox(&shown);
    dialog->onBtnHelp();
    qputenv("PATH", withOpener);
    QVERIFY(catcher.opened.isEmpty());
    const QString page = QDir::toNativeSeparators(helpPagePath(QCoreApplication::applicationDirPath(), QStringLiteral("en")));
    QVERIFY2(shown.contains(page), qPrintable(shown));
}

void TestDesktop::helpPagesAreWhole_data()
{
    QTest::addColumn<QString>("page");
    const QDir help(QStringLiteral(TQ_HELP_DIR));
    const QStringList pages = help.entryList({QStringLiteral("index*.html")}, QDir::Files);
    QVERIFY(pages.contains(QStringLiteral("index.html")));
    for (const QString &page : pages)
        QTest::newRow(qPrintable(page)) << help.filePath(page);
}

// Every picture and style sheet a page names is there, every link inside the
// page has its target, and a translated page has the English one's sections.
void TestDesktop::helpPagesAreWhole()
{
    QFETCH(QString, page);
    const auto read = [](const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    const auto captures = [](const QString &text, const char *pattern) {
        QStringList found;
        for (const QRegularExpressionMatch &match : QRegularExpression(QLatin1String(pattern)).globalMatch(text))
            found.append(match.captured(1));
        return found;
    };
    const QString html = read(page);
    QVERIFY(!html.isEmpty());
    const QDir folder = QFileInfo(page).dir();
    for (const QString &file : captures(html, R"re((?:src|href)="([^"#:]+)")re"))
        QVERIFY2(folder.exists(file), qPrintable(file));
    const QStringList ids = captures(html, R"re(id="([^"]+)")re");
    for (const QString &target : captures(html, R"re(href="#([^"]+)")re"))
        QVERIFY2(ids.contains(target), qPrintable(target));
    QCOMPARE(ids, captures(read(folder.filePath(QStringLiteral("index.html"))), R"re(id="([^"]+)")re"));
}

void TestDesktop::fileOnCommandLine_data()
{
    QTest::addColumn<double>("duration");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("inputField");
    QTest::addColumn<QString>("nameField");
    const QString path = QStringLiteral("/music/Summer Song.mp3");
    QTest::newRow("loaded") << 42.0 << QString() << QDir::toNativeSeparators(path)
                            << QStringLiteral("Summer Song");
    // Missing, unreadable or too short: all probe as 0.5 s or less.
    QTest::newRow("refused") << 0.0 << QStringLiteral("Invalid input file") << QString() << QString();
}

void TestDesktop::fileOnCommandLine()
{
    QFETCH(double, duration);
    QFETCH(QString, message);
    QFETCH(QString, inputField);
    QFETCH(QString, nameField);
    standin::player().probeDuration = duration;
    dialog = std::make_unique<MainDialog>();
    dialog->show();
    lastMessage.clear();
    answerNextMessageBox(&lastMessage);
    dialog->openFile(QStringLiteral("/music/Summer Song.mp3"));
    QCOMPARE(lastMessage, message);
    QCOMPARE(child<QLineEdit>(dialog.get(), "editInputFile")->text(), inputField);
    QCOMPARE(child<QLineEdit>(dialog.get(), "editOutputName")->text(), nameField);
}

void TestDesktop::shortcuts_data()
{
    QTest::addColumn<QString>("focus"); // object name, empty: the window
    QTest::addColumn<int>("playState");
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("expected"); // player call, "help", "browse" or ""
    const QKeySequence space(Qt::Key_Space);
    QTest::newRow("Space plays") << QString() << int(PlayStopped) << space << QStringLiteral("play");
    QTest::newRow("Space pauses") << QString() << int(PlayPlaying) << space << QStringLiteral("toggle_pause");
    QTest::newRow("Space resumes") << QString() << int(PlayPaused) << space << QStringLiteral("toggle_pause");
    QTest::newRow("Space on a button") << QStringLiteral("btnBrowseOut") << int(PlayStopped) << space
                                       << QStringLiteral("play");
    QTest::newRow("Space in the name field") << QStringLiteral("editOutputName") << int(PlayStopped) << space
                                             << QString();
    QTest::newRow("Space in a time field") << QStringLiteral("editStartTime") << int(PlayPlaying) << space
                                           << QString();
    QTest::newRow("F1") << QString() << int(PlayStopped) << QKeySequence(Qt::Key_F1) << QStringLiteral("help");
    QTest::newRow("Ctrl+O") << QString() << int(PlayStopped) << QKeySequence(QKeySequence::Open)
                            << QStringLiteral("browse");
}

void TestDesktop::shortcuts()
{
    QFETCH(QString, focus);
    QFETCH(int, playState);
    QFETCH(QKeySequence, keys);
    QFETCH(QString, expected);
    standin::player().probeDuration = 30;
    dialog = std::make_unique<MainDialog>();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    dialog->openFile(QStringLiteral("/music/song.mp3"));
    if (playState != PlayStopped) {
        standin::sendPlayState(PlayPlaying);
        if (playState == PlayPaused)
            standin::sendPlayState(PlayPaused);
        QCoreApplication::processEvents();
    }
    QWidget *target = dialog.get();
    if (!focus.isEmpty()) {
        target = child<QWidget>(dialog.get(), focus.toLatin1().constData());
        target->setFocus();
    } else {
        dialog->setFocus();
    }
    standin::player().calls.clear();
    catcher.opened.clear();
    bool browsed = false;
    // Owned here, so it can never fire into a row that has already returned.
    QTimer closer;
    closer.setSingleShot(true);
    connect(&closer, &QTimer::timeout, this, [&browsed] {
        if (auto *files = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            browsed = true;
            files->reject();
        }
    });
    closer.start(100);
    QTest::keySequence(target, keys);

    const std::vector<std::string> &calls = standin::player().calls;
    if (expected == QLatin1String("help")) {
        QCOMPARE(catcher.opened.size(), 1);
    } else if (expected == QLatin1String("browse")) {
        QVERIFY(browsed);
    } else if (expected.isEmpty()) {
        QVERIFY(calls.empty());
        QVERIFY(catcher.opened.isEmpty());
    } else {
        QCOMPARE(calls, std::vector<std::string>{expected.toStdString()});
    }
    QVERIFY2(dialog->isVisible(), "a key closed the main window");
    if (focus == QLatin1String("editOutputName"))
        QCOMPARE(child<QLineEdit>(dialog.get(), "editOutputName")->text(), QStringLiteral("song "));
}

void TestDesktop::tooltipsOnPictureButtons()
{
    dialog = std::make_unique<MainDialog>();
    QxLanguage::instance()->setLanguage(QStringLiteral("de"));
    for (const char *name : {"btnPlay", "btnPause", "btnPlayClip", "btnGenerate", "btnMenu", "btnMinimize", "btnClose"}) {
        auto *button = child<QPushButton>(dialog.get(), name);
        QVERIFY2(button->text().isEmpty(), name);
        QVERIFY2(!button->toolTip().isEmpty(), name);
    }
    // The translation arrives with the language change the load posts.
    QTRY_COMPARE(child<QPushButton>(dialog.get(), "btnGenerate")->toolTip(), QStringLiteral("Erzeugen"));
}

void TestDesktop::lengthWarning_data()
{
    QTest::addColumn<int>("endMs");
    QTest::addColumn<bool>("warned");
    QTest::newRow("default clip") << 10000 << false;
    QTest::newRow("exactly 40 s") << 40000 << false;
    QTest::newRow("40.001 s") << 40001 << true;
    QTest::newRow("a minute") << 60000 << true;
}

void TestDesktop::lengthWarning()
{
    QFETCH(int, endMs);
    QFETCH(bool, warned);
    standin::player().probeDuration = 90;
    dialog = std::make_unique<MainDialog>();
    auto *length = child<QLabel>(dialog.get(), "labelLengthValue");
    const QColor normal = length->palette().color(QPalette::WindowText);
    dialog->openFile(QStringLiteral("/music/song.mp3"));
    child<CTimeEdit>(dialog.get(), "editEndTime")->setMsecs(endMs);
    QCOMPARE(!length->toolTip().isEmpty(), warned);
    QCOMPARE(!length->styleSheet().isEmpty(), warned);
    QCOMPARE(longerThanPhoneLists(endMs / 1000.0), warned);
    if (warned) {
        // Translated with the window.
        QxLanguage::instance()->setLanguage(QStringLiteral("fr"));
        QVERIFY(length->toolTip().startsWith(QLatin1String("Un iPhone")));
        // Back under the limit, the label looks as before.
        child<CTimeEdit>(dialog.get(), "editEndTime")->setMsecs(20000);
        QVERIFY(length->toolTip().isEmpty());
        QCOMPARE(length->palette().color(QPalette::WindowText), normal);
    }
}

void TestDesktop::textsFitInEveryLanguage_data()
{
    QTest::addColumn<QString>("code");
    for (const char *code : {"en", "fr", "de", "es", "it", "ja", "zh_CN", "zh_TW", "ar"})
        QTest::newRow(code) << QString::fromLatin1(code);
}

void TestDesktop::textsFitInEveryLanguage()
{
    QFETCH(QString, code);
    dialog = std::make_unique<MainDialog>();
    QxLanguage::instance()->setLanguage(code);
    QTRY_COMPARE(QxLanguage::instance()->currentLanguage(), code);
    QCoreApplication::processEvents();
    // A label and the field beside it: the label's text must fit and the two
    // must not overlap (right-to-left text is drawn at the label's right end).
    const std::pair<const char *, const char *> pairs[] = {
        {"labelInput", "editInputFile"}, {"labelFadein", "spinFadein"}, {"labelFadeout", "spinFadeout"}};
    for (const auto &[labelName, fieldName] : pairs) {
        auto *label = child<QLabel>(dialog.get(), labelName);
        const QWidget *field = child<QWidget>(dialog.get(), fieldName);
        const QRect fieldRect(field->mapTo(dialog.get(), QPoint(0, 0)), field->size());
        const QRect labelRect(label->mapTo(dialog.get(), QPoint(0, 0)), label->size());
        QVERIFY2(!labelRect.intersects(fieldRect), labelName);
        QVERIFY2(QFontMetrics(label->font()).horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(label->text()));
    }

    AboutDialog about(dialog.get());
    for (QLabel *label : about.findChildren<QLabel *>()) {
        if (label->textFormat() == Qt::RichText || Qt::mightBeRichText(label->text()))
            continue;
        QVERIFY2(QFontMetrics(label->font()).horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(label->text()));
    }
}

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
