// The real-phone module, unchanged, against a fake iPhone on the wire: the
// bridge's table with its real backend (libimobiledevice through usbmuxd's
// protocol, lockdown over TLS, AFC, the notification proxy). Attaching and
// detaching, every ringtone operation checked in the phone's folder and
// catalogue, the sync bracket, a sync lock held elsewhere, each pairing
// state, the answers a real phone may give where we could not check which,
// usbmuxd starting after the program and stopping and starting under it, and
// a sweep of faults at every AFC operation of every operation.
//
// TONQUILL_WIRE_USBMUXD picks where the fake plays usbmuxd: "unix" (a socket
// of its own, the default), "tcp" (127.0.0.1, as on Windows) or "system"
// (/var/run/usbmuxd with no USBMUXD_SOCKET_ADDRESS, only in a private mount
// namespace). The UNIX run starts the other two on the parts that differ.
#include "catalogue.h"
#include "devicebridge.h"
#include "fakephone.h"
#include "phonecheck.h"
#include "phonestore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <set>

using fakephone::Fault;
using fakephone::FakePhone;
using fakephone::Pairing;
using phonecheck::names;
using phonecheck::readAll;
using phonecheck::Snapshot;
using phonecheck::writeAll;

namespace {

// The bridge's events, as its thread sends them.
struct Events
{
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::string> texts;
};

Events &events()
{
    static Events e;
    return e;
}

int onDeviceEvent(int kind, const char *text)
{
    if (kind != 0 || !text)
        return 0;
    {
        std::lock_guard lock(events().mutex);
        events().texts.emplace_back(text);
    }
    events().changed.notify_all();
    return 0;
}

size_t eventMark()
{
    std::lock_guard lock(events().mutex);
    return events().texts.size();
}

std::vector<std::string> eventsSince(size_t mark)
{
    std::lock_guard lock(events().mutex);
    return {events().texts.begin() + qMin(mark, events().texts.size()), events().texts.end()};
}

// Waits for the text among the events sent after mark.
bool waitForEvent(size_t mark, const std::string &text, int timeoutMs = 20000)
{
    std::unique_lock lock(events().mutex);
    return events().changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        for (size_t i = mark; i < events().texts.size(); ++i)
            if (events().texts[i] == text)
                return true;
        return false;
    });
}

std::string lastEvent()
{
    std::lock_guard lock(events().mutex);
    return events().texts.empty() ? std::string() : events().texts.back();
}

std::string joined(const std::vector<std::string> &texts)
{
    std::string all;
    for (const std::string &text : texts)
        all += text + ' ';
    return all;
}

enum class Mux { Unix, Tcp, System };

Mux muxUnderTest()
{
    const QByteArray mux = qgetenv("TONQUILL_WIRE_USBMUXD");
    return mux == "tcp" ? Mux::Tcp : mux == "system" ? Mux::System : Mux::Unix;
}

const char kSystemSocket[] = "/var/run/usbmuxd";
// The tmpfs that otherUsbmuxdAddresses() mounts over /run.
const char kPrivateRun[] = "tonquill-run";

// The system's usbmuxd socket is ours only where no other process sees it:
// on our own tmpfs over /run, mounted in a private mount namespace.
bool runIsPrivate()
{
    QFile mounts(QStringLiteral("/proc/self/mountinfo"));
    if (!mounts.open(QIODevice::ReadOnly))
        return false;
    // "id parent dev root mountpoint options... - type source superoptions";
    // the last mount on /run is the one seen.
    bool ours = false;
    for (const QByteArray &line : mounts.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype dash = fields.indexOf("-");
        if (fields.size() > 4 && fields[4] == "/run" && dash > 0 && dash + 2 < fields.size())
            ours = fields[dash + 1] == "tmpfs" && fields[dash + 2] == kPrivateRun;
    }
    return ours;
}

} // namespace

class TestUsbPhoneWire final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    // First: the program must be looking before usbmuxd starts.
    void usbmuxdStartsLater();
    void usbmuxdRestarts_data();
    void usbmuxdRestarts();
    void otherUsbmuxdAddresses_data();
    void otherUsbmuxdAddresses();
    void attachAndDetach_data();
    void attachAndDetach();
    void everyOperation();
    void syncBracket();
    void lockHeldElsewhere_data();
    void lockHeldElsewhere();
    void pairingStates_data();
    void pairingStates();
    void trustTappedConnects();
    void answersOfARealPhone_data();
    void answersOfARealPhone();
    void droppedServiceConnection();
    void faultSweep_data();
    void faultSweep();
    void sweepTotals();

