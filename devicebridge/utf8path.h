#pragma once

#include <filesystem>
#include <string>

namespace tqbridge {

// The bridge passes every path as UTF-8, whatever the platform's own encoding.
inline std::filesystem::path pathFromUtf8(const std::string &utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string utf8FromPath(const std::filesystem::path &path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace tqbridge
