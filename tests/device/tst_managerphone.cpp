// The ringtone manager with the real bridge, on the simulated phone or (with
// TQ_TEST_PHONE=wire) on the fake iPhone behind usbmuxd's protocol: a row
// acts on its own ringtone whatever became of the phone's list meanwhile,
// and names reach the phone's Ringtones.plist as typed and come back as the
// phone holds them. The plist is read here with libplist alone, apart from
// the bridge's own catalogue reader.
#include "devicebridge.h"
#include "fakephone.h"
#include "managedialog.h"
#include "managertest.h"
#include "phonecheck.h"
#include "phonelink.h"
#include "phonestore.h"
#include "transport.h"
#include "windowtest.h"

#include <plist/plist.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <memory>

using phonecheck::readAll;
using phonecheck::writeAll;

namespace {

bool onWire()
{
    return qEnvironmentVariable("TQ_TEST_PHONE") == QLatin1String("wire");
}

// The phone's catalogue as libplist reads it: file name to display name,
// and the file names in the dictionary's order.
struct StoredNames
{
    std::map<std::string, std::string> byFile;
    std::vector<std::string> order;
};

StoredNames storedNames(const QString &root)
{
    StoredNames stored;
    const QByteArray bytes = readAll(phonecheck::phonePath(root, tqbridge::kCataloguePath));
    plist_t plist = nullptr;
    plist_from_memory(bytes.constData(), uint32_t(bytes.size()), &plist);
    plist_t ringtones = plist ? plist_dict_get_item(plist, "Ringtones") : nullptr;
    plist_dict_iter it = nullptr;
    if (ringtones)
        plist_dict_new_iter(ringtones, &it);
    for (;;) {
        char *key = nullptr;
        plist_t entry = nullptr;
        if (!it)
            break;
        plist_dict_next_item(ringtones, it, &key, &entry);
        if (!key)
            break;
        char *name = nullptr;
        if (plist_t node = plist_dict_get_item(entry, "Name"))
            plist_get_string_val(node, &name);
        stored.byFile[key] = name ? name : "";
        stored.order.emplace_back(key);
        free(name);
        free(key);
    }
    free(it);
    plist_free(plist);
    return stored;
}

std::vector<std::string> namesInOrder(const StoredNames &stored)
{
    std::vector<std::string> names;
    for (const std::string &file : stored.order)
        names.push_back(stored.byFile.at(file));
    return names;
}

void clickYes(QWidget *modal)
{
    auto *box = qobject_cast<QMessageBox *>(modal);
    QVERIFY(box);
    box->button(QMessageBox::Yes)->click();
}

} // namespace

class TestManagerPhone final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void staleRowActsOnItsOwnRingtone_data();
    void staleRowActsOnItsOwnRingtone();
    void namesAsTyped_data();
    void namesAsTyped();

private:
    bool attached();
    // Another program holds the phone's sync lock, or lets it go.
    void holdSyncLock(bool held);
    // Another program removes a ringtone from the phone.
    void removeElsewhere(const char *fileName);
    std::unique_ptr<ManageDialog> openManager();

    QTemporaryDir dir;
    QString root;
    std::unique_ptr<fakephone::FakePhone> phone;
    std::unique_ptr<tqbridge::Transport> lockHolder;
    DeviceBridge *bridge = nullptr;
};

void TestManagerPhone::initTestCase()
{
    QVERIFY(dir.isValid());
    if (onWire()) {
        root = dir.filePath(QStringLiteral("phone"));
        phone = std::make_unique<fakephone::FakePhone>(root.toStdString());
        QVERIFY(phone->listening());
        // Before the bridge first looks for usbmuxd.
        qputenv("USBMUXD_SOCKET_ADDRESS", QByteArray::fromStdString(phone->socketAddress()));
        qunsetenv("TONQUILL_SIMULATED_PHONE");
        if (!phone->pluggedIn())
            phone->plugIn();
    } else {
        root = qEnvironmentVariable("TONQUILL_SIMULATED_PHONE");
        QVERIFY(!root.isEmpty());
        QDir(root).removeRecursively();
        QVERIFY(QDir().mkpath(root));
    }
    QVERIFY(phonecheck::seed(root, phonecheck::Seed::Binary));
    bridge = createDeviceBridge();
    QVERIFY(bridge);
    QTRY_VERIFY_WITH_TIMEOUT(attached(), 20000);
}

