#pragma once

#include "devicebridge.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tqbridge {

// Results of the bridge's inner operations; every failure is negative.
// They reach the bridge's callers unchanged, so they are the C header's.
enum Result : int {
    Ok = 0,
    ErrIo = DEVICE_ERR_IO,
    ErrNotFound = DEVICE_ERR_NOT_FOUND,
    ErrBusy = DEVICE_ERR_BUSY,
    ErrNoSpace = DEVICE_ERR_NO_SPACE,
    ErrPermission = DEVICE_ERR_PERMISSION,
    ErrNoPhone = DEVICE_ERR_NO_PHONE,
    ErrDamaged = DEVICE_ERR_DAMAGED,
    ErrInvalid = DEVICE_ERR_INVALID,
    ErrStale = DEVICE_ERR_STALE,
};

// The result for an errno value of a local file operation.
int resultFromErrno(int error);

// The phone's file system as the bridge needs it. Paths are absolute phone
// paths ("/iTunes_Control/Ringtones/ABCD.m4r"). One implementation keeps the
// phone in a local folder, one talks AFC to a real phone; tests wrap either to
// inject failures. Not thread-safe: the bridge serialises every call.
class Transport
{
public:
    virtual ~Transport() = default;

    virtual int read(const std::string &path, std::string &data) = 0;
    // Creates or truncates. A failed write may leave a partial file behind,
    // so callers write to a temporary name and rename it into place.
    virtual int write(const std::string &path, std::string_view data) = 0;
    // Replaces "to" when it exists.
    virtual int rename(const std::string &from, const std::string &to) = 0;
    virtual int remove(const std::string &path) = 0;
    // File names (no "." or "..") inside a folder.
    virtual int list(const std::string &folder, std::vector<std::string> &names) = 0;
    // Creates a folder and its parents; an existing folder is success.
    virtual int makeFolder(const std::string &path) = 0;
    // Exclusive, non-blocking lock on a file (created when missing); ErrBusy
    // while someone else holds it. One lock at a time.
    virtual int lock(const std::string &path) = 0;
    virtual void unlock() = 0;
    // Posts a notification to the phone's services.
    virtual void notify(const char *name) = 0;
};

// The simulated phone: a local folder is the phone's media root. Its sync
// notifications are appended, one a line, to the file "<root>.sync-log"
// beside the folder, so tests and users can watch the sync bracket. Without
// the folder the phone has left: every operation gives ErrNoPhone.
std::unique_ptr<Transport> makeFolderTransport(const std::string &root);

} // namespace tqbridge
