#include "buildconfig.h"
#include "settings.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QCoreApplication>
#include <QTest>
#include <QUrl>

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
    void homePages_data();
    void homePages();
    void pageAddresses();
};

void TestSettings::initTestCase()
{
    // Guard against running against a real profile by accident.
    QVERIFY(qEnvironmentVariable("HOME").contains(QLatin1String("test-home")));
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
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QCOMPARE(documentsFolder(), documents.isEmpty() ? QDir::homePath() : documents);
    QCOMPARE(defaultOutputFolder(), QDir::toNativeSeparators(documentsFolder() + QStringLiteral("/Zentavo Tonquill")));
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
