// The real-phone backend as far as a machine without a phone allows: its
// pure parts, its decisions against a scripted usbmuxd and phones (which
// phone is taken, which failure is told and when), and the module itself
// with no usbmuxd to talk to.
#include "backend.h"
#include "devicebridge.h"
#include "transport.h"
#include "usbphone.h"

#include <libimobiledevice/afc.h>
#include <libimobiledevice/libimobiledevice.h>
#include <libimobiledevice/lockdown.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QScopeGuard>
#include <QTest>

#include <deque>
#include <thread>

using namespace tqbridge;

namespace {

// Keeps the phone as the bridge does: "disconnect" only for a phone in use.
class RecordingHost final : public BackendHost
{
public:
    void attach(std::unique_ptr<Transport> newTransport) override
    {
        transport = std::move(newTransport);
        events.push_back("connect");
    }
    void detach() override
    {
        if (std::exchange(transport, nullptr))
            events.push_back("disconnect");
    }
    bool attached() const override { return transport != nullptr; }
    void sendEvent(const char *text) override { events.push_back(text); }
    QStringList eventList() const
    {
        QStringList list;
        for (const std::string &event : events)
            list.append(QString::fromStdString(event));
        return list;
    }

    std::vector<std::string> events;
    std::unique_ptr<Transport> transport;
};

// usbmuxd and the phones as a test scripts them: each connection attempt
// takes the next result, and succeeds once the script is used up.
struct Script
{
    std::deque<PhoneFailure> results;
    QStringList tried;
    bool expected = false;
    bool answers = true;
    UsbEventQueue *queue = nullptr;
    QString folder;

    void plug(const char *udid) { queue->push({UsbEvent::Add, udid}); }
    void unplug(const char *udid) { queue->push({UsbEvent::Remove, udid}); }
    void paired(const char *udid) { queue->push({UsbEvent::Paired, udid}); }
};

class ScriptedSystem final : public UsbSystem
{
public:
    explicit ScriptedSystem(Script &script)
        : script(script)
    {
    }
    bool subscribe(UsbEventQueue &queue, std::function<void()>) override
    {
        script.queue = &queue;
        return true;
    }
    bool serviceAnswers() override { return script.answers; }
    bool serviceExpected() override { return script.expected; }
    PhoneFailure connect(const std::string &udid, std::unique_ptr<Transport> &transport) override
    {
        script.tried.append(QString::fromStdString(udid));
        PhoneFailure failure = PhoneFailure::None;
        if (!script.results.empty()) {
            failure = script.results.front();
            script.results.pop_front();
        }
        if (failure == PhoneFailure::None)
            transport = makeFolderTransport(script.folder.toStdString());
        return failure;
    }

private:
    Script &script;
};

struct ScriptedBackend
{
    QTemporaryDir dir;
    Script script;
    std::unique_ptr<Backend> backend;
    RecordingHost host;

    ScriptedBackend()
    {
        script.folder = dir.path();
        backend = makeUsbPhoneBackend([] {}, std::make_unique<ScriptedSystem>(script));
        backend->poll(host); // subscribes
    }
    void poll(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            backend->poll(host);
    }
};

using Failures = QList<int>;

} // namespace

class TestUsbBackend : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lockdownErrors_data();
    void lockdownErrors();
    void afcErrors_data();
    void afcErrors();
    void eventsCrossThreads();
    void failuresAreTold_data();
    void failuresAreTold();
    void unpluggingClearsTheFailure();
    void pairingTriesAgain();
    void nextPhoneIsTaken_data();
    void nextPhoneIsTaken();
    void silentUsbmuxd_data();
    void silentUsbmuxd();
    void iPhoneOnTheBus_data();
    void iPhoneOnTheBus();
    void iPhoneHardwareIds_data();
    void iPhoneHardwareIds();
    void missingModuleIsTold();
    void moduleTellsUsbmuxdIsMissing();
    void noUsbmuxdMeansNoPhone();
};

