#include "aboutdialog.h"
#include "identity.h"
#include "settings.h"
#include "version.h"

#include <QBitmap>
#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace {
// Takes the addresses that would go to the browser.
class UrlCatcher final : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl &url) { urls << url; }
};

QLabel *labelAt(const AboutDialog &dialog, const QRect &geometry)
{
    const QList<QLabel *> labels = dialog.findChildren<QLabel *>();
    for (QLabel *label : labels) {
        if (label->geometry() == geometry)
            return label;
    }
    return nullptr;
}

const QRect kHomeLine(20, 195, 360, 22);
const QRect kSupportLine(20, 215, 360, 22);
const QRect kCompanyLine(20, 235, 370, 22);
const QRect kVersionLine(150, 145, 240, 22);

std::unique_ptr<AboutDialog> showDialog()
{
    auto dialog = std::make_unique<AboutDialog>(nullptr);
    dialog->show();
    if (!QTest::qWaitForWindowExposed(dialog.get()))
        return nullptr;
    return dialog;
}

// A point on the link of a "Words: <a>address</a>" line, past the plain words.
QPoint onLink(QLabel *label, const QString &words)
{
    return QPoint(label->fontMetrics().horizontalAdvance(words) + 30, label->height() / 2);
}
} // namespace

class TestAboutDialog final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void layout();
    void texts();
    void backgroundClickCloses_data();
    void backgroundClickCloses();
    void execReturnsAccepted();
    void plainLabelClickCloses_data();
    void plainLabelClickCloses();
    void linkClickOpensAndStaysOpen_data();
    void linkClickOpensAndStaysOpen();
    void escapeRejects();
    void dragMovesThenCloses();
    void screenshot();

private:
    UrlCatcher catcher;
    // A desktop's opener (xdg-open, and xdg-mime naming a browser): the
    // box asks whether anything opens a page before it tries.
    QTemporaryDir opener;
    QByteArray path;
};

void TestAboutDialog::initTestCase()
{
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
    // With no site set at build time the links lead to the help page.
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
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

void TestAboutDialog::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    qputenv("PATH", path);
}

void TestAboutDialog::layout()
{
    AboutDialog dialog(nullptr);
    QCOMPARE(dialog.size(), QSize(400, 258));
    QCOMPARE(dialog.objectName(), QStringLiteral("aboutDialog"));
    // Rectangular: the mask covers the whole box.
    QCOMPARE(dialog.mask(), QRegion(0, 0, 400, 258));
#ifdef Q_OS_WIN
    QVERIFY(!(dialog.windowFlags() & Qt::FramelessWindowHint));
#else
    QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
#endif
    for (const QRect &line : {kHomeLine, kSupportLine, kCompanyLine, kVersionLine})
        QVERIFY2(labelAt(dialog, line), qPrintable(QStringLiteral("no line at %1,%2")
                                                       .arg(line.x())
                                                       .arg(line.y())));
    QVERIFY(labelAt(dialog, kVersionLine)->alignment() & Qt::AlignRight);
    QVERIFY(labelAt(dialog, kCompanyLine)->openExternalLinks());
}

void TestAboutDialog::texts()
{
    AboutDialog dialog(nullptr);
    const QString home = productPageUrl();
    const QString support = supportPageUrl();
    // A site's address shows whole; the help page that stands in for a site
    // shows by its name and section.
    const auto shown = [](const QString &address) {
        const QUrl url(address);
        return url.isLocalFile() ? QStringLiteral("help/index.html#") + url.fragment() : address;
    };
    QCOMPARE(labelAt(dialog, kHomeLine)->text(),
             QStringLiteral("Home Page: <a style=\"color: #87ceff\" href=\"%1\">%2</a>").arg(home, shown(home)));
    QCOMPARE(labelAt(dialog, kSupportLine)->text(),
             QStringLiteral("Support: <a style=\"color: #87ceff\" href=\"%1\">%2</a>").arg(support, shown(support)));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Zentavo Tonquill"));
    QCOMPARE(labelAt(dialog, kVersionLine)->text(), QStringLiteral("Version: ") + versionText());

    const QString company = labelAt(dialog, kCompanyLine)->text();
    QVERIFY(company.contains(QLatin1String(Identity::kCompanyName)));
    QVERIFY(!company.contains(QLatin1String("%1")));
    QVERIFY(!company.contains(QLatin1Char('\n')));
}

void TestAboutDialog::backgroundClickCloses_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("left") << Qt::LeftButton;
    QTest::newRow("right") << Qt::RightButton;
}

