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

// The ringtone operations on one phone, above its file transport. Several
// programs may share the phone, so the catalogue is never changed from a copy:
// every change is kept as what it does to which file, and the commit reads the
// catalogue again under the sync lock, applies the changes to what the phone
// holds now and writes it back only if it still reads as it did. A ringtone
// is named by its file on the phone; a change whose ringtone has left the
// phone meanwhile fails with ErrNotFound. Indexes are the caller's: they
// point into the listing it last read (with its own changes since), and
// without that listing (never read, or dropped by a failed commit) they mean
// nothing and are refused with ErrStale: the phone's list as it is now would
// put another ringtone under the same index.
// The files themselves move at once, always so that a failure at any step
// leaves every catalogue entry with its file and loses no ringtone:
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

    // Index 0 reads the catalogue from the phone again when nothing is
    // pending, so a fresh enumeration always shows the phone as it is.
    int getRingtone(int index, std::string &name, std::string &fileName);
    int getRingtoneInfo(int index, int &durationMs);
    int addRingtone(const std::string &localPath, int durationMs);
    // phonePath: the ringtone folder followed by the ringtone's file name.
    int removeRingtoneFile(const std::string &phonePath);
    // The name is stored as given.
    int renameRingtoneFile(const std::string &phonePath, const std::string &name);
    // The same for the entry at an index of the caller's listing.
    int removeRingtone(int index);
    int renameRingtone(int index, const std::string &name);
    int commitChanges();
    int copyFromDevice(const std::string &phonePath, const std::string &localPath);
    // Replaces a ringtone's sound inside the sync bracket; the length in the
    // catalogue is set when one is given and kept otherwise.
    int replaceRingtone(const std::string &phonePath, const std::string &localPath,
                        std::optional<int> durationMs);
    int copyToDevice(const std::string &phonePath, const std::string &localPath)
    {
        return replaceRingtone(phonePath, localPath, std::nullopt);
    }

    // Local files larger than this are refused: a ringtone is a short clip.
    static constexpr uintmax_t kMaxFileBytes = 256u << 20;

private:
    struct Change
    {
        enum Kind { Add, Remove, Rename } kind;
        std::string fileName;
        std::string name; // Add, Rename
        int durationMs = 0; // Add
    };

    int readCatalogue(std::optional<Catalogue> &catalogue);
    int loadListing();
    // The catalogue as this caller will leave it: with its pending changes.
    void listFrom(const Catalogue &catalogue);
    // The phone path behind an index of the caller's listing.
    int listedFile(int index, std::string &phonePath);
    // Whether the ringtone stored as fileName is on the phone as this caller
    // sees it: in the catalogue as it is now, or added here and not yet
    // committed, and not removed here.
    int stillOnPhone(const std::string &fileName);
    std::vector<Change>::iterator pendingAddition(const std::string &fileName);
    int lockSync();
    template<typename Body>
    int inSyncBracket(Body body);
    int rewriteCatalogue(const std::function<int(Catalogue &)> &change, const std::function<int()> &beforeSwap);
    int applyChanges(Catalogue &catalogue);
    void discardChanges();
    std::string newFileName(const Catalogue &onPhoneCatalogue, const std::vector<std::string> &onPhone);
    std::string newGuid(const Catalogue &catalogue);

    Transport &transport;
    Options options;
    // What the caller saw at its last listing, with its own changes since.
    std::optional<std::vector<Catalogue::Entry>> listing;
    std::vector<Change> changes;
};

// Reads and writes files of the computer for the copies. A copy to the
// computer goes to a temporary file of a name nobody else has, created in
// the target's folder, that is flushed to the disk and only then renamed
// over the target.
int readLocalFile(const std::string &path, std::string &data, uintmax_t maxBytes);
int writeLocalFileAtomically(const std::string &path, const std::string &data);

} // namespace tqbridge
