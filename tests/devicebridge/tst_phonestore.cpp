// The ringtone operations on a phone kept in a folder, and the fault sweep:
// for every operation and every transport step k, step k fails (once, or the
// phone vanishes there), and the phone must still be whole.
#include "catalogue.h"
#include "faulttransport.h"
#include "phonecheck.h"
#include "phonestore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <functional>

using namespace tqbridge;
using phonecheck::names;
using phonecheck::readAll;
using phonecheck::Ringtone;
using phonecheck::Snapshot;

namespace {

void writeAll(const QString &path, const QByteArray &bytes)
{
    QVERIFY(phonecheck::writeAll(path, bytes));
}

class Phone
{
public:
    Phone() { root = dir.path() + QStringLiteral("/phone"); }

    QString path(const char *phonePath) const { return phonecheck::phonePath(root, phonePath); }
    QString ringtone(const std::string &file) const { return phonecheck::ringtonePath(root, file); }
    std::string rootUtf8() const { return root.toStdString(); }
    QString local(const char *name) const { return dir.path() + QLatin1Char('/') + QLatin1String(name); }

    // Three ringtones, A, B and C, in a catalogue of the given format.
    void seed(bool binary)
    {
        QVERIFY(phonecheck::seed(root, binary ? phonecheck::Seed::Binary : phonecheck::Seed::Xml));
        writeAll(local("new.m4r"), QByteArray(300, 'n'));
        writeAll(local("two.m4r"), QByteArray(200, 't'));
    }

    Snapshot snapshot() const { return phonecheck::snapshot(root); }

    QTemporaryDir dir;
    QString root;
};

// One operation as the window or the manager makes it, with what success
// must look like. Any step of it may fail.
struct Scenario
{
    const char *name;
    std::function<bool(PhoneStore &, const Phone &)> run; // true when every result was >= 0
    phonecheck::Change change;
};

std::string local(const Phone &phone, const char *name)
{
    return phone.local(name).toStdString();
}

bool ok(int result)
{
    return result >= 0;
}

std::vector<Scenario> scenarios()
{
    return {
        {"add", [](PhoneStore &s, const Phone &p) {
             const bool added = ok(s.addRingtone(local(p, "new.m4r"), 1187));
             return ok(s.commitChanges()) && added; }, {.addsOnSuccess = 1}},
        {"add batch", [](PhoneStore &s, const Phone &p) {
             bool all = ok(s.addRingtone(local(p, "new.m4r"), 1000));
             all = ok(s.addRingtone(local(p, "two.m4r"), 2000)) && all;
             all = ok(s.addRingtone(local(p, "new.m4r"), 3000)) && all;
             return ok(s.commitChanges()) && all; }, {.addsOnSuccess = 3}},
        {"remove", [](PhoneStore &s, const Phone &) {
             const bool removed = ok(s.removeRingtone(1));
             return ok(s.commitChanges()) && removed; }, {.mayRemove = {"BBBB.m4r"}}},
        {"rename", [](PhoneStore &s, const Phone &) {
             const bool renamed = ok(s.renameRingtone(0, "x&lt;y"));
             return ok(s.commitChanges()) && renamed; }, {.mayRename = {{"AAAA.m4r", "x&lt;y"}}}},
        {"add and remove", [](PhoneStore &s, const Phone &p) {
             bool all = ok(s.addRingtone(local(p, "new.m4r"), 1000));
             all = ok(s.removeRingtone(0)) && all;
             return ok(s.commitChanges()) && all; }, {.mayRemove = {"AAAA.m4r"}, .addsOnSuccess = 1}},
        {"replace", [](PhoneStore &s, const Phone &p) {
             return ok(s.copyToDevice("/iTunes_Control/Ringtones/CCCC.m4r", local(p, "new.m4r"))); },
         {.mayReplace = {{"CCCC.m4r", QByteArray(300, 'n')}}}},
        {"replace with length", [](PhoneStore &s, const Phone &p) {
             return ok(s.replaceRingtone("/iTunes_Control/Ringtones/CCCC.m4r", local(p, "new.m4r"), 4321)); },
         {.mayReplace = {{"CCCC.m4r", QByteArray(300, 'n')}}, .mayRetime = {{"CCCC.m4r", 4321}}}},
        {"save to computer", [](PhoneStore &s, const Phone &p) {
             return ok(s.copyFromDevice("/iTunes_Control/Ringtones/BBBB.m4r", local(p, "saved.m4r"))); },
         {.savesFrom = "BBBB.m4r"}},
    };
}

std::string brokenInvariant(const Snapshot &before, const Snapshot &after, const Scenario &scenario,
                            bool succeeded, const Phone &phone)
{
    return phonecheck::brokenInvariant(before, after, scenario.change, succeeded, phone.local("saved.m4r"));
}

PhoneStore::Options quickLock()
{
    PhoneStore::Options options;
    options.lockAttempts = 2;
    options.lockRetryDelay = std::chrono::milliseconds(1);
    return options;
}

} // namespace

class TestPhoneStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void faultSweep_data();
    void faultSweep();
    void damagedCatalogueIsNeverWritten_data();
    void damagedCatalogueIsNeverWritten();
    void additionsGetFreshNamesAndEntries();
    void orderStaysAcrossChanges();
    void missingCatalogueIsCreatedOnFirstAddition();
    void commitRecordsTheSyncBracket();
    void busySyncLockFailsTheCommit();
    void pathsOutsideTheRingtoneFolderAreRefused();
    void twoProgramsExportInTurns_data();
    void twoProgramsExportInTurns();
    void changesFollowTheCallersListing_data();
    void changesFollowTheCallersListing();
    void catalogueDamagedAfterTheListing_data();
    void catalogueDamagedAfterTheListing();
    void replaceSetsTheLengthInsideTheSyncBracket();
    void replaceWaitsForTheSyncLock();
    void lengthsFollowTheListing();
    void savingKeepsTheUsersFiles();
    void phoneLeavingIsSaidSo();
    void writerIgnoringTheLock_data();
    void writerIgnoringTheLock();

private:
    int sweptRuns = 0;
};

void TestPhoneStore::faultSweep_data()
{
    QTest::addColumn<int>("scenario");
    QTest::addColumn<bool>("binary");
    QTest::addColumn<bool>("vanish");
    const auto all = scenarios();
    for (int i = 0; i < int(all.size()); ++i)
        for (bool binary : {true, false})
            for (bool vanish : {false, true})
                QTest::addRow("%s %s %s", all[size_t(i)].name, binary ? "binary" : "xml",
                              vanish ? "vanish" : "once")
                    << i << binary << vanish;
}

void TestPhoneStore::faultSweep()
{
    QFETCH(int, scenario);
    QFETCH(bool, binary);
    QFETCH(bool, vanish);
    const std::vector<Scenario> all = scenarios();
    const Scenario &s = all[size_t(scenario)];

    // The clean run counts the steps and must itself succeed.
    int steps = 0;
    {
        Phone phone;
        phone.seed(binary);
        const Snapshot before = phone.snapshot();
        FaultTransport transport(makeFolderTransport(phone.rootUtf8()), -1, FaultTransport::Mode::Once);
        PhoneStore store(transport, quickLock());
        QVERIFY(s.run(store, phone));
        const std::string broken = brokenInvariant(before, phone.snapshot(), s, true, phone);
        QVERIFY2(broken.empty(), broken.c_str());
        steps = transport.steps();
        QVERIFY(steps > 0);
    }

    int violations = 0;
    for (int k = 0; k < steps; ++k) {
        Phone phone;
        phone.seed(binary);
        const Snapshot before = phone.snapshot();
        FaultTransport transport(makeFolderTransport(phone.rootUtf8()), k,
                                 vanish ? FaultTransport::Mode::Vanish : FaultTransport::Mode::Once);
        PhoneStore store(transport, quickLock());
        const bool succeeded = s.run(store, phone);
        const std::string broken = brokenInvariant(before, phone.snapshot(), s, succeeded, phone);
        if (!broken.empty()) {
            ++violations;
            qWarning("step %d of %d: %s", k, steps, broken.c_str());
        }
        // The phone is still usable from a fresh start.
        FaultTransport clean(makeFolderTransport(phone.rootUtf8()), -1, FaultTransport::Mode::Once);
        PhoneStore again(clean);
        std::string name, file;
        QVERIFY(again.getRingtone(0, name, file) >= 0);
        ++sweptRuns;
    }
    qInfo("%s: %d steps swept, %d invariant violations (runs so far: %d)", QTest::currentDataTag(), steps,
          violations, sweptRuns);
    QCOMPARE(violations, 0);
}

