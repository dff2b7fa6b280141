#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Where iTunes is installed and which version it is, as Windows records it.
namespace tqbridge {

// A four-part version packed one byte a part, major first, as the bridge
// reports it (7.4.0.0 is 0x07040000); a part above 255 counts as 255, so
// packed versions still compare in order.
uint32_t packVersion(unsigned major, unsigned minor, unsigned build, unsigned revision);
// "12.13.2.3" packed; missing parts count as 0. 0 for a text that does not
// start with a number.
uint32_t parseVersion(std::string_view text);

// A program path as a registry value may hold it: surrounding blanks and
// quotes dropped, and with quotes, whatever follows the closing one.
std::wstring programFromRegistryText(std::wstring_view text);
// folder + "iTunes.exe", with a backslash between them when the folder
// lacks one.
std::wstring programInFolder(std::wstring_view folder);

struct ITunesInstall
{
    std::string path; // UTF-8, native separators
    uint32_t version = 0; // packed; 0: not installed
};

// The installed iTunes: the first program that exists among those the
// registry names (App Paths, then Apple's own key), with the version of its
// version resource, else the one Apple's key records. Nothing (version 0)
// where there is no registry.
ITunesInstall findITunes();

} // namespace tqbridge
