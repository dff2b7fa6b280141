#include "songgen.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

// Our own generator and uniform draw: the same songs on every compiler and
// standard library.
class Random
{
public:
    explicit Random(std::uint32_t seed)
        : m_state(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull)
    {
        next();
    }
    std::uint64_t next()
    {
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        return m_state * 0x2545F4914F6CDD1Dull;
    }
    double uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    double uniform(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    int pick(int n) { return int(next() % std::uint64_t(n)); }

private:
    std::uint64_t m_state;
};

constexpr int kTable = 4096;

const std::array<float, kTable> &sineTable()
{
    static const std::array<float, kTable> table = [] {
        std::array<float, kTable> t{};
        for (int i = 0; i < kTable; ++i)
            t[size_t(i)] = float(std::sin(2.0 * std::numbers::pi * i / kTable));
        return t;
    }();
    return table;
}

struct Timbre
{
    std::vector<float> partials; // amplitude of harmonic 1, 2, ...
    double attack = 0.01;
    double decay = 1.0; // seconds for the level to fall by e
};

Timbre randomTimbre(Random &rng, int minPartials, int maxPartials, double attack, double decayLo, double decayHi)
{
    Timbre t;
    const int n = minPartials + rng.pick(maxPartials - minPartials + 1);
    const double tilt = rng.uniform(0.6, 2.0);
    for (int h = 1; h <= n; ++h)
        t.partials.push_back(float(std::pow(double(h), -tilt) * rng.uniform(0.5, 1.0)));
    t.attack = attack;
    t.decay = rng.uniform(decayLo, decayHi);
    return t;
}

double midiHz(double midi)
{
    return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0);
}

class Renderer
{
public:
    Renderer(std::vector<float> &out, double rate)
        : m_out(out)
        , m_rate(rate)
    {
    }

    void tone(double start, double length, double hz, double amp, const Timbre &timbre)
    {
        const auto &table = sineTable();
        const size_t first = size_t(start * m_rate);
        const size_t count = std::min(size_t(length * m_rate), m_out.size() - std::min(first, m_out.size()));
        const double release = std::min(0.02, length / 4);
        for (size_t h = 0; h < timbre.partials.size(); ++h) {
            const double f = hz * double(h + 1);
            if (f > m_rate * 0.45)
                break;
            const std::uint32_t step = std::uint32_t(f / m_rate * 4294967296.0);
            std::uint32_t phase = 0;
            const double a = amp * timbre.partials[h];
            // The level falls faster for higher partials, as a plucked string's.
            const double fall = std::exp(-double(h + 1) / (timbre.decay * m_rate));
            double env = a;
            for (size_t i = 0; i < count; ++i) {
                const double t = double(i) / m_rate;
                double shape = 1.0;
                if (t < timbre.attack)
                    shape = t / timbre.attack;
                else if (t > length - release)
                    shape = std::max(0.0, (length - t) / release);
                m_out[first + i] += float(env * shape) * table[phase >> 20];
                phase += step;
                env *= fall;
            }
        }
    }

    void kick(double start, double amp)
    {
        const size_t first = size_t(start * m_rate);
        const size_t count = std::min(size_t(0.18 * m_rate), m_out.size() - std::min(first, m_out.size()));
        double phase = 0.0;
        for (size_t i = 0; i < count; ++i) {
            const double t = double(i) / m_rate;
            phase += 2.0 * std::numbers::pi * (45.0 + 80.0 * std::exp(-t * 30.0)) / m_rate;
            m_out[first + i] += float(amp * std::exp(-t * 18.0) * std::sin(phase));
        }
    }

    // Noise through a first-order high-pass, decaying: snare and hat.
    void noise(Random &rng, double start, double length, double amp, double decay, double highPass)
    {
        const size_t first = size_t(start * m_rate);
        const size_t count = std::min(size_t(length * m_rate), m_out.size() - std::min(first, m_out.size()));
        const double c = std::exp(-2.0 * std::numbers::pi * highPass / m_rate);
        double prevIn = 0.0;
        double prevOut = 0.0;
        for (size_t i = 0; i < count; ++i) {
            const double t = double(i) / m_rate;
            const double in = rng.uniform(-1.0, 1.0);
            prevOut = c * (prevOut + in - prevIn);
            prevIn = in;
            m_out[first + i] += float(amp * std::exp(-t / decay) * prevOut);
        }
    }

