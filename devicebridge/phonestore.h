#pragma once

#include "catalogue.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tqbridge {

class Transport;

// Phone locations the catalogue and the files live at.
inline constexpr char kRingtoneFolder[] = "/iTunes_Control/Ringtones/";
inline constexpr char kCatalogueFolder[] = "/iTunes_Control/iTunes";
inline constexpr char kCataloguePath[] = "/iTunes_Control/iTunes/Ringtones.plist";
inline constexpr char kSyncLockPath[] = "/com.apple.itunes.lock_sync";
inline constexpr char kSyncWillStart[] = "com.apple.itunes-mobdev.syncWillStart";
inline constexpr char kSyncDidStart[] = "com.apple.itunes-mobdev.syncDidStart";
inline constexpr char kSyncDidFinish[] = "com.apple.itunes-mobdev.syncDidFinish";

// The ringtone operations on one phone, above its file transport. Changes
// gather in memory and reach the phone's catalogue with commit(); the files
// themselves move at once, always so that a failure at any step leaves every
// catalogue entry with its file and loses no ringtone:
// - additions copy to a temporary name, rename it into place, and enter the
//   catalogue only at the commit (a failed commit leaves a stray file at worst);
// - removals delete their files only after the catalogue without them is
//   written;
// - the catalogue is written to a temporary name and renamed over the old one;
// - a catalogue that cannot be parsed makes every operation fail and is never
//   written.
class PhoneStore
{
public:
    struct Options
    {
        int lockAttempts = 20;
        std::chrono::milliseconds lockRetryDelay{100};
        // Random source for file names, GUIDs and PIDs; tests fix it.
        std::function<uint64_t()> random;
    };

    explicit PhoneStore(Transport &transport);
    PhoneStore(Transport &transport, Options options);

    // The catalogue is read from the phone again on index 0 when nothing is
    // pending, so a fresh enumeration always shows the phone as it is.
    int getRingtone(int index, std::string &name, std::string &fileName);
    int addRingtone(const std::string &localPath, int durationMs);
    int removeRingtone(int index);
    int renameRingtone(int index, const std::string &name);
    int commitChanges();
    int copyFromDevice(const std::string &phonePath, const std::string &localPath);
    int copyToDevice(const std::string &phonePath, const std::string &localPath);

    // Local files larger than this are refused: a ringtone is a short clip.
    static constexpr uintmax_t kMaxFileBytes = 256u << 20;

private:
    int load();
    void discardChanges();
    bool pending() const { return !addedFiles.empty() || !removedFiles.empty() || renamed; }
    std::string newFileName(const std::vector<std::string> &onPhone);
    std::string newGuid();
    int writeCatalogue();

    Transport &transport;
    Options options;
    std::optional<Catalogue> catalogue;
    std::vector<std::string> addedFiles;
    std::vector<std::string> removedFiles;
    bool renamed = false;
};

// Reads and writes files of the computer for the copies. A copy to the
// computer goes to a temporary file in the target's folder that is renamed
// over the target only when it is complete.
int readLocalFile(const std::string &path, std::string &data, uintmax_t maxBytes);
int writeLocalFileAtomically(const std::string &path, const std::string &data);

} // namespace tqbridge