private:
    QString phonePath(const char *path) const { return phonecheck::phonePath(root, path); }
    QString ringtoneFile(const std::string &file) const { return phonecheck::ringtonePath(root, file); }
    std::string local(const char *name) const { return dir.filePath(QLatin1String(name)).toStdString(); }
    Snapshot snapshot() const { return phonecheck::snapshot(root); }
    // Three ringtones, Alpha, Bravo and Charlie; nothing else in the folder.
    void seed(bool damaged = false);
    void emptyPhone();
    // (Re)connects the phone and waits for the bridge to say so; starts
    // usbmuxd when it is not running.
    bool plugIn();
    bool unplug();
    bool startUsbmuxd();
    // The listing as the manager makes it: a negative result ends it.
    std::vector<std::string> list(int *firstResult = nullptr);

    QTemporaryDir dir;
    QString root;
    Mux mux = Mux::Unix;
    std::unique_ptr<FakePhone> phone;
    DeviceBridge *bridge = nullptr;
    int sweptRuns = 0;
    int sweptViolations = 0;
};

void TestUsbPhoneWire::initTestCase()
{
    QVERIFY(dir.isValid());
    root = dir.filePath(QStringLiteral("phone"));
    mux = muxUnderTest();
    fakephone::Options options;
    options.tcp = mux == Mux::Tcp;
    if (mux == Mux::System) {
        QVERIFY2(runIsPrivate(), "the system's usbmuxd socket only on a private /run");
        QVERIFY2(!QFileInfo::exists(QLatin1String(kSystemSocket)), "a usbmuxd runs here");
        options.socketPath = kSystemSocket;
    }
    phone = std::make_unique<FakePhone>(root.toStdString(), options);
    QVERIFY(phone->listening());
    // On a desktop udev starts usbmuxd only once a phone is plugged in: the
    // program is there first.
    phone->stop();
    if (mux == Mux::System)
        qunsetenv("USBMUXD_SOCKET_ADDRESS");
    else
        qputenv("USBMUXD_SOCKET_ADDRESS", QByteArray::fromStdString(phone->socketAddress()));
    qunsetenv("TONQUILL_SIMULATED_PHONE");
    bridge = createDeviceBridge();
    QVERIFY(bridge);
    bridge->setEventCallback(&onDeviceEvent);
    QVERIFY(writeAll(dir.filePath(QStringLiteral("new.m4r")), QByteArray(300, 'n')));
    QVERIFY(writeAll(dir.filePath(QStringLiteral("two.m4r")), QByteArray(200, 't')));
    QVERIFY(writeAll(dir.filePath(QStringLiteral("Evening Bell.m4r")), QByteArray(70000, 'e')));
}

void TestUsbPhoneWire::cleanupTestCase()
{
    // The bridge lives as long as the process; leave it no phone to talk to,
    // and no listener: once this returns, no event call is under way.
    if (phone)
        unplug();
    if (bridge)
        bridge->setEventCallback(nullptr);
}

void TestUsbPhoneWire::init()
{
    phone->setOptions({});
    phone->setPairing({});
    phone->clearFault();
    phone->holdLock(tqbridge::kSyncLockPath, false);
}

bool TestUsbPhoneWire::plugIn()
{
    if (phone->pluggedIn() && !unplug())
        return false;
    const size_t mark = eventMark();
    phone->plugIn();
    if (!phone->listening() && !startUsbmuxd())
        return false;
    return waitForEvent(mark, DEVICE_EVENT_CONNECT);
}

bool TestUsbPhoneWire::startUsbmuxd()
{
    // libusbmuxd misses a socket made while it sets up its watch of
    // /var/run, microseconds after it lost usbmuxd; a real usbmuxd never
    // comes back that fast.
    if (mux == Mux::System)
        QTest::qWait(200);
    return phone->start();
}

bool TestUsbPhoneWire::unplug()
{
    if (!phone->pluggedIn())
        return true;
    // Only a phone the bridge had taken is announced as gone.
    const bool taken = lastEvent() == DEVICE_EVENT_CONNECT;
    const size_t mark = eventMark();
    phone->unplug();
    return !taken || waitForEvent(mark, DEVICE_EVENT_DISCONNECT);
}

std::vector<std::string> TestUsbPhoneWire::list(int *firstResult)
{
    std::vector<std::string> listed;
    for (int i = 0;; ++i) {
        char name[256] = {};
        char file[256] = {};
        const int result = bridge->getRingtone(0, i, name, 256, file, 256);
        if (i == 0 && firstResult)
            *firstResult = result;
        if (result < 0)
            break;
        listed.emplace_back(name);
    }
    return listed;
}

void TestUsbPhoneWire::seed(bool damaged)
{
    QVERIFY(phonecheck::seed(root, damaged ? phonecheck::Seed::Damaged : phonecheck::Seed::Binary));
}

void TestUsbPhoneWire::emptyPhone()
{
    QDir(phonePath("/iTunes_Control")).removeRecursively();
    QFile::remove(phonePath(tqbridge::kSyncLockPath));
}