void TestPhoneStore::damagedCatalogueIsNeverWritten_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("garbage") << QByteArray("not a plist at all");
    QTest::newRow("truncated binary") << QByteArray::fromStdString(Catalogue().serialize()).left(20);
    QTest::newRow("root is an array") << QByteArray("<plist><array><string>x</string></array></plist>");
    QTest::newRow("ringtones is a string")
        << QByteArray("<plist><dict><key>Ringtones</key><string>x</string></dict></plist>");
    QTest::newRow("entry is a number")
        << QByteArray("<plist><dict><key>Ringtones</key><dict><key>A.m4r</key><integer>1</integer>"
                      "</dict></dict></plist>");
    QTest::newRow("file name leaves the folder")
        << QByteArray("<plist><dict><key>Ringtones</key><dict><key>../../x</key><dict/></dict></dict></plist>");
    QByteArray deep = "<plist>";
    for (int i = 0; i < 5000; ++i)
        deep += "<array>";
    QTest::newRow("deeply nested") << deep;
}

void TestPhoneStore::damagedCatalogueIsNeverWritten()
{
    QFETCH(QByteArray, bytes);
    Phone phone;
    phone.seed(true);
    writeAll(phone.path(kCataloguePath), bytes);
    auto transport = makeFolderTransport(phone.rootUtf8());
    PhoneStore store(*transport);
    std::string name, file;
    QVERIFY(store.getRingtone(0, name, file) < 0);
    QVERIFY(store.addRingtone(phone.local("new.m4r").toStdString(), 1000) < 0);
    QVERIFY(store.removeRingtone(0) < 0);
    QVERIFY(store.renameRingtone(0, "x") < 0);
    QVERIFY(store.copyToDevice("/iTunes_Control/Ringtones/AAAA.m4r", phone.local("new.m4r").toStdString()) < 0);
    store.commitChanges();
    QCOMPARE(readAll(phone.path(kCataloguePath)), bytes);
    QCOMPARE(QDir(phone.root + QLatin1String("/iTunes_Control/Ringtones")).count(), 3u + 2u);
}

void TestPhoneStore::additionsGetFreshNamesAndEntries()
{
    Phone phone;
    phone.seed(true);
    auto transport = makeFolderTransport(phone.rootUtf8());
    PhoneStore::Options options;
    // A source that repeats itself must not make two ringtones share a file or GUID.
    int calls = 0;
    options.random = [&calls] { return uint64_t(calls++ / 4); };
    PhoneStore store(*transport, options);
    // A name the catalogue must escape. Windows allows no '<' or '>' in a
    // file name: there a name with '&' is taken as it is.
#ifdef Q_OS_WIN
    const QString source = phone.local("a&b.m4r");
    const std::string escaped = "a&b";
#else
    const QString source = phone.local("a<b>.m4r");
    const std::string escaped = "a&lt;b&gt;";
#endif
    for (int i = 0; i < 5; ++i)
        QCOMPARE(store.addRingtone(source.toStdString() + "x", 1000), -2); // missing file
    writeAll(source, "sound");
    QCOMPARE(store.addRingtone(source.toStdString(), 1187), 3);
    QCOMPARE(store.addRingtone(source.toStdString(), 1187), 4);
    QVERIFY(store.commitChanges() >= 0);

    const Snapshot shot = phone.snapshot();
    QCOMPARE(int(shot.ringtones.size()), 5);
    QCOMPARE(shot.dangling, 0);
    const std::string added = shot.order[3];
    QVERIFY(added != shot.order[4]);
    QCOMPARE(added.size(), size_t(8));
    for (int i = 0; i < 4; ++i)
        QVERIFY(added[size_t(i)] >= 'A' && added[size_t(i)] <= 'Z');
    QCOMPARE(shot.ringtones.at(added).name, escaped);
    QCOMPARE(shot.ringtones.at(added).bytes, QByteArray("sound"));
    // Each entry carries the keys the phone expects.
    const QByteArray xml = [&] {
        auto catalogue = Catalogue::parse(shot.catalogueBytes.toStdString());
        return QByteArray::fromStdString(catalogue->serialize());
    }();
    QVERIFY(shot.catalogueBytes.startsWith("bplist00"));
    QVERIFY(xml.contains("Total Time"));
}

void TestPhoneStore::orderStaysAcrossChanges()
{
    Phone phone;
    phone.seed(false);
    auto transport = makeFolderTransport(phone.rootUtf8());
    PhoneStore store(*transport);
    QVERIFY(store.renameRingtone(1, "Renamed") >= 0);
    QVERIFY(store.commitChanges() >= 0);
    QVERIFY(store.removeRingtone(0) >= 0);
    QVERIFY(store.commitChanges() >= 0);
    const Snapshot shot = phone.snapshot();
    QCOMPARE(shot.order, (std::vector<std::string>{"BBBB.m4r", "CCCC.m4r"}));
    QCOMPARE(shot.ringtones.at("BBBB.m4r").name, std::string("Renamed"));
    QVERIFY(!QFile::exists(phone.ringtone("AAAA.m4r")));
    // Written back as XML, as it was read.
    QVERIFY(shot.catalogueBytes.startsWith("<?xml"));
}

