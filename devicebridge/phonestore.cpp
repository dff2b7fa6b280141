#include "phonestore.h"

#include "transport.h"
#include "utf8path.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>
#include <thread>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace tqbridge {
namespace {

const char kPartSuffix[] = ".part";

std::string ringtonePath(const std::string &fileName)
{
    return kRingtoneFolder + fileName;
}

// The file name inside the ringtone folder, or empty when the path points
// anywhere else.
std::string fileNameIn(const std::string &phonePath)
{
    const std::string_view folder = kRingtoneFolder;
    if (phonePath.compare(0, folder.size(), folder) != 0)
        return {};
    std::string name = phonePath.substr(folder.size());
    return isPlainFileName(name) ? name : std::string();
}

// The display name of a new ringtone: the file's base name as it is. The
// catalogue's writer escapes what XML needs; the phone shows the text stored.
std::string displayName(const std::string &localPath)
{
    size_t start = localPath.find_last_of('/');
#ifdef _WIN32
    const size_t backslash = localPath.find_last_of('\\');
    if (backslash != std::string::npos && (start == std::string::npos || backslash > start))
        start = backslash;
#endif
    std::string base = localPath.substr(start == std::string::npos ? 0 : start + 1);
    const size_t dot = base.find_last_of('.');
    if (dot != std::string::npos && dot > 0)
        base.erase(dot);
    return base;
}

fs::path localPath(const std::string &utf8)
{
    return pathFromUtf8(utf8);
}

// Writes to a temporary name beside the target and renames it into place, so
// the target is either the old file or the whole new one.
int placeFile(Transport &transport, const std::string &path, std::string_view data)
{
    const std::string part = path + kPartSuffix;
    int result = transport.write(part, data);
    if (result >= 0)
        result = transport.rename(part, path);
    if (result < 0)
        transport.remove(part);
    return result;
}

// The catalogue's bytes as the phone holds them now: no value when it has none.
int readCatalogueBytes(Transport &transport, std::optional<std::string> &bytes)
{
    bytes.reset();
    std::string data;
    const int read = transport.read(kCataloguePath, data);
    if (read == ErrNotFound)
        return Ok;
    if (read < 0)
        return read;
    bytes = std::move(data);
    return Ok;
}

int parseCatalogue(const std::optional<std::string> &bytes, std::optional<Catalogue> &catalogue)
{
    if (!bytes) {
        catalogue.emplace();
        return Ok;
    }
    catalogue = Catalogue::parse(*bytes);
    return catalogue ? Ok : ErrDamaged;
}

// Six characters for a temporary name nobody is likely to have chosen.
std::string randomTag()
{
    static const char kAlphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 engine{std::random_device{}()};
    std::string tag;
    uint64_t bits = engine();
    for (int i = 0; i < 6; ++i, bits /= 62)
        tag += kAlphabet[bits % 62];
    return tag;
}

#ifdef _WIN32
int createExclusive(const fs::path &path)
{
    int fd = -1;
    if (_wsopen_s(&fd, path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _SH_DENYNO,
                  _S_IREAD | _S_IWRITE) != 0)
        return -1;
    return fd;
}
bool writeAllTo(int fd, std::string_view data)
{
    while (!data.empty()) {
        const int chunk = int(std::min<size_t>(data.size(), 1u << 30));
        const int wrote = _write(fd, data.data(), unsigned(chunk));
        if (wrote <= 0)
            return false;
        data.remove_prefix(size_t(wrote));
    }
    return true;
}
bool syncToDisk(int fd)
{
    return _commit(fd) == 0;
}
int closeFile(int fd)
{
    return _close(fd);
}
void syncFolder(const fs::path &)
{
    // NTFS orders the rename after the flushed data on its own.
}
#else
int createExclusive(const fs::path &path)
{
    // 0666 before the umask, as any file the user saves.
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}
bool writeAllTo(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t wrote = ::write(fd, data.data(), data.size());
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        data.remove_prefix(size_t(wrote));
    }
    return true;
}
bool syncToDisk(int fd)
{
    return ::fsync(fd) == 0;
}
int closeFile(int fd)
{
    return ::close(fd);
}
// Makes the rename itself survive a power cut; a failure only costs that.
void syncFolder(const fs::path &folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
#endif

} // namespace

