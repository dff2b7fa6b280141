#include "clipsuggest.h"

#include "ringtonejob.h"
#include "wavereader.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <optional>
#include <thread>

namespace {

constexpr double kAnalysisRate = 11025.0;

// A real transform of CClipAnalyzer::FftSize points through a complex one
// of half the length (even samples as the real part, odd as the imaginary),
// with its tables made once.
struct FftTables
{
    static constexpr int N = CClipAnalyzer::FftSize;
    static constexpr int M = N / 2;
    std::vector<int> reverse;
    std::vector<float> cosM, sinM; // e^{-2 pi i k / M}, k < M / 2
    std::vector<float> cosN, sinN; // e^{-2 pi i k / N}, k < M

    FftTables()
    {
        reverse.resize(M);
        int bits = 0;
        while ((1 << bits) < M)
            ++bits;
        for (int i = 0; i < M; ++i) {
            int r = 0;
            for (int b = 0; b < bits; ++b)
                r |= ((i >> b) & 1) << (bits - 1 - b);
            reverse[size_t(i)] = r;
        }
        for (int k = 0; k < M / 2; ++k) {
            cosM.push_back(float(std::cos(2.0 * std::numbers::pi * k / M)));
            sinM.push_back(float(-std::sin(2.0 * std::numbers::pi * k / M)));
        }
        for (int k = 0; k < M; ++k) {
            cosN.push_back(float(std::cos(2.0 * std::numbers::pi * k / N)));
            sinN.push_back(float(-std::sin(2.0 * std::numbers::pi * k / N)));
        }
    }

    static const FftTables &get()
    {
        static const FftTables tables;
        return tables;
    }

    // In place, re and im of M points each.
    void complexFft(float *re, float *im) const
    {
        for (int i = 0; i < M; ++i) {
            const int j = reverse[size_t(i)];
            if (i < j) {
                std::swap(re[i], re[j]);
                std::swap(im[i], im[j]);
            }
        }
        for (int len = 2; len <= M; len <<= 1) {
            const int half = len / 2;
            const int step = M / len;
            for (int i = 0; i < M; i += len) {
                for (int k = 0; k < half; ++k) {
                    const float wr = cosM[size_t(k * step)];
                    const float wi = sinM[size_t(k * step)];
                    const int a = i + k;
                    const int b = a + half;
                    const float vr = re[b] * wr - im[b] * wi;
                    const float vi = re[b] * wi + im[b] * wr;
                    re[b] = re[a] - vr;
                    im[b] = im[a] - vi;
                    re[a] += vr;
                    im[a] += vi;
                }
            }
        }
    }

    // |X[k]| of the real transform, from the half-length one in re/im.
    float magnitude(const float *re, const float *im, int k) const
    {
        const float ar = re[k], ai = im[k];
        const float br = re[M - k], bi = -im[M - k]; // conj(Z[M - k])
        const float er = 0.5f * (ar + br), ei = 0.5f * (ai + bi);
        // (Z[k] - conj(Z[M - k])) / 2i, turned by e^{-2 pi i k / N}
        const float dr = 0.5f * (ai - bi), di = -0.5f * (ar - br);
        const float wr = cosN[size_t(k)], wi = sinN[size_t(k)];
        const float xr = er + dr * wr - di * wi;
        const float xi = ei + dr * wi + di * wr;
        return std::sqrt(xr * xr + xi * xi);
    }
};

float toDb(float meanSquare)
{
    return 10.0f * std::log10(std::max(meanSquare, 1e-10f));
}

} // namespace

int CClipAnalyzer::decimationFor(double sampleRate)
{
    return std::max(1, int(std::lround(sampleRate / kAnalysisRate)));
}