void TestUsbBackend::lockdownErrors_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("failure");
    QTest::addColumn<QString>("event");
    const QString initFailed = QStringLiteral(DEVICE_EVENT_INIT_FAILED);
    QTest::newRow("success") << int(LOCKDOWN_E_SUCCESS) << int(PhoneFailure::None) << QString();
    QTest::newRow("passcode") << int(LOCKDOWN_E_PASSWORD_PROTECTED) << int(PhoneFailure::Locked)
                              << QStringLiteral(DEVICE_EVENT_LOCKED);
    QTest::newRow("trust dialog pending") << int(LOCKDOWN_E_PAIRING_DIALOG_RESPONSE_PENDING)
                                          << int(PhoneFailure::TrustPending)
                                          << QStringLiteral(DEVICE_EVENT_TRUST_PENDING);
    QTest::newRow("user denied") << int(LOCKDOWN_E_USER_DENIED_PAIRING) << int(PhoneFailure::TrustRefused)
                                 << QStringLiteral(DEVICE_EVENT_TRUST_REFUSED);
    const QString notPaired = QStringLiteral(DEVICE_EVENT_NOT_PAIRED);
    QTest::newRow("pairing forgotten") << int(LOCKDOWN_E_INVALID_HOST_ID) << int(PhoneFailure::NotPaired) << notPaired;
    QTest::newRow("no pair record") << int(LOCKDOWN_E_MISSING_PAIR_RECORD) << int(PhoneFailure::NotPaired)
                                    << notPaired;
    QTest::newRow("pair record rejected") << int(LOCKDOWN_E_INVALID_PAIR_RECORD) << int(PhoneFailure::NotPaired)
                                          << notPaired;
    QTest::newRow("pair record without host") << int(LOCKDOWN_E_INVALID_CONF) << int(PhoneFailure::NotPaired)
                                              << notPaired;
    QTest::newRow("pairing failed") << int(LOCKDOWN_E_PAIRING_FAILED) << int(PhoneFailure::NotPaired) << notPaired;
    QTest::newRow("ssl") << int(LOCKDOWN_E_SSL_ERROR) << int(PhoneFailure::Other) << initFailed;
    QTest::newRow("mux error") << int(LOCKDOWN_E_MUX_ERROR) << int(PhoneFailure::Other) << initFailed;
    QTest::newRow("timeout") << int(LOCKDOWN_E_RECEIVE_TIMEOUT) << int(PhoneFailure::Other) << initFailed;
    QTest::newRow("unknown") << int(LOCKDOWN_E_UNKNOWN_ERROR) << int(PhoneFailure::Other) << initFailed;
}

void TestUsbBackend::lockdownErrors()
{
    QFETCH(int, error);
    QFETCH(int, failure);
    QFETCH(QString, event);
    QCOMPARE(int(failureFromLockdown(error)), failure);
    QCOMPARE(QString::fromLatin1(failureEvent(PhoneFailure(failure))), event);
}

void TestUsbBackend::afcErrors_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("result");
    QTest::newRow("success") << int(AFC_E_SUCCESS) << int(Ok);
    QTest::newRow("not found") << int(AFC_E_OBJECT_NOT_FOUND) << int(ErrNotFound);
    QTest::newRow("full") << int(AFC_E_NO_SPACE_LEFT) << int(ErrNoSpace);
    QTest::newRow("permission") << int(AFC_E_PERM_DENIED) << int(ErrPermission);
    QTest::newRow("lock held") << int(AFC_E_OP_WOULD_BLOCK) << int(ErrBusy);
    QTest::newRow("phone gone") << int(AFC_E_MUX_ERROR) << int(ErrNoPhone);
    QTest::newRow("anything else") << int(AFC_E_IO_ERROR) << int(ErrIo);
}

void TestUsbBackend::afcErrors()
{
    QFETCH(int, error);
    QFETCH(int, result);
    QCOMPARE(resultFromAfcError(error), result);
}

void TestUsbBackend::eventsCrossThreads()
{
    UsbEventQueue queue;
    std::thread usbmuxd([&queue] {
        char udid[] = "00008030-0001";
        queue.push(IDEVICE_DEVICE_ADD, udid, CONNECTION_USBMUXD);
        udid[0] = 'X'; // the library's buffer dies with the callback
        queue.push(IDEVICE_DEVICE_ADD, "wifi-phone", CONNECTION_NETWORK);
        queue.push(IDEVICE_DEVICE_PAIRED, "00008030-0001", CONNECTION_USBMUXD);
        queue.push(IDEVICE_DEVICE_REMOVE, "00008030-0001", CONNECTION_USBMUXD);
        queue.push(IDEVICE_DEVICE_ADD, nullptr, CONNECTION_USBMUXD);
    });
    usbmuxd.join();
    QCOMPARE(queue.take(), (std::vector<UsbEvent>{{UsbEvent::Add, "00008030-0001"},
                                                  {UsbEvent::Paired, "00008030-0001"},
                                                  {UsbEvent::Remove, "00008030-0001"}}));
    QVERIFY(queue.take().empty());
}

