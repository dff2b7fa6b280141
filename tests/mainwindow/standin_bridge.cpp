#include "devicebridge.h"
#include "standins.h"

#include <cstdio>
#include <cstring>
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
    return standin::bridge().commitResult;
}
int copyFromDevice(int, const char *phonePath, const char *localPath)
{
    record(std::string("from ") + phonePath + " " + localPath);
    return 0;
}
int copyToDevice(int, const char *phonePath, const char *localPath)
{
    record(std::string("to ") + phonePath + " " + localPath);
    return 0;
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
    if (index < 0 || size_t(index) >= ringtones.size())
        return -1;
    std::snprintf(name, size_t(nameCapacity), "%s", ringtones[size_t(index)].first.c_str());
    std::snprintf(fileName, size_t(fileNameCapacity), "%s", ringtones[size_t(index)].second.c_str());
    return 0;
}
int removeRingtone(int, int index)
{
    record("remove " + std::to_string(index));
    auto &ringtones = standin::bridge().ringtones;
    if (standin::bridge().changeResult < 0 || index < 0 || size_t(index) >= ringtones.size())
        return -1;
    ringtones.erase(ringtones.begin() + index);
    return 0;
}
int renameRingtone(int, int index, const char *newName)
{
    record("rename " + std::to_string(index) + " " + newName);
    auto &ringtones = standin::bridge().ringtones;
    if (standin::bridge().changeResult < 0 || index < 0 || size_t(index) >= ringtones.size())
        return -1;
    ringtones[size_t(index)].first = newName;
    return 0;
}

DeviceBridge theBridge = {
    queryITunes, setEventCallback, commitChanges,
    nullptr, nullptr, nullptr, nullptr, nullptr,
    copyFromDevice, copyToDevice, replaceRingtone,
    nullptr, nullptr, nullptr,
    addRingtone, nullptr,
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
    return &theBridge;
}