    // A syllable: a glottal pulse train through two formant resonators.
    void syllable(Random &rng, double start, double length, double amp, double pitch)
    {
        const size_t first = size_t(start * m_rate);
        const size_t count = std::min(size_t(length * m_rate), m_out.size() - std::min(first, m_out.size()));
        const double formants[2] = {rng.uniform(300.0, 900.0), rng.uniform(900.0, 2800.0)};
        const double coeff[2] = {2 * 0.97 * std::cos(2.0 * std::numbers::pi * formants[0] / m_rate),
                                 2 * 0.97 * std::cos(2.0 * std::numbers::pi * formants[1] / m_rate)};
        double y1[2] = {0, 0};
        double y2[2] = {0, 0};
        double phase = 0.0;
        for (size_t i = 0; i < count; ++i) {
            const double t = double(i) / m_rate;
            phase += pitch * (1.0 + 0.03 * std::sin(t * 30.0)) / m_rate;
            double src = 0.3 * rng.uniform(-1.0, 1.0);
            if (phase >= 1.0) {
                phase -= 1.0;
                src += 4.0;
            }
            double sum = 0.0;
            for (int k = 0; k < 2; ++k) {
                constexpr double r = 0.97;
                const double y = src * (1 - r) + coeff[k] * y1[k] - r * r * y2[k];
                y2[k] = y1[k];
                y1[k] = y;
                sum += y;
            }
            const double env = std::sin(std::numbers::pi * t / length);
            m_out[first + i] += float(amp * env * sum);
        }
    }

private:
    std::vector<float> &m_out;
    double m_rate;
};

constexpr std::array<int, 7> kMajor = {0, 2, 4, 5, 7, 9, 11};

// Triad on a scale degree (0 = I), as semitones above the key.
std::array<int, 3> triad(int degree)
{
    std::array<int, 3> notes{};
    for (int i = 0; i < 3; ++i) {
        const int d = degree + 2 * i;
        notes[size_t(i)] = kMajor[size_t(d % 7)] + 12 * (d / 7);
    }
    return notes;
}

struct SectionPlan
{
    std::vector<int> chords; // one per bar, repeated to fill the section
    std::vector<int> melody; // per eighth: index into the chord (0-2), -1 rest
    int bars = 4;
};

std::vector<int> progression(Random &rng, const std::vector<int> &from, int count)
{
    std::vector<int> chords;
    for (int i = 0; i < count; ++i) {
        int c = from[size_t(rng.pick(int(from.size())))];
        // Never the same chord twice running.
        while (!chords.empty() && c == chords.back() && from.size() > 1)
            c = from[size_t(rng.pick(int(from.size())))];
        chords.push_back(c);
    }
    return chords;
}

std::vector<int> melody(Random &rng, int eighths, double rests)
{
    std::vector<int> m;
    for (int i = 0; i < eighths; ++i)
        m.push_back(rng.uniform() < rests ? -1 : rng.pick(3));
    return m;
}

} // namespace

std::vector<double> GeneratedSong::chorusStarts() const
{
    std::vector<double> starts;
    for (const Part &p : parts)
        if (p.section == Chorus)
            starts.push_back(p.start);
    return starts;
}

