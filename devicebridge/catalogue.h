#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tqbridge {

// The phone's ringtone catalogue ("Ringtones.plist"): the root dictionary's
// "Ringtones" dictionary maps each file name to its entry. The whole property
// list is kept, so keys and entries the bridge does not know survive every
// change. Enumeration follows the dictionary's own order, which changes only
// where an entry is added (at the end) or removed.
class Catalogue
{
public:
    struct Entry
    {
        std::string fileName;
        std::string name;
        // "Total Time": the ringtone's length in milliseconds, 0 when missing.
        int64_t totalTimeMs = 0;
        bool operator==(const Entry &) const = default;
    };

    Catalogue();
    ~Catalogue();
    Catalogue(Catalogue &&other) noexcept;
    Catalogue &operator=(Catalogue &&other) noexcept;
    Catalogue(const Catalogue &) = delete;
    Catalogue &operator=(const Catalogue &) = delete;

    // Binary or XML. No value when the bytes are not a catalogue this bridge
    // can change safely (wrong types, file names that leave the folder, too
    // deep, too big): such a catalogue must never be written back.
    static std::optional<Catalogue> parse(std::string_view bytes);

    // In the format it was read in; binary for a new catalogue.
    std::string serialize() const;
    // The same, read back and compared first: no value when the bytes would
    // not give this catalogue again (libplist writes some strings it read,
    // such as ones that are not UTF-8, in a form it cannot read back).
    std::optional<std::string> serializeVerified() const;
    bool isBinary() const { return binary; }

    int size() const { return int(entries.size()); }
    const Entry *entry(int index) const;
    int indexOf(std::string_view fileName) const;
    bool hasGuid(std::string_view guid) const;

    void add(const std::string &fileName, const std::string &name, const std::string &guid,
             int64_t totalTimeMs, uint64_t pid);
    bool rename(int index, const std::string &name);
    bool setTotalTime(int index, int64_t totalTimeMs);
    bool remove(int index);

    // Bytes above this are refused: a real catalogue of thousands of ringtones
    // stays far below it.
    static constexpr size_t kMaxBytes = 16u << 20;

private:
    // false when an entry is not a dictionary
    bool rebuildIndex();
    void *ringtones() const;

    void *root = nullptr; // plist_t
    bool binary = true;
    std::vector<Entry> entries;
};

// A file name that stays inside the ringtone folder.
bool isPlainFileName(std::string_view name);

// The text with every byte sequence that is not UTF-8 replaced by U+FFFD.
std::string validUtf8(std::string_view text);

// Copies text into a C buffer of the given capacity, cut at a UTF-8 character
// boundary and always NUL-terminated.
void copyUtf8(std::string_view text, char *buffer, int capacity);

} // namespace tqbridge