int readLocalFile(const std::string &path, std::string &data, uintmax_t maxBytes)
{
    data.clear();
    std::error_code error;
    const fs::path file = localPath(path);
    if (!fs::is_regular_file(file, error))
        return ErrNotFound;
    const uintmax_t size = fs::file_size(file, error);
    if (error || size > maxBytes)
        return ErrInvalid;
#ifdef _WIN32
    std::FILE *in = _wfopen(file.c_str(), L"rb");
#else
    std::FILE *in = std::fopen(file.c_str(), "rb");
#endif
    if (!in)
        return errno ? resultFromErrno(errno) : int(ErrPermission);
    data.resize(size_t(size));
    const size_t got = std::fread(data.data(), 1, data.size(), in);
    std::fclose(in);
    if (got != data.size())
        return ErrIo;
    return Ok;
}

int writeLocalFileAtomically(const std::string &path, const std::string &data)
{
    const fs::path target = localPath(path);
    if (target.filename().empty())
        return ErrInvalid;
    // Created exclusively, so that no file of the user's (a "Bell.m4r.part"
    // of its own, say) is ever truncated or removed on the way.
    fs::path part;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        part = target;
        // Appended piece by piece: GCC 12 warns falsely about "." + string.
        part += ".";
        part += randomTag();
        part += kPartSuffix;
        fd = createExclusive(part);
        if (fd < 0 && errno != EEXIST)
            return errno ? resultFromErrno(errno) : int(ErrIo);
    }
    if (fd < 0)
        return ErrIo;
    // Any failure is one: an errno left at 0 still means the copy failed.
    const auto failure = [](int error) { return error ? resultFromErrno(error) : int(ErrIo); };
    int result = Ok;
    // Flushed before the rename: otherwise a crash could leave the target
    // renamed but empty.
    if (!writeAllTo(fd, data) || !syncToDisk(fd))
        result = failure(errno);
    if (closeFile(fd) != 0 && result >= 0)
        result = failure(errno);
    std::error_code error;
    if (result >= 0) {
        fs::rename(part, target, error);
        if (error)
            result = failure(error.value());
    }
    if (result < 0) {
        fs::remove(part, error);
        return result;
    }
    syncFolder(target.parent_path());
    return Ok;
}

PhoneStore::PhoneStore(Transport &transport)
    : PhoneStore(transport, Options())
{
}

PhoneStore::PhoneStore(Transport &transport, Options options)
    : transport(transport)
    , options(std::move(options))
{
    if (!this->options.random) {
        auto engine = std::make_shared<std::mt19937_64>(std::random_device{}());
        this->options.random = [engine] { return (*engine)(); };
    }
}

int PhoneStore::readCatalogue(std::optional<Catalogue> &catalogue)
{
    std::optional<std::string> bytes;
    if (const int read = readCatalogueBytes(transport, bytes); read < 0)
        return read;
    return parseCatalogue(bytes, catalogue);
}

int PhoneStore::loadListing()
{
    listing.reset();
    std::optional<Catalogue> catalogue;
    if (const int read = readCatalogue(catalogue); read < 0)
        return read;
    listFrom(*catalogue);
    return Ok;
}

void PhoneStore::listFrom(const Catalogue &catalogue)
{
    listing.emplace();
    for (int i = 0; i < catalogue.size(); ++i)
        listing->push_back(*catalogue.entry(i));
    // Changes made by file before any listing show in it as they will be.
    for (const Change &change : changes) {
        const auto entry = std::find_if(listing->begin(), listing->end(),
                                        [&](const Catalogue::Entry &e) { return e.fileName == change.fileName; });
        if (change.kind == Change::Add && entry == listing->end())
            listing->push_back({change.fileName, validUtf8(change.name), change.durationMs});
        else if (change.kind == Change::Remove && entry != listing->end())
            listing->erase(entry);
        else if (change.kind == Change::Rename && entry != listing->end())
            entry->name = validUtf8(change.name);
    }
}

