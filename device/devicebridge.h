#pragma once

/*
 * The device bridge library: finds iTunes and talks to the iPhone through a
 * table of plain C functions. The table from createDeviceBridge() is never
 * released. Text passes as NUL-terminated UTF-8 (event texts: Latin-1); the
 * first argument "device" is always 0. Operations block until done and are
 * called on the GUI thread; the event callback may run on any thread.
 */

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Event texts of kind 0. */
#define DEVICE_EVENT_CONNECT "connect"
#define DEVICE_EVENT_DISCONNECT "disconnect"
#define DEVICE_EVENT_INIT_FAILED "{1A24CC59-DF3E-49fe-A677-0DB951E26846}"

/* Results of the operations: 0 or more on success, one of these on failure.
 * getRingtone's DEVICE_ERR_NOT_FOUND past the last entry ends a listing;
 * DEVICE_ERR_DAMAGED there means the phone's ringtone list cannot be read. */
#define DEVICE_ERR_IO (-1)
#define DEVICE_ERR_NOT_FOUND (-2)
#define DEVICE_ERR_BUSY (-3)          /* another program holds the sync lock */
#define DEVICE_ERR_NO_SPACE (-4)
#define DEVICE_ERR_PERMISSION (-5)
#define DEVICE_ERR_NO_PHONE (-6)      /* no phone, or it left during the call */
#define DEVICE_ERR_DAMAGED (-7)       /* the ringtone list cannot be parsed */
#define DEVICE_ERR_INVALID (-8)       /* bad arguments, or a local file refused */

/* The result is ignored by the bridge. */
typedef int (*DeviceEventCallback)(int kind, const char *text);

typedef void (*DeviceReservedFn)(void);

/* Positions in the table are fixed; the reserved ones are never called. */
typedef struct DeviceBridge
{
    /* 0: 0 when iTunes is not installed; else its packed version (compared
     * with 0x07040000), and buffer holds the program path. */
    uint32_t (*queryITunes)(char *buffer, int capacity);
    /* 1 */
    void (*setEventCallback)(DeviceEventCallback callback);
    /* 2: once after each change or batch of additions */
    int (*commitChanges)(int device);
    DeviceReservedFn reserved3;
    DeviceReservedFn reserved4;
    DeviceReservedFn reserved5;
    DeviceReservedFn reserved6;
    DeviceReservedFn reserved7;
    /* 8: copies a phone file to a local path */
    int (*copyFromDevice)(int device, const char *phonePath, const char *localPath);
    /* 9: replaces a phone file's content with a local file */
    int (*copyToDevice)(int device, const char *phonePath, const char *localPath);
    /* 10: may be null (older bridges): replaces a ringtone's file with a
     * local file inside the phone's sync bracket and sets its length */
    int (*replaceRingtone)(int device, const char *phonePath, const char *localPath, int durationMs);
    DeviceReservedFn reserved11;
    DeviceReservedFn reserved12;
    DeviceReservedFn reserved13;
    /* 14: negative on failure */
    int (*addRingtone)(int device, const char *localPath, int durationMs);
    /* 15: may be null: the length in ms of the entry at a listing index */
    int (*getRingtoneInfo)(int device, int index, int *durationMs);
    /* 16: negative when no entry has that index */
    int (*getRingtone)(int device, int index, char *name, int nameCapacity,
                       char *fileName, int fileNameCapacity);
    /* 17: later entries move down by one */
    int (*removeRingtone)(int device, int index);
    /* 18 */
    int (*renameRingtone)(int device, int index, const char *newName);
} DeviceBridge;

DeviceBridge *createDeviceBridge(void);

#ifdef __cplusplus
}
#endif