void TestUsbBackend::failuresAreTold_data()
{
    QTest::addColumn<Failures>("results");
    QTest::addColumn<int>("polls");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<int>("attempts");
    const auto f = [](PhoneFailure failure) { return int(failure); };
    const QString connect = QStringLiteral(DEVICE_EVENT_CONNECT);
    QTest::newRow("connects") << Failures{} << 3 << QStringList{connect} << 1;
    QTest::newRow("a passing fault stays quiet")
        << Failures{f(PhoneFailure::Other), f(PhoneFailure::Other)} << 5 << QStringList{connect} << 3;
    QTest::newRow("the last try's failure is told, once")
        << Failures{f(PhoneFailure::Other), f(PhoneFailure::Other), f(PhoneFailure::Other)} << 8
        << QStringList{QStringLiteral(DEVICE_EVENT_INIT_FAILED)} << 3;
    QTest::newRow("file service")
        << Failures{f(PhoneFailure::Other), f(PhoneFailure::NoFileService), f(PhoneFailure::NoFileService)} << 8
        << QStringList{QStringLiteral(DEVICE_EVENT_NO_FILE_SERVICE)} << 3;
    QTest::newRow("locked until unlocked")
        << Failures{f(PhoneFailure::Locked), f(PhoneFailure::Locked), f(PhoneFailure::Locked), f(PhoneFailure::Locked)}
        << 8 << QStringList{QStringLiteral(DEVICE_EVENT_LOCKED), connect} << 5;
    QTest::newRow("unlocked, then asks for trust")
        << Failures{f(PhoneFailure::Locked), f(PhoneFailure::TrustPending), f(PhoneFailure::TrustPending)} << 8
        << QStringList{QStringLiteral(DEVICE_EVENT_LOCKED), QStringLiteral(DEVICE_EVENT_TRUST_PENDING), connect} << 4;
    QTest::newRow("trust refused waits for the phone to come again")
        << Failures{f(PhoneFailure::TrustRefused)} << 8 << QStringList{QStringLiteral(DEVICE_EVENT_TRUST_REFUSED)}
        << 1;
    QTest::newRow("pairing lost")
        << Failures{f(PhoneFailure::NotPaired)} << 8 << QStringList{QStringLiteral(DEVICE_EVENT_NOT_PAIRED)} << 1;
}

void TestUsbBackend::failuresAreTold()
{
    QFETCH(Failures, results);
    QFETCH(int, polls);
    QFETCH(QStringList, events);
    QFETCH(int, attempts);
    ScriptedBackend usb;
    for (int result : results)
        usb.script.results.push_back(PhoneFailure(result));
    usb.script.plug("phone");
    usb.poll(polls);
    QCOMPARE(usb.host.eventList(), events);
    QCOMPARE(usb.script.tried.size(), attempts);
}

void TestUsbBackend::unpluggingClearsTheFailure()
{
    ScriptedBackend usb;
    usb.script.results = {PhoneFailure::TrustRefused};
    usb.script.plug("phone");
    usb.poll(2);
    usb.script.unplug("phone");
    usb.poll(2);
    // The window stops showing the refusal and asks for a phone again.
    QCOMPARE(usb.host.eventList(), (QStringList{QStringLiteral(DEVICE_EVENT_TRUST_REFUSED),
                                                QStringLiteral(DEVICE_EVENT_DISCONNECT)}));
    // Plugged in again, it is asked again.
    usb.script.plug("phone");
    usb.poll();
    QCOMPARE(usb.host.eventList().last(), QStringLiteral(DEVICE_EVENT_CONNECT));
}

void TestUsbBackend::pairingTriesAgain()
{
    ScriptedBackend usb;
    usb.script.results = {PhoneFailure::NotPaired};
    usb.script.plug("phone");
    usb.poll(3);
    QCOMPARE(usb.script.tried.size(), 1);
    usb.script.paired("phone");
    usb.poll();
    QCOMPARE(usb.host.eventList(),
             (QStringList{QStringLiteral(DEVICE_EVENT_NOT_PAIRED), QStringLiteral(DEVICE_EVENT_CONNECT)}));
}

