#include "ffplay.h"
#include "mediaprobe.h"

#include <QAtomicInt>
#include <QDataStream>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <cmath>
#include <dlfcn.h>
#include <thread>

namespace {

QAtomicInt lastState{-1};
QAtomicInt reports{0};

int recordState(int state, void *user)
{
    if (user == &lastState) {
        lastState.storeRelease(state);
        reports.fetchAndAddOrdered(1);
    }
    return 0;
}

bool moduleLoaded()
{
    void *handle = dlopen(TQ_PLAYER_MODULE, RTLD_NOW | RTLD_NOLOAD);
    if (handle)
        dlclose(handle);
    return handle != nullptr;
}

// One second of a 440 Hz tone, 16-bit mono, 8 kHz.
bool writeTone(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const quint32 rate = 8000, frames = 8000, dataSize = frames * 2;
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataSize);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << rate << rate * 2 << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << dataSize;
    for (quint32 i = 0; i < frames; ++i)
        out << qint16(8000 * std::sin(2 * M_PI * 440 * i / rate));
    return out.status() == QDataStream::Ok;
}

} // namespace

class TestPlayerLoader final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void callsBeforeOpenDoNotLoadThePlayer();
    void probeOnAnotherThread();
    void openLoadsThePlayerAndKeepsEarlierSettings();
};

void TestPlayerLoader::callsBeforeOpenDoNotLoadThePlayer()
{
    // What the window does while it starts.
    QCOMPARE(ffplay_init(), 0);
    QCOMPARE(ffplay_set_callback(&recordState, &lastState), 0);
    QCOMPARE(ffplay_set_volume(1.0), 0);
    QCOMPARE(ffplay_stop(), 0);
    QCOMPARE(ffplay_play(), 0);
    QCOMPARE(ffplay_seek(3.0), 0);
    QCOMPARE(ffplay_get_position(), 0.0);
    QVERIFY(!moduleLoaded());
    QCOMPARE(reports.loadAcquire(), 0);
}

void TestPlayerLoader::probeOnAnotherThread()
{
    // The ringtone manager probes on a worker while the window goes on
    // setting up the player: the module loads there, the player's settings
    // stay with the GUI thread (ThreadSanitizer watches this in its stage).
    QTemporaryDir dir;
    const QByteArray tone = dir.filePath(QStringLiteral("tone.wav")).toUtf8();
    QVERIFY(writeTone(QString::fromUtf8(tone)));
    std::atomic<int> result{1};
    std::atomic<int> asRingtone{-1};
    double seconds = 0.0;
    std::thread worker([&] {
        int ringtone = -1;
        result = tonquill_probe_ringtone(tone.constData(), &seconds, &ringtone);
        asRingtone = ringtone;
    });
    for (int i = 0; i < 200; ++i) {
        ffplay_set_volume(1.0 + i / 1000.0);
        ffplay_fadein(i % 3);
    }
    worker.join();
    QCOMPARE(result.load(), 0);
    QVERIFY(qAbs(seconds - 1.0) < 0.01);
    QCOMPARE(asRingtone.load(), 0); // a WAV is no ringtone as it is
    QVERIFY(moduleLoaded());
    QCOMPARE(ffplay_set_volume(1.0), 0);
}

void TestPlayerLoader::openLoadsThePlayerAndKeepsEarlierSettings()
{
    QTemporaryDir dir;
    const QString tone = dir.filePath(QStringLiteral("tone.wav"));
    QVERIFY(writeTone(tone));

    // A probe on the GUI thread, as in the window.
    double seconds = -1;
    QCOMPARE(tonquill_probe(QByteArray("/no/such/file.mp3").constData(), &seconds) < 0, true);
    QCOMPARE(seconds, 0.0);
    QVERIFY(moduleLoaded());
    QCOMPARE(tonquill_probe(tone.toUtf8().constData(), &seconds), 0);
    QVERIFY(qAbs(seconds - 1.0) < 0.01);

    ffplay_open(tone.toUtf8().constData(), 0, 0);

    // The callback registered before loading reaches the real player.
    ffplay_play();
    QTRY_COMPARE_WITH_TIMEOUT(lastState.loadAcquire(), int(PlayPlaying), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(ffplay_get_position() > 0.05, 5000);
    ffplay_stop();
    QTRY_COMPARE_WITH_TIMEOUT(lastState.loadAcquire(), int(PlayStopped), 5000);
    QCOMPARE(reports.loadAcquire(), 2);
}

QTEST_GUILESS_MAIN(TestPlayerLoader)
#include "tst_playerloader.moc"
