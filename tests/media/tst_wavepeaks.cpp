// The zoomed waveform's peaks against extremes taken sample by sample from a
// WAV written here, through the reader that builds the whole-file picture.
#include "waveimage.h"
#include "wavepeaks.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Wave
{
    quint32 rate = 44100;
    int channels = 2;
    std::vector<qint16> values; // interleaved
    qint64 frames() const { return qint64(values.size()) / channels; }
};

// A tone whose loudness wanders, with a click now and then and quieter noise
// on the other channels, so that neighbouring spans differ and a channel left
// out would show.
Wave makeWave(quint32 rate, int channels, double seconds)
{
    Wave w;
    w.rate = rate;
    w.channels = channels;
    const qint64 frames = qint64(std::llround(seconds * rate));
    w.values.resize(size_t(frames * channels));
    QRandomGenerator random(7);
    for (qint64 i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        const double level = 0.5 + 0.45 * std::sin(2 * M_PI * 0.7 * t);
        double v = level * std::sin(2 * M_PI * 330 * t);
        if (i % 9973 == 0)
            v = (i / 9973) % 2 ? 1.0 : -1.0;
        w.values[size_t(i * channels)] = qint16(std::clamp(v * 32767, -32768.0, 32767.0));
        for (int c = 1; c < channels; ++c)
            w.values[size_t(i * channels + c)] = qint16(random.bounded(-12000, 12000) + (i % 7919 == 0 ? 20000 : 0));
    }
    return w;
}

QByteArray wavFile(const Wave &w)
{
    const quint32 dataBytes = quint32(w.values.size() * 2);
    QByteArray bytes;
    auto u32 = [&bytes](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        bytes.append(b, 4);
    };
    auto u16 = [&bytes](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        bytes.append(b, 2);
    };
    bytes.append("RIFF");
    u32(36 + dataBytes);
    bytes.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(quint16(w.channels));
    u32(w.rate);
    u32(w.rate * quint32(w.channels) * 2);
    u16(quint16(w.channels * 2));
    u16(16);
    bytes.append("data");
    u32(dataBytes);
    for (qint16 v : w.values)
        u16(quint16(v));
    return bytes;
}

// Extremes of every channel over frames [a, b), with 0 always inside.
CWavePeaks::Peak reference(const Wave &w, qint64 a, qint64 b)
{
    CWavePeaks::Peak p;
    for (qint64 i = std::max<qint64>(a, 0); i < std::min(b, w.frames()); ++i) {
        for (int c = 0; c < w.channels; ++c) {
            const qint16 v = w.values[size_t(i * w.channels + c)];
            p.min = std::min(p.min, v);
            p.max = std::max(p.max, v);
        }
    }
    return p;
}

CWavePeaks peaksThroughReader(const Wave &w)
{
    QByteArray bytes = wavFile(w);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    CWavePeaks peaks;
    const QImage image = CreateWaveImage(&buffer, 530, 50, &peaks);
    Q_ASSERT(!image.isNull());
    return peaks;
}

} // namespace

class TestWavePeaks final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void spansMatchSampleBySample_data();
    void spansMatchSampleBySample();
    void everyLevelSumsUpTheOneBelow();
    void rangesMatchSampleBySample();
    void columnsAtSeveralZooms_data();
    void columnsAtSeveralZooms();
    void blocksMayCutFramesInTwo();
    void twoHourFilmFitsItsBudget();
    void renderedLikeTheWholeFilePicture();
};

void TestWavePeaks::spansMatchSampleBySample_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<double>("seconds");
    QTest::newRow("44.1 kHz stereo") << 44100 << 2 << 7.3;
    QTest::newRow("48 kHz mono") << 48000 << 1 << 3.0;
    QTest::newRow("22.05 kHz, three channels") << 22050 << 3 << 2.01;
    QTest::newRow("8 kHz, shorter than a block") << 8000 << 2 << 0.5;
}

void TestWavePeaks::spansMatchSampleBySample()
{
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(double, seconds);
    const Wave w = makeWave(quint32(rate), channels, seconds);
    const CWavePeaks peaks = peaksThroughReader(w);
    const qint64 span = peaks.framesPerSpan();
    QVERIFY(double(rate) / span >= CWavePeaks::MinSpansPerSecond);
    const auto &spans = peaks.pyramid().front();
    QCOMPARE(qint64(spans.size()), (w.frames() + span - 1) / span);
    for (size_t j = 0; j < spans.size(); ++j) {
        const CWavePeaks::Peak expected = reference(w, qint64(j) * span, qint64(j + 1) * span);
        QVERIFY2(spans[j].min == expected.min && spans[j].max == expected.max, qPrintable(QString::number(j)));
    }
    QVERIFY(std::abs(peaks.seconds() - seconds) < double(span) / rate);
}

void TestWavePeaks::everyLevelSumsUpTheOneBelow()
{
    const Wave w = makeWave(44100, 2, 9.0);
    const CWavePeaks peaks = peaksThroughReader(w);
    const auto &levels = peaks.pyramid();
    QVERIFY(levels.size() > 3);
    QCOMPARE(levels.back().size(), size_t(1));
    const qint64 span = peaks.framesPerSpan();
    qint64 spansPerEntry = 1;
    for (const auto &level : levels) {
        for (size_t j = 0; j < level.size(); ++j) {
            const qint64 a = qint64(j) * spansPerEntry * span;
            const CWavePeaks::Peak expected = reference(w, a, a + spansPerEntry * span);
            QVERIFY(level[j].min == expected.min && level[j].max == expected.max);
        }
        spansPerEntry *= CWavePeaks::Fanout;
    }
}

