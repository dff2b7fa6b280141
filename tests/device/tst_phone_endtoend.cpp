// The whole phone side on a simulated phone, through the real window, the
// real manager and the real bridge: plugging the phone in, Generate, and
// every manager action, then unplugging it. Only the preview player is a
// stand-in; the encoder program sits beside this test.
#include "catalogue.h"
#include "language.h"
#include "maindialog.h"
#include "managedialog.h"
#include "phonestore.h"
#include "standins.h"
#include "windowtest.h"
#include "managertest.h"

#include <plist/plist.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <functional>

namespace {

QString phoneRoot()
{
    return QString::fromLocal8Bit(qgetenv("TONQUILL_SIMULATED_PHONE"));
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

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

// The phone's catalogue as entries (file name, name) with their Total Time.
struct PhoneEntry
{
    std::string fileName;
    std::string name;
    uint64_t totalTime;
};

std::vector<PhoneEntry> phoneEntries()
{
    std::vector<PhoneEntry> entries;
    const QByteArray bytes = readAll(phoneRoot() + QLatin1String(tqbridge::kCataloguePath));
    plist_t root = nullptr;
    plist_from_memory(bytes.constData(), uint32_t(bytes.size()), &root);
    if (!root)
        return entries;
    const auto catalogue = tqbridge::Catalogue::parse(bytes.toStdString());
    for (int i = 0; catalogue && i < catalogue->size(); ++i) {
        const auto *entry = catalogue->entry(i);
        uint64_t ms = 0;
        plist_t item = plist_dict_get_item(plist_dict_get_item(root, "Ringtones"), entry->fileName.c_str());
        plist_get_uint_val(plist_dict_get_item(item, "Total Time"), &ms);
        entries.push_back({entry->fileName, entry->name, ms});
    }
    plist_free(root);
    return entries;
}

QString phoneFile(const std::string &fileName)
{
    return phoneRoot() + QLatin1String(tqbridge::kRingtoneFolder) + QString::fromStdString(fileName);
}

std::vector<std::string> phoneNames()
{
    std::vector<std::string> names;
    for (const PhoneEntry &entry : phoneEntries())
        names.push_back(entry.name);
    return names;
}

int commits()
{
    return int(readAll(phoneRoot() + QStringLiteral(".sync-log")).count("syncDidFinish"));
}

} // namespace

class TestPhoneEndToEnd final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void wholePhoneSide();
    void managerActions();
    void unplugging();

private:
    void manage(ManageDialog *manager);

    QTranslator translator;
    QTemporaryDir dir;
    std::unique_ptr<MainDialog> window;
    QString ringtonePath;
};

void TestPhoneEndToEnd::initTestCase()
{
    QVERIFY(!phoneRoot().isEmpty());
    QVERIFY(QFile::exists(QCoreApplication::applicationDirPath() + QStringLiteral("/ffmpeg" TQ_EXE_SUFFIX)));
    QDir(phoneRoot()).removeRecursively();
    QFile::remove(phoneRoot() + QStringLiteral(".sync-log"));
    store().clear();
    // Saved copies go to this run's folder, never to one left by an earlier run.
    store().setValue(QStringLiteral("Setting/OutputFolder"), QDir::toNativeSeparators(dir.path()));
    theTranslator = &translator;
    QApplication::installTranslator(&translator);
    window = std::make_unique<MainDialog>();
    window->show();
}

