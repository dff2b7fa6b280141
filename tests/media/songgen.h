#pragma once

#include <QString>

#include <cstdint>
#include <utility>
#include <vector>

// Songs with a known structure, made at test time: intro, verse, chorus,
// verse, chorus, bridge, chorus, outro, at a random tempo (70-160 BPM), key,
// set of timbres and section lengths. The chorus is louder, fuller and on
// other chords than the verse; the verses may carry voice-like noise bursts
// that differ each time, as words do. The same seed gives the same song.
struct GeneratedSong
{
    enum Section { Intro, Verse, Chorus, Bridge, Outro };
    struct Part
    {
        Section section;
        double start;
        double end;
    };

    double sampleRate = 22050.0;
    double bpm = 0.0;
    int key = 0;
    std::vector<Part> parts;
    std::vector<float> samples; // mono, full scale 1.0

    std::vector<double> chorusStarts() const;
    double seconds() const { return double(samples.size()) / sampleRate; }
};

struct SongOptions
{
    double sampleRate = 22050.0;
    bool voice = true;
    // Seconds of silence before the intro.
    double leadingSilence = 0.0;
};

GeneratedSong generateSong(std::uint32_t seed, const SongOptions &options = {});

// Speech-like sound: words (voiced, with formants, at a wandering pitch)
// and the pauses between them, louder between loudFrom and loudTo seconds.
struct GeneratedSpeech
{
    double sampleRate = 22050.0;
    std::vector<std::pair<double, double>> words; // start, end
    std::vector<float> samples;
};
GeneratedSpeech generateSpeech(std::uint32_t seed, double seconds, double loudFrom, double loudTo,
                               double sampleRate = 22050.0);

// Pink noise (about -3 dB per octave), seeded.
std::vector<float> pinkNoise(std::uint32_t seed, double seconds, double sampleRate);

// A PCM WAV of mono samples, every channel alike: 16-bit or 8-bit.
bool writeWave(const QString &path, const std::vector<float> &samples, int sampleRate, int channels = 2,
               int bits = 16);