void TestWavePeaks::rangesMatchSampleBySample()
{
    const Wave w = makeWave(44100, 2, 9.0);
    const CWavePeaks peaks = peaksThroughReader(w);
    const qint64 span = peaks.framesPerSpan();
    const size_t count = peaks.pyramid().front().size();
    QRandomGenerator random(3);
    for (int n = 0; n < 2000; ++n) {
        size_t a = random.bounded(quint32(count));
        size_t b = a + random.bounded(quint32(count - a)) + 1;
        if (n % 10 == 0)
            b = count; // up to the last, shorter span
        const CWavePeaks::Peak got = peaks.spanRange(a, b);
        const CWavePeaks::Peak expected = reference(w, qint64(a) * span, qint64(b) * span);
        QVERIFY2(got.min == expected.min && got.max == expected.max,
                 qPrintable(QStringLiteral("%1..%2").arg(a).arg(b)));
    }
    QCOMPARE(peaks.spanRange(5, 5).max, qint16(0));
    QCOMPARE(peaks.spanRange(count, count + 10).min, qint16(0));
}

void TestWavePeaks::columnsAtSeveralZooms_data()
{
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::addColumn<int>("width");
    QTest::newRow("whole file") << 0.0 << 9.0 << 530;
    QTest::newRow("10 ms a column") << 2.0 << 7.3 << 530;
    QTest::newRow("a column 2.5 spans wide") << 1.234 << 1.234 + 530 * 0.025 << 530;
    QTest::newRow("past the end") << 6.0 << 12.0 << 300;
    QTest::newRow("before the start") << -1.0 << 2.0 << 300;
}

void TestWavePeaks::columnsAtSeveralZooms()
{
    QFETCH(double, from);
    QFETCH(double, to);
    QFETCH(int, width);
    const Wave w = makeWave(44100, 2, 9.0);
    const CWavePeaks peaks = peaksThroughReader(w);
    const std::vector<CWavePeaks::Peak> columns = peaks.columns(from, to, width);
    QCOMPARE(int(columns.size()), width);
    // A column covers the whole spans it touches; at 10 ms a column that is
    // exactly one span.
    const double span = double(peaks.framesPerSpan()) / w.rate;
    for (int x = 0; x < width; ++x) {
        const double a = from + x * (to - from) / width;
        const double b = from + (x + 1) * (to - from) / width;
        // Column edges that fall on span edges up to rounding are on them.
        const qint64 first = qint64(std::floor(std::max(a, 0.0) / span + 1e-6));
        const qint64 end = std::max(first + 1, qint64(std::ceil(b / span - 1e-6)));
        const CWavePeaks::Peak expected = b <= 0.0 ? CWavePeaks::Peak{}
                                                    : reference(w, first * qint64(peaks.framesPerSpan()),
                                                                end * qint64(peaks.framesPerSpan()));
        QVERIFY2(columns[size_t(x)].min == expected.min && columns[size_t(x)].max == expected.max,
                 qPrintable(QString::number(x)));
    }
}

void TestWavePeaks::blocksMayCutFramesInTwo()
{
    // Fed in blocks of odd sizes, a frame's channels arrive in two calls.
    const Wave w = makeWave(44100, 3, 2.0);
    CWavePeaks whole;
    whole.begin(w.rate, w.channels);
    whole.add16(w.values.data(), w.values.size());
    whole.finish();
    CWavePeaks pieces;
    pieces.begin(w.rate, w.channels);
    for (size_t i = 0, step = 1; i < w.values.size(); i += step, step = step * 7 % 1001 + 1)
        pieces.add16(w.values.data() + i, std::min(step, w.values.size() - i));
    pieces.finish();
    const auto &a = whole.pyramid().front();
    const auto &b = pieces.pyramid().front();
    QCOMPARE(a.size(), b.size());
    for (size_t j = 0; j < a.size(); ++j)
        QVERIFY(a[j].min == b[j].min && a[j].max == b[j].max);
}

void TestWavePeaks::twoHourFilmFitsItsBudget()
{
    // Two hours at 44.1 kHz stereo, fed a minute at a time: the peaks stay
    // within 8 MB.
    CWavePeaks peaks;
    peaks.begin(44100, 2);
    std::vector<qint16> minute(size_t(44100) * 2 * 60, 0);
    for (int m = 0; m < 120; ++m)
        peaks.add16(minute.data(), minute.size());
    peaks.finish();
    QCOMPARE(peaks.seconds(), 7200.0);
    QVERIFY2(peaks.memoryBytes() <= 8u * 1024 * 1024, qPrintable(QString::number(peaks.memoryBytes())));
}

void TestWavePeaks::renderedLikeTheWholeFilePicture()
{
    // Drawn over the whole file at one span per column, the zoomed view
    // paints the picture the reader paints.
    const Wave w = makeWave(44100, 2, 5.3);
    QByteArray bytes = wavFile(w);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    CWavePeaks peaks;
    const QImage whole = CreateWaveImage(&buffer, 530, 50, &peaks);
    const QImage zoomed = peaks.render(0.0, 5.3, 530, 50);
    QCOMPARE(zoomed.size(), whole.size());
    QCOMPARE(zoomed.convertToFormat(QImage::Format_ARGB32), whole.convertToFormat(QImage::Format_ARGB32));
}

QTEST_GUILESS_MAIN(TestWavePeaks)
#include "tst_wavepeaks.moc"