// The everyday order: Tonquill runs, then the phone is plugged in and udev
// starts usbmuxd for it. The program finds the usbmuxd that was not there.
void TestUsbPhoneWire::usbmuxdStartsLater()
{
    if (phone->listening())
        QSKIP("usbmuxd was started by an earlier test");
    if (mux == Mux::System) {
        // The module loads a second after the bridge starts.
        QTest::qWait(3000);
    } else {
        // At a given address the silence is told: the module is looking.
        QVERIFY2(waitForEvent(0, DEVICE_EVENT_NO_SERVICE), joined(eventsSince(0)).c_str());
    }
    const size_t mark = eventMark();
    seed();
    phone->plugIn();
    QVERIFY(startUsbmuxd());
    QVERIFY2(waitForEvent(mark, DEVICE_EVENT_CONNECT), joined(eventsSince(0)).c_str());
    QCOMPARE(list(), (std::vector<std::string>{"Alpha", "Bravo", "Charlie"}));
    const std::vector<std::string> sent = eventsSince(0);
    QCOMPARE(std::count(sent.begin(), sent.end(), DEVICE_EVENT_NO_SERVICE), mux == Mux::System ? 0 : 1);
    QCOMPARE(std::count(sent.begin(), sent.end(), DEVICE_EVENT_CONNECT), 1);
}

void TestUsbPhoneWire::usbmuxdRestarts_data()
{
    QTest::addColumn<bool>("replugged");
    QTest::addColumn<int>("outageMs");
    QTest::newRow("idle, back at once") << false << 0;
    QTest::newRow("idle, back after being missed") << false << 6000;
    // usbmuxd -x ends with the last phone, and udev starts it with the next.
    QTest::newRow("replugged, usbmuxd ending and starting with the phone") << true << 1000;
}

// usbmuxd stops under a connected phone and starts again: the phone comes
// back by itself, its ringtones as they were; the outage is told once at
// most. Stops in the middle of a transfer or a listing are in the sweep.
void TestUsbPhoneWire::usbmuxdRestarts()
{
    QFETCH(bool, replugged);
    QFETCH(int, outageMs);
    QVERIFY(plugIn());
    seed();
    const Snapshot before = snapshot();
    QCOMPARE(list(), names(before));

    const size_t mark = eventMark();
    if (replugged)
        phone->unplug();
    phone->stop();
    QVERIFY(waitForEvent(mark, DEVICE_EVENT_DISCONNECT));
    int first = 0;
    list(&first);
    QCOMPARE(first, DEVICE_ERR_NO_PHONE);
    QTest::qWait(outageMs);
    if (replugged)
        phone->plugIn();
    const size_t back = eventMark();
    QVERIFY(startUsbmuxd());
    QVERIFY2(waitForEvent(back, DEVICE_EVENT_CONNECT), joined(eventsSince(mark)).c_str());
    QCOMPARE(list(), names(before));
    const Snapshot after = snapshot();
    QCOMPARE(after.catalogueBytes, before.catalogueBytes);
    QVERIFY(after.ringtones == before.ringtones);

    // Gone, perhaps missed, back: nothing else, nothing twice.
    const std::vector<std::string> sent = eventsSince(mark);
    const auto count = [&sent](const char *text) { return std::count(sent.begin(), sent.end(), text); };
    QVERIFY2(count(DEVICE_EVENT_DISCONNECT) + count(DEVICE_EVENT_NO_SERVICE) + count(DEVICE_EVENT_CONNECT)
                 == std::ptrdiff_t(sent.size()),
             joined(sent).c_str());
    QCOMPARE(count(DEVICE_EVENT_CONNECT), 1);
    QCOMPARE(sent.back(), std::string(DEVICE_EVENT_CONNECT));
    // At a given address a long silence is told, once; the system's socket
    // is silent whenever no phone is on the bus.
    if (mux == Mux::System || outageMs < 5000)
        QVERIFY(count(DEVICE_EVENT_NO_SERVICE) <= 1);
    else
        QCOMPARE(count(DEVICE_EVENT_NO_SERVICE), 1);
}

void TestUsbPhoneWire::otherUsbmuxdAddresses_data()
{
    QTest::addColumn<QString>("where");
    QTest::newRow("TCP") << QStringLiteral("tcp");
    QTest::newRow("the system's socket, no address given") << QStringLiteral("system");
}

