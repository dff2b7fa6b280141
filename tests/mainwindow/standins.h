#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

// Test stand-ins of the preview player and the device bridge.
namespace standin {

struct PlayerLog
{
    int initCalls = 0;
    std::vector<std::string> calls; // "open", "play", "stop", ...
    std::vector<double> volumes;
    std::vector<double> seeks;
    std::vector<double> fadeins;
    // (length, end) of each ffplay_fadeout, and each ffplay_loop
    std::vector<std::pair<double, double>> fadeouts;
    std::vector<int> loops;
    std::vector<std::string> probedPaths;
    double probeDuration = 0.0;
    // Durations of particular paths; any other path gets probeDuration. A
    // duration of 0 or less fails the probe.
    std::map<std::string, double> probeDurations;
    // Paths that probe as media a phone cannot take as they are; any other
    // playable path probes as a ringtone.
    std::set<std::string> probeNotRingtones;
    double position = 0.0;
    // What ffplay_play returns (FFPLAY_NO_SOUND: no sound device).
    int playResult = 0;
};
PlayerLog &player();

struct BridgeState
{
    uint32_t iTunesVersion = 0;
    std::string iTunesPath;
    int callbackRegistrations = 0;
    // The phone's catalogue: display name (as stored) and file name.
    std::vector<std::pair<std::string, std::string>> ringtones;
    // File names of the last listing: removals and renames by index name an
    // entry there, and fail when that entry has left the phone since, or
    // when a failed commit dropped the listing (until index 0 is read).
    std::vector<std::string> listed;
    bool listingGone = false;
    // Lengths in ms by file name, as getRingtoneInfo gives them.
    std::map<std::string, int> lengths;
    // "rename PHONE x<y", "remove PHONE" (by file), "rename 1 x<y",
    // "remove 1" (by index), "add PATH 1234", "commit",
    // "from PHONE LOCAL", "to PHONE LOCAL", "replace PHONE LOCAL 1234"
    std::vector<std::string> calls;
    // Results of the calls; a failed change or copy changes nothing.
    int changeResult = 0;
    int commitResult = 0;
    // Of getRingtone at index 0: negative for a phone whose list cannot be read.
    int listResult = 0;
    // Whether the table has the optional entries (set before the table is taken).
    bool withReplace = true;
    bool withInfo = true;
    bool withFileChanges = true;
};
BridgeState &bridge();
// Sends a device event through the callback the window registered.
void sendDeviceEvent(int kind, const char *text);
// Sends a play state through the callback the window registered.
void sendPlayState(int state);

} // namespace standin
