// Finding iTunes where Windows records installed programs, and the packed
// version the bridge reports. The registry cases run on Windows only (under
// Wine, whose registry belongs to the test run), with the tests' own fake
// iTunes.exe of a known version.
#include "disposableregistry.h"
#include "itunes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <memory>
#include <vector>

using namespace tqbridge;

namespace {
#ifdef Q_OS_WIN
const QString kAppPaths = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\iTunes.exe");
const QString kApple = QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Apple Computer, Inc.\\iTunes");
#endif

// A fake iTunes, given relative to this test's folder.
[[maybe_unused]] QString fakeITunes(const char *relative)
{
    return QDir::toNativeSeparators(
        QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QString::fromUtf8(relative)));
}
} // namespace

class TestITunes final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void packedVersions_data();
    void packedVersions();
    void registryTexts_data();
    void registryTexts();
    void foundWhereRegistered_data();
    void foundWhereRegistered();
    void versionFromAppleKeyWithoutResource();
    void expandablePath();
};

void TestITunes::initTestCase()
{
#ifdef Q_OS_WIN
    QVERIFY2(registryIsDisposable(), "these cases change the registry: run under Wine");
    QVERIFY(QFileInfo::exists(fakeITunes(TQ_FAKE_ITUNES_CURRENT_EXE)));
#endif
}

void TestITunes::packedVersions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<uint>("packed");

    QTest::newRow("threshold") << "7.4.0.0" << 0x07040000u;
    QTest::newRow("too old") << "7.3.0.0" << 0x07030000u;
    QTest::newRow("two parts") << "7.3" << 0x07030000u;
    QTest::newRow("current") << "12.13.2.3" << 0x0c0d0203u;
    QTest::newRow("part above 255") << "12.300.1" << 0x0cff0100u;
    QTest::newRow("huge part") << "99999999999.1" << 0xff010000u;
    QTest::newRow("trailing text") << "12.1.0.5 (64-bit)" << 0x0c010005u;
    QTest::newRow("empty") << "" << 0u;
    QTest::newRow("no number") << "v12" << 0u;
    QTest::newRow("zero") << "0.0.0.0" << 0u;
}

void TestITunes::packedVersions()
{
    QFETCH(QString, text);
    QFETCH(uint, packed);
    QCOMPARE(parseVersion(text.toStdString()), packed);
    // Ordered as the versions are: the window compares packed numbers.
    QVERIFY(packVersion(7, 3, 255, 255) < packVersion(7, 4, 0, 0));
    QVERIFY(packVersion(12, 0, 0, 0) > packVersion(7, 4, 0, 0));
}

void TestITunes::registryTexts_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("inFolder");

    QTest::newRow("plain") << "C:\\Program Files\\iTunes\\iTunes.exe" << "C:\\Program Files\\iTunes\\iTunes.exe"
                           << "C:\\Program Files\\iTunes\\iTunes.exe\\iTunes.exe";
    QTest::newRow("quoted") << "\"C:\\Program Files\\iTunes\\iTunes.exe\""
                            << "C:\\Program Files\\iTunes\\iTunes.exe"
                            << "C:\\Program Files\\iTunes\\iTunes.exe\\iTunes.exe";
    QTest::newRow("quoted with arguments") << " \"C:\\iTunes\\iTunes.exe\" /quiet " << "C:\\iTunes\\iTunes.exe"
                                           << "C:\\iTunes\\iTunes.exe\\iTunes.exe";
    QTest::newRow("folder with backslash") << "C:\\Program Files\\iTunes\\" << "C:\\Program Files\\iTunes\\"
                                           << "C:\\Program Files\\iTunes\\iTunes.exe";
    QTest::newRow("folder without") << "D:\\Apps\\iTunes " << "D:\\Apps\\iTunes" << "D:\\Apps\\iTunes\\iTunes.exe";
    QTest::newRow("empty") << "" << "" << "";
}

void TestITunes::registryTexts()
{
    QFETCH(QString, stored);
    QFETCH(QString, program);
    QFETCH(QString, inFolder);
    const std::wstring found = programFromRegistryText(stored.toStdWString());
    QCOMPARE(QString::fromStdWString(found), program);
    QCOMPARE(QString::fromStdWString(programInFolder(found)), inFolder);
}

void TestITunes::foundWhereRegistered_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("path");
    QTest::addColumn<uint>("version");

