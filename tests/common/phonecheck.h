#pragma once

// A phone's folder as the suites see it (the simulated phone's, or the fake
// iPhone's behind the wire), read straight from the disk, and the invariants
// every ringtone operation must keep there, whether it succeeded or failed at
// any step: the catalogue reads back, no entry is without its file, no other
// ringtone is lost, renamed, damaged or retimed, nothing partial is left on
// the computer, and a success means the whole change is there.

#include "catalogue.h"
#include "phonestore.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace phonecheck {

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Makes the folders on the way.
inline bool writeAll(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// root is the phone's folder; the phone's paths start with '/'.
inline QString phonePath(const QString &root, const char *path)
{
    return root + QString::fromUtf8(path);
}

inline QString ringtonePath(const QString &root, const std::string &file)
{
    return root + QLatin1String(tqbridge::kRingtoneFolder) + QString::fromStdString(file);
}

// Files in the ringtone folder, with an entry or not.
inline int ringtoneFiles(const QString &root)
{
    return int(QDir(ringtonePath(root, {})).entryList(QDir::Files).size());
}

struct Ringtone
{
    std::string name;
    QByteArray bytes;
    int64_t totalTimeMs = 0;
    bool operator==(const Ringtone &) const = default;
};

struct Snapshot
{
    bool parses = false;
    QByteArray catalogueBytes;
    std::map<std::string, Ringtone> ringtones; // by file name
    std::vector<std::string> order;            // file names, in catalogue order
    int dangling = 0;                          // entries without their file
};

inline Snapshot snapshot(const QString &root)
{
    Snapshot shot;
    shot.catalogueBytes = readAll(phonePath(root, tqbridge::kCataloguePath));
    const auto catalogue = tqbridge::Catalogue::parse(shot.catalogueBytes.toStdString());
    shot.parses = catalogue.has_value();
    if (!catalogue)
        return shot;
    for (int i = 0; i < catalogue->size(); ++i) {
        const tqbridge::Catalogue::Entry *entry = catalogue->entry(i);
        const QString file = ringtonePath(root, entry->fileName);
        shot.order.push_back(entry->fileName);
        if (!QFile::exists(file))
            ++shot.dangling;
        shot.ringtones[entry->fileName] = {entry->name, readAll(file), entry->totalTimeMs};
    }
    return shot;
}

// The ringtone names in catalogue order.
inline std::vector<std::string> names(const Snapshot &shot)
{
    std::vector<std::string> out;
    for (const std::string &file : shot.order)
        out.push_back(shot.ringtones.at(file).name);
    return out;
}

enum class Seed { Binary, Xml, Damaged };

// The ringtones every seeded phone starts with; ringtone i holds 100 + i
// bytes of 'a' + i and lasts 1000 * (i + 1) ms.
inline constexpr const char *kSeedFiles[] = {"AAAA.m4r", "BBBB.m4r", "CCCC.m4r"};
inline constexpr const char *kSeedNames[] = {"Alpha", "Bravo", "Charlie"};

// Three ringtones and nothing else under iTunes_Control; with Damaged, their
// files under a catalogue that does not parse.
inline bool seed(const QString &root, Seed format)
{
    QDir(phonePath(root, "/iTunes_Control")).removeRecursively();
    auto catalogue = format == Seed::Xml
                         ? tqbridge::Catalogue::parse("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                                      "<plist version=\"1.0\"><dict><key>Ringtones</key>"
                                                      "<dict/></dict></plist>")
                         : std::optional<tqbridge::Catalogue>(tqbridge::Catalogue());
    if (!catalogue)
        return false;
    for (int i = 0; i < 3; ++i) {
        catalogue->add(kSeedFiles[i], kSeedNames[i], "000000000000000" + std::to_string(i), 1000 * (i + 1), 7);
        if (!writeAll(ringtonePath(root, kSeedFiles[i]), QByteArray(100 + i, char('a' + i))))
            return false;
    }
    return writeAll(phonePath(root, tqbridge::kCataloguePath),
                    format == Seed::Damaged ? QByteArray("bplist00 not a catalogue")
                                            : QByteArray::fromStdString(catalogue->serialize()));
}

// What one operation may change on the phone, and what its success promises.
struct Change
{
    // Default initializers keep GCC quiet about designated initializers
    // that leave members out.
    std::set<std::string> mayRemove{};
    std::map<std::string, std::string> mayRename{};
    std::map<std::string, QByteArray> mayReplace{};
    std::map<std::string, int64_t> mayRetime{};
    int addsOnSuccess = 0;
    std::string savesFrom{}; // the phone's file the operation copies to the computer
};

// The first invariant broken between before and after, or an empty string.
// savedPath is where a copy to the computer goes (whether the operation
// makes one or not): it holds the whole ringtone or nothing, and no
// temporary file is left beside it.
inline std::string brokenInvariant(const Snapshot &before, const Snapshot &after, const Change &change,
                                   bool succeeded, const QString &savedPath)
{
    if (!after.parses)
        return "the catalogue no longer reads back";
    if (after.dangling > 0)
        return "an entry lost its file";
    for (const auto &[file, old] : before.ringtones) {
        const auto now = after.ringtones.find(file);
        if (now == after.ringtones.end()) {
            if (!change.mayRemove.count(file))
                return "ringtone " + file + " lost";
            continue;
        }
        const bool renamed = change.mayRename.count(file) && now->second.name == change.mayRename.at(file);
        if (now->second.name != old.name && !renamed)
            return "ringtone " + file + " renamed";
        const bool replaced = change.mayReplace.count(file) && now->second.bytes == change.mayReplace.at(file);
        if (now->second.bytes != old.bytes && !replaced)
            return "ringtone " + file + " damaged";
        const bool retimed = change.mayRetime.count(file) && now->second.totalTimeMs == change.mayRetime.at(file);
        if (now->second.totalTimeMs != old.totalTimeMs && !retimed)
            return "ringtone " + file + " changed its length";
    }

    const QFileInfo savedInfo(savedPath);
    const bool savedExists = savedInfo.exists();
    const QByteArray saved = readAll(savedPath);
    const auto source = before.ringtones.find(change.savesFrom);
    if (savedExists && (source == before.ringtones.end() || saved != source->second.bytes))
        return "a partial copy on the computer";
    if (!QDir(savedInfo.absolutePath())
             .entryList({savedInfo.fileName() + QLatin1String("?*")}, QDir::AllEntries | QDir::Hidden)
             .isEmpty())
        return "a temporary file left on the computer";

    if (!succeeded)
        return {};
    if (int(after.ringtones.size())
        != int(before.ringtones.size()) + change.addsOnSuccess - int(change.mayRemove.size()))
        return "reported success, wrong number of ringtones";
    for (const auto &[file, name] : change.mayRename)
        if (after.ringtones.at(file).name != name)
            return "reported success, not renamed";
    for (const auto &[file, bytes] : change.mayReplace)
        if (after.ringtones.at(file).bytes != bytes)
            return "reported success, not replaced";
    for (const auto &[file, length] : change.mayRetime)
        if (after.ringtones.at(file).totalTimeMs != length)
            return "reported success, length not set";
    if (!change.savesFrom.empty() && !savedExists)
        return "reported success, nothing saved";
    return {};
}

} // namespace phonecheck
