// The bridge's C table on a simulated phone: hot-plugging by creating and
// removing the folder, events from the bridge's own thread, operations
// through the table.
#include "devicebridge.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

std::mutex eventsMutex;
std::vector<std::string> events;
std::thread::id eventThread;

int recordEvent(int kind, const char *text)
{
    std::lock_guard lock(eventsMutex);
    events.push_back(std::to_string(kind) + " " + text);
    eventThread = std::this_thread::get_id();
    return 0;
}

std::vector<std::string> receivedEvents()
{
    std::lock_guard lock(eventsMutex);
    return events;
}

void clearEvents()
{
    std::lock_guard lock(eventsMutex);
    events.clear();
}

// Waits for exactly the one event, then forgets it.
#define EXPECT_EVENT(text)                                                                                   \
    do {                                                                                                     \
        QTRY_COMPARE(receivedEvents(), std::vector<std::string>{text});                                    \
        clearEvents();                                                                                       \
    } while (false)

// A listener that takes its time, as a window's can.
std::atomic<int> slowCalls{0};
std::atomic<bool> slowRunning{false};
int slowListener(int, const char *)
{
    slowRunning = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ++slowCalls;
    slowRunning = false;
    return 0;
}

QString phoneRoot()
{
    return QString::fromLocal8Bit(qgetenv("TONQUILL_SIMULATED_PHONE"));
}

} // namespace

class TestSimulatedPhone : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void noFolderMeansNoPhone();
    void folderComingAndGoingSendsEvents();
    void operationsReachTheFolder();
    void longNamesAreCutSafely();
    void vanishedPhoneFailsEveryOperation();
    void unregisteringWaitsForARunningListener();

private:
    DeviceBridge *bridge = nullptr;
};

void TestSimulatedPhone::initTestCase()
{
    QVERIFY(!phoneRoot().isEmpty());
    QDir(phoneRoot()).removeRecursively();
    QFile::remove(phoneRoot() + QStringLiteral(".sync-log"));
    bridge = createDeviceBridge();
    QVERIFY(bridge);
    QCOMPARE(createDeviceBridge(), bridge);
    char path[260] = "stale";
    QCOMPARE(bridge->queryITunes(path, int(sizeof path)), 0u);
    QCOMPARE(path[0], '\0');
    bridge->setEventCallback(&recordEvent);
}

void TestSimulatedPhone::noFolderMeansNoPhone()
{
    char name[256], file[256];
    QVERIFY(bridge->getRingtone(0, 0, name, 256, file, 256) < 0);
    QVERIFY(bridge->addRingtone(0, "/nonexistent.m4r", 1000) < 0);
    QVERIFY(bridge->commitChanges(0) < 0);
    QTest::qWait(250);
    QVERIFY(receivedEvents().empty());
}

void TestSimulatedPhone::folderComingAndGoingSendsEvents()
{
    QVERIFY(QDir().mkpath(phoneRoot()));
    EXPECT_EVENT("0 connect");
    QVERIFY(eventThread != std::this_thread::get_id());
    QVERIFY(QDir(phoneRoot()).removeRecursively());
    EXPECT_EVENT("0 disconnect");
    QVERIFY(QDir().mkpath(phoneRoot()));
    EXPECT_EVENT("0 connect");
    // A listener that registers late hears about the phone already there.
    bridge->setEventCallback(&recordEvent);
    EXPECT_EVENT("0 connect");
}