void TestPhoneEndToEnd::wholePhoneSide()
{
    QWidget *w = window.get();
    auto *status = child<QLabel>(w, "labelStatus");
    auto *exportPhone = child<QCheckBox>(w, "checkExport");
#ifdef Q_OS_WIN
    // Without iTunes, Windows asks for it before anything else.
    QCOMPARE(status->text(), QStringLiteral("You should install iTunes to transfer ringtone to iPhone."));
#else
    QCOMPARE(status->text(), QStringLiteral("Please connect your iPhone to this computer."));
#endif
    QVERIFY(!exportPhone->isEnabled());
    QVERIFY(!child<QCheckBox>(w, "checkExportITunes")->isEnabled());

    // Plugging the phone in.
    QVERIFY(QDir().mkpath(phoneRoot()));
    QTRY_COMPARE(status->text(), QStringLiteral("Ready."));
    QVERIFY(exportPhone->isEnabled());
    QVERIFY(exportPhone->isChecked());

    const QString input = dir.filePath(QStringLiteral("Morning Bell.wav"));
    QVERIFY(writeAll(input, silentWave()));
    standin::player().probeDuration = 2.0;
    window->loadInputFile(input);
    auto *generate = child<QPushButton>(w, "btnGenerate");
    QTRY_VERIFY_WITH_TIMEOUT(generate->isEnabled(), 20000);
    child<QLineEdit>(w, "editOutputFolder")->setText(QDir::toNativeSeparators(dir.filePath(QStringLiteral("out"))));
    QTest::mouseClick(generate, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(generate->isEnabled(), 20000);
    QCOMPARE(status->text(), QStringLiteral("Transfer succeed."));

    ringtonePath = dir.filePath(QStringLiteral("out/Morning Bell.m4r"));
    const std::vector<PhoneEntry> entries = phoneEntries();
    QCOMPARE(entries.size(), size_t(1));
    QCOMPARE(entries[0].name, std::string("Morning Bell"));
    QCOMPARE(entries[0].totalTime, uint64_t(2000));
    QVERIFY(!readAll(ringtonePath).isEmpty());
    QCOMPARE(readAll(phoneFile(entries[0].fileName)), readAll(ringtonePath));
    QCOMPARE(commits(), 1);
}

void TestPhoneEndToEnd::managerActions()
{
    bool ran = false;
    answerNextModal([this, &ran](QWidget *modal) {
        auto *manager = qobject_cast<ManageDialog *>(modal);
        QVERIFY(manager);
        manage(manager);
        ran = true;
        manager->close();
    });
    window->onBtnManage();
    QVERIFY(ran);
}

void TestPhoneEndToEnd::manage(ManageDialog *manager)
{
    QCOMPARE(rows(manager), QStringList{QStringLiteral("Morning Bell")});
    QVERIFY(child<QPushButton>(manager, "btnPcToIPhone")->isEnabled());

    // Three files in one go: three additions, one commit.
    for (const char *name : {"A.m4r", "B.m4r", "C.m4r"})
        QVERIFY(writeAll(dir.filePath(QLatin1String(name)), QByteArray("sound of ") + name));
    answerNextModal([this](QWidget *modal) {
        auto *files = qobject_cast<QFileDialog *>(modal);
        QVERIFY(files);
        files->setDirectory(dir.path());
        files->selectFile(QStringLiteral("\"A.m4r\" \"B.m4r\" \"C.m4r\""));
        static_cast<QDialog *>(files)->accept(); // as the Open or Save button does
    });
    QTest::mouseClick(child<QPushButton>(manager, "btnPcToIPhone"), Qt::LeftButton);
    QCOMPARE(rows(manager), (QStringList{"Morning Bell", "A", "B", "C"}));
    QCOMPARE(commits(), 2);

    // Remove B: A and C stay, in order.
    child<QListWidget>(manager, "listRingtone")->setCurrentRow(2);
    answerNextModal([](QWidget *modal) { qobject_cast<QMessageBox *>(modal)->button(QMessageBox::Yes)->click(); });
    QTest::mouseClick(child<QPushButton>(manager, "btnRemove"), Qt::LeftButton);
    QCOMPARE(rows(manager), (QStringList{"Morning Bell", "A", "C"}));
    QCOMPARE(phoneNames(), (std::vector<std::string>{"Morning Bell", "A", "C"}));

    // Rename the first one, with the characters the phone escapes.
    child<QListWidget>(manager, "listRingtone")->setCurrentRow(0);
    auto *edit = child<QLineEdit>(manager, "editName");
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("Bell <early>"));
    QTest::mouseClick(child<QPushButton>(manager, "btnRename"), Qt::LeftButton);
    QCOMPARE(phoneNames(), (std::vector<std::string>{"Bell &lt;early&gt;", "A", "C"}));

    // Replace C's sound.
    child<QListWidget>(manager, "listRingtone")->setCurrentRow(2);
    answerNextModal([this](QWidget *modal) {
        auto *files = qobject_cast<QFileDialog *>(modal);
        files->setDirectory(dir.path());
        files->selectFile(QStringLiteral("A.m4r"));
        static_cast<QDialog *>(files)->accept(); // as the Open or Save button does
    });
    QTest::mouseClick(child<QPushButton>(manager, "btnReplace"), Qt::LeftButton);
    const std::vector<PhoneEntry> entries = phoneEntries();
    QCOMPARE(readAll(phoneFile(entries[2].fileName)), QByteArray("sound of A.m4r"));

    // Save the first one to the computer, as suggested.
    child<QListWidget>(manager, "listRingtone")->setCurrentRow(0);
    QString saved;
    answerNextModal([&saved](QWidget *modal) {
        auto *files = qobject_cast<QFileDialog *>(modal);
        saved = files->selectedFiles().value(0);
        static_cast<QDialog *>(files)->accept(); // as the Open or Save button does
    });
    QTest::mouseClick(child<QPushButton>(manager, "btnIPhoneToPc"), Qt::LeftButton);
    QCOMPARE(QFileInfo(saved).fileName(), QStringLiteral("Bell early.m4r"));
    QCOMPARE(readAll(saved), readAll(ringtonePath));

    // Unplugging while the manager is open empties it; plugging in fills it.
    const QString parked = phoneRoot() + QStringLiteral(".parked");
    QVERIFY(QDir().rename(phoneRoot(), parked));
    QTRY_VERIFY(rows(manager).isEmpty());
    QVERIFY(!child<QPushButton>(manager, "btnPcToIPhone")->isEnabled());
    QVERIFY(!child<QPushButton>(manager, "btnRemove")->isEnabled());
    QVERIFY(QDir().rename(parked, phoneRoot()));
    QTRY_COMPARE(rows(manager), (QStringList{"Bell <early>", "A", "C"}));
}

void TestPhoneEndToEnd::unplugging()
{
    QVERIFY(QDir(phoneRoot()).removeRecursively());
    QTRY_COMPARE(child<QLabel>(window.get(), "labelStatus")->text(),
                 QStringLiteral("Please connect your iPhone to this computer."));
    QVERIFY(!child<QCheckBox>(window.get(), "checkExport")->isEnabled());
    QVERIFY(!child<QCheckBox>(window.get(), "checkExport")->isChecked());
}

QTEST_MAIN(TestPhoneEndToEnd)
#include "tst_phone_endtoend.moc"
