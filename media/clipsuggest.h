#pragma once

#include <QString>

#include <array>
#include <atomic>
#include <cstddef>
#include <vector>

// Finds the stretch of a song a ringtone should be: the start of the part
// that repeats and carries (the chorus), or for speech, films and anything
// without repetition, the loudest sustained stretch.
//
// Everything here is plain computation on samples; suggestClipsFromWave()
// reads the waveform job's WAV and is slow (it reads the whole file): call it
// on a worker thread, never on the GUI thread.

struct ClipSuggestion
{
    double start;
    double end;
    enum Kind { Chorus, LoudestStretch } kind;
    // Higher is better; only comparable between suggestions of one file.
    double score;
};

// What the analysis keeps of a file: small enough for an hour of sound to
// stay within a few megabytes (about 1.1 MB for 60 minutes).
struct ClipFeatures
{
    // Mean square level (full scale 1.0) per hop of hopSeconds.
    double hopSeconds = 0.0;
    std::vector<float> energy;
    // Pitch-class profile (C, C#, ... B) per chroma frame, one frame every
    // hopsPerChroma hops, from the window that ends there.
    int hopsPerChroma = 1;
    std::vector<std::array<float, 12>> chroma;

    double seconds() const { return hopSeconds * double(energy.size()); }
};

// Turns a stream of mono samples into ClipFeatures, block by block, with
// memory that does not grow with the input beyond the features themselves.
// The samples are first brought down to about 11 kHz: the chroma needs
// nothing above 2 kHz, and the level and onsets not much more.
class CClipAnalyzer final
{
public:
    explicit CClipAnalyzer(double sampleRate);
    // The factor the analyzer brings a rate down by; a reader that averages
    // that many samples itself passes sampleRate / factor instead.
    static int decimationFor(double sampleRate);
    // Reserves the features for a stream of about this length, so that the
    // vectors do not double past what they need.
    void reserveSeconds(double seconds);
    void add(const float *samples, size_t count);
    ClipFeatures finish();

    static constexpr int HopSamples = 256;    // at the analysis rate
    // A chroma frame every 4096 samples (0.37 s), from a window of 2048 at
    // its end: half the sound is enough for the harmony of a section, and
    // the transforms are most of the analysis' time.
    static constexpr int ChromaHops = 16;
    static constexpr int FftSize = 2048;

private:
    void addAnalysisRate(const float *samples, size_t count);
    void chromaFrame();

    int m_decimation = 1;
    double m_rate = 0.0; // after decimation
    int m_phase = 0;
    float m_sum = 0.0f;
    double m_energy = 0.0;
    int m_inHop = 0;
    std::vector<float> m_frame; // the chroma window being filled
    std::vector<float> m_re, m_im;
    size_t m_seen = 0;
    std::vector<float> m_window;
    std::vector<int> m_binClass;
    std::vector<float> m_binWeight;
    int m_binFirst = 0;
    int m_binEnd = 0;
    ClipFeatures m_features;
};

// Features of a whole buffer of mono samples.
ClipFeatures clipFeatures(const float *samples, size_t count, double sampleRate);

// Up to three ranked suggestions of clipLength seconds (at most 40, and the
// whole file when it is shorter); the first is the best. Starts are never in
// silence and never past the end. Empty for an empty input, a length that
// is not positive, or when cancel is set.
std::vector<ClipSuggestion> suggestClips(const ClipFeatures &features, double clipLength,
                                         std::atomic_bool *cancel = nullptr);

// The features of a WAV file (the waveform job's), read in blocks. Long
// files are cut into stretches on chroma-frame boundaries that threads
// (at most `threads`; 0: one per core) read side by side; the result is
// the same as one thread's. Empty when the file cannot be read or cancel
// is set.
ClipFeatures clipFeaturesFromWave(const QString &wavPath, std::atomic_bool *cancel = nullptr, unsigned threads = 0);

// Reads the WAV file (the waveform job's) in blocks and suggests from it.
// Empty when the file cannot be read or cancel is set.
std::vector<ClipSuggestion> suggestClipsFromWave(const QString &wavPath, double clipLength,
                                                 std::atomic_bool *cancel = nullptr);