void TestManagerPhone::cleanupTestCase()
{
    holdSyncLock(false);
    if (phone)
        phone->unplug();
}

bool TestManagerPhone::attached()
{
    char name[256];
    char file[256];
    return bridge->getRingtone(0, 0, name, 256, file, 256) != DEVICE_ERR_NO_PHONE;
}

void TestManagerPhone::holdSyncLock(bool held)
{
    if (phone) {
        phone->holdLock(tqbridge::kSyncLockPath, held);
    } else if (held) {
        lockHolder = tqbridge::makeFolderTransport(root.toStdString());
        QCOMPARE(lockHolder->lock(tqbridge::kSyncLockPath), 0);
    } else {
        lockHolder.reset();
    }
}

void TestManagerPhone::removeElsewhere(const char *fileName)
{
    auto transport = tqbridge::makeFolderTransport(root.toStdString());
    tqbridge::PhoneStore other(*transport);
    QCOMPARE(other.removeRingtoneFile(std::string(tqbridge::kRingtoneFolder) + fileName), 0);
    QCOMPARE(other.commitChanges(), 0);
}

std::unique_ptr<ManageDialog> TestManagerPhone::openManager()
{
    auto manager = std::make_unique<ManageDialog>();
    // As the window tells it once the phone is there.
    manager->onPhoneConnect(true);
    manager->show();
    return manager;
}

void TestManagerPhone::staleRowActsOnItsOwnRingtone_data()
{
    QTest::addColumn<bool>("rename");
    QTest::addColumn<QString>("removedElsewhere");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("message");
    const QString gone = QStringLiteral("Could not %1 \u201cBravo\u201d.\nThe ringtone is no longer on the iPhone.");
    QTest::newRow("remove") << false << "AAAA.m4r" << QStringList{"Charlie"} << QString();
    QTest::newRow("rename") << true << "AAAA.m4r" << QStringList{"Renamed", "Charlie"} << QString();
    QTest::newRow("remove, the row's own ringtone gone")
        << false << "BBBB.m4r" << QStringList{"Alpha", "Charlie"} << gone.arg(QStringLiteral("remove"));
    QTest::newRow("rename, the row's own ringtone gone")
        << true << "BBBB.m4r" << QStringList{"Alpha", "Charlie"} << gone.arg(QStringLiteral("rename"));
}

void TestManagerPhone::staleRowActsOnItsOwnRingtone()
{
    // The manager lists Alpha, Bravo, Charlie; another program removes a
    // ringtone; an export's commit fails on a sync lock held elsewhere;
    // then the user changes row 1, shown as Bravo.
    QFETCH(bool, rename);
    QFETCH(QString, removedElsewhere);
    QFETCH(QStringList, after);
    QFETCH(QString, message);
    QVERIFY(phonecheck::seed(root, phonecheck::Seed::Binary));
    auto manager = openManager();
    QCOMPARE(rows(manager.get()), (QStringList{"Alpha", "Bravo", "Charlie"}));

    removeElsewhere(removedElsewhere.toLatin1().constData());

    const QString ringtone = dir.filePath(QStringLiteral("Export.m4r"));
    QVERIFY(writeAll(ringtone, QByteArray(500, 'x')));
    QWidget window;
    QCheckBox exportPhone(&window);
    QCheckBox exportITunes(&window);
    CPhoneLink link(bridge, &exportPhone, &exportITunes, &window);
    const char *status = nullptr;
    connect(&link, &CPhoneLink::statusChanged, this, [&status](const char *text) { status = text; });
    holdSyncLock(true);
    link.exportRingtone(ringtone, 1000, true, false);
    holdSyncLock(false);
    QCOMPARE(status, CPhoneLink::transferStatus(DEVICE_ERR_BUSY));
    const std::vector<std::string> before = namesInOrder(storedNames(root));

    child<QListWidget>(manager.get(), "listRingtone")->setCurrentRow(1);
    QCOMPARE(child<QLineEdit>(manager.get(), "editName")->text(), QStringLiteral("Bravo"));
    ModalAnswers modals(rename ? std::deque<std::function<void(QWidget *)>>{}
                               : std::deque<std::function<void(QWidget *)>>{clickYes});
    if (rename) {
        auto *edit = child<QLineEdit>(manager.get(), "editName");
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("Renamed"));
        QTest::mouseClick(child<QPushButton>(manager.get(), "btnRename"), Qt::LeftButton);
    } else {
        QTest::mouseClick(child<QPushButton>(manager.get(), "btnRemove"), Qt::LeftButton);
    }

    QStringList held;
    for (const std::string &name : namesInOrder(storedNames(root)))
        held << QString::fromStdString(name);
    QCOMPARE(held, after);
    QCOMPARE(rows(manager.get()), after);
    QCOMPARE(phonecheck::snapshot(root).dangling, 0);
    if (!message.isEmpty()) {
        QCOMPARE(modals.messages.last(), message);
        QCOMPARE(namesInOrder(storedNames(root)), before);
    } else {
        QCOMPARE(modals.messages.size(), rename ? 0 : 1);
    }
}

