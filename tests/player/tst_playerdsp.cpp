// The player's pure pieces: volume limits, the fade-in ramp across buffers,
// the heard-position clock and the sample ring. Gain and saturation on real
// output are checked in tst_player.
#include "playerdsp.h"
#include "samplering.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <vector>

using namespace player;

class TestPlayerDsp final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void volumeIsClamped_data();
    void volumeIsClamped();
    void fadeRampsLinearlyAcrossCalls();
    void fadeOutEndsInSilence_data();
    void fadeOutEndsInSilence();
    void heardPosition_data();
    void heardPosition();
    void ringWrapsAround();
    void ringRefusesOverflow();
    void limiter_data();
    void limiter();
};

void TestPlayerDsp::volumeIsClamped_data()
{
    QTest::addColumn<double>("requested");
    QTest::addColumn<double>("expected");
    QTest::newRow("unchanged") << 1.0 << 1.0;
    QTest::newRow("largest boost") << 5.08 << 5.08;
    QTest::newRow("above the largest") << 9.0 << 5.08;
    QTest::newRow("negative") << -1.0 << 0.0;
    QTest::newRow("not a number keeps the old") << std::numeric_limits<double>::quiet_NaN() << 0.7;
}

void TestPlayerDsp::volumeIsClamped()
{
    QFETCH(double, requested);
    QFETCH(double, expected);
    QCOMPARE(sanitizeVolume(requested, 0.7), expected);
}

void TestPlayerDsp::fadeRampsLinearlyAcrossCalls()
{
    // Four frames of a ten-frame fade, then the rest in a second call: the
    // ramp continues where the first call left it.
    std::vector<float> first(4 * 2, 1.0f);
    std::vector<float> second(8 * 2, 1.0f);
    int64_t done = applyGain(first.data(), 4, 2, 1.0, 0, 10);
    QCOMPARE(done, int64_t(4));
    done = applyGain(second.data(), 8, 2, 1.0, done, 10);
    QCOMPARE(done, int64_t(10));
    QCOMPARE(first[0], 0.0f);
    QCOMPARE(first[1], 0.0f);
    QCOMPARE(first[2], 0.1f);
    QCOMPARE(first[6], 0.3f);
    QCOMPARE(second[0], 0.4f);
    QCOMPARE(second[10], 0.9f);
    QCOMPARE(second[12], 1.0f); // frame 6 of the second call: the fade is over
    QCOMPARE(second[15], 1.0f);
}

void TestPlayerDsp::fadeOutEndsInSilence_data()
{
    // Ten frames at 10 Hz from firstPos; gains expected per frame.
    QTest::addColumn<double>("firstPos");
    QTest::addColumn<double>("end");
    QTest::addColumn<double>("length");
    QTest::addColumn<QList<float>>("gains");
    QTest::newRow("fade over the last half second")
        << 0.0 << 1.0 << 0.5 << QList<float>{1, 1, 1, 1, 1, 1.0f, 0.8f, 0.6f, 0.4f, 0.2f};
    QTest::newRow("silent after the end") << 0.5 << 1.0 << 0.2
                                          << QList<float>{1, 1, 1, 1, 0.5f, 0, 0, 0, 0, 0};
    QTest::newRow("no length cuts at the end") << 0.0 << 0.5 << 0.0
                                               << QList<float>{1, 1, 1, 1, 1, 0, 0, 0, 0, 0};
    QTest::newRow("end before the buffer") << 2.0 << 1.0 << 0.5 << QList<float>(10, 0.0f);
    QTest::newRow("fade longer than the clip so far")
        << 0.0 << 0.5 << 2.0 << QList<float>{0.25f, 0.2f, 0.15f, 0.1f, 0.05f, 0, 0, 0, 0, 0};
}

void TestPlayerDsp::fadeOutEndsInSilence()
{
    QFETCH(double, firstPos);
    QFETCH(double, end);
    QFETCH(double, length);
    QFETCH(QList<float>, gains);
    std::vector<float> samples(10 * 2, 1.0f);
    applyFadeOut(samples.data(), 10, 2, firstPos, 10, end, length);
    for (int i = 0; i < 10; ++i) {
        QVERIFY2(std::fabs(samples[2 * i] - gains[i]) < 1e-5f, qPrintable(QString::number(i)));
        QCOMPARE(samples[2 * i + 1], samples[2 * i]);
    }
}