CClipAnalyzer::CClipAnalyzer(double sampleRate)
{
    m_decimation = decimationFor(sampleRate);
    m_rate = sampleRate > 0 ? sampleRate / m_decimation : kAnalysisRate;
    m_features.hopSeconds = HopSamples / m_rate;
    m_features.hopsPerChroma = ChromaHops;
    m_frame.assign(FftSize, 0.0f);
    m_re.resize(FftSize / 2);
    m_im.resize(FftSize / 2);
    m_window.resize(FftSize);
    for (int i = 0; i < FftSize; ++i)
        m_window[size_t(i)] = float(0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * i / FftSize));
    // Bins from C3 to about C7 carry the harmony; below, a bin is wider than
    // a semitone, and above, overtones blur the pitch classes.
    // Each semitone counts once whatever number of bins it spans, or the
    // wider high ones would tilt every profile the same way (and noise
    // would look like one chord held from end to end).
    m_binClass.assign(FftSize / 2, -1);
    m_binWeight.assign(FftSize / 2, 0.0f);
    std::vector<int> bins(128, 0);
    std::vector<int> semitone(FftSize / 2, -1);
    for (int k = 1; k < FftSize / 2; ++k) {
        const double f = k * m_rate / FftSize;
        if (f < 128.0 || f > 2100.0)
            continue;
        const int midi = int(std::lround(69.0 + 12.0 * std::log2(f / 440.0)));
        semitone[size_t(k)] = midi;
        ++bins[size_t(midi)];
        m_binClass[size_t(k)] = midi % 12;
    }
    m_binFirst = FftSize / 2;
    m_binEnd = 0;
    for (int k = 1; k < FftSize / 2; ++k) {
        if (semitone[size_t(k)] < 0)
            continue;
        m_binWeight[size_t(k)] = 1.0f / float(bins[size_t(semitone[size_t(k)])]);
        m_binFirst = std::min(m_binFirst, k);
        m_binEnd = k + 1;
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
    if (m_decimation == 1) {
        addAnalysisRate(samples, count);
        return;
    }
    // The box filter's nulls fall on multiples of the analysis rate: crude,
    // but what folds down lies far above the chroma's 2 kHz.
    float out[1024];
    size_t n = 0;
    const size_t d = size_t(m_decimation);
    const float scale = 1.0f / float(m_decimation);
    size_t i = 0;
    while (i < count) {
        if (m_phase == 0 && i + d <= count) {
            float sum = 0.0f;
            for (size_t j = 0; j < d; ++j)
                sum += samples[i + j];
            out[n++] = sum * scale;
            i += d;
        } else {
            m_sum += samples[i++];
            if (++m_phase == m_decimation) {
                out[n++] = m_sum * scale;
                m_sum = 0.0f;
                m_phase = 0;
            }
        }
        if (n == std::size(out)) {
            addAnalysisRate(out, n);
            n = 0;
        }
    }
    addAnalysisRate(out, n);
}

void CClipAnalyzer::addAnalysisRate(const float *x, size_t count)
{
    // The chroma window is the last FftSize samples of each chroma period;
    // the samples before it count only for the level.
    constexpr size_t period = size_t(ChromaHops) * HopSamples;
    constexpr size_t windowStart = period - FftSize;
    while (count > 0) {
        const size_t take = std::min(count, size_t(HopSamples - m_inHop));
        const size_t at = m_seen % period;
        if (at + take > windowStart) {
            const size_t from = std::max(at, windowStart);
            std::copy(x + (from - at), x + take, m_frame.begin() + std::ptrdiff_t(from - windowStart));
        }
        float e = 0.0f;
        for (size_t k = 0; k < take; ++k)
            e += x[k] * x[k];
        m_energy += e;
        m_seen += take;
        m_inHop += int(take);
        x += take;
        count -= take;
        if (m_inHop == HopSamples) {
            m_features.energy.push_back(float(m_energy / HopSamples));
            m_energy = 0.0;
            m_inHop = 0;
            if (m_seen % period == 0)
                chromaFrame();
        }
    }
}