void TestPhoneStore::missingCatalogueIsCreatedOnFirstAddition()
{
    Phone phone;
    QDir().mkpath(phone.root);
    writeAll(phone.local("new.m4r"), "x");
    auto transport = makeFolderTransport(phone.rootUtf8());
    PhoneStore store(*transport);
    std::string name, file;
    QCOMPARE(store.getRingtone(0, name, file), int(ErrNotFound));
    QVERIFY(!QFile::exists(phone.path(kCataloguePath)));
    QCOMPARE(store.addRingtone(phone.local("new.m4r").toStdString(), 5), 0);
    QVERIFY(store.commitChanges() >= 0);
    QCOMPARE(store.getRingtone(0, name, file), 0);
    QCOMPARE(name, std::string("new"));
    QVERIFY(readAll(phone.path(kCataloguePath)).startsWith("bplist00"));
}

void TestPhoneStore::commitRecordsTheSyncBracket()
{
    Phone phone;
    phone.seed(true);
    auto transport = makeFolderTransport(phone.rootUtf8());
    PhoneStore store(*transport);
    QVERIFY(store.commitChanges() >= 0); // nothing to write: the phone is left alone
    QVERIFY(!QFile::exists(phone.root + QLatin1String(".sync-log")));
    QVERIFY(store.renameRingtone(0, "x") >= 0);
    QVERIFY(store.commitChanges() >= 0);
    QCOMPARE(readAll(phone.root + QLatin1String(".sync-log")),
             QByteArray("com.apple.itunes-mobdev.syncWillStart\ncom.apple.itunes-mobdev.syncDidStart\n"
                        "com.apple.itunes-mobdev.syncDidFinish\n"));
}

void TestPhoneStore::busySyncLockFailsTheCommit()
{
    Phone phone;
    phone.seed(true);
    auto holder = makeFolderTransport(phone.rootUtf8());
    QCOMPARE(holder->lock(kSyncLockPath), 0);
    const QByteArray before = readAll(phone.path(kCataloguePath));
    auto transport = makeFolderTransport(phone.rootUtf8());
    PhoneStore store(*transport, quickLock());
    QVERIFY(store.renameRingtone(0, "x") >= 0);
    QCOMPARE(store.commitChanges(), int(ErrBusy));
    QCOMPARE(readAll(phone.path(kCataloguePath)), before);
    // The failed change is dropped: the list shows the phone as it is.
    std::string name, file;
    QCOMPARE(store.getRingtone(0, name, file), 0);
    QCOMPARE(name, std::string("Alpha"));
    holder->unlock();
    QVERIFY(store.renameRingtone(0, "y") >= 0);
    QVERIFY(store.commitChanges() >= 0);
}

void TestPhoneStore::pathsOutsideTheRingtoneFolderAreRefused()
{
    Phone phone;
    phone.seed(true);
    auto transport = makeFolderTransport(phone.rootUtf8());
    PhoneStore store(*transport);
    const std::string target = phone.local("out").toStdString();
    for (const char *path : {"/iTunes_Control/iTunes/Ringtones.plist", "/iTunes_Control/Ringtones/../iTunes/x",
                             "/iTunes_Control/Ringtones/", "relative"}) {
        QVERIFY(store.copyFromDevice(path, target) < 0);
        QVERIFY(store.copyToDevice(path, target) < 0);
    }
    QCOMPARE(store.copyToDevice("/iTunes_Control/Ringtones/ZZZZ.m4r", phone.local("new.m4r").toStdString()),
             int(ErrNotFound));
}

namespace {

// Enumerates as the manager does: 0 when the list ended normally.
int list(PhoneStore &store)
{
    std::string name, file;
    for (int i = 0;; ++i)
        if (const int result = store.getRingtone(i, name, file); result < 0)
            return result == ErrNotFound ? 0 : result;
}

int ringtoneFiles(const Phone &phone)
{
    return phonecheck::ringtoneFiles(phone.root);
}

// Every way of merging a steps of one program with b of the other.
void interleavings(QString prefix, int a, int b, QStringList &out)
{
    if (a == 0 && b == 0)
        out << prefix;
    if (a > 0)
        interleavings(prefix + QLatin1Char('A'), a - 1, b, out);
    if (b > 0)
        interleavings(prefix + QLatin1Char('B'), a, b - 1, out);
}

} // namespace

void TestPhoneStore::twoProgramsExportInTurns_data()
{
    QTest::addColumn<QString>("order");
    QStringList orders;
    interleavings({}, 3, 5, orders);
    for (const QString &order : orders)
        QTest::newRow(order.toLatin1().constData()) << order;
}

