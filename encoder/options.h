#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tq {

// What one run of the encoder program does. Zero for the channel count or
// the sample rate keeps the input's.
struct EncoderOptions
{
    std::string inputPath;
    std::string outputPath;
    double startSeconds = 0.0;
    std::optional<double> durationSeconds;
    int volume = 256; // linear gain volume / 256
    double fadeInSeconds = 0.0;
    // Ends the clip: needs the length (-t) to know where it starts.
    double fadeOutSeconds = 0.0;
    int64_t bitRate = 0;
    int channels = 0;
    int sampleRate = 0;
    bool overwrite = false;
    // "-nosync": the output is scratch (the window's waveform WAV, read once
    // and removed), not worth waiting for the disk to hold it.
    bool syncOutput = true;
    // Not on the command line: the limiter's ceiling when a pass before
    // found the encoded output still clipping; 0 for the output's default.
    double limiterCeiling = 0.0;
};

struct ParsedCommandLine
{
    std::optional<EncoderOptions> options;
    std::string error; // one line naming the option when options is empty
};

// Exit code for a command line that cannot be understood, kept apart from
// the failures of a run (1) so that callers can tell a wrong build of the
// program from a bad input.
constexpr int ExitUsage = 2;
constexpr int ExitFailure = 1;

// Parses the arguments after the program name. Accepts the forms the
// conversion job writes: [-ss S] [-t T] -y -i INPUT [-vol N] [-fadein F] [-fadeout F] -vn
// -ab RATE -ac CH -ar HZ [-nosync] OUTPUT.
ParsedCommandLine parseCommandLine(const std::vector<std::string> &args);

// Number parsers, independent of the C locale. Each returns nothing for
// text that is not entirely a valid value.
std::optional<double> parseSeconds(const std::string &text);
std::optional<int64_t> parseBitRate(const std::string &text);
std::optional<int> parsePositiveInt(const std::string &text, bool allowZero);

} // namespace tq
