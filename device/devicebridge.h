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

/* Event texts of kind 0. "connect": a phone became usable. "disconnect": it
 * went away, or a failure told before no longer holds (the failing phone was
 * unplugged, usbmuxd answers again). */
#define DEVICE_EVENT_CONNECT "connect"
#define DEVICE_EVENT_DISCONNECT "disconnect"
/* Failures to reach a phone, each sent once when it is known: after the last
 * of a few tries for a passing fault, at once when the user must act. The
 * phone stays unusable until "connect"; older listeners ignore the texts
 * they do not know. */
/* Anything not below (mux error, time-out, a TLS failure), after the tries. */
#define DEVICE_EVENT_INIT_FAILED "{1A24CC59-DF3E-49fe-A677-0DB951E26846}"
/* usbmuxd does not answer although a phone is plugged in (or its address was
 * given in USBMUXD_SOCKET_ADDRESS): not installed or not running. */
#define DEVICE_EVENT_NO_SERVICE "failed:usbmuxd"
/* The bridge's real-phone module (libtonquill_usbphone) could not be loaded:
 * no phone can ever be seen. Sent once, a moment after the start. */
#define DEVICE_EVENT_NO_MODULE "failed:module"
/* Locked with a passcode; the bridge keeps trying and connects once it is
 * unlocked. */
#define DEVICE_EVENT_LOCKED "failed:locked"
/* The phone asks whether to trust this computer; the bridge keeps trying and
 * connects once the user taps Trust. */
#define DEVICE_EVENT_TRUST_PENDING "failed:trust-pending"
/* The user tapped "Don't Trust": the phone asks again when plugged in again. */
#define DEVICE_EVENT_TRUST_REFUSED "failed:trust-refused"
/* The pairing record is missing or the phone no longer accepts it. */
#define DEVICE_EVENT_NOT_PAIRED "failed:not-paired"
/* Paired, but the phone would not start its file service (AFC), even after
 * a few tries. */
#define DEVICE_EVENT_NO_FILE_SERVICE "failed:file-service"

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
/* An index into a listing the bridge no longer holds (none was read, or a
 * failed commit dropped it): list again, then act. */
#define DEVICE_ERR_STALE (-9)

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
    /* 11: may be null (older bridges): removes the ringtone whose file is
     * phonePath ("/iTunes_Control/Ringtones/" and getRingtone's file name),
     * and nothing else whatever the phone's list holds now;
     * DEVICE_ERR_NOT_FOUND when the phone no longer has it */
    int (*removeRingtoneFile)(int device, const char *phonePath);
    /* 12: may be null: the same for a new display name, stored as given */
    int (*renameRingtoneFile)(int device, const char *phonePath, const char *newName);
    DeviceReservedFn reserved13;
    /* 14: negative on failure */
    int (*addRingtone)(int device, const char *localPath, int durationMs);
    /* 15: may be null: the length in ms of the entry at a listing index */
    int (*getRingtoneInfo)(int device, int index, int *durationMs);
    /* 16: negative when no entry has that index */
    int (*getRingtone)(int device, int index, char *name, int nameCapacity,
                       char *fileName, int fileNameCapacity);
    /* 17: the entry at index in the caller's last listing (getRingtone from
     * index 0); DEVICE_ERR_STALE when that listing is gone, never the entry
     * that has the index now. Later entries move down by one. */
    int (*removeRingtone)(int device, int index);
    /* 18: as 17, for a new display name, stored as given */
    int (*renameRingtone)(int device, int index, const char *newName);
} DeviceBridge;

DeviceBridge *createDeviceBridge(void);

#ifdef __cplusplus
}
#endif