GeneratedSong generateSong(std::uint32_t seed, const SongOptions &options)
{
    Random rng(seed);
    GeneratedSong song;
    song.sampleRate = options.sampleRate;
    song.bpm = rng.uniform(70.0, 160.0);
    song.key = rng.pick(12);
    const double beat = 60.0 / song.bpm;
    const double bar = 4 * beat;

    const Timbre pad = randomTimbre(rng, 3, 6, 0.04, 1.5, 4.0);
    const Timbre bright = randomTimbre(rng, 5, 8, 0.02, 0.8, 2.0);
    const Timbre bass = randomTimbre(rng, 2, 4, 0.01, 0.4, 1.2);
    const Timbre lead = randomTimbre(rng, 3, 6, 0.01, 0.2, 0.8);

    // Verse on the minor chords, chorus on the major ones: other harmony.
    SectionPlan verse, chorus, bridge, intro, outro;
    verse.chords = progression(rng, {1, 2, 5}, 4);
    chorus.chords = progression(rng, {0, 3, 4}, 4);
    chorus.chords[0] = 0;
    bridge.chords = progression(rng, {1, 3, 4, 5}, 2);
    intro.chords = verse.chords;
    outro.chords = chorus.chords;
    verse.melody = melody(rng, 8 * 4, 0.4);
    chorus.melody = melody(rng, 8 * 4, 0.15);
    bridge.melody = melody(rng, 8 * 2, 0.5);
    verse.bars = rng.uniform() < 0.5 ? 8 : 16;
    chorus.bars = bar > 2.4 ? 8 : (rng.uniform() < 0.5 ? 8 : 16);
    bridge.bars = rng.uniform() < 0.5 ? 4 : 8;
    intro.bars = rng.uniform() < 0.5 ? 2 : 4;
    outro.bars = rng.uniform() < 0.5 ? 4 : 8;

    const std::array<GeneratedSong::Section, 8> order = {
        GeneratedSong::Intro, GeneratedSong::Verse, GeneratedSong::Chorus, GeneratedSong::Verse,
        GeneratedSong::Chorus, GeneratedSong::Bridge, GeneratedSong::Chorus, GeneratedSong::Outro};
    double t = options.leadingSilence;
    for (auto s : order) {
        const SectionPlan &plan = s == GeneratedSong::Verse    ? verse
                                  : s == GeneratedSong::Chorus ? chorus
                                  : s == GeneratedSong::Bridge ? bridge
                                  : s == GeneratedSong::Intro  ? intro
                                                               : outro;
        song.parts.push_back({s, t, t + plan.bars * bar});
        t += plan.bars * bar;
    }
    song.samples.assign(size_t((t + 1.0) * song.sampleRate), 0.0f);
    Renderer r(song.samples, song.sampleRate);
    const int root = 48 + song.key; // the pads around C3 .. C4

    for (const auto &part : song.parts) {
        const SectionPlan &plan = part.section == GeneratedSong::Verse    ? verse
                                  : part.section == GeneratedSong::Chorus ? chorus
                                  : part.section == GeneratedSong::Bridge ? bridge
                                  : part.section == GeneratedSong::Intro  ? intro
                                                                          : outro;
        const bool isChorus = part.section == GeneratedSong::Chorus;
        const bool quiet = part.section == GeneratedSong::Intro || part.section == GeneratedSong::Outro;
        const double gain = isChorus ? 1.0 : quiet ? 0.3 : 0.5;
        for (int b = 0; b < plan.bars; ++b) {
            const double t0 = part.start + b * bar;
            const auto notes = triad(plan.chords[size_t(b) % plan.chords.size()]);
            double fade = 1.0;
            if (part.section == GeneratedSong::Outro)
                fade = 1.0 - double(b) / plan.bars;
            for (int n : notes) {
                r.tone(t0, bar, midiHz(root + n), 0.10 * gain * fade, pad);
                if (isChorus)
                    r.tone(t0, bar, midiHz(root + 12 + n), 0.06 * gain, bright);
            }
            if (quiet)
                continue;
            // Bass on the root, on every beat (the chorus) or every other.
            for (int k = 0; k < 4; k += isChorus ? 1 : 2)
                r.tone(t0 + k * beat, beat * 0.9, midiHz(root - 12 + notes[0]), 0.18 * gain, bass);
            // Drums.
            for (int k = 0; k < 4; ++k) {
                if (k % 2 == 0)
                    r.kick(t0 + k * beat, 0.5 * gain);
                else if (part.section != GeneratedSong::Verse)
                    r.noise(rng, t0 + k * beat, 0.2, 0.25 * gain, 0.05, 1500.0);
                for (int e = 0; e < 2; ++e)
                    r.noise(rng, t0 + k * beat + e * beat / 2, 0.05, 0.06 * gain, 0.015, 6000.0);
            }
            // The tune: the same in every round of the section.
            if (!plan.melody.empty()) {
                const size_t perBar = 8;
                for (size_t e = 0; e < perBar; ++e) {
                    const int idx = plan.melody[(size_t(b) * perBar + e) % plan.melody.size()];
                    if (idx < 0)
                        continue;
                    r.tone(t0 + double(e) * beat / 2, beat / 2, midiHz(root + 12 + notes[size_t(idx)]),
                           (isChorus ? 0.16 : 0.10) * gain, lead);
                }
            }
            // Words: other each time, so they never repeat.
            if (options.voice && (part.section == GeneratedSong::Verse || isChorus)) {
                double w = t0 + rng.uniform(0.0, beat / 2);
                while (w < t0 + bar) {
                    const double len = rng.uniform(0.08, 0.3);
                    if (rng.uniform() < 0.8)
                        r.syllable(rng, w, len, 0.10 * gain, rng.uniform(110.0, 240.0));
                    w += len + rng.uniform(0.02, 0.25);
                }
            }
        }
    }
    float peak = 0.0f;
    for (float v : song.samples)
        peak = std::max(peak, std::abs(v));
    if (peak > 0)
        for (float &v : song.samples)
            v *= 0.9f / peak;
    return song;
}