void TestPlayerDsp::heardPosition_data()
{
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("now");
    QTest::addColumn<double>("expected");
    // Session from 10 s; the buffer from 10.5 s to 10.51 s was handed over at
    // t = 100 s and is heard 20 ms later.
    QTest::newRow("nothing handed over yet") << false << 100.0 << 10.0;
    QTest::newRow("at hand-over") << true << 100.0 << 10.48;
    QTest::newRow("a little later") << true << 100.015 << 10.495;
    QTest::newRow("device stalled") << true << 105.0 << 10.51;
}

void TestPlayerDsp::heardPosition()
{
    QFETCH(bool, valid);
    QFETCH(double, now);
    QFETCH(double, expected);
    PlayClock clock;
    clock.valid = valid;
    clock.sessionStart = 10.0;
    clock.firstPos = 10.5;
    clock.endPos = 10.51;
    clock.handedAt = 100.0;
    clock.latency = 0.02;
    QVERIFY2(std::fabs(player::heardPosition(clock, now) - expected) < 1e-9,
             qPrintable(QString::number(player::heardPosition(clock, now), 'f', 6)));
}

void TestPlayerDsp::ringWrapsAround()
{
    CSampleRing ring;
    ring.reset(4, 2);
    const float a[] = {1, 2, 3, 4, 5, 6};
    const float b[] = {7, 8, 9, 10, 11, 12};
    float out[8] = {};
    QCOMPARE(ring.write(a, 3), 3);
    QCOMPARE(ring.read(out, 2), 2);
    QCOMPARE(ring.write(b, 3), 3); // wraps past the end of storage
    QCOMPARE(ring.size(), 4);
    QCOMPARE(ring.read(out, 8), 4);
    const float expected[] = {5, 6, 7, 8, 9, 10, 11, 12};
    for (int i = 0; i < 8; ++i)
        QCOMPARE(out[i], expected[i]);
    QCOMPARE(ring.size(), 0);
}

void TestPlayerDsp::ringRefusesOverflow()
{
    CSampleRing ring;
    ring.reset(2, 1);
    const float a[] = {1, 2, 3};
    QCOMPARE(ring.write(a, 3), 2);
    QCOMPARE(ring.space(), 0);
    ring.clear();
    QCOMPARE(ring.space(), 2);
    float out[2] = {};
    QCOMPARE(ring.read(out, 2), 0);
}

void TestPlayerDsp::limiter_data()
{
    QTest::addColumn<double>("amplitude"); // of a 440 Hz sine, after the gain
    QTest::addColumn<bool>("limited");

    QTest::newRow("full scale at 5x") << 5.0 << true;
    QTest::newRow("just over the ceiling") << 1.0 << true;
    QTest::newRow("below the ceiling: untouched") << 0.9 << false;
}

void TestPlayerDsp::limiter()
{
    QFETCH(double, amplitude);
    QFETCH(bool, limited);

    constexpr int rate = 48000;
    std::vector<float> in(2 * rate);
    for (size_t i = 0; i < in.size() / 2; ++i)
        in[2 * i] = in[2 * i + 1] = static_cast<float>(amplitude * std::sin(6.283185307179586 * 440.0 * double(i) / rate));
    CLimiter limiter;
    limiter.reset(rate, 2);
    std::vector<float> out = in;
    // In buffers of the device's size, as the player feeds it.
    for (size_t at = 0; at < out.size(); at += 2 * 1024)
        limiter.process(out.data() + at, int(std::min<size_t>(1024, (out.size() - at) / 2)));

    const size_t delay = 2 * static_cast<size_t>(limiter.latencyFrames());
    QCOMPARE(limiter.latencyFrames(), 239);
    float peak = 0.0f;
    for (size_t i = 0; i + delay < out.size(); ++i) {
        peak = std::max(peak, std::fabs(out[i + delay]));
        if (!limited)
            QCOMPARE(out[i + delay], in[i]);
    }
    QVERIFY2(peak <= float(CLimiter::kCeiling), qPrintable(QString::number(peak)));
    if (limited) {
        // Lowered to the ceiling, not far below it.
        QVERIFY2(peak > 0.95f, qPrintable(QString::number(peak)));
    }
}

QTEST_GUILESS_MAIN(TestPlayerDsp)
#include "tst_playerdsp.moc"