std::vector<PhoneStore::Change>::iterator PhoneStore::pendingAddition(const std::string &fileName)
{
    return std::find_if(changes.begin(), changes.end(), [&](const Change &change) {
        return change.kind == Change::Add && change.fileName == fileName;
    });
}

int PhoneStore::listedFile(int index, std::string &phonePath)
{
    if (!listing) {
        // Say why the phone cannot be listed, when it cannot: that is what
        // the caller must hear first.
        std::optional<Catalogue> now;
        const int read = readCatalogue(now);
        return read < 0 ? read : int(ErrStale);
    }
    if (index < 0 || index >= int(listing->size()))
        return ErrNotFound;
    phonePath = ringtonePath((*listing)[size_t(index)].fileName);
    return Ok;
}

int PhoneStore::stillOnPhone(const std::string &fileName)
{
    if (pendingAddition(fileName) != changes.end())
        return Ok;
    const bool removedHere = std::any_of(changes.begin(), changes.end(), [&](const Change &change) {
        return change.kind == Change::Remove && change.fileName == fileName;
    });
    if (removedHere)
        return ErrNotFound;
    // The phone may have changed since the listing: never act on a ringtone
    // that has gone, nor on a catalogue that can no longer be read.
    std::optional<Catalogue> now;
    if (const int read = readCatalogue(now); read < 0)
        return read;
    return now->indexOf(fileName) >= 0 ? Ok : ErrNotFound;
}

int PhoneStore::getRingtone(int index, std::string &name, std::string &fileName)
{
    if ((index == 0 && changes.empty()) || !listing)
        if (const int loaded = loadListing(); loaded < 0)
            return loaded;
    if (index < 0 || index >= int(listing->size()))
        return ErrNotFound;
    name = (*listing)[size_t(index)].name;
    fileName = (*listing)[size_t(index)].fileName;
    return Ok;
}

int PhoneStore::getRingtoneInfo(int index, int &durationMs)
{
    if (!listing)
        if (const int loaded = loadListing(); loaded < 0)
            return loaded;
    if (index < 0 || index >= int(listing->size()))
        return ErrNotFound;
    durationMs = int(std::min<int64_t>((*listing)[size_t(index)].totalTimeMs, INT_MAX));
    return Ok;
}

std::string PhoneStore::newFileName(const Catalogue &catalogue, const std::vector<std::string> &onPhone)
{
    const auto taken = [&](const std::string &name) {
        return std::find(onPhone.begin(), onPhone.end(), name) != onPhone.end();
    };
    for (;;) {
        uint64_t bits = options.random();
        std::string name;
        for (int i = 0; i < 4; ++i, bits /= 26)
            name += char('A' + bits % 26);
        name += ".m4r";
        // Nor a name the caller still lists: a ringtone removed elsewhere
        // must not come back under a row that meant the old one.
        const bool listed = listing && std::any_of(listing->begin(), listing->end(), [&](const Catalogue::Entry &entry) {
            return entry.fileName == name;
        });
        if (catalogue.indexOf(name) < 0 && !listed && !taken(name) && !taken(name + kPartSuffix))
            return name;
    }
}

std::string PhoneStore::newGuid(const Catalogue &catalogue)
{
    for (;;) {
        char guid[17];
        std::snprintf(guid, sizeof guid, "%016llX", static_cast<unsigned long long>(options.random()));
        if (!catalogue.hasGuid(guid))
            return guid;
    }
}

int PhoneStore::addRingtone(const std::string &localPath, int durationMs)
{
    // Read afresh: a catalogue damaged since the listing gets nothing new.
    std::optional<Catalogue> now;
    if (const int read = readCatalogue(now); read < 0)
        return read;
    std::string data;
    if (const int read = readLocalFile(localPath, data, kMaxFileBytes); read < 0)
        return read;
    std::vector<std::string> onPhone;
    const int listed = transport.list(kRingtoneFolder, onPhone);
    if (listed == ErrNotFound) {
        if (const int made = transport.makeFolder(kRingtoneFolder); made < 0)
            return made;
    } else if (listed < 0) {
        return listed;
    }
    if (!listing)
        listFrom(*now);
    const std::string fileName = newFileName(*now, onPhone);
    if (const int placed = placeFile(transport, ringtonePath(fileName), data); placed < 0)
        return placed;
    const std::string name = displayName(localPath);
    const int length = std::max(durationMs, 0);
    changes.push_back({Change::Add, fileName, name, length});
    listing->push_back({fileName, validUtf8(name), length});
    return int(listing->size()) - 1;
}

