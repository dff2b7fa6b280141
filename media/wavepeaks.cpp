#include "wavepeaks.h"

#include "extremes.h"
#include "waveimage.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

CWavePeaks::Peak merged(CWavePeaks::Peak a, CWavePeaks::Peak b)
{
    return {std::min(a.min, b.min), std::max(a.max, b.max)};
}

// The open span starts empty: its first value sets both ends. The closed
// spans keep 0 inside, as the whole-file picture does (silence is a line).
constexpr CWavePeaks::Peak kNoValue{std::numeric_limits<qint16>::max(), std::numeric_limits<qint16>::min()};

qint16 widen8(quint8 v)
{
    return qint16((int(v) - 128) * 256);
}

// Extremes of count values, merged into lo and hi. The loop works on copies:
// on references into the open span, which the samples might alias as far as
// the compiler knows, every value of the scalar tail would go through memory.
void valueExtremes(const qint16 *v, size_t count, qint16 &lo, qint16 &hi)
{
    const SampleExtremes<qint16> e = sampleExtremes(v, count, {lo, hi});
    lo = e.lo;
    hi = e.hi;
}

} // namespace

void CWavePeaks::begin(quint32 sampleRate, int channels)
{
    m_sampleRate = sampleRate;
    m_channels = std::max(channels, 1);
    m_framesPerSpan = std::max<quint32>(1, sampleRate / MinSpansPerSecond);
    m_channel = 0;
    m_spanFrames = 0;
    m_open = kNoValue;
    levels.assign(1, {});
    // A guess for a long file, so that the span table is not copied over
    // and over while it grows; shrunk to fit at the end.
    levels.front().reserve(size_t(MinSpansPerSecond) * 600);
}

void CWavePeaks::add16(const qint16 *values, size_t count)
{
    const size_t channels = size_t(m_channels);
    size_t i = 0;
    while (i < count) {
        if (m_channel != 0) {
            // The rest of a frame a block boundary cut in two: it belongs to
            // the span its first value went to, which stays open until then.
            const size_t n = std::min(count - i, channels - size_t(m_channel));
            valueExtremes(values + i, n, m_open.min, m_open.max);
            i += n;
            m_channel = int((size_t(m_channel) + n) % channels);
            if (m_channel == 0 && m_spanFrames == m_framesPerSpan)
                closeSpan();
            continue;
        }
        const size_t frames = std::min<size_t>((count - i) / channels, m_framesPerSpan - m_spanFrames);
        if (frames == 0) {
            // A frame begun at the very end of the block.
            valueExtremes(values + i, count - i, m_open.min, m_open.max);
            ++m_spanFrames;
            m_channel = int(count - i);
            i = count;
            continue;
        }
        valueExtremes(values + i, frames * channels, m_open.min, m_open.max);
        m_spanFrames += quint32(frames);
        i += frames * channels;
        if (m_spanFrames == m_framesPerSpan)
            closeSpan();
    }
}

void CWavePeaks::add8(const quint8 *values, size_t count)
{
    // 8-bit files are rare and small: one value at a time is enough.
    for (size_t i = 0; i < count; ++i) {
        if (m_channel == 0)
            ++m_spanFrames;
        const qint16 x = widen8(values[i]);
        m_open = {std::min(m_open.min, x), std::max(m_open.max, x)};
        if (++m_channel == m_channels) {
            m_channel = 0;
            if (m_spanFrames == m_framesPerSpan)
                closeSpan();
        }
    }
}

void CWavePeaks::closeSpan()
{
    if (m_spanFrames == 0)
        return;
    m_channel = 0;
    // Like the whole-file picture, every span reaches the centre line.
    levels.front().push_back(merged(m_open, Peak{}));
    m_open = kNoValue;
    m_spanFrames = 0;
}