void TestPhoneStore::twoProgramsExportInTurns()
{
    // Two windows on one phone: B exports "one", A exports "two" (its manager
    // listed first), B lists and exports "three", each step of one program
    // falling anywhere between the other's.
    QFETCH(QString, order);
    Phone phone;
    phone.seed(true);
    for (const char *name : {"one.m4r", "three.m4r"})
        writeAll(phone.local(name), name);
    auto transportA = makeFolderTransport(phone.rootUtf8());
    auto transportB = makeFolderTransport(phone.rootUtf8());
    PhoneStore a(*transportA, quickLock());
    PhoneStore b(*transportB, quickLock());
    const auto add = [&](PhoneStore &store, const char *name) {
        return [&store, path = local(phone, name)] { return store.addRingtone(path, 1000); };
    };
    const std::vector<std::function<int()>> stepsA = {[&] { return list(a); }, add(a, "two.m4r"),
                                                      [&] { return a.commitChanges(); }};
    const std::vector<std::function<int()>> stepsB = {add(b, "one.m4r"), [&] { return b.commitChanges(); },
                                                      [&] { return list(b); }, add(b, "three.m4r"),
                                                      [&] { return b.commitChanges(); }};
    size_t nextA = 0, nextB = 0;
    for (const QChar step : order) {
        const int result = step == QLatin1Char('A') ? stepsA[nextA++]() : stepsB[nextB++]();
        QVERIFY2(result >= 0, qPrintable(QStringLiteral("step %1 of %2: %3").arg(nextA + nextB).arg(order).arg(result)));
    }
    const Snapshot shot = phone.snapshot();
    QVERIFY(shot.parses);
    QCOMPARE(shot.dangling, 0);
    std::vector<std::string> held = names(shot);
    std::sort(held.begin(), held.end());
    QCOMPARE(held, (std::vector<std::string>{"Alpha", "Bravo", "Charlie", "one", "three", "two"}));
    QCOMPARE(ringtoneFiles(phone), 6); // no file without its entry
}

void TestPhoneStore::changesFollowTheCallersListing_data()
{
    // A lists Alpha, Bravo, Charlie; B, another program, changes the phone
    // before A's change or between A's change and A's commit.
    QTest::addColumn<bool>("otherRemoves"); // else it adds "one"
    QTest::addColumn<int>("otherIndex");
    QTest::addColumn<bool>("otherBetween");
    QTest::addColumn<bool>("rename"); // else A removes
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("changeResult");
    QTest::addColumn<int>("commitResult");
    QTest::addColumn<QStringList>("after");
    const int notFound = ErrNotFound;
    QTest::newRow("rename after an earlier one left")
        << true << 0 << false << true << 1 << 0 << 0 << QStringList{"Bee", "Charlie"};
    QTest::newRow("remove after one was added")
        << false << 0 << false << false << 2 << 0 << 0 << QStringList{"Alpha", "Bravo", "one"};
    QTest::newRow("rename after one was added")
        << false << 0 << true << true << 0 << 0 << 0 << QStringList{"Bee", "Bravo", "Charlie", "one"};
    QTest::newRow("remove after an earlier one left")
        << true << 0 << true << false << 2 << 0 << 0 << QStringList{"Bravo"};
    QTest::newRow("rename of one that left")
        << true << 1 << false << true << 1 << notFound << 0 << QStringList{"Alpha", "Charlie"};
    QTest::newRow("remove of one that left")
        << true << 1 << false << false << 1 << notFound << 0 << QStringList{"Alpha", "Charlie"};
    QTest::newRow("rename of one that left before the commit")
        << true << 1 << true << true << 1 << 0 << notFound << QStringList{"Alpha", "Charlie"};
    QTest::newRow("remove of one that left before the commit")
        << true << 1 << true << false << 1 << 0 << notFound << QStringList{"Alpha", "Charlie"};
}