GeneratedSpeech generateSpeech(std::uint32_t seed, double seconds, double loudFrom, double loudTo, double sampleRate)
{
    Random rng(seed);
    GeneratedSpeech speech;
    speech.sampleRate = sampleRate;
    speech.samples.assign(size_t(seconds * sampleRate), 0.0f);
    Renderer r(speech.samples, sampleRate);
    // A faint room noise under it all.
    r.noise(rng, 0.0, seconds, 0.002, 1e9, 100.0);
    double t = 0.5;
    while (t < seconds - 1.0) {
        const double len = rng.uniform(0.25, 0.6);
        const double gain = t >= loudFrom && t < loudTo ? 0.5 : 0.2;
        r.syllable(rng, t, len, gain, rng.uniform(100.0, 220.0));
        speech.words.emplace_back(t, t + len);
        t += len + rng.uniform(0.08, 0.35);
    }
    return speech;
}

std::vector<float> pinkNoise(std::uint32_t seed, double seconds, double sampleRate)
{
    Random rng(seed);
    // Paul Kellet's economy filter: within 0.5 dB of -3 dB per octave.
    std::vector<float> out(size_t(seconds * sampleRate));
    double b0 = 0, b1 = 0, b2 = 0;
    for (float &v : out) {
        const double white = rng.uniform(-1.0, 1.0);
        b0 = 0.99765 * b0 + white * 0.0990460;
        b1 = 0.96300 * b1 + white * 0.2965164;
        b2 = 0.57000 * b2 + white * 1.0526913;
        v = float(0.15 * (b0 + b1 + b2 + white * 0.1848));
    }
    return out;
}

bool writeWave(const QString &path, const std::vector<float> &samples, int sampleRate, int channels, int bits)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const int bytes = bits / 8;
    const quint32 frameBytes = quint32(channels * bytes);
    const quint32 dataBytes = quint32(samples.size()) * frameBytes;
    QByteArray header(44, '\0');
    char *h = header.data();
    memcpy(h, "RIFF", 4);
    qToLittleEndian<quint32>(36 + dataBytes + (dataBytes & 1), h + 4);
    memcpy(h + 8, "WAVEfmt ", 8);
    qToLittleEndian<quint32>(16, h + 16);
    qToLittleEndian<quint16>(1, h + 20);
    qToLittleEndian<quint16>(quint16(channels), h + 22);
    qToLittleEndian<quint32>(quint32(sampleRate), h + 24);
    qToLittleEndian<quint32>(quint32(sampleRate) * frameBytes, h + 28);
    qToLittleEndian<quint16>(quint16(frameBytes), h + 32);
    qToLittleEndian<quint16>(quint16(bits), h + 34);
    memcpy(h + 36, "data", 4);
    qToLittleEndian<quint32>(dataBytes, h + 40);
    if (file.write(header) != header.size())
        return false;
    QByteArray block;
    constexpr size_t kBlock = 1 << 15;
    for (size_t i = 0; i < samples.size(); i += kBlock) {
        const size_t n = std::min(kBlock, samples.size() - i);
        block.resize(qsizetype(n * frameBytes));
        char *p = block.data();
        for (size_t k = 0; k < n; ++k) {
            const float v = std::clamp(samples[i + k], -1.0f, 1.0f);
            for (int c = 0; c < channels; ++c) {
                if (bits == 16) {
                    qToLittleEndian<qint16>(qint16(std::lround(v * 32767.0f)), p);
                    p += 2;
                } else {
                    *p++ = char(quint8(std::lround(v * 127.0f) + 128));
                }
            }
        }
        if (file.write(block) != block.size())
            return false;
    }
    // Chunks are padded to an even size.
    return (dataBytes & 1) == 0 || file.write("\0", 1) == 1;
}
