// The version text: the ProductVersion of the program file's own version
// resource on Windows (read back with the system's version functions from
// the built tonquill.exe), compiled in elsewhere; and --version and --help
// answering on the console and ending with 0.
#include "buildconfig.h"
#include "version.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {
const QRegularExpression kFourNumbers(QStringLiteral("^\\d+\\.\\d+\\.\\d+\\.\\d+$"));

[[maybe_unused]] QString program()
{
#ifdef TQ_PROGRAM
    return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral(TQ_PROGRAM));
#else
    return {};
#endif
}
} // namespace

class TestVersion final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void versionText();
    void programCarriesItsVersion();
    void commandLineAnswers_data();
    void commandLineAnswers();
    void programStaysUp();
};

void TestVersion::versionText()
{
    QVERIFY(QStringLiteral(TONQUILL_VERSION_TEXT).contains(kFourNumbers));
#ifdef Q_OS_WIN
    // This test program carries no version resource: empty, not an error.
    QCOMPARE(::versionText(), QString());
#else
    QCOMPARE(::versionText(), QStringLiteral(TONQUILL_VERSION_TEXT));
#endif
}

void TestVersion::programCarriesItsVersion()
{
#ifndef Q_OS_WIN
    QSKIP("version resources are Windows'");
#else
    QVERIFY2(QFileInfo::exists(program()), qPrintable(program()));
    QCOMPARE(productVersionOf(program()), QStringLiteral(TONQUILL_VERSION_TEXT));
    QCOMPARE(productVersionOf(QCoreApplication::applicationFilePath()), QString());
    QCOMPARE(productVersionOf(QDir::temp().filePath(QStringLiteral("no-such-program.exe"))), QString());
#endif
}

void TestVersion::commandLineAnswers_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("expected");

    QTest::newRow("version") << "--version" << TONQUILL_VERSION_TEXT;
    QTest::newRow("help") << "--help" << "Usage:";
}

void TestVersion::commandLineAnswers()
{
#ifndef Q_OS_WIN
    QSKIP("the Linux program's command line is tst_program's");
#else
    QFETCH(QString, option);
    QFETCH(QString, expected);
    QProcess process;
    // Redirected, as a script would run it: the text must come down the pipe.
    process.start(program(), {QStringLiteral("-platform"), QStringLiteral("offscreen"), option});
    QVERIFY2(process.waitForFinished(120000), qPrintable(process.errorString()));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    const QString out = QString::fromLocal8Bit(process.readAllStandardOutput());
    QVERIFY2(out.contains(expected), qPrintable(out + QString::fromLocal8Bit(process.readAllStandardError())));
#endif
}

void TestVersion::programStaysUp()
{
#ifndef Q_OS_WIN
    QSKIP("the Linux program's start is tst_program's");
#else
    // The window builds while its pictures are read: a start that crashed
    // did so within seconds.
    QProcess process;
    process.start(program(), {QStringLiteral("-platform"), QStringLiteral("offscreen")});
    QVERIFY2(process.waitForStarted(60000), qPrintable(process.errorString()));
    const bool ended = process.waitForFinished(10000);
    const QString out = QString::fromLocal8Bit(process.readAllStandardError());
    process.kill();
    process.waitForFinished(10000);
    QVERIFY2(!ended, qPrintable(QStringLiteral("ended with %1: %2").arg(process.exitCode()).arg(out)));
#endif
}

QTEST_GUILESS_MAIN(TestVersion)
#include "tst_version.moc"