void TestPhoneStore::changesFollowTheCallersListing()
{
    QFETCH(bool, otherRemoves);
    QFETCH(int, otherIndex);
    QFETCH(bool, otherBetween);
    QFETCH(bool, rename);
    QFETCH(int, index);
    QFETCH(int, changeResult);
    QFETCH(int, commitResult);
    QFETCH(QStringList, after);
    Phone phone;
    phone.seed(false);
    writeAll(phone.local("one.m4r"), "one");
    auto transportA = makeFolderTransport(phone.rootUtf8());
    auto transportB = makeFolderTransport(phone.rootUtf8());
    PhoneStore a(*transportA, quickLock());
    PhoneStore b(*transportB, quickLock());
    QCOMPARE(list(a), 0);
    const auto other = [&] {
        QCOMPARE(list(b), 0);
        if (otherRemoves)
            QCOMPARE(b.removeRingtone(otherIndex), 0);
        else
            QVERIFY(b.addRingtone(local(phone, "one.m4r"), 1000) >= 0);
        QCOMPARE(b.commitChanges(), 0);
    };
    if (!otherBetween)
        other();
    QCOMPARE(rename ? a.renameRingtone(index, "Bee") : a.removeRingtone(index), changeResult);
    if (otherBetween)
        other();
    QCOMPARE(a.commitChanges(), commitResult);

    const Snapshot shot = phone.snapshot();
    QStringList held;
    for (const std::string &name : names(shot))
        held << QString::fromStdString(name);
    QCOMPARE(held, after);
    QCOMPARE(shot.dangling, 0);
    QCOMPARE(ringtoneFiles(phone), int(after.size()));
}

void TestPhoneStore::catalogueDamagedAfterTheListing_data()
{
    QTest::addColumn<bool>("listFirst");
    QTest::addColumn<bool>("damageBeforeAdd");
    QTest::newRow("not listed, damaged before the addition") << false << true;
    QTest::newRow("listed, damaged before the addition") << true << true;
    QTest::newRow("listed, damaged before the commit") << true << false;
    QTest::newRow("not listed, damaged before the commit") << false << false;
}

void TestPhoneStore::catalogueDamagedAfterTheListing()
{
    QFETCH(bool, listFirst);
    QFETCH(bool, damageBeforeAdd);
    Phone phone;
    phone.seed(true);
    auto transport = makeFolderTransport(phone.rootUtf8());
    PhoneStore store(*transport, quickLock());
    if (listFirst)
        QCOMPARE(list(store), 0);
    const QByteArray damaged = "bplist00 cut short";
    if (damageBeforeAdd) {
        writeAll(phone.path(kCataloguePath), damaged);
        QCOMPARE(store.addRingtone(local(phone, "new.m4r"), 1000), int(ErrDamaged));
        QCOMPARE(store.commitChanges(), 0); // nothing left to write
    } else {
        QVERIFY(store.addRingtone(local(phone, "new.m4r"), 1000) >= 0);
        writeAll(phone.path(kCataloguePath), damaged);
        QCOMPARE(store.commitChanges(), int(ErrDamaged));
    }
    QCOMPARE(readAll(phone.path(kCataloguePath)), damaged);
    QCOMPARE(ringtoneFiles(phone), 3);
    std::string name, file;
    QCOMPARE(store.getRingtone(0, name, file), int(ErrDamaged));
    QCOMPARE(store.renameRingtone(0, "x"), int(ErrDamaged));
    QCOMPARE(store.removeRingtone(0), int(ErrDamaged));
    QCOMPARE(store.commitChanges(), 0);
    QCOMPARE(readAll(phone.path(kCataloguePath)), damaged);
}

void TestPhoneStore::replaceSetsTheLengthInsideTheSyncBracket()
{
    Phone phone;
    phone.seed(false);
    auto transport = makeFolderTransport(phone.rootUtf8());
    PhoneStore store(*transport);
    QCOMPARE(store.replaceRingtone("/iTunes_Control/Ringtones/BBBB.m4r", local(phone, "new.m4r"), 4321), 0);
    Snapshot shot = phone.snapshot();
    QCOMPARE(shot.ringtones.at("BBBB.m4r"), (Ringtone{"Bravo", QByteArray(300, 'n'), 4321}));
    QCOMPARE(shot.ringtones.at("CCCC.m4r").totalTimeMs, int64_t(3000));
    QVERIFY(shot.catalogueBytes.startsWith("<?xml"));
    // Without a length (the older entry) the catalogue keeps the old one.
    QCOMPARE(store.copyToDevice("/iTunes_Control/Ringtones/CCCC.m4r", local(phone, "two.m4r")), 0);
    shot = phone.snapshot();
    QCOMPARE(shot.ringtones.at("CCCC.m4r"), (Ringtone{"Charlie", QByteArray(200, 't'), 3000}));
    QCOMPARE(readAll(phone.root + QLatin1String(".sync-log")),
             QByteArray("com.apple.itunes-mobdev.syncWillStart\ncom.apple.itunes-mobdev.syncDidStart\n"
                        "com.apple.itunes-mobdev.syncDidFinish\n")
                 .repeated(2));
    QCOMPARE(ringtoneFiles(phone), 3);
    // A ringtone that is not in the catalogue does not come in as a stray file.
    QCOMPARE(store.replaceRingtone("/iTunes_Control/Ringtones/ZZZZ.m4r", local(phone, "new.m4r"), 1),
             int(ErrNotFound));
    QVERIFY(!QFile::exists(phone.ringtone("ZZZZ.m4r")));
    QCOMPARE(store.replaceRingtone("/iTunes_Control/Ringtones/BBBB.m4r", local(phone, "new.m4r"), -1),
             int(ErrInvalid));
}