void TestAboutDialog::backgroundClickCloses()
{
    QFETCH(Qt::MouseButton, button);
    auto dialog = showDialog();
    QVERIFY(dialog);
    QSignalSpy accepted(dialog.get(), &QDialog::accepted);
    QTest::mouseClick(dialog.get(), button, {}, QPoint(200, 60));
    QCOMPARE(accepted.count(), 1);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QVERIFY(!dialog->isVisible());
}

void TestAboutDialog::execReturnsAccepted()
{
    AboutDialog dialog(nullptr);
    QTimer::singleShot(0, &dialog, [&dialog] {
        QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(300, 100));
    });
    // Should the click be lost, the box must not hang the test.
    QTimer::singleShot(5000, &dialog, &QDialog::reject);
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
}

void TestAboutDialog::plainLabelClickCloses_data()
{
    QTest::addColumn<QRect>("line");
    QTest::newRow("version") << kVersionLine;
    QTest::newRow("company") << kCompanyLine;
}

void TestAboutDialog::plainLabelClickCloses()
{
    QFETCH(QRect, line);
    auto dialog = showDialog();
    QVERIFY(dialog);
    QLabel *label = labelAt(*dialog, line);
    QVERIFY(label);
    QSignalSpy accepted(dialog.get(), &QDialog::accepted);
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(line.width() - 5, line.height() / 2));
    QCOMPARE(accepted.count(), 1);
}

void TestAboutDialog::linkClickOpensAndStaysOpen_data()
{
    QTest::addColumn<QRect>("line");
    QTest::addColumn<QString>("words");
    QTest::addColumn<bool>("onAddress");

    QTest::newRow("home page link") << kHomeLine << "Home Page: " << true;
    QTest::newRow("support link") << kSupportLine << "Support: " << true;
    QTest::newRow("home page plain words") << kHomeLine << "Home Page: " << false;
    QTest::newRow("support plain words") << kSupportLine << "Support: " << false;
}

void TestAboutDialog::linkClickOpensAndStaysOpen()
{
    QFETCH(QRect, line);
    QFETCH(QString, words);
    QFETCH(bool, onAddress);

    auto dialog = showDialog();
    QVERIFY(dialog);
    QLabel *label = labelAt(*dialog, line);
    QVERIFY(label);
    catcher.urls.clear();
    QSignalSpy accepted(dialog.get(), &QDialog::accepted);

    const QPoint at = onAddress ? onLink(label, words) : QPoint(3, line.height() / 2);
    QTest::mouseClick(label, Qt::LeftButton, {}, at);

    QCOMPARE(accepted.count(), 0);
    QVERIFY(dialog->isVisible());
    const QString address = line == kHomeLine ? productPageUrl() : supportPageUrl();
    QCOMPARE(catcher.urls, onAddress ? QList<QUrl>{QUrl(address)} : QList<QUrl>{});
}

void TestAboutDialog::escapeRejects()
{
    auto dialog = showDialog();
    QVERIFY(dialog);
    QSignalSpy rejected(dialog.get(), &QDialog::rejected);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    QCOMPARE(rejected.count(), 1);
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
}

void TestAboutDialog::dragMovesThenCloses()
{
    auto dialog = showDialog();
    QVERIFY(dialog);
    dialog->move(50, 50);
    QTRY_COMPARE(dialog->pos(), QPoint(50, 50));
    QSignalSpy accepted(dialog.get(), &QDialog::accepted);

    const QPoint local(200, 60);
    const QPoint global = dialog->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(dialog.get(), &press);
    QMouseEvent move(QEvent::MouseMove, local, global + QPoint(40, 30), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(dialog.get(), &move);
    QTRY_COMPARE(dialog->pos(), QPoint(90, 80));
    QCOMPARE(accepted.count(), 0);

    QMouseEvent release(QEvent::MouseButtonRelease, local, global + QPoint(40, 30),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(dialog.get(), &release);
    QCOMPARE(accepted.count(), 1);
}

void TestAboutDialog::screenshot()
{
    const QString folder = qEnvironmentVariable("TQ_WIDGETS_SCREENSHOTS");
    if (folder.isEmpty())
        QSKIP("TQ_WIDGETS_SCREENSHOTS not set");
    AboutDialog dialog(nullptr);
    // The application style sheet makes these labels white.
    dialog.setStyleSheet(QStringLiteral("QDialog#aboutDialog > QLabel { color: white; }"));
    QVERIFY(dialog.grab().save(folder + QStringLiteral("/widgets-about.png")));
}

QTEST_MAIN(TestAboutDialog)
#include "tst_aboutdialog.moc"