void TestManagerPhone::namesAsTyped_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("xml"); // the catalogue as XML, else binary
    const std::pair<const char *, QString> names[] = {
        {"less than", QStringLiteral("a<b")},
        {"greater than", QStringLiteral("a>b")},
        {"ampersand", QStringLiteral("Tom & Jerry")},
        {"entity text", QStringLiteral("Tom & Jerry <3 &lt;")},
        {"&amp;", QStringLiteral("&amp;")},
        {"markup", QStringLiteral("<![CDATA[x]]> <key>y</key>")},
        {"quotes", QStringLiteral("\"Bell\" 'n' \u201cBell\u201d")},
        {"emoji", QStringLiteral("\U0001F514 Bell \U0001F3B5")},
        {"right to left",
         QStringLiteral("\u062C\u0631\u0633 \u0627\u0644\u0635\u0628\u0627\u062D \u05E6\u05DC\u05E6\u05D5\u05DC")},
        {"255 bytes of UTF-8", QString(85, QChar(0x3042))},
    };
    for (const auto &[tag, name] : names)
        for (bool xml : {false, true})
            QTest::addRow("%s, %s", tag, xml ? "xml" : "binary") << name << xml;
}

void TestManagerPhone::namesAsTyped()
{
    QFETCH(QString, name);
    QFETCH(bool, xml);
    const std::string utf8 = name.toStdString();
    QVERIFY(phonecheck::seed(root, xml ? phonecheck::Seed::Xml : phonecheck::Seed::Binary));

    // Renamed through the manager, as the user types it.
    auto manager = openManager();
    auto *edit = child<QLineEdit>(manager.get(), "editName");
    edit->selectAll();
    typeText(edit, name);
    QCOMPARE(edit->text(), name);
    QTest::mouseClick(child<QPushButton>(manager.get(), "btnRename"), Qt::LeftButton);
    QCOMPARE(storedNames(root).byFile.at("AAAA.m4r"), utf8);
    QCOMPARE(readAll(phonecheck::phonePath(root, tqbridge::kCataloguePath)).startsWith("<?xml"), xml);
    QCOMPARE(rows(manager.get()).first(), name);
    QCOMPARE(edit->text(), name);

    // Added from a file of that name, where the name can be one.
    const bool fileName = !name.contains(QLatin1Char('/')) && utf8.size() + 4 <= 255;
    if (fileName) {
        const QString local = dir.filePath(name + QStringLiteral(".m4r"));
        QVERIFY(writeAll(local, QByteArray(300, 'n')));
        QVERIFY(bridge->addRingtone(0, local.toUtf8().constData(), 1000) >= 0);
        QVERIFY(bridge->commitChanges(0) >= 0);
        QFile::remove(local);
        const StoredNames stored = storedNames(root);
        QCOMPARE(stored.order.size(), size_t(4));
        QCOMPARE(stored.byFile.at(stored.order.back()), utf8);
    }

    // And listed as stored by a manager opened afresh.
    auto again = openManager();
    QCOMPARE(rows(again.get()).first(), name);
    if (fileName)
        QCOMPARE(rows(again.get()).last(), name);
}

QTEST_MAIN(TestManagerPhone)
#include "tst_managerphone.moc"