void TestPhoneStore::replaceWaitsForTheSyncLock()
{
    Phone phone;
    phone.seed(true);
    auto holder = makeFolderTransport(phone.rootUtf8());
    QCOMPARE(holder->lock(kSyncLockPath), 0);
    auto transport = makeFolderTransport(phone.rootUtf8());
    PhoneStore store(*transport, quickLock());
    const QByteArray before = readAll(phone.ringtone("CCCC.m4r"));
    QCOMPARE(store.copyToDevice("/iTunes_Control/Ringtones/CCCC.m4r", local(phone, "new.m4r")), int(ErrBusy));
    QCOMPARE(store.replaceRingtone("/iTunes_Control/Ringtones/CCCC.m4r", local(phone, "new.m4r"), 5),
             int(ErrBusy));
    QCOMPARE(readAll(phone.ringtone("CCCC.m4r")), before);
    QCOMPARE(ringtoneFiles(phone), 3);
    holder->unlock();
    QCOMPARE(store.copyToDevice("/iTunes_Control/Ringtones/CCCC.m4r", local(phone, "new.m4r")), 0);
}

void TestPhoneStore::lengthsFollowTheListing()
{
    Phone phone;
    phone.seed(true);
    auto transport = makeFolderTransport(phone.rootUtf8());
    PhoneStore store(*transport);
    int length = -1;
    QCOMPARE(store.getRingtoneInfo(2, length), 0);
    QCOMPARE(length, 3000);
    QCOMPARE(store.removeRingtone(0), 0);
    QCOMPARE(store.addRingtone(local(phone, "new.m4r"), 1187), 2);
    // The caller's listing, with its own changes, before and after the commit.
    for (int pass = 0; pass < 2; ++pass) {
        QCOMPARE(store.getRingtoneInfo(0, length), 0);
        QCOMPARE(length, 2000);
        QCOMPARE(store.getRingtoneInfo(2, length), 0);
        QCOMPARE(length, 1187);
        QCOMPARE(store.getRingtoneInfo(3, length), int(ErrNotFound));
        QCOMPARE(store.commitChanges(), 0);
    }
    writeAll(phone.path(kCataloguePath), "damaged");
    std::string name, file;
    QCOMPARE(store.getRingtone(0, name, file), int(ErrDamaged));
    QCOMPARE(store.getRingtoneInfo(0, length), int(ErrDamaged));
}

void TestPhoneStore::savingKeepsTheUsersFiles()
{
    Phone phone;
    phone.seed(true);
    auto transport = makeFolderTransport(phone.rootUtf8());
    PhoneStore store(*transport);
    // Files of the user's beside the target, named as a temporary file might be.
    writeAll(phone.local("Bell.m4r.part"), "the user's own");
    writeAll(phone.local("Bell.m4r"), "an older Bell");
    QCOMPARE(store.copyFromDevice("/iTunes_Control/Ringtones/BBBB.m4r", local(phone, "Bell.m4r")), 0);
    QCOMPARE(readAll(phone.local("Bell.m4r")), QByteArray(101, 'b'));
    QCOMPARE(readAll(phone.local("Bell.m4r.part")), QByteArray("the user's own"));
    QCOMPARE(QDir(phone.dir.path()).entryList({QStringLiteral("Bell*")}, QDir::Files | QDir::Hidden),
             (QStringList{"Bell.m4r", "Bell.m4r.part"}));
    QCOMPARE(store.copyFromDevice("/iTunes_Control/Ringtones/BBBB.m4r", local(phone, "missing/Bell.m4r")),
             int(ErrNotFound));
    QCOMPARE(store.copyFromDevice("/iTunes_Control/Ringtones/BBBB.m4r", local(phone, "Bell.m4r.part/x")),
             int(ErrNotFound));
    QCOMPARE(readAll(phone.local("Bell.m4r.part")), QByteArray("the user's own"));
}