void TestSimulatedPhone::operationsReachTheFolder()
{
    const QString local = QDir(phoneRoot()).filePath(QStringLiteral("../Bell tone.m4r"));
    QFile sound(local);
    QVERIFY(sound.open(QIODevice::WriteOnly));
    sound.write("ringtone bytes");
    sound.close();
    QCOMPARE(bridge->addRingtone(0, local.toUtf8().constData(), 1187), 0);
    QCOMPARE(bridge->commitChanges(0), 0);

    char name[256], file[256];
    QCOMPARE(bridge->getRingtone(0, 0, name, 256, file, 256), 0);
    QCOMPARE(QByteArray(name), QByteArray("Bell tone"));
    const QString phonePath = QStringLiteral("/iTunes_Control/Ringtones/") + QString::fromUtf8(file);
    QFile onPhone(phoneRoot() + phonePath);
    QVERIFY(onPhone.open(QIODevice::ReadOnly));
    QCOMPARE(onPhone.readAll(), QByteArray("ringtone bytes"));
    // Windows replaces no file that is still open.
    onPhone.close();
    QVERIFY(bridge->getRingtone(0, 1, name, 256, file, 256) < 0);

    const QString saved = local + QStringLiteral(".saved");
    QCOMPARE(bridge->copyFromDevice(0, phonePath.toUtf8().constData(), saved.toUtf8().constData()), 0);
    QFile savedFile(saved);
    QVERIFY(savedFile.open(QIODevice::ReadOnly));
    QCOMPARE(savedFile.readAll(), QByteArray("ringtone bytes"));

    int length = -1;
    QCOMPARE(bridge->getRingtoneInfo(0, 0, &length), 0);
    QCOMPARE(length, 1187);
    QCOMPARE(bridge->getRingtoneInfo(0, 1, &length), DEVICE_ERR_NOT_FOUND);
    const QString replacement = local + QStringLiteral(".new");
    QFile newSound(replacement);
    QVERIFY(newSound.open(QIODevice::WriteOnly));
    newSound.write("new bytes");
    newSound.close();
    QCOMPARE(bridge->replaceRingtone(0, phonePath.toUtf8().constData(), replacement.toUtf8().constData(), 2500), 0);
    QFile replaced(phoneRoot() + phonePath);
    QVERIFY(replaced.open(QIODevice::ReadOnly));
    QCOMPARE(replaced.readAll(), QByteArray("new bytes"));
    replaced.close(); // Windows removes no file that is still open
    QCOMPARE(bridge->getRingtone(0, 0, name, 256, file, 256), 0);
    QCOMPARE(bridge->getRingtoneInfo(0, 0, &length), 0);
    QCOMPARE(length, 2500);

    QCOMPARE(bridge->renameRingtone(0, 0, "Other"), 0);
    QCOMPARE(bridge->commitChanges(0), 0);
    QCOMPARE(bridge->removeRingtone(0, 0), 0);
    QCOMPARE(bridge->commitChanges(0), 0);
    QVERIFY(bridge->getRingtone(0, 0, name, 256, file, 256) < 0);
    QVERIFY(!QFile::exists(phoneRoot() + phonePath));
    QVERIFY(bridge->removeRingtone(0, 0) < 0);

    QFile log(phoneRoot() + QStringLiteral(".sync-log"));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QCOMPARE(log.readAll().count("syncDidFinish"), 4);
}

void TestSimulatedPhone::longNamesAreCutSafely()
{
    const QString local = QDir(phoneRoot()).filePath(QStringLiteral("../") + QString(100, QChar(0x00e9))
                                                     + QStringLiteral(".m4r"));
    QFile sound(local);
    QVERIFY(sound.open(QIODevice::WriteOnly));
    sound.write("x");
    sound.close();
    QVERIFY(bridge->addRingtone(0, local.toUtf8().constData(), 1) >= 0);
    QCOMPARE(bridge->commitChanges(0), 0);
    char name[9] = {}, file[6] = {};
    QCOMPARE(bridge->getRingtone(0, 0, name, 9, file, 6), 0);
    QCOMPARE(QByteArray(name), QString(4, QChar(0x00e9)).toUtf8()); // 8 bytes and the NUL
    QCOMPARE(qstrlen(file), 5u);
    QVERIFY(bridge->removeRingtone(0, 0) >= 0);
    QCOMPARE(bridge->commitChanges(0), 0);
}

void TestSimulatedPhone::vanishedPhoneFailsEveryOperation()
{
    QVERIFY(QDir(phoneRoot()).removeRecursively());
    EXPECT_EVENT("0 disconnect");
    char name[256], file[256];
    QVERIFY(bridge->getRingtone(0, 0, name, 256, file, 256) < 0);
    QCOMPARE(name[0], '\0');
    QVERIFY(bridge->renameRingtone(0, 0, "x") < 0);
    QVERIFY(bridge->copyToDevice(0, "/iTunes_Control/Ringtones/AAAA.m4r", "/nonexistent") < 0);
}

void TestSimulatedPhone::unregisteringWaitsForARunningListener()
{
    // A window unregisters in its destructor: a call already under way must
    // be over when that returns, and no call may follow.
    QDir(phoneRoot()).removeRecursively();
    bridge->setEventCallback(&slowListener);
    QVERIFY(QDir().mkpath(phoneRoot()));
    QTRY_VERIFY(slowRunning);
    bridge->setEventCallback(nullptr);
    QVERIFY(!slowRunning);
    // The phone left by the test before may also have been announced gone.
    const int calls = slowCalls;
    QVERIFY(calls >= 1);
    QVERIFY(QDir(phoneRoot()).removeRecursively());
    QTest::qWait(600);
    QCOMPARE(slowCalls.load(), calls);
    bridge->setEventCallback(&recordEvent);
}

QTEST_GUILESS_MAIN(TestSimulatedPhone)
#include "tst_simulatedphone.moc"