int PhoneStore::removeRingtoneFile(const std::string &phonePath)
{
    const std::string fileName = fileNameIn(phonePath);
    if (fileName.empty())
        return ErrInvalid;
    if (const int found = stillOnPhone(fileName); found < 0)
        return found;
    if (listing)
        listing->erase(std::remove_if(listing->begin(), listing->end(),
                                      [&](const Catalogue::Entry &entry) { return entry.fileName == fileName; }),
                       listing->end());
    if (const auto added = pendingAddition(fileName); added != changes.end()) {
        // Never in the phone's catalogue: the file can go at once.
        changes.erase(added);
        transport.remove(ringtonePath(fileName));
    } else {
        changes.push_back({Change::Remove, fileName, {}, 0});
    }
    return Ok;
}

int PhoneStore::renameRingtoneFile(const std::string &phonePath, const std::string &name)
{
    const std::string fileName = fileNameIn(phonePath);
    if (fileName.empty())
        return ErrInvalid;
    if (const int found = stillOnPhone(fileName); found < 0)
        return found;
    if (listing)
        for (Catalogue::Entry &entry : *listing)
            if (entry.fileName == fileName)
                entry.name = validUtf8(name);
    if (const auto added = pendingAddition(fileName); added != changes.end())
        added->name = name;
    else
        changes.push_back({Change::Rename, fileName, name, 0});
    return Ok;
}

int PhoneStore::removeRingtone(int index)
{
    std::string phonePath;
    if (const int found = listedFile(index, phonePath); found < 0)
        return found;
    return removeRingtoneFile(phonePath);
}

int PhoneStore::renameRingtone(int index, const std::string &name)
{
    std::string phonePath;
    if (const int found = listedFile(index, phonePath); found < 0)
        return found;
    return renameRingtoneFile(phonePath, name);
}

int PhoneStore::lockSync()
{
    int locked = ErrBusy;
    for (int attempt = 0; attempt < std::max(1, options.lockAttempts); ++attempt) {
        if (attempt > 0)
            std::this_thread::sleep_for(options.lockRetryDelay);
        locked = transport.lock(kSyncLockPath);
        if (locked != ErrBusy)
            break;
    }
    return locked;
}

// The sync bracket: the phone's own services, and other programs that follow
// it, keep out of the catalogue while the lock is held.
template<typename Body>
int PhoneStore::inSyncBracket(Body body)
{
    transport.notify(kSyncWillStart);
    int result = lockSync();
    if (result < 0) {
        transport.notify(kSyncDidFinish);
        return result;
    }
    transport.notify(kSyncDidStart);
    result = body();
    // Finished while still holding the lock, as a sync does: a program that
    // takes the lock next finds the phone's own services told already.
    transport.notify(kSyncDidFinish);
    transport.unlock();
    return result;
}

int PhoneStore::rewriteCatalogue(const std::function<int(Catalogue &)> &change,
                                 const std::function<int()> &beforeSwap)
{
    const std::string part = std::string(kCataloguePath) + kPartSuffix;
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::optional<std::string> before;
        if (const int read = readCatalogueBytes(transport, before); read < 0)
            return read;
        std::optional<Catalogue> catalogue;
        if (const int parsed = parseCatalogue(before, catalogue); parsed < 0)
            return parsed;
        if (const int changed = change(*catalogue); changed < 0)
            return changed;
        // Never write what could not be read back: the phone would keep it.
        const std::optional<std::string> bytes = catalogue->serializeVerified();
        if (!bytes)
            return ErrDamaged;
        if (const int made = transport.makeFolder(kCatalogueFolder); made < 0)
            return made;
        int result = transport.write(part, *bytes);
        if (result >= 0) {
            // Someone who ignores the lock may have written meanwhile: then
            // the change goes onto what they wrote.
            std::optional<std::string> now;
            result = readCatalogueBytes(transport, now);
            if (result >= 0 && now != before) {
                transport.remove(part);
                continue;
            }
        }
        if (result >= 0 && beforeSwap)
            result = beforeSwap();
        if (result >= 0)
            result = transport.rename(part, kCataloguePath);
        if (result < 0)
            transport.remove(part);
        return result;
    }
    return ErrBusy;
}

