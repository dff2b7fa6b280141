// The iTunes side of the window with the real bridge: what the start-up
// check finds where Windows records iTunes, and Generate with "Export to
// iTunes" starting it with "/open" and the ringtone. On Windows each case
// registers one of the tests' fake iTunes builds (or none); the fake writes
// down what it was started with. Elsewhere there is no iTunes: the export
// stays off. The encoder sits beside this test; the preview player is the
// stand-in, and no phone is connected.
#include "disposableregistry.h"
#include "language.h"
#include "maindialog.h"
#include "standins.h"
#include "windowtest.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <memory>

namespace {

const char kNoITunes[] = "You should install iTunes to transfer ringtone to iPhone.";
const char kTooOld[] = "iTunes version too low, at least 7.3 is needed.";
const char kConnect[] = "Please connect your iPhone to this computer.";

// Two seconds of 16-bit mono silence at 8 kHz: enough for the encoder.
QByteArray silentWave()
{
    const quint32 dataSize = 2 * 8000 * 2;
    QByteArray wave("RIFF");
    auto put32 = [&wave](quint32 v) { for (int i = 0; i < 4; ++i) wave += char((v >> (8 * i)) & 0xff); };
    auto put16 = [&wave](quint16 v) { wave += char(v & 0xff); wave += char(v >> 8); };
    put32(36 + dataSize);
    wave += "WAVEfmt ";
    put32(16); put16(1); put16(1); put32(8000); put32(16000); put16(2); put16(16);
    wave += "data";
    put32(dataSize);
    return wave + QByteArray(int(dataSize), '\0');
}

[[maybe_unused]] QString fakeITunes(const char *relative)
{
    return QDir::toNativeSeparators(
        QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QString::fromUtf8(relative)));
}

} // namespace

class TestITunesExport final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void startUpCheckAndExport_data();
    void startUpCheckAndExport();

private:
    QTranslator translator;
    QTemporaryDir dir;
};

void TestITunesExport::initTestCase()
{
#ifdef Q_OS_WIN
    QVERIFY2(registryIsDisposable(), "these cases change the registry: run under Wine");
    QVERIFY(QFile::exists(QCoreApplication::applicationDirPath() + QStringLiteral("/ffmpeg.exe")));
    // The one path the window tries by itself when nothing is registered.
    QVERIFY(!QFile::exists(QStringLiteral("C:\\Program Files\\iTunes\\iTunes.exe")));
#else
    QVERIFY(QFile::exists(QCoreApplication::applicationDirPath() + QStringLiteral("/ffmpeg")));
#endif
    theTranslator = &translator;
    QApplication::installTranslator(&translator);
}

void TestITunesExport::init()
{
    store().clear();
    store().setValue(QStringLiteral("Setting/OutputFolder"), QDir::toNativeSeparators(dir.filePath(QStringLiteral("out"))));
}

void TestITunesExport::startUpCheckAndExport_data()
{
    QTest::addColumn<QString>("registered"); // the program App Paths names; empty: none
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("offered"); // "Export to iTunes" enabled and checked
    QTest::addColumn<bool>("started");

#ifdef Q_OS_WIN
    QTest::newRow("current") << fakeITunes(TQ_FAKE_ITUNES_CURRENT_EXE) << kConnect << true << true;
    QTest::newRow("too old") << fakeITunes(TQ_FAKE_ITUNES_OLD_EXE) << kTooOld << false << false;
    QTest::newRow("none") << QString() << kNoITunes << false << false;
#else
    QTest::newRow("no iTunes here") << QString() << kConnect << false << false;
#endif
}

void TestITunesExport::startUpCheckAndExport()
{
    QFETCH(QString, registered);
    QFETCH(QString, status);
    QFETCH(bool, offered);
    QFETCH(bool, started);

    const QString record = dir.filePath(QStringLiteral("itunes-args.txt"));
    QFile::remove(record);
    qputenv("TQ_FAKE_ITUNES_RECORD", QDir::toNativeSeparators(record).toLocal8Bit());
#ifdef Q_OS_WIN
    std::unique_ptr<ScopedRegistryValue> entry;
    if (!registered.isEmpty())
        entry = std::make_unique<ScopedRegistryValue>(
            QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\iTunes.exe"),
            QStringLiteral("Default"), registered);
#endif

    // The check runs once, as the window is made.
    auto window = std::make_unique<MainDialog>();
    window->show();
    QWidget *w = window.get();
    auto *exportITunes = child<QCheckBox>(w, "checkExportITunes");
    QCOMPARE(child<QLabel>(w, "labelStatus")->text(), status);
    QCOMPARE(exportITunes->isEnabled(), offered);
    QCOMPARE(exportITunes->isChecked(), offered);

    const QString input = dir.filePath(QStringLiteral("Morning Bell.wav"));
    QFile wave(input);
    QVERIFY(wave.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QVERIFY(wave.write(silentWave()) > 0);
    wave.close();
    standin::player().probeDuration = 2.0;
    window->loadInputFile(input);
    auto *generate = child<QPushButton>(w, "btnGenerate");
    QTRY_VERIFY_WITH_TIMEOUT(generate->isEnabled(), 30000);
    QFile::remove(dir.filePath(QStringLiteral("out/Morning Bell.m4r")));
    QTest::mouseClick(generate, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(generate->isEnabled(), 30000);
    const QString ringtone = dir.filePath(QStringLiteral("out/Morning Bell.m4r"));
    QVERIFY(QFile::exists(ringtone));

    if (started) {
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 30000);
        QFile file(record);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList args = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(args, QStringList({QStringLiteral("/open"), QDir::toNativeSeparators(ringtone)}));
    } else {
        // A program that would have started has had its time to write.
        QTest::qWait(1000);
        QVERIFY(!QFile::exists(record));
    }
}

QTEST_MAIN(TestITunesExport)
#include "tst_itunes_export.moc"