void CClipAnalyzer::chromaFrame()
{
    const FftTables &t = FftTables::get();
    for (int n = 0; n < FftSize / 2; ++n) {
        m_re[size_t(n)] = m_frame[size_t(2 * n)] * m_window[size_t(2 * n)];
        m_im[size_t(n)] = m_frame[size_t(2 * n + 1)] * m_window[size_t(2 * n + 1)];
    }
    t.complexFft(m_re.data(), m_im.data());
    std::array<float, 12> profile{};
    for (int k = m_binFirst; k < m_binEnd; ++k) {
        const int pc = m_binClass[size_t(k)];
        if (pc >= 0)
            profile[size_t(pc)] += m_binWeight[size_t(k)] * t.magnitude(m_re.data(), m_im.data(), k);
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

using Chroma = std::array<float, 12>;

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

// Below this, relative to the loudest hop, a stretch counts as silence.
constexpr float kSilenceDb = 45.0f;

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

double dot(const Chroma &a, const Chroma &b)
{
    double s = 0.0;
    for (size_t i = 0; i < 12; ++i)
        s += double(a[i]) * b[i];
    return s;
}

void normalise(Chroma &c)
{
    const double n = std::sqrt(dot(c, c));
    for (float &v : c)
        v = n > 1e-9 ? float(v / n) : 0.0f;
}

// The song seen in blocks of one or more chroma frames: a centred and
// normalised pitch-class profile (so noise, whose profile is flat, matches
// nothing) and the mean level of each block.
struct Blocks
{
    double seconds = 0.0; // per block
    size_t hops = 1;      // level hops per block
    std::vector<Chroma> chroma;
    std::vector<float> db;
};

// More blocks than this (about 9 minutes at one frame each) are merged:
// the repetition search is quadratic in their number.
constexpr size_t kMaxBlocks = 1500;

Blocks makeBlocks(const ClipFeatures &f, const Level &level)
{
    Blocks b;
    const size_t frames = f.chroma.size();
    const size_t group = std::max<size_t>(1, (frames + kMaxBlocks - 1) / kMaxBlocks);
    b.hops = group * size_t(f.hopsPerChroma);
    b.seconds = double(b.hops) * f.hopSeconds;
    const float silent = level.peak - kSilenceDb;
    for (size_t first = 0; first + group <= frames; first += group) {
        Chroma c{};
        for (size_t j = first; j < first + group; ++j)
            for (size_t k = 0; k < 12; ++k)
                c[k] += std::sqrt(f.chroma[j][k]);
        const size_t h0 = first * size_t(f.hopsPerChroma);
        double e = 0.0;
        for (size_t h = h0; h < h0 + b.hops && h < f.energy.size(); ++h)
            e += f.energy[h];
        const float db = toDb(float(e / double(b.hops)));
        const float mean = std::accumulate(c.begin(), c.end(), 0.0f) / 12.0f;
        for (float &v : c)
            v = db < silent ? 0.0f : v - mean;
        normalise(c);
        b.chroma.push_back(c);
        b.db.push_back(db);
    }
    return b;
}

size_t blocksFor(double seconds, const Blocks &b)
{
    return std::max<size_t>(1, size_t(std::lround(seconds / b.seconds)));
}

// How much each block belongs to a long stretch that comes back later or
// came before: for every lag, the similarity of the block pairs at that lag,
// averaged over a few seconds, above a threshold no chance match reaches.
std::vector<double> repetition(const Blocks &b, std::atomic_bool *cancel)
{
    const size_t n = b.chroma.size();
    std::vector<double> rep(n, 0.0);
    const size_t minLag = blocksFor(8.0, b);
    const size_t half = blocksFor(2.0, b);
    constexpr double threshold = 0.55;
    std::vector<double> d(n);
    std::vector<double> prefix(n + 1);
    for (size_t lag = minLag; lag < n; ++lag) {
        if (cancel && *cancel)
            return {};
        const size_t m = n - lag;
        prefix[0] = 0.0;
        for (size_t i = 0; i < m; ++i) {
            d[i] = dot(b.chroma[i], b.chroma[i + lag]);
            prefix[i + 1] = prefix[i] + d[i];
        }
        for (size_t i = 0; i < m; ++i) {
            const size_t lo = i > half ? i - half : 0;
            const size_t hi = std::min(m, i + half + 1);
            const double v = (prefix[hi] - prefix[lo]) / double(hi - lo) - threshold;
            if (v > 0) {
                rep[i] += v;
                rep[i + lag] += v;
            }
        }
    }
    return rep;
}

// Where one section gives way to another: the harmony on both sides of a
// point (the checkerboard on the similarity of a few seconds either side)
// and the jump in level.
std::vector<double> novelty(const Blocks &b)
{
    const size_t n = b.chroma.size();
    const size_t k = blocksFor(5.0, b);
    std::vector<double> nov(n, 0.0);
    for (size_t i = k; i + k <= n; ++i) {
        Chroma before{};
        Chroma after{};
        double dbBefore = 0.0;
        double dbAfter = 0.0;
        for (size_t j = 0; j < k; ++j) {
            for (size_t c = 0; c < 12; ++c) {
                before[c] += b.chroma[i - 1 - j][c];
                after[c] += b.chroma[i + j][c];
            }
            dbBefore += b.db[i - 1 - j];
            dbAfter += b.db[i + j];
        }
        const double kk = double(k) * double(k);
        const double within = (dot(before, before) + dot(after, after)) / (2.0 * kk);
        const double across = dot(before, after) / kk;
        nov[i] = within - across + std::abs(dbAfter - dbBefore) / double(k) / 12.0;
    }
    return nov;
}

std::vector<size_t> boundaries(const std::vector<double> &nov, const Blocks &b)
{
    const size_t n = nov.size();
    const size_t reach = blocksFor(4.0, b);
    std::vector<size_t> out{0};
    for (size_t i = 1; i < n; ++i) {
        if (nov[i] < 0.15)
            continue;
        bool peak = true;
        for (size_t j = i > reach ? i - reach : 0; j < std::min(n, i + reach + 1) && peak; ++j)
            if (nov[j] > nov[i] || (nov[j] == nov[i] && j < i))
                peak = false;
        if (peak)
            out.push_back(i);
    }
    out.push_back(n);
    return out;
}

struct Segment
{
    size_t first = 0;
    size_t end = 0;
    double rep = 0.0;
    double db = 0.0;
    Chroma chroma{};
    double score = 0.0;
    int group = -1;
};

std::vector<Segment> segments(const std::vector<size_t> &cuts, const Blocks &b, const std::vector<double> &rep)
{
    std::vector<Segment> out;
    for (size_t s = 0; s + 1 < cuts.size(); ++s) {
        Segment seg;
        seg.first = cuts[s];
        seg.end = cuts[s + 1];
        if (seg.end <= seg.first)
            continue;
        double e = 0.0;
        for (size_t i = seg.first; i < seg.end; ++i) {
            seg.rep += rep[i];
            e += std::pow(10.0, b.db[i] / 10.0);
            for (size_t c = 0; c < 12; ++c)
                seg.chroma[c] += b.chroma[i][c];
        }
        const double len = double(seg.end - seg.first);
        seg.rep /= len;
        seg.db = 10.0 * std::log10(std::max(e / len, 1e-10));
        normalise(seg.chroma);
        out.push_back(seg);
    }
    return out;
}

// The beat grid near a time, from the onsets around it: the period by
// autocorrelation (60-180 beats a minute), the phase by the grid that
// collects the most onset strength.
struct Grid
{
    double period = 0.0; // in hops
    double phase = 0.0;  // a beat falls on phase + n * period
};

std::vector<float> onsets(const std::vector<float> &db)
{
    std::vector<float> o(db.size(), 0.0f);
    for (size_t k = 2; k + 1 < db.size(); ++k) {
        const float rise = (db[k] + db[k + 1]) / 2 - (db[k - 1] + db[k - 2]) / 2;
        o[k] = std::max(0.0f, rise);
    }
    return o;
}

Grid beatGrid(const std::vector<float> &o, size_t centre, double hopSeconds)
{
    Grid g;
    const size_t span = size_t(12.0 / hopSeconds);
    const size_t lo = centre > span ? centre - span : 0;
    const size_t hi = std::min(o.size(), centre + span);
    const size_t minLag = size_t(std::floor(60.0 / 180.0 / hopSeconds));
    const size_t maxLag = size_t(std::ceil(60.0 / 60.0 / hopSeconds));
    if (hi <= lo + 2 * maxLag)
        return g;
    double best = 0.0;
    size_t bestLag = 0;
    for (size_t lag = minLag; lag <= maxLag; ++lag) {
        double s = 0.0;
        for (size_t k = lo; k + lag < hi; ++k)
            s += double(o[k]) * o[k + lag];
        s /= double(hi - lo - lag);
        if (s > best) {
            best = s;
            bestLag = lag;
        }
    }
    if (bestLag == 0)
        return g;
    // A fractional period from the neighbours of the best lag.
    auto acf = [&](size_t lag) {
        double s = 0.0;
        for (size_t k = lo; k + lag < hi; ++k)
            s += double(o[k]) * o[k + lag];
        return s / double(hi - lo - lag);
    };
    const double a = acf(bestLag - 1);
    const double c = acf(bestLag + 1);
    const double denom = a - 2 * best + c;
    g.period = double(bestLag) + (std::abs(denom) > 1e-12 ? 0.5 * (a - c) / denom : 0.0);
    double bestPhase = 0.0;
    double bestSum = -1.0;
    for (size_t p = 0; p < bestLag; ++p) {
        double s = 0.0;
        for (double t = double(lo + p); t < double(hi); t += g.period)
            s += o[size_t(std::lround(t)) < o.size() ? size_t(std::lround(t)) : o.size() - 1];
        if (s > bestSum) {
            bestSum = s;
            bestPhase = double(lo + p);
        }
    }
    g.phase = bestPhase;
    return g;
}

float onsetAt(const std::vector<float> &o, long k)
{
    float s = 0.0f;
    for (long j = k - 1; j <= k + 1; ++j)
        if (j >= 0 && j < long(o.size()))
            s = std::max(s, o[size_t(j)]);
    return s;
}

// How cleanly a clip may start at hop k: the sound rises there, and the hop
// before it is quiet next to what follows (a pause, or the music before a
// louder part). Low in the middle of a word or a held note.
float cleanliness(const std::vector<float> &db, const std::vector<float> &o, long k, long ahead)
{
    if (k <= 0 || k >= long(db.size()))
        return 0.0f;
    float next = db[size_t(k)];
    for (long j = k; j < std::min<long>(long(db.size()), k + ahead); ++j)
        next = std::max(next, db[size_t(j)]);
    return onsetAt(o, k) + std::max(0.0f, next - db[size_t(k - 1)]);
}

// Where the level steps up most within reach of a section boundary the
// harmony put there (it sees only whole blocks a few seconds wide): a
// chorus comes in louder. Unchanged when nothing steps up by 2 dB.
double levelStep(double seconds, const std::vector<float> &db, double hopSeconds, double reachSeconds)
{
    const long centre = long(std::lround(seconds / hopSeconds));
    const long reach = long(reachSeconds / hopSeconds);
    const long side = long(1.0 / hopSeconds);
    const long n = long(db.size());
    const long lo = std::max(side, centre - reach);
    const long hi = std::min(n - side, centre + reach);
    double best = 2.0;
    long at = centre;
    if (hi < lo)
        return seconds;
    // Sums over the stretch searched only: an hour's worth would be a
    // megabyte per call.
    std::vector<double> prefix(size_t(hi - lo + 2 * side + 1), 0.0);
    for (long i = lo - side; i < hi + side; ++i)
        prefix[size_t(i - (lo - side) + 1)] = prefix[size_t(i - (lo - side))] + db[size_t(i)];
    auto sum = [&](long from, long to) { return prefix[size_t(to - (lo - side))] - prefix[size_t(from - (lo - side))]; };
    for (long k = lo; k <= hi; ++k) {
        const double step = (sum(k, k + side) - sum(k - side, k)) / double(side);
        if (step > best) {
            best = step;
            at = k;
        }
    }
    return double(at) * hopSeconds;
}

// The start snapped to the beat (the strongest beat near it, which is
// usually the bar's first) and moved off a word or a held note when a
// cleaner start lies within half a second.
double refineStart(double seconds, const std::vector<float> &db, const std::vector<float> &o, double hopSeconds,
                   double searchSeconds)
{
    const long centre = long(std::lround(seconds / hopSeconds));
    long best = centre;
    const Grid g = beatGrid(o, size_t(std::max(0L, centre)), hopSeconds);
    if (g.period > 0) {
        const long reach = long(searchSeconds / hopSeconds);
        double bestScore = -1e9;
        const double n0 = std::floor((double(centre - reach) - g.phase) / g.period);
        for (double n = n0; g.phase + n * g.period <= double(centre + reach); n += 1.0) {
            const long k = long(std::lround(g.phase + n * g.period));
            if (k < 0 || k >= long(db.size()) || std::abs(k - centre) > reach)
                continue;
            const double score = onsetAt(o, k) - 2.0 * std::abs(double(k - centre)) * hopSeconds;
            if (score > bestScore) {
                bestScore = score;
                best = k;
            }
        }
    }
    // Off a word: a start clearly cleaner within half a second wins, the
    // nearer the better.
    const long half = long(0.5 / hopSeconds);
    const long ahead = long(0.3 / hopSeconds);
    const long snapped = best;
    float cleanest = cleanliness(db, o, best, ahead) + 6.0f;
    for (long k = snapped - half; k <= snapped + half; ++k) {
        const float c = cleanliness(db, o, k, ahead) - 4.0f * float(double(std::abs(k - snapped)) * hopSeconds);
        if (c > cleanest) {
            cleanest = c;
            best = k;
        }
    }
    return double(std::max(0L, best)) * hopSeconds;
}

// Moves a start out of silence: to the first hop with sound after it.
double outOfSilence(double seconds, const Level &level, double hopSeconds)
{
    const float silent = level.peak - kSilenceDb;
    size_t k = std::min(level.db.size() - 1, size_t(seconds / hopSeconds));
    const size_t second = std::max<size_t>(1, size_t(1.0 / hopSeconds));
    auto quiet = [&](size_t at) {
        double e = 0.0;
        const size_t end = std::min(level.db.size(), at + second);
        for (size_t j = at; j < end; ++j)
            e += std::pow(10.0, level.db[j] / 10.0);
        return 10.0 * std::log10(std::max(e / double(end - at), 1e-10)) < silent;
    };
    if (!quiet(k))
        return seconds;
    while (k + 1 < level.db.size() && level.db[k] < silent)
        ++k;
    return double(k) * hopSeconds;
}

ClipSuggestion placed(double start, double length, double seconds, ClipSuggestion::Kind kind, double score)
{
    start = std::clamp(start, 0.0, std::max(0.0, seconds - length));
    return {start, std::min(seconds, start + length), kind, score};
}

// Stretches that repeat less than this (the mean excess similarity summed
// over their partners) are not taken for a chorus.
constexpr double kMinRepetition = 0.12;
// Seconds; anything shorter is a fill or a break, not a section.
constexpr double kMinSection = 6.0;

} // namespace

std::vector<ClipSuggestion> suggestClips(const ClipFeatures &features, double clipLength, std::atomic_bool *cancel)
{
    const double seconds = features.seconds();
    if (features.energy.empty() || !(clipLength > 0) || (cancel && *cancel))
        return {};
    const double length = std::min({clipLength, kPhoneRingtoneSeconds, seconds});
    const double hop = features.hopSeconds;
    const Level level = levels(features);
    const std::vector<float> o = onsets(level.db);
    std::vector<ClipSuggestion> out;
    auto add = [&](double start, ClipSuggestion::Kind kind, double score) {
        const ClipSuggestion s = placed(outOfSilence(start, level, hop), length, seconds, kind, score);
        for (const ClipSuggestion &had : out)
            if (std::abs(had.start - s.start) < 3.0)
                return;
        out.push_back(s);
    };

    const Blocks blocks = makeBlocks(features, level);
    if (blocks.chroma.size() >= 8) {
        const std::vector<double> rep = repetition(blocks, cancel);
        if (cancel && *cancel)
            return {};
        std::vector<Segment> segs = segments(boundaries(novelty(blocks), blocks), blocks, rep);
        double maxRep = 0.0;
        double maxDb = -100.0;
        for (const Segment &s : segs) {
            // Too short to be a section: a fill, a break.
            if (double(s.end - s.first) * blocks.seconds < kMinSection)
                continue;
            maxRep = std::max(maxRep, s.rep);
            maxDb = std::max(maxDb, s.db);
        }
        // Repeating, loud and full: a quieter section (the verse) loses even
        // when it repeats as often.
        for (Segment &s : segs) {
            if (double(s.end - s.first) * blocks.seconds < kMinSection || s.rep < kMinRepetition)
                continue;
            s.score = s.rep / maxRep + std::pow(10.0, (s.db - maxDb) / 20.0);
        }
        // Sections alike in harmony and level are rounds of one part; the
        // first round of the best part is where its ringtone starts, the
        // next round is the second choice.
        std::vector<size_t> order(segs.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return segs[a].score > segs[b].score; });
        std::vector<std::pair<size_t, double>> rounds; // segment, score
        int groups = 0;
        for (size_t i : order) {
            if (segs[i].score <= 0 || segs[i].group >= 0)
                continue;
            const int g = groups++;
            std::vector<size_t> members;
            for (size_t j = 0; j < segs.size(); ++j) {
                if (segs[j].group >= 0 || segs[j].score <= 0)
                    continue;
                if (dot(segs[j].chroma, segs[i].chroma) > 0.8 && std::abs(segs[j].db - segs[i].db) < 4.0) {
                    segs[j].group = g;
                    members.push_back(j);
                }
            }
            for (size_t m = 0; m < members.size() && m < 2; ++m)
                rounds.emplace_back(members[m], segs[i].score * (m == 0 ? 1.0 : 0.95));
            if (groups == 2)
                break;
        }
        // A part may open with bars of other chords (its first line): an
        // adjacent, repeating section just as loud before it belongs to it.
        auto opening = [&](size_t m) {
            size_t first = m;
            for (int steps = 0; steps < 2 && first > 0; ++steps) {
                const Segment &before = segs[first - 1];
                if (before.end != segs[first].first || before.score <= 0 || std::abs(before.db - segs[m].db) > 3.0)
                    break;
                --first;
            }
            return double(segs[first].first * blocks.hops) * hop;
        };
        std::sort(rounds.begin(), rounds.end(), [](const auto &a, const auto &b) { return a.second > b.second; });
        // The first round of the best part, then its second round.
        for (const auto &[seg, score] : rounds) {
            if (out.size() >= 2)
                break;
            add(refineStart(levelStep(opening(seg), level.db, hop, 4.0), level.db, o, hop, 0.75), ClipSuggestion::Chorus, score);
        }
    }
    const size_t width = std::max<size_t>(1, size_t(std::lround(length / hop)));
    const size_t loud = loudestStart(level.db, width);
    if (out.size() < 3)
        add(refineStart(double(loud) * hop, level.db, o, hop, 0.5), ClipSuggestion::LoudestStretch, 0.0);
    return out;
}