void TestUsbBackend::nextPhoneIsTaken_data()
{
    QTest::addColumn<Failures>("results");
    QTest::addColumn<QStringList>("events");
    const QString connect = QStringLiteral(DEVICE_EVENT_CONNECT), disconnect = QStringLiteral(DEVICE_EVENT_DISCONNECT);
    QTest::newRow("the first leaves") << Failures{} << QStringList{connect, disconnect, connect};
    // One that cannot be used does not keep the next one waiting.
    QTest::newRow("the first refuses trust")
        << Failures{int(PhoneFailure::TrustRefused)} << QStringList{QStringLiteral(DEVICE_EVENT_TRUST_REFUSED), connect};
}

void TestUsbBackend::nextPhoneIsTaken()
{
    QFETCH(Failures, results);
    QFETCH(QStringList, events);
    ScriptedBackend usb;
    for (int result : results)
        usb.script.results.push_back(PhoneFailure(result));
    usb.script.plug("first");
    usb.script.plug("second");
    usb.poll(3);
    usb.script.unplug("first");
    usb.poll(3);
    QCOMPARE(usb.host.eventList(), events);
    QCOMPARE(usb.script.tried, (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
    QVERIFY(usb.host.attached());
}

void TestUsbBackend::silentUsbmuxd_data()
{
    QTest::addColumn<bool>("expected");
    QTest::addColumn<bool>("answers");
    QTest::addColumn<QStringList>("events");
    QTest::newRow("no phone on the bus") << false << false << QStringList{};
    QTest::newRow("answers") << true << true << QStringList{};
    QTest::newRow("a phone on the bus, usbmuxd silent")
        << true << false << QStringList{QStringLiteral(DEVICE_EVENT_NO_SERVICE)};
}

void TestUsbBackend::silentUsbmuxd()
{
    QFETCH(bool, expected);
    QFETCH(bool, answers);
    QFETCH(QStringList, events);
    ScriptedBackend usb;
    usb.script.expected = expected;
    usb.script.answers = answers;
    // udev gets a moment to start usbmuxd: nothing told on the first look.
    QVERIFY(usb.host.events.empty());
    usb.poll(8);
    QCOMPARE(usb.host.eventList(), events);
    // Started at last: the window stops asking for it.
    usb.script.answers = true;
    usb.poll();
    if (!events.isEmpty())
        events.append(QStringLiteral(DEVICE_EVENT_DISCONNECT));
    QCOMPARE(usb.host.eventList(), events);
}

void TestUsbBackend::iPhoneOnTheBus_data()
{
    QTest::addColumn<QStringList>("devices");
    QTest::addColumn<bool>("found");
    QTest::newRow("none") << QStringList{} << false;
    QTest::newRow("hubs and a mouse") << QStringList{QStringLiteral("1d6b:0002"), QStringLiteral("046d:c077")}
                                      << false;
    QTest::newRow("an Apple keyboard") << QStringList{QStringLiteral("05ac:024f")} << false;
    QTest::newRow("an iPhone") << QStringList{QStringLiteral("1d6b:0002"), QStringLiteral("05ac:12a8")} << true;
    QTest::newRow("an iPad") << QStringList{QStringLiteral("05ac:12ab")} << true;
}

void TestUsbBackend::iPhoneOnTheBus()
{
    QFETCH(QStringList, devices);
    QFETCH(bool, found);
    QTemporaryDir sys;
    QDir(sys.path()).mkpath(QStringLiteral("usb1")); // a root hub's folder without ids
    for (int i = 0; i < devices.size(); ++i) {
        const QString folder = sys.filePath(QStringLiteral("1-%1").arg(i + 1));
        QDir().mkpath(folder);
        const QStringList ids = devices[i].split(QLatin1Char(':'));
        for (const auto &[name, value] : {std::pair{"idVendor", ids[0]}, std::pair{"idProduct", ids[1]}}) {
            QFile file(folder + QLatin1Char('/') + QLatin1String(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(value.toLatin1() + '\n');
        }
    }
    QCOMPARE(iPhoneOnUsb(sys.path().toStdString()), found);
    QVERIFY(!iPhoneOnUsb(sys.filePath(QStringLiteral("missing")).toStdString()));
}

void TestUsbBackend::iPhoneHardwareIds_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<bool>("phone");

    QTest::newRow("iPhone, with revision") << "USB\\VID_05AC&PID_12A8&REV_1103" << true;
    QTest::newRow("lower case") << "usb\\vid_05ac&pid_12a8" << true;
    QTest::newRow("first product") << "USB\\VID_05AC&PID_1290" << true;
    QTest::newRow("last product") << "USB\\VID_05AC&PID_12AF&MI_00" << true;
    QTest::newRow("below") << "USB\\VID_05AC&PID_128F" << false;
    QTest::newRow("above") << "USB\\VID_05AC&PID_12B0" << false;
    QTest::newRow("another maker") << "USB\\VID_18D1&PID_12A8" << false;
    QTest::newRow("five digits") << "USB\\VID_05AC&PID_12A80" << false;
    QTest::newRow("cut short") << "USB\\VID_05AC&PID_12A" << false;
    QTest::newRow("not hex") << "USB\\VID_05AC&PID_12G8" << false;
    QTest::newRow("empty") << "" << false;
}

void TestUsbBackend::iPhoneHardwareIds()
{
    QFETCH(QString, id);
    QFETCH(bool, phone);
    QCOMPARE(isIPhoneHardwareId(id.toStdString()), phone);
}

void TestUsbBackend::missingModuleIsTold()
{
    QTemporaryDir dir;
    auto backend = makeUsbBackend([] {}, dir.filePath(QStringLiteral("libtonquill_usbphone.so")).toStdString());
    RecordingHost host;
    backend->poll(host);
    QVERIFY(host.events.empty()); // not before its moment
    QTest::qSleep(int(backend->period().count()) + 50);
    backend->poll(host);
    backend->poll(host);
    QCOMPARE(host.eventList(), QStringList{QStringLiteral(DEVICE_EVENT_NO_MODULE)});
}

void TestUsbBackend::moduleTellsUsbmuxdIsMissing()
{
    // The module as the program loads it, pointed at a usbmuxd that is not
    // there: it loads, and says what is missing.
    QTemporaryDir dir;
    qputenv("USBMUXD_SOCKET_ADDRESS", "UNIX:" + QFile::encodeName(dir.filePath(QStringLiteral("usbmuxd"))));
    // Also when a check fails: the next case must find no address.
    const auto unset = qScopeGuard([] { qunsetenv("USBMUXD_SOCKET_ADDRESS"); });
    {
        auto backend = makeUsbBackend([] {}, TQ_USBPHONE_MODULE);
        RecordingHost host;
        QTest::qSleep(int(backend->period().count()) + 50);
        for (int i = 0; i < 5; ++i)
            backend->poll(host);
        QCOMPARE(host.eventList(), QStringList{QStringLiteral(DEVICE_EVENT_NO_SERVICE)});
        // libusbmuxd's thread, trying the address again every second, lets
        // go at once: the program's end waits a second for the whole bridge.
        QElapsedTimer ending;
        ending.start();
        backend.reset();
        QVERIFY2(ending.elapsed() < 500, qPrintable(QString::number(ending.elapsed())));
    }
}

void TestUsbBackend::noUsbmuxdMeansNoPhone()
{
    if (QFile::exists(QStringLiteral("/var/run/usbmuxd")))
        QSKIP("usbmuxd runs here");
    QElapsedTimer timer;
    timer.start();
    {
        auto backend = makeUsbPhoneBackend([] {});
        RecordingHost host;
        for (int i = 0; i < 3; ++i)
            backend->poll(host);
        QVERIFY(host.events.empty());
    }
#ifdef Q_OS_WIN
    // After another case's subscription, left running on Windows (see
    // ~LibimobiledeviceSystem), this case takes some seconds under Wine,
    // spent in libusbmuxd (whose thread pauses a second between its tries);
    // alone it takes milliseconds.
    const qint64 bound = 8000;
#else
    const qint64 bound = 3000;
#endif
    QVERIFY2(timer.elapsed() < bound, qPrintable(QString::number(timer.elapsed())));
}

QTEST_GUILESS_MAIN(TestUsbBackend)
#include "tst_usbbackend.moc"
