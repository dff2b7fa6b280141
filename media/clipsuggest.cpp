#include "clipsuggest.h"

#include "wavereader.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <numeric>

namespace {

constexpr double kAnalysisRate = 11025.0;

// In-place radix-2 FFT of a power-of-two length.
void fft(std::vector<std::complex<float>> &a)
{
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        const double angle = -2.0 * std::numbers::pi / double(len);
        const std::complex<float> step(float(std::cos(angle)), float(std::sin(angle)));
        for (size_t i = 0; i < n; i += len) {
            std::complex<float> w(1.0f, 0.0f);
            for (size_t k = 0; k < len / 2; ++k) {
                const std::complex<float> u = a[i + k];
                const std::complex<float> v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
                w *= step;
            }
        }
    }
}

float toDb(float meanSquare)
{
    return 10.0f * std::log10(std::max(meanSquare, 1e-10f));
}

} // namespace

CClipAnalyzer::CClipAnalyzer(double sampleRate)
{
    m_decimation = std::max(1, int(std::lround(sampleRate / kAnalysisRate)));
    m_rate = sampleRate > 0 ? sampleRate / m_decimation : kAnalysisRate;
    m_features.hopSeconds = HopSamples / m_rate;
    m_features.hopsPerChroma = ChromaHops;
    m_ring.assign(FftSize, 0.0f);
    m_window.resize(FftSize);
    for (int i = 0; i < FftSize; ++i)
        m_window[size_t(i)] = float(0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * i / FftSize));
    // Bins from C3 to about C7 carry the harmony; below, a bin is wider than
    // a semitone, and above, overtones blur the pitch classes.
    m_binClass.assign(FftSize / 2, -1);
    for (int k = 1; k < FftSize / 2; ++k) {
        const double f = k * m_rate / FftSize;
        if (f < 128.0 || f > 2100.0)
            continue;
        const double midi = 69.0 + 12.0 * std::log2(f / 440.0);
        m_binClass[size_t(k)] = int(std::lround(midi)) % 12;
    }
}

void CClipAnalyzer::reserveSeconds(double seconds)
{
    if (seconds <= 0)
        return;
    const size_t hops = size_t(seconds / m_features.hopSeconds) + 2;
    m_features.energy.reserve(hops);
    m_features.chroma.reserve(hops / ChromaHops + 2);
}

void CClipAnalyzer::add(const float *samples, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        m_sum += samples[i];
        if (++m_phase == m_decimation) {
            addDecimated(m_sum / float(m_decimation));
            m_sum = 0.0f;
            m_phase = 0;
        }
    }
}

void CClipAnalyzer::addDecimated(float sample)
{
    m_ring[m_ringPos] = sample;
    m_ringPos = (m_ringPos + 1) % m_ring.size();
    ++m_seen;
    m_energy += double(sample) * sample;
    if (++m_inHop < HopSamples)
        return;
    m_features.energy.push_back(float(m_energy / HopSamples));
    m_energy = 0.0;
    m_inHop = 0;
    if (m_features.energy.size() % ChromaHops == 0)
        chromaFrame();
}

void CClipAnalyzer::chromaFrame()
{
    // A real transform through a complex one of half the length.
    constexpr int half = FftSize / 2;
    std::vector<std::complex<float>> z(half);
    for (int n = 0; n < half; ++n) {
        const size_t a = (m_ringPos + size_t(2 * n)) % m_ring.size();
        const size_t b = (a + 1) % m_ring.size();
        z[size_t(n)] = {m_ring[a] * m_window[size_t(2 * n)], m_ring[b] * m_window[size_t(2 * n + 1)]};
    }
    fft(z);
    std::array<float, 12> profile{};
    for (int k = 1; k < half; ++k) {
        const int pc = m_binClass[size_t(k)];
        if (pc < 0)
            continue;
        const std::complex<float> zk = z[size_t(k)];
        const std::complex<float> zc = std::conj(z[size_t(half - k)]);
        const double angle = -2.0 * std::numbers::pi * k / FftSize;
        const std::complex<float> tw(float(std::cos(angle)), float(std::sin(angle)));
        const std::complex<float> x = 0.5f * (zk + zc) + tw * (zk - zc) * std::complex<float>(0.0f, -0.5f);
        profile[size_t(pc)] += std::abs(x);
    }
    m_features.chroma.push_back(profile);
}

ClipFeatures CClipAnalyzer::finish()
{
    ClipFeatures out = std::move(m_features);
    m_features = ClipFeatures();
    return out;
}

ClipFeatures clipFeatures(const float *samples, size_t count, double sampleRate)
{
    CClipAnalyzer analyzer(sampleRate);
    analyzer.reserveSeconds(double(count) / sampleRate);
    analyzer.add(samples, count);
    return analyzer.finish();
}

namespace {

struct Level
{
    std::vector<float> db;
    float peak = -100.0f;
};

Level levels(const ClipFeatures &f)
{
    Level l;
    l.db.resize(f.energy.size());
    for (size_t i = 0; i < f.energy.size(); ++i) {
        l.db[i] = toDb(f.energy[i]);
        l.peak = std::max(l.peak, l.db[i]);
    }
    return l;
}

// The start (in hops) of the window of `width` hops with the highest mean
// level in dB: a long quiet gap costs more than a short peak gains.
size_t loudestStart(const std::vector<float> &db, size_t width)
{
    if (db.size() <= width)
        return 0;
    double sum = std::accumulate(db.begin(), db.begin() + std::ptrdiff_t(width), 0.0);
    double best = sum;
    size_t bestStart = 0;
    for (size_t s = 1; s + width <= db.size(); ++s) {
        sum += db[s + width - 1] - db[s - 1];
        if (sum > best + 1e-6) {
            best = sum;
            bestStart = s;
        }
    }
    return bestStart;
}

ClipSuggestion placed(double start, double length, double seconds, ClipSuggestion::Kind kind, double score)
{
    start = std::clamp(start, 0.0, std::max(0.0, seconds - length));
    return {start, std::min(seconds, start + length), kind, score};
}

} // namespace

std::vector<ClipSuggestion> suggestClips(const ClipFeatures &features, double clipLength, std::atomic_bool *cancel)
{
    const double seconds = features.seconds();
    if (features.energy.empty() || !(clipLength > 0) || (cancel && *cancel))
        return {};
    const double length = std::min({clipLength, kMaxClipSeconds, seconds});
    const Level level = levels(features);
    const size_t width = std::max<size_t>(1, size_t(std::lround(length / features.hopSeconds)));
    const size_t loud = loudestStart(level.db, width);
    return {placed(double(loud) * features.hopSeconds, length, seconds, ClipSuggestion::LoudestStretch, 0.0)};
}

std::vector<ClipSuggestion> suggestClipsFromWave(const QString &wavPath, double clipLength, std::atomic_bool *cancel)
{
    CWaveReader reader;
    if (!reader.open(wavPath))
        return {};
    CClipAnalyzer analyzer(reader.sampleRate());
    analyzer.reserveSeconds(reader.seconds());
    std::vector<float> block;
    // About a second of 44.1 kHz stereo per read: few system calls, little memory.
    constexpr qint64 kBlockFrames = 1 << 16;
    for (;;) {
        if (cancel && *cancel)
            return {};
        reader.read(block, kBlockFrames);
        if (block.empty())
            break;
        analyzer.add(block.data(), block.size());
    }
    return suggestClips(analyzer.finish(), clipLength, cancel);
}
