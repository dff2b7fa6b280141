#include "options.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace tq {

namespace {

std::optional<double> parseDouble(std::string_view text)
{
    if (text.empty() || text.front() == '+' || text.front() == '-')
        return std::nullopt;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value,
                                           std::chars_format::fixed | std::chars_format::scientific);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string quoted(const std::string &text) { return "'" + text + "'"; }

} // namespace

std::optional<double> parseSeconds(const std::string &text)
{
    // The conversion job writes whole milliseconds with FFmpeg's "ms" unit,
    // exact at any length; plain seconds are still taken, as FFmpeg takes
    // both. Lengths beyond a year are typing errors, and the bound keeps the
    // conversion to 64-bit microseconds far from overflow.
    std::string_view number = text;
    double divisor = 1.0;
    if (number.size() > 2 && number.substr(number.size() - 2) == "ms") {
        number.remove_suffix(2);
        divisor = 1000.0;
    }
    // Divided, not multiplied by 0.001: 11527437 ms then gives exactly the
    // double nearest to 11527.437 s.
    auto value = parseDouble(number);
    if (value)
        *value /= divisor;
    if (!value || *value > 86400.0 * 366)
        return std::nullopt;
    return value;
}

std::optional<int64_t> parseBitRate(const std::string &text)
{
    if (text.empty())
        return std::nullopt;
    double scale = 1.0;
    std::string_view digits = text;
    switch (digits.back()) {
    case 'k':
    case 'K':
        scale = 1000.0;
        digits.remove_suffix(1);
        break;
    case 'm':
    case 'M':
        scale = 1000000.0;
        digits.remove_suffix(1);
        break;
    default:
        break;
    }
    const auto value = parseDouble(digits);
    if (!value)
        return std::nullopt;
    const double bits = std::round(*value * scale);
    if (bits < 1.0 || bits > 1e9)
        return std::nullopt;
    return static_cast<int64_t>(bits);
}

std::optional<int> parsePositiveInt(const std::string &text, bool allowZero)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 0
        || (value == 0 && !allowZero))
        return std::nullopt;
    return value;
}

ParsedCommandLine parseCommandLine(const std::vector<std::string> &args)
{
    ParsedCommandLine result;
    EncoderOptions options;
    bool haveInput = false;
    bool haveOutput = false;

    auto fail = [&result](std::string message) {
        result.error = std::move(message);
        return result;
    };

    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (arg.size() < 2 || arg.front() != '-') {
            if (haveOutput)
                return fail("Unexpected argument " + quoted(arg) + " after output file "
                            + quoted(options.outputPath));
            options.outputPath = arg;
            haveOutput = true;
            continue;
        }

        const std::string name = arg.substr(1);
        if (name == "y") {
            options.overwrite = true;
            continue;
        }
        if (name == "vn")
            continue; // video is never written
        if (name == "nosync") {
            options.syncOutput = false;
            continue;
        }
        if (name != "i" && name != "ss" && name != "t" && name != "vol" && name != "fadein"
            && name != "fadeout" && name != "ab" && name != "ac" && name != "ar")
            return fail("Unrecognized option " + quoted(name));

        if (i + 1 >= args.size())
            return fail("Missing argument for option " + quoted(name));
        const std::string &value = args[++i];
        bool valid = true;
        // The seek and the length mean the same whether they stand before or
        // after "-i": both are exact here, as the output starts at the sample.
        if (name == "i") {
            if (haveInput)
                return fail("Only one input file is supported, option " + quoted(name) + " given twice");
            options.inputPath = value;
            haveInput = !value.empty();
            valid = haveInput;
        } else if (name == "ss") {
            const auto seconds = parseSeconds(value);
            valid = seconds.has_value();
            options.startSeconds = seconds.value_or(0.0);
        } else if (name == "t") {
            const auto seconds = parseSeconds(value);
            valid = seconds && *seconds > 0.0;
            options.durationSeconds = seconds;
        } else if (name == "vol") {
            const auto volume = parsePositiveInt(value, true);
            valid = volume.has_value();
            options.volume = volume.value_or(256);
        } else if (name == "fadein") {
            const auto seconds = parseSeconds(value);
            valid = seconds.has_value();
            options.fadeInSeconds = seconds.value_or(0.0);
        } else if (name == "fadeout") {
            const auto seconds = parseSeconds(value);
            valid = seconds.has_value();
            options.fadeOutSeconds = seconds.value_or(0.0);
        } else if (name == "ab") {
            const auto rate = parseBitRate(value);
            valid = rate.has_value();
            options.bitRate = rate.value_or(0);
        } else if (name == "ac") {
            const auto channels = parsePositiveInt(value, false);
            valid = channels && *channels <= 64;
            options.channels = channels.value_or(0);
        } else if (name == "ar") {
            const auto rate = parsePositiveInt(value, false);
            valid = rate && *rate >= 1000 && *rate <= 768000;
            options.sampleRate = rate.value_or(0);
        }
        if (!valid)
            return fail("Invalid value " + quoted(value) + " for option " + quoted(name));
    }

    if (!haveInput)
        return fail("No input file given (option 'i')");
    if (!haveOutput)
        return fail("No output file given");
    result.options = std::move(options);
    return result;
}

} // namespace tq
