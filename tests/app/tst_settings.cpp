#include "buildconfig.h"
#include "disposableregistry.h"
#include "settings.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QCoreApplication>
#include <QTest>
#include <QScopeGuard>
#include <QUrl>
#include <QVariant>

// Runs with a private HOME and XDG_CONFIG_HOME (see tests/CMakeLists.txt), so
// the store here is never the user's own.
class TestSettings final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void readReturnsDefaultWhenAbsent();
    void writeThenRead();
    void storeLayout();
    void outputFolder_data();
    void outputFolder();
    void defaultOutputFolderIsInDocuments();
    void storeIsTheRegistryKey();
    void documentsFolderFromTheShell_data();
    void documentsFolderFromTheShell();
    void homePages_data();
    void homePages();
    void pageAddresses();
};

void TestSettings::initTestCase()
{
    // Guard against running against a real profile by accident.
#ifdef Q_OS_WIN
    QVERIFY2(registryIsDisposable(), "the settings live in the registry: run under Wine");
#else
    QVERIFY(qEnvironmentVariable("HOME").contains(QLatin1String("test-home")));
#endif
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Zentavo"), QStringLiteral("Tonquill"))
        .clear();
}

void TestSettings::readReturnsDefaultWhenAbsent()
{
    QCOMPARE(readSetting(QStringLiteral("InputDir"), QStringLiteral("fallback")), QStringLiteral("fallback"));
    QCOMPARE(readSetting(QStringLiteral("UiLanguage"), QString()), QString());
}

void TestSettings::writeThenRead()
{
    writeSetting(QStringLiteral("OutputFolder"), QStringLiteral("C:\\tones"));
    QCOMPARE(readSetting(QStringLiteral("OutputFolder"), QString()), QStringLiteral("C:\\tones"));
    writeSetting(QStringLiteral("OutputFolder"), QStringLiteral("/srv/tones"));
    QCOMPARE(readSetting(QStringLiteral("OutputFolder"), QString()), QStringLiteral("/srv/tones"));
}

void TestSettings::storeLayout()
{
    writeSetting(QStringLiteral("UiLanguage"), QStringLiteral("de"));
    // Other parts of the program open the store by these names directly.
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Zentavo"),
                    QStringLiteral("Tonquill"));
    QCOMPARE(store.value(QStringLiteral("Setting/UiLanguage")).toString(), QStringLiteral("de"));
    QVERIFY(!store.contains(QStringLiteral("UiLanguage")));
}

void TestSettings::outputFolder_data()
{
    QTest::addColumn<QString>("documents");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain") << "/home/u/Documents"
                           << QDir::toNativeSeparators(QStringLiteral("/home/u/Documents/Zentavo Tonquill"));
    QTest::newRow("trailing slash") << "/home/u/Documents/"
                                    << QDir::toNativeSeparators(QStringLiteral("/home/u/Documents/Zentavo Tonquill"));
    QTest::newRow("trailing backslash") << "C:\\Users\\u\\Documents\\"
                                        << QDir::toNativeSeparators(
                                               QStringLiteral("C:\\Users\\u\\Documents\\Zentavo Tonquill"));
}

void TestSettings::outputFolder()
{
    QFETCH(QString, documents);
    QFETCH(QString, expected);
    QCOMPARE(outputFolderIn(documents), expected);
}

void TestSettings::defaultOutputFolderIsInDocuments()
{
#ifdef Q_OS_WIN
    const QString documents = QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\"
                                                       "CurrentVersion\\Explorer\\Shell Folders"),
                                        QSettings::NativeFormat)
                                  .value(QStringLiteral("Personal"))
                                  .toString();
#else
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
#endif
    QCOMPARE(documentsFolder(), documents.isEmpty() ? QDir::homePath() : documents);
    QCOMPARE(defaultOutputFolder(), outputFolderIn(documentsFolder()));
    QVERIFY(defaultOutputFolder().endsWith(QDir::toNativeSeparators(QStringLiteral("/Zentavo Tonquill"))));
}

