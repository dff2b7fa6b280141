// Placeholder device bridge: no iTunes, no phone, every operation fails.
#include "devicebridge.h"

namespace {
uint32_t queryITunes(char *buffer, int capacity)
{
    if (buffer && capacity > 0)
        buffer[0] = '\0';
    return 0;
}
void setEventCallback(DeviceEventCallback) {}
int commitChanges(int) { return 0; }
int copyFromDevice(int, const char *, const char *) { return -1; }
int copyToDevice(int, const char *, const char *) { return -1; }
int addRingtone(int, const char *, int) { return -1; }
int getRingtone(int, int, char *name, int nameCapacity, char *fileName, int fileNameCapacity)
{
    if (name && nameCapacity > 0)
        name[0] = '\0';
    if (fileName && fileNameCapacity > 0)
        fileName[0] = '\0';
    return -1;
}
int removeRingtone(int, int) { return -1; }
int renameRingtone(int, int, const char *) { return -1; }

DeviceBridge theBridge = {
    queryITunes, setEventCallback, commitChanges,
    nullptr, nullptr, nullptr, nullptr, nullptr,
    copyFromDevice, copyToDevice,
    nullptr, nullptr, nullptr, nullptr,
    addRingtone, nullptr,
    getRingtone, removeRingtone, renameRingtone,
};
}

extern "C" DeviceBridge *createDeviceBridge(void)
{
    return &theBridge;
}