namespace {

// Frames [first, first + count) of the file, or to its end with count < 0.
// Empty on a read error or when cancelled.
std::optional<ClipFeatures> featuresOfStretch(const QString &wavPath, qint64 first, qint64 count,
                                              std::atomic_bool *cancel)
{
    CWaveReader reader;
    if (!reader.open(wavPath) || !reader.setRange(first, count))
        return std::nullopt;
    // The reader averages the frames down to the analysis rate as it
    // converts them: one pass over the samples instead of two.
    const int factor = CClipAnalyzer::decimationFor(reader.sampleRate());
    CClipAnalyzer analyzer(double(reader.sampleRate()) / factor);
    const qint64 frames = count < 0 ? reader.frameCount() - first : count;
    analyzer.reserveSeconds(double(frames) / reader.sampleRate());
    std::vector<float> block;
    // 0.4 seconds of 44.1 kHz stereo per read (64 KB): few system calls,
    // and little memory however many threads read.
    const qint64 blockFrames = qint64(factor) << 12;
    for (;;) {
        if (cancel && *cancel)
            return std::nullopt;
        reader.read(block, blockFrames, factor);
        if (block.empty())
            break;
        analyzer.add(block.data(), block.size());
    }
    return analyzer.finish();
}

} // namespace

ClipFeatures clipFeaturesFromWave(const QString &wavPath, std::atomic_bool *cancel, unsigned threads)
{
    CWaveReader reader;
    if (!reader.open(wavPath))
        return {};
    // Each stretch starts on a chroma period of the analysis, so that its
    // analyzer begins where one reading the whole file would stand: at the
    // start of a hop, a chroma window and a group of averaged frames.
    const qint64 period = qint64(CClipAnalyzer::decimationFor(reader.sampleRate())) * CClipAnalyzer::ChromaHops
                          * CClipAnalyzer::HopSamples;
    // Below half a minute a stretch is not worth a thread.
    const qint64 minimum = std::max<qint64>(period, qint64(30) * reader.sampleRate());
    // At most 8: each holds its buffers, and the memory must stay small.
    if (threads == 0)
        threads = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
    const qint64 parts = std::clamp<qint64>(reader.frameCount() / minimum, 1, threads);
    const qint64 stretch = (reader.frameCount() / parts) / period * period;
    std::vector<std::optional<ClipFeatures>> results(static_cast<size_t>(parts));
    {
        std::vector<std::jthread> workers;
        for (qint64 i = 1; i < parts; ++i)
            workers.emplace_back([&, i] {
                results[size_t(i)] = featuresOfStretch(wavPath, i * stretch, i + 1 < parts ? stretch : -1, cancel);
            });
        results[0] = featuresOfStretch(wavPath, 0, parts > 1 ? stretch : -1, cancel);
    }
    ClipFeatures all;
    for (auto &r : results) {
        if (!r)
            return {};
        if (all.energy.empty()) {
            all = std::move(*r);
            // The rest is appended: room for all of it at once.
            all.energy.reserve(size_t(double(reader.frameCount()) / reader.sampleRate() / all.hopSeconds) + 2);
            all.chroma.reserve(all.energy.capacity() / size_t(all.hopsPerChroma) + 2);
            continue;
        }
        all.energy.insert(all.energy.end(), r->energy.begin(), r->energy.end());
        all.chroma.insert(all.chroma.end(), r->chroma.begin(), r->chroma.end());
    }
    return all;
}

std::vector<ClipSuggestion> suggestClipsFromWave(const QString &wavPath, double clipLength, std::atomic_bool *cancel)
{
    const ClipFeatures features = clipFeaturesFromWave(wavPath, cancel);
    if (cancel && *cancel)
        return {};
    return suggestClips(features, clipLength, cancel);
}
