#pragma once

#include <cstdint>
#include <string>
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
    std::vector<std::string> probedPaths;
    double probeDuration = 0.0;
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
    std::vector<std::string> calls; // "rename 1 x&lt;y", "remove 1", "add PATH 1234", "commit", ...
    // Results of the calls; a failed removal or rename changes nothing.
    int changeResult = 0;
    int commitResult = 0;
};
BridgeState &bridge();
// Sends a device event through the callback the window registered.
void sendDeviceEvent(int kind, const char *text);
// Sends a play state through the callback the window registered.
void sendPlayState(int state);

} // namespace standin