void CWavePeaks::finish()
{
    if (levels.empty())
        return;
    closeSpan();
    levels.resize(1);
    levels.front().shrink_to_fit();
    while (levels.back().size() > 1) {
        const std::vector<Peak> &below = levels.back();
        std::vector<Peak> above((below.size() + Fanout - 1) / Fanout);
        for (size_t j = 0; j < above.size(); ++j) {
            Peak p = below[j * Fanout];
            const size_t end = std::min(below.size(), (j + 1) * Fanout);
            for (size_t k = j * Fanout + 1; k < end; ++k)
                p = merged(p, below[k]);
            above[j] = p;
        }
        levels.push_back(std::move(above));
    }
}

double CWavePeaks::seconds() const
{
    if (isEmpty() || m_sampleRate == 0)
        return 0.0;
    return double(levels.front().size()) * m_framesPerSpan / m_sampleRate;
}

size_t CWavePeaks::memoryBytes() const
{
    size_t bytes = sizeof(*this);
    for (const auto &level : levels)
        bytes += level.capacity() * sizeof(Peak) + sizeof(level);
    return bytes;
}

CWavePeaks::Peak CWavePeaks::spanRange(size_t first, size_t end) const
{
    if (isEmpty())
        return {};
    end = std::min(end, levels.front().size());
    if (first >= end)
        return {};
    // Ragged ends at each level, the aligned middle from the level above.
    Peak result = kNoValue;
    for (size_t level = 0; first < end; ++level) {
        const std::vector<Peak> &row = levels[level];
        if (level + 1 == levels.size()) {
            for (size_t k = first; k < end; ++k)
                result = merged(result, row[k]);
            break;
        }
        while (first < end && first % Fanout != 0)
            result = merged(result, row[first++]);
        while (first < end && end % Fanout != 0 && end != row.size())
            result = merged(result, row[--end]);
        if (first >= end)
            break;
        first /= Fanout;
        end = (end + Fanout - 1) / Fanout;
    }
    return result;
}

std::vector<CWavePeaks::Peak> CWavePeaks::columns(double from, double to, int width) const
{
    std::vector<Peak> out(size_t(std::max(width, 0)));
    if (isEmpty() || width <= 0 || !(to > from))
        return out;
    const double spansPerSecond = double(m_sampleRate) / m_framesPerSpan;
    const double spansPerColumn = (to - from) * spansPerSecond / width;
    const double first = from * spansPerSecond;
    const double count = double(levels.front().size());
    // A column edge within a millionth of a span of a span edge is on it:
    // otherwise rounding would add a neighbour's span now and then.
    constexpr double kSlack = 1e-6;
    for (int x = 0; x < width; ++x) {
        const double a = first + x * spansPerColumn;
        const double b = a + spansPerColumn;
        if (b <= kSlack || a >= count - kSlack)
            continue;
        const size_t i0 = size_t(std::max(0.0, std::floor(a + kSlack)));
        const size_t i1 = std::max(i0 + 1, size_t(std::min(count, std::ceil(b - kSlack))));
        out[size_t(x)] = spanRange(i0, i1);
    }
    return out;
}

QImage CWavePeaks::render(double from, double to, int width, int height) const
{
    if (width <= 0 || height <= 0)
        return {};
    return drawWavePeaks(columns(from, to, width), height);
}

QImage drawWavePeaks(const std::vector<CWavePeaks::Peak> &columns, int height)
{
    const int width = int(columns.size());
    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull())
        return image;
    image.fill(0);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QBrush(Qt::yellow), 1));
    for (int x = 0; x < width; ++x) {
        const CWavePeaks::Peak &peak = columns[size_t(x)];
        painter.drawLine(x, waveRow(peak.min, height), x, waveRow(peak.max, height));
    }

    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QBrush(Qt::black), 1));
    const int mid = height / 2;
    QPoint upper(0, mid);
    QPoint lower(0, mid);
    for (int x = 0; x < width; ++x) {
        const CWavePeaks::Peak &peak = columns[size_t(x)];
        const QPoint top(x, waveRow(peak.max, height));
        painter.drawLine(upper, top);
        upper = top;
        const QPoint bottom(x, waveRow(peak.min, height));
        painter.drawLine(lower, bottom);
        lower = bottom;
    }
    return image;
}
