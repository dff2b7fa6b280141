#include "itunes.h"

#include <algorithm>
#include <initializer_list>

#ifdef _WIN32
#include <windows.h>

#include <vector>
#endif

namespace tqbridge {

uint32_t packVersion(unsigned major, unsigned minor, unsigned build, unsigned revision)
{
    const auto part = [](unsigned value) { return uint32_t(std::min(value, 255u)); };
    return part(major) << 24 | part(minor) << 16 | part(build) << 8 | part(revision);
}

uint32_t parseVersion(std::string_view text)
{
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (text.empty() || !isDigit(text.front()))
        return 0;
    unsigned parts[4] = {};
    size_t at = 0;
    for (unsigned &part : parts) {
        if (at >= text.size() || !isDigit(text[at]))
            break;
        for (; at < text.size() && isDigit(text[at]); ++at)
            part = std::min(part * 10 + unsigned(text[at] - '0'), 1000u);
        if (at >= text.size() || text[at] != '.')
            break;
        ++at;
    }
    return packVersion(parts[0], parts[1], parts[2], parts[3]);
}

std::wstring programFromRegistryText(std::wstring_view text)
{
    const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == L'"') {
        text.remove_prefix(1);
        const size_t end = text.find(L'"');
        if (end != std::wstring_view::npos)
            text = text.substr(0, end);
    }
    return std::wstring(text);
}

std::wstring programInFolder(std::wstring_view folder)
{
    if (folder.empty())
        return {};
    std::wstring program(folder);
    if (program.back() != L'\\' && program.back() != L'/')
        program += L'\\';
    return program + L"iTunes.exe";
}

#ifdef _WIN32
namespace {

const wchar_t kAppPathsKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\iTunes.exe";
const wchar_t kAppleKey[] = L"SOFTWARE\\Apple Computer, Inc.\\iTunes";
// A 32-bit iTunes on 64-bit Windows registers in the 32-bit view.
const REGSAM kViews[] = {KEY_WOW64_64KEY, KEY_WOW64_32KEY};

// A string value (REG_EXPAND_SZ expanded); empty when the key or the value
// is missing or is not a string. name nullptr: the key's default value.
std::wstring registryString(HKEY root, const wchar_t *subKey, const wchar_t *name, REGSAM view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subKey, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS)
        return {};
    std::wstring value;
    DWORD type = 0;
    DWORD bytes = 0;
    // RegGetValueW expands only when asked for expanded strings alone, and
    // then refuses plain ones: both raw, expanded here.
    const DWORD flags = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
    if (RegGetValueW(key, nullptr, name, flags, &type, nullptr, &bytes) == ERROR_SUCCESS && bytes > 0) {
        std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1);
        bytes = DWORD(buffer.size() * sizeof(wchar_t));
        if (RegGetValueW(key, nullptr, name, flags, &type, buffer.data(), &bytes) == ERROR_SUCCESS)
            value.assign(buffer.data());
    }
    RegCloseKey(key);
    if (type == REG_EXPAND_SZ && !value.empty()) {
        const DWORD size = ExpandEnvironmentStringsW(value.c_str(), nullptr, 0);
        std::vector<wchar_t> expanded(size + 1);
        if (size > 0 && ExpandEnvironmentStringsW(value.c_str(), expanded.data(), DWORD(expanded.size())) > 0)
            value.assign(expanded.data());
    }
    return value;
}

bool isFile(const std::wstring &path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The file version of the program's version resource; 0 without one.
uint32_t fileVersion(const std::wstring &path)
{
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    if (size == 0)
        return 0;
    std::vector<unsigned char> data(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data()))
        return 0;
    VS_FIXEDFILEINFO *info = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void **>(&info), &length) || !info
        || length < sizeof *info || info->dwSignature != VS_FFI_SIGNATURE)
        return 0;
    return packVersion(HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                       HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS));
}

// The version Apple's key records, for a program without a version resource.
uint32_t registeredVersion()
{
    for (REGSAM view : kViews) {
        const std::wstring text = registryString(HKEY_LOCAL_MACHINE, kAppleKey, L"Version", view);
        // Digits and dots only matter here: ASCII is enough.
        const uint32_t version = parseVersion(std::string(text.begin(), text.end()));
        if (version)
            return version;
    }
    return 0;
}

std::string utf8(const std::wstring &text)
{
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(size_t(std::max(size, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), result.data(), size, nullptr, nullptr);
    return result;
}

} // namespace

ITunesInstall findITunes()
{
    // Where the shell finds "iTunes.exe" by name (a user's own entry
    // first, as the shell takes it), then the folder iTunes' installer
    // records under Apple's key.
    std::vector<std::wstring> candidates;
    candidates.push_back(programFromRegistryText(registryString(HKEY_CURRENT_USER, kAppPathsKey, nullptr, 0)));
    for (REGSAM view : kViews)
        candidates.push_back(programFromRegistryText(registryString(HKEY_LOCAL_MACHINE, kAppPathsKey, nullptr, view)));
    for (REGSAM view : kViews)
        for (const wchar_t *name : {L"InstallDir", L"ProgramFolder"})
            candidates.push_back(
                programInFolder(programFromRegistryText(registryString(HKEY_LOCAL_MACHINE, kAppleKey, name, view))));

    for (const std::wstring &program : candidates) {
        if (program.empty() || !isFile(program))
            continue;
        uint32_t version = fileVersion(program);
        if (version == 0)
            version = registeredVersion();
        // A program whose version nobody can tell is not taken for iTunes.
        if (version != 0)
            return {utf8(program), version};
    }
    return {};
}
#else
ITunesInstall findITunes()
{
    return {};
}
#endif

} // namespace tqbridge
