// The real-phone backend as far as a machine without a phone allows: its
// pure parts, and that with no usbmuxd it reports no phone, quickly.
#include "backend.h"
#include "transport.h"
#include "usbphone.h"

#include <libimobiledevice/afc.h>
#include <libimobiledevice/libimobiledevice.h>
#include <libimobiledevice/lockdown.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <thread>

using namespace tqbridge;

namespace {

class RecordingHost final : public BackendHost
{
public:
    void attach(std::unique_ptr<Transport>) override { events.push_back("connect"); }
    void detach() override { events.push_back("disconnect"); }
    bool attached() const override { return false; }
    void sendEvent(const char *text) override { events.push_back(text); }
    std::vector<std::string> events;
};

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
    void noUsbmuxdMeansNoPhone();
};

void TestUsbBackend::lockdownErrors_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("outcome");
    const int connected = int(LockdownOutcome::Connected), failed = int(LockdownOutcome::InitFailed),
              retry = int(LockdownOutcome::Retry);
    QTest::newRow("success") << int(LOCKDOWN_E_SUCCESS) << connected;
    QTest::newRow("trust dialog pending") << int(LOCKDOWN_E_PAIRING_DIALOG_RESPONSE_PENDING) << failed;
    QTest::newRow("user denied") << int(LOCKDOWN_E_USER_DENIED_PAIRING) << failed;
    QTest::newRow("passcode") << int(LOCKDOWN_E_PASSWORD_PROTECTED) << failed;
    QTest::newRow("not paired") << int(LOCKDOWN_E_INVALID_HOST_ID) << failed;
    QTest::newRow("pairing failed") << int(LOCKDOWN_E_PAIRING_FAILED) << failed;
    QTest::newRow("ssl") << int(LOCKDOWN_E_SSL_ERROR) << failed;
    QTest::newRow("mux error") << int(LOCKDOWN_E_MUX_ERROR) << retry;
    QTest::newRow("timeout") << int(LOCKDOWN_E_RECEIVE_TIMEOUT) << retry;
    QTest::newRow("unknown") << int(LOCKDOWN_E_UNKNOWN_ERROR) << retry;
}

void TestUsbBackend::lockdownErrors()
{
    QFETCH(int, error);
    QFETCH(int, outcome);
    QCOMPARE(int(lockdownOutcome(error)), outcome);
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
    QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
}

QTEST_GUILESS_MAIN(TestUsbBackend)
#include "tst_usbbackend.moc"
