#include "phonestore.h"

#include "transport.h"
#include "utf8path.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>
#include <thread>

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

// The display name of a new ringtone: the file's base name, with "<" and ">"
// stored as the phone stores them.
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
    std::string escaped;
    for (char c : base) {
        if (c == '<')
            escaped += "&lt;";
        else if (c == '>')
            escaped += "&gt;";
        else
            escaped += c;
    }
    return escaped;
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
        return ErrPermission;
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
    fs::path part = target;
    part += kPartSuffix;
#ifdef _WIN32
    std::FILE *out = _wfopen(part.c_str(), L"wb");
#else
    std::FILE *out = std::fopen(part.c_str(), "wb");
#endif
    if (!out)
        return ErrPermission;
    const bool written = std::fwrite(data.data(), 1, data.size(), out) == data.size();
    const bool closed = std::fclose(out) == 0;
    std::error_code error;
    if (written && closed)
        fs::rename(part, target, error);
    if (!written || !closed || error) {
        fs::remove(part, error);
        return written ? ErrIo : ErrNoSpace;
    }
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

int PhoneStore::load()
{
    if (catalogue)
        return Ok;
    std::string bytes;
    const int read = transport.read(kCataloguePath, bytes);
    if (read == ErrNotFound) {
        catalogue.emplace();
        return Ok;
    }
    if (read < 0)
        return read;
    catalogue = Catalogue::parse(bytes);
    return catalogue ? Ok : ErrDamaged;
}

void PhoneStore::discardChanges()
{
    // Files copied for additions that never reached the catalogue.
    for (const std::string &file : addedFiles)
        transport.remove(ringtonePath(file));
    addedFiles.clear();
    removedFiles.clear();
    renamed = false;
    catalogue.reset();
}

int PhoneStore::getRingtone(int index, std::string &name, std::string &fileName)
{
    if (index == 0 && !pending())
        catalogue.reset();
    if (const int loaded = load(); loaded < 0)
        return loaded;
    const Catalogue::Entry *entry = catalogue->entry(index);
    if (!entry)
        return ErrNotFound;
    name = entry->name;
    fileName = entry->fileName;
    return Ok;
}

std::string PhoneStore::newFileName(const std::vector<std::string> &onPhone)
{
    for (;;) {
        uint64_t bits = options.random();
        std::string name;
        for (int i = 0; i < 4; ++i, bits /= 26)
            name += char('A' + bits % 26);
        name += ".m4r";
        const std::string part = name + kPartSuffix;
        if (catalogue->indexOf(name) < 0
            && std::find(onPhone.begin(), onPhone.end(), name) == onPhone.end()
            && std::find(onPhone.begin(), onPhone.end(), part) == onPhone.end())
            return name;
    }
}

std::string PhoneStore::newGuid()
{
    for (;;) {
        char guid[17];
        std::snprintf(guid, sizeof guid, "%016llX", static_cast<unsigned long long>(options.random()));
        if (!catalogue->hasGuid(guid))
            return guid;
    }
}

int PhoneStore::addRingtone(const std::string &localPath, int durationMs)
{
    if (const int loaded = load(); loaded < 0)
        return loaded;
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
    const std::string fileName = newFileName(onPhone);
    if (const int placed = placeFile(transport, ringtonePath(fileName), data); placed < 0)
        return placed;
    catalogue->add(fileName, displayName(localPath), newGuid(), std::max(durationMs, 0),
                   options.random());
    addedFiles.push_back(fileName);
    return catalogue->size() - 1;
}

int PhoneStore::removeRingtone(int index)
{
    if (const int loaded = load(); loaded < 0)
        return loaded;
    const Catalogue::Entry *entry = catalogue->entry(index);
    if (!entry)
        return ErrNotFound;
    const std::string fileName = entry->fileName;
    catalogue->remove(index);
    const auto added = std::find(addedFiles.begin(), addedFiles.end(), fileName);
    if (added != addedFiles.end()) {
        // Never in the phone's catalogue: the file can go at once.
        addedFiles.erase(added);
        transport.remove(ringtonePath(fileName));
    } else {
        removedFiles.push_back(fileName);
    }
    return Ok;
}

int PhoneStore::renameRingtone(int index, const std::string &name)
{
    if (const int loaded = load(); loaded < 0)
        return loaded;
    if (!catalogue->rename(index, name))
        return ErrNotFound;
    renamed = true;
    return Ok;
}

int PhoneStore::writeCatalogue()
{
    if (const int made = transport.makeFolder(kCatalogueFolder); made < 0)
        return made;
    // Never write what could not be read back: the phone would keep it.
    const std::optional<std::string> bytes = catalogue->serializeVerified();
    if (!bytes)
        return ErrDamaged;
    return placeFile(transport, kCataloguePath, *bytes);
}

int PhoneStore::commitChanges()
{
    if (!pending())
        return Ok;
    // The sync bracket: the phone's own services keep out of the catalogue
    // while the lock is held.
    transport.notify(kSyncWillStart);
    int locked = ErrBusy;
    for (int attempt = 0; attempt < std::max(1, options.lockAttempts); ++attempt) {
        locked = transport.lock(kSyncLockPath);
        if (locked != ErrBusy)
            break;
        std::this_thread::sleep_for(options.lockRetryDelay);
    }
    int result = locked;
    if (locked >= 0) {
        transport.notify(kSyncDidStart);
        result = writeCatalogue();
        transport.unlock();
    }
    transport.notify(kSyncDidFinish);
    if (result < 0) {
        discardChanges();
        return result;
    }
    // Only now are the removed ringtones out of the catalogue; a file that
    // cannot be removed stays as a stray, never as a dangling entry.
    for (const std::string &file : removedFiles)
        transport.remove(ringtonePath(file));
    addedFiles.clear();
    removedFiles.clear();
    renamed = false;
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

int PhoneStore::copyToDevice(const std::string &phonePath, const std::string &localPath)
{
    const std::string fileName = fileNameIn(phonePath);
    if (fileName.empty())
        return ErrInvalid;
    if (const int loaded = load(); loaded < 0)
        return loaded;
    if (catalogue->indexOf(fileName) < 0)
        return ErrNotFound;
    std::string data;
    if (const int read = readLocalFile(localPath, data, kMaxFileBytes); read < 0)
        return read;
    return placeFile(transport, phonePath, data);
}

} // namespace tqbridge