namespace {

// The phone, with another writer that ignores the sync lock: it adds a
// ringtone of its own each time a commit has written its new catalogue
// beside the old one, up to a number of times.
class MeddlingTransport final : public Transport
{
public:
    MeddlingTransport(const Phone &phone, int times)
        : inner(makeFolderTransport(phone.rootUtf8()))
        , phone(phone)
        , timesLeft(times)
    {
    }
    int read(const std::string &path, std::string &data) override { return inner->read(path, data); }
    int write(const std::string &path, std::string_view data) override
    {
        const int result = inner->write(path, data);
        if (path == std::string(kCataloguePath) + ".part" && timesLeft > 0) {
            --timesLeft;
            auto catalogue = Catalogue::parse(readAll(phone.path(kCataloguePath)).toStdString());
            const std::string file = "MED" + std::to_string(meddled) + ".m4r";
            catalogue->add(file, "Meddler " + std::to_string(meddled), "FFFF00000000000" + std::to_string(meddled),
                           1, 1);
            writeAll(phone.ringtone(file), "meddler");
            writeAll(phone.path(kCataloguePath), QByteArray::fromStdString(catalogue->serialize()));
            ++meddled;
        }
        return result;
    }
    int rename(const std::string &from, const std::string &to) override { return inner->rename(from, to); }
    int remove(const std::string &path) override { return inner->remove(path); }
    int list(const std::string &folder, std::vector<std::string> &names) override
    {
        return inner->list(folder, names);
    }
    int makeFolder(const std::string &path) override { return inner->makeFolder(path); }
    int lock(const std::string &path) override { return inner->lock(path); }
    void unlock() override { inner->unlock(); }
    void notify(const char *name) override { inner->notify(name); }

    int meddled = 0;

private:
    std::unique_ptr<Transport> inner;
    const Phone &phone;
    int timesLeft;
};

} // namespace

void TestPhoneStore::phoneLeavingIsSaidSo()
{
    // The simulated phone leaves with its folder, between the listing and
    // each change: every operation says so, and none brings the folder back.
    Phone phone;
    phone.seed(true);
    auto transport = makeFolderTransport(phone.rootUtf8());
    PhoneStore store(*transport, quickLock());
    QCOMPARE(list(store), 0);
    QVERIFY(store.addRingtone(local(phone, "new.m4r"), 1000) >= 0);
    QCOMPARE(store.renameRingtone(0, "x"), 0);
    QVERIFY(QDir(phone.root).removeRecursively());
    QCOMPARE(store.commitChanges(), int(ErrNoPhone));
    QCOMPARE(store.addRingtone(local(phone, "new.m4r"), 1000), int(ErrNoPhone));
    QCOMPARE(store.removeRingtone(0), int(ErrNoPhone));
    QCOMPARE(store.replaceRingtone("/iTunes_Control/Ringtones/AAAA.m4r", local(phone, "new.m4r"), 1),
             int(ErrNoPhone));
    QCOMPARE(store.copyFromDevice("/iTunes_Control/Ringtones/AAAA.m4r", local(phone, "saved.m4r")),
             int(ErrNoPhone));
    std::string name, file;
    QCOMPARE(store.getRingtone(0, name, file), int(ErrNoPhone));
    QVERIFY(!QFile::exists(phone.root));
    QVERIFY(!QFile::exists(phone.local("saved.m4r")));
}

void TestPhoneStore::writerIgnoringTheLock_data()
{
    QTest::addColumn<int>("times");
    QTest::addColumn<int>("result");
    QTest::newRow("once: the change goes onto what it wrote") << 1 << 0;
    QTest::newRow("at every try: the change gives way") << 100 << int(ErrBusy);
}

void TestPhoneStore::writerIgnoringTheLock()
{
    QFETCH(int, times);
    QFETCH(int, result);
    Phone phone;
    phone.seed(true);
    MeddlingTransport transport(phone, times);
    PhoneStore store(transport, quickLock());
    QCOMPARE(list(store), 0);
    QCOMPARE(store.renameRingtone(0, "Renamed"), 0);
    QVERIFY(store.addRingtone(local(phone, "new.m4r"), 1000) >= 0);
    QCOMPARE(store.commitChanges(), result);

    const Snapshot shot = phone.snapshot();
    QCOMPARE(shot.dangling, 0);
    QVERIFY(transport.meddled >= 1);
    std::vector<std::string> expected = {result == 0 ? "Renamed" : "Alpha", "Bravo", "Charlie"};
    for (int i = 0; i < transport.meddled; ++i)
        expected.push_back("Meddler " + std::to_string(i));
    if (result == 0)
        expected.push_back("new");
    QCOMPARE(names(shot), expected);
    QCOMPARE(ringtoneFiles(phone), int(expected.size()));
}

QTEST_GUILESS_MAIN(TestPhoneStore)
#include "tst_phonestore.moc"