int PhoneStore::applyChanges(Catalogue &catalogue)
{
    for (auto change = changes.begin(); change != changes.end(); ++change) {
        const int index = catalogue.indexOf(change->fileName);
        switch (change->kind) {
        case Change::Add:
            if (index >= 0) {
                // Another program chose the same new name at the same moment:
                // the file is its ringtone now, and must stay.
                changes.erase(change);
                return ErrIo;
            }
            catalogue.add(change->fileName, change->name, newGuid(catalogue), change->durationMs,
                          options.random());
            break;
        case Change::Remove:
            if (index < 0 || !catalogue.remove(index))
                return ErrNotFound;
            break;
        case Change::Rename:
            if (index < 0 || !catalogue.rename(index, change->name))
                return ErrNotFound;
            break;
        }
    }
    return Ok;
}

void PhoneStore::discardChanges()
{
    // Files copied for additions that never reached the catalogue.
    for (const Change &change : changes)
        if (change.kind == Change::Add)
            transport.remove(ringtonePath(change.fileName));
    changes.clear();
    listing.reset();
}

int PhoneStore::commitChanges()
{
    if (changes.empty())
        return Ok;
    const int result = inSyncBracket(
        [this] { return rewriteCatalogue([this](Catalogue &catalogue) { return applyChanges(catalogue); }, {}); });
    if (result < 0) {
        discardChanges();
        return result;
    }
    // Only now are the removed ringtones out of the catalogue; a file that
    // cannot be removed stays as a stray, never as a dangling entry.
    for (const Change &change : changes)
        if (change.kind == Change::Remove)
            transport.remove(ringtonePath(change.fileName));
    changes.clear();
    return Ok;
}

int PhoneStore::copyFromDevice(const std::string &phonePath, const std::string &localPath)
{
    if (fileNameIn(phonePath).empty())
        return ErrInvalid;
    std::string data;
    if (const int read = transport.read(phonePath, data); read < 0)
        return read;
    return writeLocalFileAtomically(localPath, data);
}

int PhoneStore::replaceRingtone(const std::string &phonePath, const std::string &localPath,
                                std::optional<int> durationMs)
{
    const std::string fileName = fileNameIn(phonePath);
    if (fileName.empty() || (durationMs && *durationMs < 0))
        return ErrInvalid;
    std::string data;
    if (const int read = readLocalFile(localPath, data, kMaxFileBytes); read < 0)
        return read;
    const std::string part = phonePath + kPartSuffix;
    const int result = inSyncBracket([&] {
        std::optional<Catalogue> now;
        if (const int read = readCatalogue(now); read < 0)
            return read;
        if (now->indexOf(fileName) < 0)
            return int(ErrNotFound);
        int written = transport.write(part, data);
        // The sound goes into place only once the catalogue with its new
        // length is ready beside the old one, so the two disagree for as
        // short a time as the phone allows.
        const auto placeSound = [&] { return transport.rename(part, phonePath); };
        if (written >= 0 && !durationMs)
            written = placeSound();
        else if (written >= 0)
            written = rewriteCatalogue(
                [&](Catalogue &catalogue) {
                    const int index = catalogue.indexOf(fileName);
                    return index >= 0 && catalogue.setTotalTime(index, *durationMs) ? int(Ok) : int(ErrNotFound);
                },
                placeSound);
        if (written < 0)
            transport.remove(part);
        return written;
    });
    if (result >= 0 && durationMs && listing)
        for (Catalogue::Entry &entry : *listing)
            if (entry.fileName == fileName)
                entry.totalTimeMs = *durationMs;
    return result;
}

} // namespace tqbridge
