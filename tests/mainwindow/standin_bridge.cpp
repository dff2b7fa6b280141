#include "devicebridge.h"
#include "standins.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {
DeviceEventCallback theCallback = nullptr;

uint32_t queryITunes(char *buffer, int capacity)
{
    const std::string &path = standin::bridge().iTunesPath;
    if (capacity > 0) {
        std::strncpy(buffer, path.c_str(), size_t(capacity) - 1);
        buffer[capacity - 1] = '\0';
    }
    return standin::bridge().iTunesVersion;
}
void setEventCallback(DeviceEventCallback callback)
{
    theCallback = callback;
    ++standin::bridge().callbackRegistrations;
}
void record(const std::string &call)
{
    standin::bridge().calls.push_back(call);
}
int commitChanges(int)
{
    record("commit");
    // As the real bridge does, a failed commit drops the listing that
    // indexes pointed into.
    if (standin::bridge().commitResult < 0)
        standin::bridge().listingGone = true;
    return standin::bridge().commitResult;
}
int copyFromDevice(int, const char *phonePath, const char *localPath)
{
    record(std::string("from ") + phonePath + " " + localPath);
    if (standin::bridge().changeResult < 0)
        return standin::bridge().changeResult;
    std::ofstream(localPath, std::ios::binary) << "sound of " << phonePath;
    return 0;
}
int copyToDevice(int, const char *phonePath, const char *localPath)
{
    record(std::string("to ") + phonePath + " " + localPath);
    return standin::bridge().changeResult;
}
int replaceRingtone(int, const char *phonePath, const char *localPath, int milliseconds)
{
    record(std::string("replace ") + phonePath + " " + localPath + " " + std::to_string(milliseconds));
    return standin::bridge().changeResult;
}
int addRingtone(int, const char *path, int milliseconds)
{
    record(std::string("add ") + path + " " + std::to_string(milliseconds));
    return standin::bridge().changeResult;
}
int getRingtone(int, int index, char *name, int nameCapacity, char *fileName, int fileNameCapacity)
{
    const auto &ringtones = standin::bridge().ringtones;
    if (index == 0) {
        standin::bridge().listed.clear();
        standin::bridge().listingGone = false;
    }
    if (index == 0 && standin::bridge().listResult < 0)
        return standin::bridge().listResult;
    if (index < 0 || size_t(index) >= ringtones.size())
        return DEVICE_ERR_NOT_FOUND;
    if (size_t(index) == standin::bridge().listed.size())
        standin::bridge().listed.push_back(ringtones[size_t(index)].second);
    std::snprintf(name, size_t(nameCapacity), "%s", ringtones[size_t(index)].first.c_str());
    std::snprintf(fileName, size_t(fileNameCapacity), "%s", ringtones[size_t(index)].second.c_str());
    return 0;
}
int getRingtoneInfo(int, int index, int *milliseconds)
{
    const auto &state = standin::bridge();
    if (index < 0 || size_t(index) >= state.ringtones.size())
        return DEVICE_ERR_NOT_FOUND;
    const auto length = state.lengths.find(state.ringtones[size_t(index)].second);
    if (length == state.lengths.end())
        return DEVICE_ERR_IO;
    *milliseconds = length->second;
    return 0;
}
// Where the entry at `index` of the last listing is now; -1 when it is gone.
int entryOfListing(int index)
{
    const auto &state = standin::bridge();
    if (index < 0 || size_t(index) >= state.listed.size())
        return -1;
    for (size_t i = 0; i < state.ringtones.size(); ++i) {
        if (state.ringtones[i].second == state.listed[size_t(index)])
            return int(i);
    }
    return -1;
}
// Where the entry stored as phonePath is; -1 when the phone has none.
int entryOfFile(const char *phonePath)
{
    const auto &ringtones = standin::bridge().ringtones;
    for (size_t i = 0; i < ringtones.size(); ++i)
        if (std::string("/iTunes_Control/Ringtones/") + ringtones[i].second == phonePath)
            return int(i);
    return -1;
}
int removeRingtoneFile(int, const char *phonePath)
{
    record(std::string("remove ") + phonePath);
    if (standin::bridge().changeResult < 0)
        return standin::bridge().changeResult;
    const int entry = entryOfFile(phonePath);
    if (entry < 0)
        return DEVICE_ERR_NOT_FOUND;
    standin::bridge().ringtones.erase(standin::bridge().ringtones.begin() + entry);
    return 0;
}
int renameRingtoneFile(int, const char *phonePath, const char *newName)
{
    record(std::string("rename ") + phonePath + " " + newName);
    if (standin::bridge().changeResult < 0)
        return standin::bridge().changeResult;
    const int entry = entryOfFile(phonePath);
    if (entry < 0)
        return DEVICE_ERR_NOT_FOUND;
    standin::bridge().ringtones[size_t(entry)].first = newName;
    return 0;
}
int removeRingtone(int, int index)
{
    record("remove " + std::to_string(index));
    auto &ringtones = standin::bridge().ringtones;
    if (standin::bridge().changeResult < 0)
        return standin::bridge().changeResult;
    if (standin::bridge().listingGone)
        return DEVICE_ERR_STALE;
    const int entry = entryOfListing(index);
    if (entry < 0)
        return DEVICE_ERR_NOT_FOUND;
    ringtones.erase(ringtones.begin() + entry);
    return 0;
}
int renameRingtone(int, int index, const char *newName)
{
    record("rename " + std::to_string(index) + " " + newName);
    auto &ringtones = standin::bridge().ringtones;
    if (standin::bridge().changeResult < 0)
        return standin::bridge().changeResult;
    if (standin::bridge().listingGone)
        return DEVICE_ERR_STALE;
    const int entry = entryOfListing(index);
    if (entry < 0)
        return DEVICE_ERR_NOT_FOUND;
    ringtones[size_t(entry)].first = newName;
    return 0;
}

DeviceBridge theBridge = {
    queryITunes, setEventCallback, commitChanges,
    nullptr, nullptr, nullptr, nullptr, nullptr,
    copyFromDevice, copyToDevice,
    replaceRingtone, removeRingtoneFile, renameRingtoneFile, nullptr,
    addRingtone, getRingtoneInfo,
    getRingtone, removeRingtone, renameRingtone,
};
}

namespace standin {
BridgeState &bridge()
{
    static BridgeState state;
    return state;
}
void sendDeviceEvent(int kind, const char *text)
{
    if (theCallback)
        theCallback(kind, text);
}
}

extern "C" DeviceBridge *createDeviceBridge(void)
{
    // An older bridge lacks the optional entries.
    theBridge.replaceRingtone = standin::bridge().withReplace ? replaceRingtone : nullptr;
    theBridge.getRingtoneInfo = standin::bridge().withInfo ? getRingtoneInfo : nullptr;
    theBridge.removeRingtoneFile = standin::bridge().withFileChanges ? removeRingtoneFile : nullptr;
    theBridge.renameRingtoneFile = standin::bridge().withFileChanges ? renameRingtoneFile : nullptr;
    return &theBridge;
}
