// The waveform readers' min/max loop against a plain one, on the lengths
// around its vector steps (the tail after the last whole step), starts that
// are not 16-byte aligned, and the values where a signed or unsigned compare
// mixed up would show: -32768, 32767, -1, 0, 255 (0, 128, 255 in 8 bits).
#include "extremes.h"

#include <QRandomGenerator>
#include <QTest>

#include <limits>
#include <vector>

namespace {

enum class Pattern { Noise, FullScaleAtTheEnd, FullScaleAtTheStart, Traps, Constant };

template <typename T>
std::vector<T> values(Pattern pattern, int length, quint32 seed)
{
    constexpr int low = std::numeric_limits<T>::min();
    constexpr int high = std::numeric_limits<T>::max();
    const int mid = (low + high) / 2;
    QRandomGenerator random(seed);
    std::vector<T> v(static_cast<size_t>(length));
    for (T &x : v)
        x = T(pattern == Pattern::Noise ? random.bounded(low, high + 1) : mid + random.bounded(-3, 4));
    if (length == 0)
        return v;
    const size_t last = v.size() - 1;
    switch (pattern) {
    case Pattern::Noise:
        break;
    case Pattern::FullScaleAtTheEnd:
        // In the scalar tail, or in the last lane of the last step.
        v[last] = T(low);
        v[last > 0 ? last - 1 : 0] = T(high);
        break;
    case Pattern::FullScaleAtTheStart:
        v[0] = T(high);
        v[length > 1 ? 1 : 0] = T(low);
        break;
    case Pattern::Traps: {
        const std::vector<int> traps = sizeof(T) == 1 ? std::vector<int>{0, 127, 128, 255}
                                                     : std::vector<int>{-32768, -1, 0, 255, 256, 32767};
        for (T &x : v)
            if (random.bounded(3) == 0)
                x = T(traps[random.bounded(int(traps.size()))]);
        break;
    }
    case Pattern::Constant:
        std::fill(v.begin(), v.end(), T(sizeof(T) == 1 ? 255 : 0));
        break;
    }
    return v;
}

template <typename T>
void compareWithPlainLoop(Pattern pattern, int length, int offset, bool emptyStart, quint32 seed)
{
    const std::vector<T> v = values<T>(pattern, length, seed);
    // A copy at the given distance from a 16-byte boundary.
    std::vector<T> storage(v.size() + 64 / sizeof(T) + size_t(offset));
    T *const base = storage.data();
    const size_t toBoundary = (16 - reinterpret_cast<quintptr>(base) % 16) % 16 / sizeof(T);
    T *const start = base + toBoundary + size_t(offset);
    std::copy(v.begin(), v.end(), start);

    // Either nothing seen yet, or what an open span or column already holds.
    SampleExtremes<T> begin{std::numeric_limits<T>::max(), std::numeric_limits<T>::min()};
    if (!emptyStart)
        begin = sizeof(T) == 1 ? SampleExtremes<T>{T(120), T(130)} : SampleExtremes<T>{T(-5), T(5)};
    SampleExtremes<T> expected = begin;
    for (const T x : v) {
        expected.lo = std::min(expected.lo, x);
        expected.hi = std::max(expected.hi, x);
    }
    const SampleExtremes<T> got = sampleExtremes(start, v.size(), begin);
    QCOMPARE(int(got.lo), int(expected.lo));
    QCOMPARE(int(got.hi), int(expected.hi));
}

} // namespace

class TestExtremes final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void matchesPlainLoop_data();
    void matchesPlainLoop();
};

void TestExtremes::matchesPlainLoop_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("pattern");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("offset");
    QTest::addColumn<bool>("emptyStart");
    const std::pair<Pattern, const char *> patterns[] = {
        {Pattern::Noise, "noise"},
        {Pattern::FullScaleAtTheEnd, "full scale at the end"},
        {Pattern::FullScaleAtTheStart, "full scale at the start"},
        {Pattern::Traps, "sign traps"},
        {Pattern::Constant, "constant"},
    };
    // One vector step is 32 values of 16 bits or 64 of 8 bits.
    for (const int bits : {16, 8})
        for (const int length : {0, 1, 7, 8, 16, 31, 32, 33, 63, 64, 65, 127, 128, 129, 200, 4099})
            for (const int offset : {0, 1, 3})
                for (const auto &[pattern, name] : patterns)
                    for (const bool emptyStart : {true, false})
                        QTest::addRow("%d-bit, %d values at +%d, %s, %s", bits, length, offset, name,
                                      emptyStart ? "empty start" : "merged")
                            << bits << int(pattern) << length << offset << emptyStart;
}

void TestExtremes::matchesPlainLoop()
{
    QFETCH(int, bits);
    QFETCH(int, pattern);
    QFETCH(int, length);
    QFETCH(int, offset);
    QFETCH(bool, emptyStart);
    const quint32 seed = quint32(length * 131 + offset * 7 + pattern);
    if (bits == 16)
        compareWithPlainLoop<qint16>(Pattern(pattern), length, offset, emptyStart, seed);
    else
        compareWithPlainLoop<quint8>(Pattern(pattern), length, offset, emptyStart, seed);
}

QTEST_APPLESS_MAIN(TestExtremes)
#include "tst_extremes.moc"