// The tests above in a process of their own (the program looks for usbmuxd
// once per process) with usbmuxd on TCP, and at the system's socket in a
// private mount namespace with a tmpfs over /run (root only, as in CI).
void TestUsbPhoneWire::otherUsbmuxdAddresses()
{
    QFETCH(QString, where);
    if (mux != Mux::Unix)
        QSKIP("started from the UNIX socket's run");
    const QStringList functions = {
        QStringLiteral("usbmuxdStartsLater"), QStringLiteral("usbmuxdRestarts"),
        QStringLiteral("attachAndDetach"),    QStringLiteral("everyOperation"),
        QStringLiteral("faultSweep:save to computer, usbmuxd stops"), QStringLiteral("faultSweep:list, usbmuxd stops"),
    };
    QString program = QCoreApplication::applicationFilePath();
    QStringList arguments = functions;
    if (where == QLatin1String("system")) {
        if (::geteuid() != 0)
            QSKIP("a private mount namespace needs root");
        const QString unshare = QStandardPaths::findExecutable(QStringLiteral("unshare"));
        if (unshare.isEmpty())
            QSKIP("no unshare (util-linux)");
        const QStringList privateRun = {
            QStringLiteral("--mount"), QStringLiteral("--propagation"), QStringLiteral("private"),
            QStringLiteral("sh"),      QStringLiteral("-c"),
            QStringLiteral("mount -t tmpfs %1 /run && exec \"$0\" \"$@\"").arg(QLatin1String(kPrivateRun)),
        };
        // Containers may refuse a mount namespace or the mount even to root.
        if (QProcess::execute(unshare, privateRun + QStringList{QStringLiteral("true")}) != 0)
            QSKIP("no private mount namespace with a /run of its own here");
        arguments = privateRun + QStringList{program} + functions;
        program = unshare;
    }
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TONQUILL_WIRE_USBMUXD"), where);
    environment.remove(QStringLiteral("USBMUXD_SOCKET_ADDRESS"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(program, arguments);
    QVERIFY(child.waitForStarted());
    const bool ended = child.waitForFinished(10 * 60 * 1000);
    if (!ended)
        child.kill();
    const QByteArray output = child.readAll();
    const QString tail = QString::fromLocal8Bit(output.right(6000));
    QVERIFY2(ended && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, qPrintable(tail));
    // Every test ran: none skipped its way to a pass.
    QVERIFY2(output.contains("PASS   : TestUsbPhoneWire::usbmuxdStartsLater()"), qPrintable(tail));
    QVERIFY2(output.contains(", 0 failed, 0 skipped"), qPrintable(tail));
}

void TestUsbPhoneWire::attachAndDetach_data()
{
    QTest::addColumn<bool>("tls");
    QTest::newRow("TLS session") << true;
    QTest::newRow("plain session") << false;
}

void TestUsbPhoneWire::attachAndDetach()
{
    QFETCH(bool, tls);
    QVERIFY(unplug());
    fakephone::Options options;
    options.sessionSsl = tls;
    phone->setOptions(options);
    emptyPhone();
    int first = 0;
    list(&first);
    QCOMPARE(first, DEVICE_ERR_NO_PHONE);

    phone->clearJournal();
    size_t mark = eventMark();
    phone->plugIn();
    QVERIFY(waitForEvent(mark, DEVICE_EVENT_CONNECT));
    QCOMPARE(eventsSince(mark), std::vector<std::string>{DEVICE_EVENT_CONNECT});
    // The handshake's session starts AFC and the notification proxy both, and
    // every session started is stopped.
    const std::vector<std::string> seen = phone->journal();
    QVERIFY(std::count(seen.begin(), seen.end(), "session:start") >= 1);
    QCOMPARE(std::count(seen.begin(), seen.end(), "session:stop"),
             std::count(seen.begin(), seen.end(), "session:start"));
    QVERIFY(std::count(seen.begin(), seen.end(), "service:com.apple.afc") == 1);
    QVERIFY(std::count(seen.begin(), seen.end(), "service:com.apple.mobile.notification_proxy") == 1);

    // A phone without ringtones lists nothing, and that is not a failure.
    QVERIFY(list(&first).empty());
    QCOMPARE(first, DEVICE_ERR_NOT_FOUND);

    mark = eventMark();
    phone->unplug();
    QVERIFY(waitForEvent(mark, DEVICE_EVENT_DISCONNECT));
    QCOMPARE(eventsSince(mark), std::vector<std::string>{DEVICE_EVENT_DISCONNECT});
    list(&first);
    QCOMPARE(first, DEVICE_ERR_NO_PHONE);
    QCOMPARE(bridge->addRingtone(0, local("new.m4r").c_str(), 1000), DEVICE_ERR_NO_PHONE);

    // And back.
    QVERIFY(plugIn());
    QVERIFY(list(&first).empty());
    QCOMPARE(first, DEVICE_ERR_NOT_FOUND);
}

void TestUsbPhoneWire::everyOperation()
{
    QVERIFY(plugIn());
    emptyPhone();

    // Export: one ringtone and one commit, onto a phone that has no ringtone
    // folder and no catalogue yet.
    QVERIFY(bridge->addRingtone(0, local("Evening Bell.m4r").c_str(), 1187) >= 0);
    QVERIFY(bridge->commitChanges(0) >= 0);
    Snapshot shot = snapshot();
    QVERIFY(shot.parses);
    QCOMPARE(names(shot), std::vector<std::string>{"Evening Bell"});
    QCOMPARE(shot.ringtones.begin()->second.bytes, QByteArray(70000, 'e'));
    QCOMPARE(list(), std::vector<std::string>{"Evening Bell"});
    const std::string bellFile = shot.ringtones.begin()->first;

    // Add three in one go.
    for (const char *file : {"new.m4r", "two.m4r", "new.m4r"})
        QVERIFY(bridge->addRingtone(0, local(file).c_str(), 2000) >= 0);
    QVERIFY(bridge->commitChanges(0) >= 0);
    QCOMPARE(list(), (std::vector<std::string>{"Evening Bell", "new", "two", "new"}));
    shot = snapshot();
    QCOMPARE(names(shot), (std::vector<std::string>{"Evening Bell", "new", "two", "new"}));
    QCOMPARE(shot.dangling, 0);
    // Every file in the folder has its entry: no temporary names are left.
    QStringList files = QDir(ringtoneFile({})).entryList(QDir::Files);
    QCOMPARE(files.size(), 4);

    // Rename the second, with the characters the phone keeps escaped.
    QCOMPARE(list().size(), size_t(4));
    QVERIFY(bridge->renameRingtone(0, 1, "x&lt;y&gt;") >= 0);
    QVERIFY(bridge->commitChanges(0) >= 0);
    QCOMPARE(names(snapshot()), (std::vector<std::string>{"Evening Bell", "x&lt;y&gt;", "two", "new"}));

    // Remove the third: its file goes too.
    list();
    std::string twoFile;
    for (const auto &[file, ringtone] : snapshot().ringtones)
        if (ringtone.name == "two")
            twoFile = file;
    QVERIFY(bridge->removeRingtone(0, 2) >= 0);
    QVERIFY(bridge->commitChanges(0) >= 0);
    shot = snapshot();
    QCOMPARE(names(shot), (std::vector<std::string>{"Evening Bell", "x&lt;y&gt;", "new"}));
    QVERIFY(!QFile::exists(ringtoneFile(twoFile)));
    QCOMPARE(QDir(ringtoneFile({})).entryList(QDir::Files).size(), 3);

    // Replace the first one's sound.
    const std::string phoneFile = tqbridge::kRingtoneFolder + bellFile;
    QVERIFY(bridge->copyToDevice(0, phoneFile.c_str(), local("two.m4r").c_str()) >= 0);
    QCOMPARE(readAll(ringtoneFile(bellFile)), QByteArray(200, 't'));
    QCOMPARE(names(snapshot()).front(), std::string("Evening Bell"));

    // Save it to the computer (several AFC reads: bigger than one).
    QVERIFY(bridge->copyToDevice(0, phoneFile.c_str(), local("Evening Bell.m4r").c_str()) >= 0);
    const std::string saved = local("saved.m4r");
    QVERIFY(bridge->copyFromDevice(0, phoneFile.c_str(), saved.c_str()) >= 0);
    QCOMPARE(readAll(QString::fromStdString(saved)), QByteArray(70000, 'e'));
    QFile::remove(QString::fromStdString(saved));

    // A ringtone the phone does not have.
    QVERIFY(bridge->copyFromDevice(0, "/iTunes_Control/Ringtones/NONE.m4r", saved.c_str()) < 0);
    QVERIFY(!QFile::exists(QString::fromStdString(saved)));
}

void TestUsbPhoneWire::syncBracket()
{
    QVERIFY(plugIn());
    seed();
    list();
    phone->clearJournal();
    QVERIFY(bridge->addRingtone(0, local("new.m4r").c_str(), 1000) >= 0);
    QVERIFY(bridge->commitChanges(0) >= 0);
    // Notifications get no answer: the last may arrive after the call returns.
    const std::string finished = std::string("post:") + tqbridge::kSyncDidFinish;
    const auto posted = [this, &finished] {
        const std::vector<std::string> seen = phone->journal();
        return std::count(seen.begin(), seen.end(), finished);
    };
    QTRY_COMPARE(posted(), 1);

    // The bracket around the change of the catalogue, in a sync's order.
    const std::string lock = std::string(tqbridge::kSyncLockPath);
    QStringList bracket;
    for (const std::string &line : phone->journal()) {
        if (line.rfind("post:", 0) == 0 || line == "lock:" + lock || line == "unlock:" + lock)
            bracket << QString::fromStdString(line);
        else if (line.rfind("rename:", 0) == 0 && line.find(tqbridge::kCataloguePath) != std::string::npos)
            bracket << QStringLiteral("catalogue");
    }
    const QString post = QStringLiteral("post:");
    const QString held = QString::fromStdString(lock);
    const QStringList expected = {
        post + QLatin1String(tqbridge::kSyncWillStart), QStringLiteral("lock:") + held,
        post + QLatin1String(tqbridge::kSyncDidStart),  QStringLiteral("catalogue"),
        post + QLatin1String(tqbridge::kSyncDidFinish), QStringLiteral("unlock:") + held,
    };
    QVERIFY2(bracket == expected, qPrintable(bracket.join(QLatin1Char(' '))));
}

void TestUsbPhoneWire::lockHeldElsewhere_data()
{
    QTest::addColumn<quint64>("status");
    QTest::newRow("would block") << quint64(fakephone::kAfcWouldBlock);
    QTest::newRow("object busy") << quint64(fakephone::kAfcObjectBusy);
}

void TestUsbPhoneWire::lockHeldElsewhere()
{
    QFETCH(quint64, status);
    fakephone::Options options;
    options.heldLockStatus = status;
    phone->setOptions(options);
    QVERIFY(plugIn());
    seed();
    const Snapshot before = snapshot();
    list();
    phone->holdLock(tqbridge::kSyncLockPath, true);
    QElapsedTimer waited;
    waited.start();
    QVERIFY(bridge->addRingtone(0, local("new.m4r").c_str(), 1000) >= 0);
    QCOMPARE(bridge->commitChanges(0), DEVICE_ERR_BUSY);
    // A bounded wait, then its own failure; the catalogue is untouched.
    QVERIFY2(waited.elapsed() < 10000, qPrintable(QString::number(waited.elapsed())));
    QCOMPARE(snapshot().catalogueBytes, before.catalogueBytes);
    const std::vector<std::string> seen = phone->journal();
    QVERIFY(std::count(seen.begin(), seen.end(), "busy:" + std::string(tqbridge::kSyncLockPath)) >= 1);

    // Once the other program lets go, the same change goes through.
    phone->holdLock(tqbridge::kSyncLockPath, false);
    list();
    QVERIFY(bridge->addRingtone(0, local("new.m4r").c_str(), 1000) >= 0);
    QVERIFY(bridge->commitChanges(0) >= 0);
    QCOMPARE(names(snapshot()), (std::vector<std::string>{"Alpha", "Bravo", "Charlie", "new"}));
}

void TestUsbPhoneWire::pairingStates_data()
{
    QTest::addColumn<bool>("hostHasRecord");
    QTest::addColumn<QString>("pairError");
    QTest::addColumn<QString>("sessionError");
    QTest::addColumn<QString>("event");
    const QString locked = QStringLiteral(DEVICE_EVENT_LOCKED);
    const QString notPaired = QStringLiteral(DEVICE_EVENT_NOT_PAIRED);
    QTest::newRow("locked with a passcode") << true << QString() << QStringLiteral("PasswordProtected") << locked;
    QTest::newRow("Trust not answered yet") << false << QStringLiteral("PairingDialogResponsePending") << QString()
                                            << QStringLiteral(DEVICE_EVENT_TRUST_PENDING);
    QTest::newRow("trust refused") << false << QStringLiteral("UserDeniedPairing") << QString()
                                   << QStringLiteral(DEVICE_EVENT_TRUST_REFUSED);
    QTest::newRow("locked while pairing") << false << QStringLiteral("PasswordProtected") << QString() << locked;
    QTest::newRow("phone lost its pair record") << true << QString() << QStringLiteral("InvalidHostID") << notPaired;
    QTest::newRow("pair record rejected") << true << QString() << QStringLiteral("InvalidPairRecord") << notPaired;
}

void TestUsbPhoneWire::pairingStates()
{
    QFETCH(bool, hostHasRecord);
    QFETCH(QString, pairError);
    QFETCH(QString, sessionError);
    QFETCH(QString, event);
    QVERIFY(unplug());
    phone->setPairing({hostHasRecord, pairError.toStdString(), sessionError.toStdString()});
    const size_t mark = eventMark();
    phone->plugIn();
    QVERIFY2(waitForEvent(mark, event.toStdString(), 30000),
             qPrintable(QString::number(eventsSince(mark).size())));
    QTest::qWait(300);
    // Told once, never connected.
    const std::vector<std::string> sent = eventsSince(mark);
    std::string seen;
    for (const std::string &text : sent)
        seen += text + ' ';
    QVERIFY2(sent == std::vector<std::string>{event.toStdString()}, seen.c_str());
    int first = 0;
    list(&first);
    QCOMPARE(first, DEVICE_ERR_NO_PHONE);
    // The failure told leaves with the phone.
    const size_t beforeUnplug = eventMark();
    QVERIFY(unplug());
    QVERIFY(waitForEvent(beforeUnplug, DEVICE_EVENT_DISCONNECT));
}

void TestUsbPhoneWire::trustTappedConnects()
{
    QVERIFY(unplug());
    phone->setPairing({false, "PairingDialogResponsePending", {}});
    size_t mark = eventMark();
    phone->plugIn();
    QVERIFY(waitForEvent(mark, DEVICE_EVENT_TRUST_PENDING, 30000));
    // The user taps Trust: usbmuxd saves the record and says "Paired".
    mark = eventMark();
    phone->trust();
    QVERIFY(waitForEvent(mark, DEVICE_EVENT_CONNECT));
    int first = 0;
    list(&first);
    QVERIFY(first != DEVICE_ERR_NO_PHONE);
}

void TestUsbPhoneWire::answersOfARealPhone_data()
{
    QTest::addColumn<quint64>("missingStatus");
    QTest::addColumn<bool>("makesParents");
    for (quint64 missing : {fakephone::kAfcNotFound, fakephone::kAfcReadError})
        for (bool parents : {true, false})
            QTest::addRow("missing path %d, mkdir %s parents", int(missing), parents ? "makes" : "does not make")
                << missing << parents;
}

// Whichever of these a real phone answers, the first ringtone onto a phone
// with no ringtone folder or catalogue arrives, and an empty phone lists as
// empty rather than failed.
void TestUsbPhoneWire::answersOfARealPhone()
{
    QFETCH(quint64, missingStatus);
    QFETCH(bool, makesParents);
    fakephone::Options options;
    options.missingPathStatus = missingStatus;
    options.makeFolderCreatesParents = makesParents;
    phone->setOptions(options);
    QVERIFY(plugIn());
    emptyPhone();
    int first = 0;
    QVERIFY(list(&first).empty());
    QCOMPARE(first, DEVICE_ERR_NOT_FOUND);
    QVERIFY(bridge->addRingtone(0, local("new.m4r").c_str(), 1000) >= 0);
    QVERIFY(bridge->commitChanges(0) >= 0);
    QCOMPARE(names(snapshot()), std::vector<std::string>{"new"});
    QCOMPARE(list(), std::vector<std::string>{"new"});
    // A ringtone the phone does not have cannot be saved.
    QVERIFY(bridge->copyFromDevice(0, "/iTunes_Control/Ringtones/NONE.m4r", local("none.m4r").c_str()) < 0);
}

// The phone stays, but its file service connection closes (the service
// restarted): the operation under way fails, and the bridge finds its way
// back without the user unplugging the phone.
void TestUsbPhoneWire::droppedServiceConnection()
{
    QVERIFY(plugIn());
    seed();
    list();
    phone->injectAfcFault(1, Fault::Drop);
    QVERIFY(bridge->copyFromDevice(0, "/iTunes_Control/Ringtones/AAAA.m4r", local("saved.m4r").c_str()) < 0);
    QVERIFY(phone->faultFired());
    QFile::remove(QString::fromStdString(local("saved.m4r")));
    QTRY_COMPARE_WITH_TIMEOUT(list(), (std::vector<std::string>{"Alpha", "Bravo", "Charlie"}), 15000);
}

namespace {

struct Scenario
{
    const char *name;
    std::function<bool(DeviceBridge *, const std::function<std::string(const char *)> &)> run;
    phonecheck::Change change;
};

bool ok(int result)
{
    return result >= 0;
}

std::vector<Scenario> scenarios()
{
    using Local = std::function<std::string(const char *)>;
    return {
        {"export", [](DeviceBridge *b, const Local &l) {
             const bool added = ok(b->addRingtone(0, l("new.m4r").c_str(), 1187));
             return ok(b->commitChanges(0)) && added; }, {.addsOnSuccess = 1}},
        {"add three", [](DeviceBridge *b, const Local &l) {
             bool all = ok(b->addRingtone(0, l("new.m4r").c_str(), 1000));
             all = ok(b->addRingtone(0, l("two.m4r").c_str(), 2000)) && all;
             all = ok(b->addRingtone(0, l("Evening Bell.m4r").c_str(), 3000)) && all;
             return ok(b->commitChanges(0)) && all; }, {.addsOnSuccess = 3}},
        {"rename", [](DeviceBridge *b, const Local &) {
             const bool renamed = ok(b->renameRingtone(0, 0, "x&lt;y"));
             return ok(b->commitChanges(0)) && renamed; }, {.mayRename = {{"AAAA.m4r", "x&lt;y"}}}},
        {"remove", [](DeviceBridge *b, const Local &) {
             const bool removed = ok(b->removeRingtone(0, 1));
             return ok(b->commitChanges(0)) && removed; }, {.mayRemove = {"BBBB.m4r"}}},
        {"replace", [](DeviceBridge *b, const Local &l) {
             return ok(b->copyToDevice(0, "/iTunes_Control/Ringtones/CCCC.m4r", l("Evening Bell.m4r").c_str())); },
         {.mayReplace = {{"CCCC.m4r", QByteArray(70000, 'e')}}}},
        {"save to computer", [](DeviceBridge *b, const Local &l) {
             return ok(b->copyFromDevice(0, "/iTunes_Control/Ringtones/BBBB.m4r", l("saved.m4r").c_str())); },
         {.savesFrom = "BBBB.m4r"}},
        {"list", [](DeviceBridge *b, const Local &) {
             char name[256], file[256];
             int count = 0;
             while (ok(b->getRingtone(0, count, name, 256, file, 256)))
                 ++count;
             return count == 3; }, {}},
    };
}

// The first broken invariant, or an empty string. On a damaged catalogue only
// the operations that leave the catalogue alone may succeed, and none may
// write it.
std::string brokenInvariant(const Snapshot &before, const Snapshot &after, const Scenario &scenario,
                            bool succeeded, bool damaged, const QString &savedPath)
{
    if (damaged) {
        if (after.catalogueBytes != before.catalogueBytes)
            return "a damaged catalogue was written";
        if (succeeded && std::string(scenario.name) != "save to computer" && std::string(scenario.name) != "replace")
            return "a change reported success on a damaged catalogue";
        return {};
    }
    return phonecheck::brokenInvariant(before, after, scenario.change, succeeded, savedPath);
}

const char *faultName(Fault fault)
{
    switch (fault) {
    case Fault::Status: return "fails";
    case Fault::Drop: return "drops";
    case Fault::DropAfter: return "drops after";
    case Fault::Unplug: return "unplugged";
    case Fault::UnplugAfter: return "unplugged after";
    case Fault::UsbmuxdStops: return "usbmuxd stops";
    }
    return "";
}

} // namespace

void TestUsbPhoneWire::faultSweep_data()
{
    QTest::addColumn<int>("scenario");
    QTest::addColumn<int>("fault");
    QTest::addColumn<bool>("damaged");
    const auto all = scenarios();
    for (int i = 0; i < int(all.size()); ++i) {
        const std::string name = all[size_t(i)].name;
        for (Fault fault : {Fault::Status, Fault::Drop, Fault::DropAfter, Fault::Unplug, Fault::UnplugAfter})
            QTest::addRow("%s, %s", name.c_str(), faultName(fault)) << i << int(fault) << false;
        // A second a run (libusbmuxd tries usbmuxd again once a second): in
        // the middle of a transfer either way and of a listing. The other
        // operations lose their connections as when the phone is unplugged.
        if (name == "export" || name == "save to computer" || name == "list")
            QTest::addRow("%s, %s", name.c_str(), faultName(Fault::UsbmuxdStops)) << i << int(Fault::UsbmuxdStops)
                                                                                  << false;
        QTest::addRow("%s, damaged catalogue", name.c_str()) << i << int(Fault::Status) << true;
    }
}

// Each AFC operation of the scenario in turn meets the fault; after every
// run the phone's folder keeps the invariants, and the bridge lists the
// phone again (after plugging it back in when it left, by itself when
// usbmuxd starts again).
void TestUsbPhoneWire::faultSweep()
{
    QFETCH(int, scenario);
    QFETCH(int, fault);
    QFETCH(bool, damaged);
    const Scenario s = scenarios()[size_t(scenario)];
    const auto localFile = [this](const char *name) { return local(name); };
    const QString saved = QString::fromStdString(local("saved.m4r"));

    // The clean run counts the operations and must itself succeed.
    QVERIFY(plugIn());
    seed(damaged);
    QFile::remove(saved);
    list();
    Snapshot before = snapshot();
    const int start = phone->afcOperations();
    const bool cleanResult = s.run(bridge, localFile);
    const int steps = phone->afcOperations() - start;
    std::string broken = brokenInvariant(before, snapshot(), s, cleanResult, damaged, saved);
    QVERIFY2(broken.empty(), broken.c_str());
    if (!damaged)
        QVERIFY(cleanResult);
    QVERIFY(steps > 0);

    int violations = 0;
    for (int k = 1; k <= steps; ++k) {
        if (!phone->pluggedIn() || lastEvent() != DEVICE_EVENT_CONNECT)
            QVERIFY(plugIn());
        seed(damaged);
        QFile::remove(saved);
        list();
        before = snapshot();
        phone->clearJournal();
        phone->injectAfcFault(k, Fault(fault));
        const size_t mark = eventMark();
        const bool succeeded = s.run(bridge, localFile);
        const bool fired = phone->faultFired();
        phone->clearFault();
        broken = brokenInvariant(before, snapshot(), s, succeeded, damaged, saved);
        if (broken.empty() && fired && !succeeded && Fault(fault) != Fault::Status
            && Fault(fault) != Fault::Drop && Fault(fault) != Fault::DropAfter) {
            // The phone left: the bridge says so.
            if (!waitForEvent(mark, DEVICE_EVENT_DISCONNECT, 10000))
                broken = "the phone left unannounced";
        }
        if (broken.empty() && !phone->listening()) {
            const size_t back = eventMark();
            if (!startUsbmuxd() || !waitForEvent(back, DEVICE_EVENT_CONNECT))
                broken = "the phone did not come back when usbmuxd started again";
        }
        if (broken.empty()) {
            // Usable again: the phone plugged back in where it left, the
            // listing reads what the folder holds.
            if (!phone->pluggedIn() && !plugIn())
                broken = "no connection after plugging back in";
        }
        if (broken.empty()) {
            const Snapshot now = snapshot();
            QElapsedTimer waited;
            waited.start();
            int first = 0;
            std::vector<std::string> listed = list(&first);
            while (!damaged && listed != names(now) && waited.elapsed() < 15000) {
                QTest::qWait(100);
                listed = list(&first);
            }
            if (damaged ? first >= 0 : listed != names(now))
                broken = "the bridge does not list the phone again (" + std::to_string(first) + ")";
        }
        if (!broken.empty()) {
            ++violations;
            qWarning("operation %d of %d: %s", k, steps, broken.c_str());
            for (const std::string &event : eventsSince(mark))
                qWarning("  event %s", event.c_str());
            for (const std::string &line : phone->journal())
                qWarning("  the phone saw %s", line.c_str());
        }
        ++sweptRuns;
    }
    sweptViolations += violations;
    qInfo("%s: %d AFC operations swept, %d invariant violations", QTest::currentDataTag(), steps, violations);
    QCOMPARE(violations, 0);
}

void TestUsbPhoneWire::sweepTotals()
{
    qInfo("fault sweep over the wire: %d runs, %d violations", sweptRuns, sweptViolations);
    QVERIFY(sweptRuns > 0);
    QCOMPARE(sweptViolations, 0);
}

QTEST_GUILESS_MAIN(TestUsbPhoneWire)
#include "tst_usbphone_wire.moc"
