#include "devicebridge.h"
#include "standins.h"

#include <cstring>

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
int commitChanges(int) { return 0; }
int copyFile(int, const char *, const char *) { return 0; }
int addRingtone(int, const char *, int) { return 0; }
int getRingtone(int, int, char *, int, char *, int) { return -1; }
int removeRingtone(int, int) { return 0; }
int renameRingtone(int, int, const char *) { return 0; }

DeviceBridge theBridge = {
    queryITunes, setEventCallback, commitChanges,
    nullptr, nullptr, nullptr, nullptr, nullptr,
    copyFile, copyFile,
    nullptr, nullptr, nullptr, nullptr,
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