#ifdef Q_OS_WIN
    const QString current = fakeITunes(TQ_FAKE_ITUNES_CURRENT_EXE);
    const QString old = fakeITunes(TQ_FAKE_ITUNES_OLD_EXE);
    const uint currentVersion = parseVersion(TQ_FAKE_ITUNES_CURRENT_VERSION);
    const uint oldVersion = parseVersion(TQ_FAKE_ITUNES_OLD_VERSION);
    const QString missing = QDir::toNativeSeparators(QDir::tempPath() + QStringLiteral("/no-such/iTunes.exe"));
    QTest::newRow("nothing registered") << "" << "" << "" << "" << 0u;
    QTest::newRow("app paths, machine") << "HKEY_LOCAL_MACHINE\\" + kAppPaths << "Default" << current << current
                                        << currentVersion;
    QTest::newRow("app paths, quoted") << "HKEY_LOCAL_MACHINE\\" + kAppPaths << "Default"
                                       << "\"" + current + "\"" << current << currentVersion;
    QTest::newRow("app paths, user") << "HKEY_CURRENT_USER\\" + kAppPaths << "Default" << old << old << oldVersion;
    QTest::newRow("apple, install folder") << kApple << "InstallDir" << QDir::toNativeSeparators(QFileInfo(current).absolutePath()) + "\\"
                                           << current << currentVersion;
    QTest::newRow("apple, program folder") << kApple << "ProgramFolder"
                                           << QDir::toNativeSeparators(QFileInfo(old).absolutePath()) << old
                                           << oldVersion;
    QTest::newRow("program gone") << "HKEY_LOCAL_MACHINE\\" + kAppPaths << "Default" << missing << "" << 0u;
#else
    QTest::newRow("no registry") << "" << "" << "" << "" << 0u;
#endif
}

void TestITunes::foundWhereRegistered()
{
    QFETCH(QString, key);
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(QString, path);
    QFETCH(uint, version);
#ifdef Q_OS_WIN
    std::unique_ptr<ScopedRegistryValue> entry;
    if (!key.isEmpty())
        entry = std::make_unique<ScopedRegistryValue>(key, name, value);
#endif
    const ITunesInstall found = findITunes();
    QCOMPARE(found.version, version);
    QCOMPARE(QString::fromStdString(found.path).toLower(), path.toLower());
}

void TestITunes::versionFromAppleKeyWithoutResource()
{
#ifndef Q_OS_WIN
    QSKIP("Windows only: the registry and version resources");
#else
    // This test program has no version resource: Apple's key tells.
    const QString self = QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
    ScopedRegistryValue registered(QStringLiteral("HKEY_LOCAL_MACHINE\\") + kAppPaths, QStringLiteral("Default"), self);
    QCOMPARE(findITunes().version, 0u);
    {
        ScopedRegistryValue version(kApple, QStringLiteral("Version"), QStringLiteral("12.5.1.21"));
        const ITunesInstall found = findITunes();
        QCOMPARE(found.version, 0x0c050115u);
        QCOMPARE(QString::fromStdString(found.path).toLower(), self.toLower());
    }
#endif
}

void TestITunes::expandablePath()
{
#ifndef Q_OS_WIN
    QSKIP("Windows only: the registry");
#else
    // Installers may store "%ProgramFiles%\\iTunes\\iTunes.exe" as an
    // expandable string; Qt writes plain ones only, reg.exe both.
    const QString current = fakeITunes(TQ_FAKE_ITUNES_CURRENT_EXE);
    qputenv("TQ_ITUNES_FOLDER", QDir::toNativeSeparators(QFileInfo(current).absolutePath()).toLocal8Bit());
    const QString key = QStringLiteral("HKCU\\") + kAppPaths;
    const auto run = [](const QStringList &args) {
        QProcess reg;
        reg.start(QStringLiteral("reg.exe"), args);
        return reg.waitForFinished(60000) && reg.exitCode() == 0;
    };
    QVERIFY(run({QStringLiteral("add"), key, QStringLiteral("/ve"), QStringLiteral("/t"), QStringLiteral("REG_EXPAND_SZ"),
                 QStringLiteral("/d"), QStringLiteral("%TQ_ITUNES_FOLDER%\\iTunes.exe"), QStringLiteral("/f")}));
    const ITunesInstall found = findITunes();
    QVERIFY(run({QStringLiteral("delete"), key, QStringLiteral("/f")}));
    QCOMPARE(QString::fromStdString(found.path).toLower(), current.toLower());
    QCOMPARE(found.version, parseVersion(TQ_FAKE_ITUNES_CURRENT_VERSION));
#endif
}

QTEST_GUILESS_MAIN(TestITunes)
#include "tst_itunes.moc"