void TestSettings::storeIsTheRegistryKey()
{
#ifndef Q_OS_WIN
    QSKIP("the registry is Windows' own");
#else
    writeSetting(QStringLiteral("InputDir"), QStringLiteral("C:/music/new"));
    const QSettings key(QStringLiteral("HKEY_CURRENT_USER\\Software\\Zentavo\\Tonquill\\Setting"),
                        QSettings::NativeFormat);
    QCOMPARE(key.value(QStringLiteral("InputDir")).toString(), QStringLiteral("C:/music/new"));

    // Read back by the system's own tool, not by Qt: a string value.
    QProcess reg;
    reg.start(QStringLiteral("reg.exe"), {QStringLiteral("query"),
                                          QStringLiteral("HKCU\\Software\\Zentavo\\Tonquill\\Setting"),
                                          QStringLiteral("/v"), QStringLiteral("InputDir")});
    QVERIFY2(reg.waitForFinished(60000), qPrintable(reg.errorString()));
    const QString out = QString::fromLocal8Bit(reg.readAllStandardOutput());
    QVERIFY2(out.contains(QLatin1String("REG_SZ")) && out.contains(QLatin1String("C:/music/new")), qPrintable(out));
#endif
}

void TestSettings::documentsFolderFromTheShell_data()
{
    QTest::addColumn<QVariant>("personal");
    QTest::addColumn<QString>("documents");
    QTest::addColumn<QString>("output");

    QTest::newRow("moved to another drive") << QVariant(QStringLiteral("D:\\Docs")) << "D:\\Docs"
                                            << "D:\\Docs\\Zentavo Tonquill";
    QTest::newRow("trailing backslash") << QVariant(QStringLiteral("D:\\")) << "D:\\" << "D:\\Zentavo Tonquill";
    QTest::newRow("empty") << QVariant(QString()) << QDir::homePath()
                           << QDir::toNativeSeparators(QDir::homePath() + QStringLiteral("/Zentavo Tonquill"));
    QTest::newRow("missing") << QVariant() << QDir::homePath()
                             << QDir::toNativeSeparators(QDir::homePath() + QStringLiteral("/Zentavo Tonquill"));
}

void TestSettings::documentsFolderFromTheShell()
{
#ifndef Q_OS_WIN
    QSKIP("the shell's folders are in Windows' registry");
#else
    QFETCH(QVariant, personal);
    QFETCH(QString, documents);
    QFETCH(QString, output);
    QSettings shell(QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\"
                                   "Explorer\\Shell Folders"),
                    QSettings::NativeFormat);
    const QVariant saved = shell.value(QStringLiteral("Personal"));
    const auto restore = qScopeGuard([&] {
        if (saved.isValid())
            shell.setValue(QStringLiteral("Personal"), saved);
        else
            shell.remove(QStringLiteral("Personal"));
        shell.sync();
    });
    if (personal.isValid())
        shell.setValue(QStringLiteral("Personal"), personal);
    else
        shell.remove(QStringLiteral("Personal"));
    shell.sync();

    QCOMPARE(documentsFolder(), documents);
    QCOMPARE(defaultOutputFolder(), output);
#endif
}

void TestSettings::homePages_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("home");

    // A build with no Spanish site sends Spanish users to the default one.
    QTest::newRow("spanish") << "es"
                             << (QStringLiteral(TONQUILL_HOME_URL_ES).isEmpty() ? QStringLiteral(TONQUILL_HOME_URL)
                                                                                : QStringLiteral(TONQUILL_HOME_URL_ES));
    QTest::newRow("english") << "en" << TONQUILL_HOME_URL;
    QTest::newRow("german") << "de" << TONQUILL_HOME_URL;
    QTest::newRow("none") << "" << TONQUILL_HOME_URL;
    QTest::newRow("case matters") << "ES" << TONQUILL_HOME_URL;
}

void TestSettings::homePages()
{
    QFETCH(QString, language);
    QFETCH(QString, home);
    QCOMPARE(homePageUrlFor(language), home);
    QVERIFY(!home.endsWith(QLatin1Char('/')));
}

void TestSettings::pageAddresses()
{
    if (QStringLiteral(TONQUILL_HOME_URL).isEmpty()) {
        // No site yet: the help page beside the program, at its sections.
        const QUrl product(productPageUrl());
        const QUrl support(supportPageUrl());
        QVERIFY(product.isLocalFile());
        QCOMPARE(product.toLocalFile(), QCoreApplication::applicationDirPath() + QStringLiteral("/help/index.html"));
        QCOMPARE(product.fragment(), QStringLiteral("about"));
        QCOMPARE(support.toLocalFile(), product.toLocalFile());
        QCOMPARE(support.fragment(), QStringLiteral("troubleshooting"));
        return;
    }
    // No language menu exists here, so the default site applies.
    QCOMPARE(productPageUrl(), QStringLiteral(TONQUILL_HOME_URL "/tonquill.html"));
    QCOMPARE(supportPageUrl(), QStringLiteral(TONQUILL_HOME_URL "/support.html"));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
