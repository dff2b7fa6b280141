// The bridge's thread at the end of the program: one call to a phone that
// stopped answering can last many seconds (each usbmuxd receive waits 5 s),
// and closing the program must not wait for it.
#include "bridge.h"
#include "transport.h"

#include <QElapsedTimer>
#include <QTest>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

using namespace tqbridge;

namespace {

// Holds whoever enters until the test opens it.
class Gate
{
public:
    void pass()
    {
        std::unique_lock lock(mutex);
        ++waiting;
        changed.notify_all();
        changed.wait(lock, [this] { return open; });
    }
    void release()
    {
        std::lock_guard lock(mutex);
        open = true;
        changed.notify_all();
    }
    bool someoneWaits()
    {
        std::lock_guard lock(mutex);
        return waiting > 0;
    }

private:
    std::mutex mutex;
    std::condition_variable changed;
    bool open = false;
    int waiting = 0;
};

enum class Stuck { Nowhere, InPoll, InShutdown };

struct Record
{
    std::atomic<bool> backendGone{false};
    std::atomic<bool> goneOnBridgeThread{false};
    std::atomic<bool> phoneClosed{false};
    std::thread::id testThread = std::this_thread::get_id();
};


// A phone that answers nothing: every operation fails, and closing its
// services hangs at the gate when asked to.
class SilentTransport final : public Transport
{
public:
    SilentTransport(std::shared_ptr<Gate> gate, bool hangs, std::shared_ptr<Record> record)
        : gate(std::move(gate))
        , hangs(hangs)
        , record(std::move(record))
    {
    }
    ~SilentTransport() override
    {
        if (hangs)
            gate->pass();
        record->phoneClosed = true;
    }
    int read(const std::string &, std::string &) override { return ErrNoPhone; }
    int write(const std::string &, std::string_view) override { return ErrNoPhone; }
    int rename(const std::string &, const std::string &) override { return ErrNoPhone; }
    int remove(const std::string &) override { return ErrNoPhone; }
    int list(const std::string &, std::vector<std::string> &) override { return ErrNoPhone; }
    int makeFolder(const std::string &) override { return ErrNoPhone; }
    int lock(const std::string &) override { return ErrNoPhone; }
    void unlock() override {}
    void notify(const char *) override {}

private:
    std::shared_ptr<Gate> gate;
    bool hangs;
    std::shared_ptr<Record> record;
};

class StandInBackend final : public Backend
{
public:
    StandInBackend(std::shared_ptr<Gate> gate, Stuck stuck, std::shared_ptr<Record> record)
        : gate(std::move(gate))
        , stuck(stuck)
        , record(std::move(record))
    {
    }
    ~StandInBackend() override
    {
        record->goneOnBridgeThread = std::this_thread::get_id() != record->testThread;
        record->backendGone = true;
    }
    void poll(BackendHost &host) override
    {
        if (stuck == Stuck::InPoll && !polledOnce) {
            // The phone was found, and the handshake hangs.
            polledOnce = true;
            gate->pass();
        }
        if (!host.attached())
            host.attach(std::make_unique<SilentTransport>(gate, stuck == Stuck::InShutdown, record));
    }
    std::chrono::milliseconds period() const override { return std::chrono::milliseconds(50); }

private:
    std::shared_ptr<Gate> gate;
    Stuck stuck;
    std::shared_ptr<Record> record;
    bool polledOnce = false;
};

std::atomic<int> events{0};
int countEvent(int, const char *)
{
    ++events;
    return 0;
}

} // namespace

class TestBridgeStop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void endingNeverWaitsLongForThePhone_data();
    void endingNeverWaitsLongForThePhone();
};

void TestBridgeStop::endingNeverWaitsLongForThePhone_data()
{
    QTest::addColumn<int>("stuck");
    QTest::addColumn<bool>("closed"); // the phone's services closed before the end
    QTest::newRow("phone answers") << int(Stuck::Nowhere) << true;
    QTest::newRow("phone silent in the handshake") << int(Stuck::InPoll) << false;
    QTest::newRow("phone silent while its services close") << int(Stuck::InShutdown) << false;
}

void TestBridgeStop::endingNeverWaitsLongForThePhone()
{
    QFETCH(int, stuck);
    QFETCH(bool, closed);
    auto gate = std::make_shared<Gate>();
    auto record = std::make_shared<Record>();
    auto bridge = std::make_unique<Bridge>([=](std::function<void()>) {
        return std::make_unique<StandInBackend>(gate, Stuck(stuck), record);
    });
    events = 0;
    bridge->setCallback(&countEvent);
    if (Stuck(stuck) == Stuck::InPoll)
        QTRY_VERIFY(gate->someoneWaits());
    else
        QTRY_VERIFY(events > 0); // "connect"

    // What the end of the program does with the process's bridge.
    QElapsedTimer clock;
    clock.start();
    bridge.reset();
    const qint64 waited = clock.elapsed();
    QVERIFY2(waited < 2000, qPrintable(QStringLiteral("waited %1 ms").arg(waited)));
    QCOMPARE(record->phoneClosed.load(), closed);
    if (Stuck(stuck) == Stuck::InShutdown)
        QVERIFY(gate->someoneWaits());

    // The thread left behind ends on its own once the phone answers, on its
    // own memory and without a word to a listener that may be gone.
    const int heard = events;
    gate->release();
    QTRY_VERIFY(record->backendGone && record->phoneClosed);
    QVERIFY(record->goneOnBridgeThread);
    QCOMPARE(events.load(), heard);
}

QTEST_GUILESS_MAIN(TestBridgeStop)
#include "tst_bridgestop.moc"
