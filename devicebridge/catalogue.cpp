#include "catalogue.h"

#include <plist/plist.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <utility>

namespace tqbridge {
namespace {

const char kRingtones[] = "Ringtones";
constexpr int kMaxDepth = 32;

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// libplist parses recursively; a hostile file nested thousands of levels deep
// would exhaust the stack, so nesting is measured before parsing.
bool xmlDepthOk(std::string_view xml)
{
    // A NUL, literal or as a character reference, would end up inside a key,
    // on which libplist aborts.
    if (xml.find('\0') != std::string_view::npos)
        return false;
    for (size_t at = xml.find("&#"); at != std::string_view::npos; at = xml.find("&#", at + 2)) {
        size_t i = at + 2;
        const bool hex = i < xml.size() && (xml[i] == 'x' || xml[i] == 'X');
        i += hex;
        while (i < xml.size() && xml[i] == '0')
            ++i;
        if (i < xml.size() && xml[i] == ';')
            return false;
    }
    int depth = 0;
    for (size_t i = 0; i + 1 < xml.size(); ++i) {
        if (xml[i] != '<')
            continue;
        const std::string_view rest = xml.substr(i + 1);
        if (startsWith(rest, "dict>") || startsWith(rest, "array>")) {
            if (++depth > kMaxDepth)
                return false;
        } else if (startsWith(rest, "/dict>") || startsWith(rest, "/array>")) {
            --depth;
        }
    }
    return true;
}

uint64_t readBigEndian(const unsigned char *p, int size)
{
    uint64_t value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | p[i];
    return value;
}

// Walks the binary property list's object graph, bounded in depth and in work,
// with the same offsets libplist will follow.
class BinaryDepthCheck
{
public:
    explicit BinaryDepthCheck(std::string_view data)
        : data(reinterpret_cast<const unsigned char *>(data.data()))
        , size(data.size())
    {
    }

    bool ok()
    {
        if (size < 8 + 32)
            return true; // too short: libplist refuses it on its own
        const unsigned char *trailer = data + size - 32;
        offsetSize = trailer[6];
        refSize = trailer[7];
        objects = readBigEndian(trailer + 8, 8);
        const uint64_t top = readBigEndian(trailer + 16, 8);
        tableOffset = readBigEndian(trailer + 24, 8);
        if (offsetSize < 1 || offsetSize > 8 || refSize < 1 || refSize > 8 || top >= objects
            || tableOffset >= size || objects > (size - tableOffset) / offsetSize)
            return true; // malformed: libplist refuses it
        return visit(top, 0);
    }

private:
    bool visit(uint64_t index, int depth)
    {
        // Shared objects are visited once per reference; the bound stops a
        // graph that references its own levels twice over from exploding.
        if (depth > kMaxDepth || ++work > 64 * objects + 4096)
            return false;
        if (index >= objects)
            return true;
        const uint64_t offset = readBigEndian(data + tableOffset + index * offsetSize, offsetSize);
        if (offset >= size)
            return true;
        const unsigned marker = data[offset];
        const unsigned kind = marker >> 4;
        if (kind != 0xA && kind != 0xD && kind != 0x5 && kind != 0x6)
            return true; // containers hold the nesting, strings the keys
        uint64_t count = marker & 0xF;
        uint64_t pos = offset + 1;
        if (count == 0xF) {
            if (pos >= size || (data[pos] >> 4) != 1)
                return true;
            const int bytes = 1 << (data[pos] & 0xF);
            if (bytes > 8 || pos + 1 + bytes > size)
                return true;
            count = readBigEndian(data + pos + 1, bytes);
            pos += 1 + bytes;
        }
        if (kind == 0x5 || kind == 0x6)
            return !hasNul(pos, count, kind == 0x6 ? 2 : 1);
        const uint64_t refs = kind == 0xD ? count * 2 : count;
        if (refs > objects * 2 || pos + refs * refSize > size)
            return true;
        for (uint64_t i = 0; i < refs; ++i)
            if (!visit(readBigEndian(data + pos + i * refSize, refSize), depth + 1))
                return false;
        return true;
    }

    // libplist aborts on a dictionary key with a NUL inside.
    bool hasNul(uint64_t pos, uint64_t count, int unitSize) const
    {
        if (count > size || pos + count * unitSize > size)
            return false; // libplist refuses it
        for (uint64_t i = 0; i < count; ++i) {
            const unsigned char *unit = data + pos + i * unitSize;
            if (unit[0] == 0 && (unitSize == 1 || unit[1] == 0))
                return true;
        }
        return false;
    }

    const unsigned char *data;
    uint64_t size;
    int offsetSize = 0;
    int refSize = 0;
    uint64_t objects = 0;
    uint64_t tableOffset = 0;
    uint64_t work = 0;
};

std::string stringOf(plist_t node)
{
    if (!node || plist_get_node_type(node) != PLIST_STRING)
        return {};
    uint64_t length = 0;
    const char *text = plist_get_string_ptr(node, &length);
    return text ? std::string(text, size_t(length)) : std::string();
}

// Written as an unsigned integer; other programs may write a real number, and
// libplist keeps a negative integer as its unsigned two's complement.
int64_t millisecondsOf(plist_t node)
{
    if (!node)
        return 0;
    if (plist_get_node_type(node) == PLIST_UINT) {
        uint64_t value = 0;
        plist_get_uint_val(node, &value);
        return value > uint64_t(INT64_MAX) ? 0 : int64_t(value);
    }
    if (plist_get_node_type(node) == PLIST_REAL) {
        double value = 0;
        plist_get_real_val(node, &value);
        return value > 0 && value < 9.2e18 ? int64_t(value) : 0;
    }
    return 0;
}

} // namespace

bool isPlainFileName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos
        && name.find('\\') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

std::string validUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        int length = byte < 0x80 ? 1 : (byte >> 5) == 0x6 ? 2 : (byte >> 4) == 0xE ? 3 : (byte >> 3) == 0x1E ? 4 : 0;
        bool valid = length > 0 && i + size_t(length) <= text.size() && byte != 0xC0 && byte != 0xC1 && byte < 0xF5;
        for (int k = 1; valid && k < length; ++k)
            valid = (static_cast<unsigned char>(text[i + size_t(k)]) & 0xC0) == 0x80;
        if (valid && length >= 3) {
            // Overlong forms, surrogates and code points above U+10FFFF.
            const auto second = static_cast<unsigned char>(text[i + 1]);
            valid = !(byte == 0xE0 && second < 0xA0) && !(byte == 0xED && second >= 0xA0)
                && !(byte == 0xF0 && second < 0x90) && !(byte == 0xF4 && second >= 0x90);
        }
        if (valid) {
            out.append(text.substr(i, size_t(length)));
            i += size_t(length);
        } else {
            out += "\xEF\xBF\xBD";
            ++i;
        }
    }
    return out;
}

void copyUtf8(std::string_view text, char *buffer, int capacity)
{
    if (!buffer || capacity <= 0)
        return;
    size_t n = std::min(text.size(), size_t(capacity) - 1);
    // Never end inside a character: back off over continuation bytes.
    if (n < text.size())
        while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
            --n;
    // An empty view may have no data at all, which memcpy must not be given.
    if (n > 0)
        std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

Catalogue::Catalogue()
    : root(plist_new_dict())
{
    plist_dict_set_item(root, kRingtones, plist_new_dict());
}

Catalogue::~Catalogue()
{
    if (root)
        plist_free(root);
}

Catalogue::Catalogue(Catalogue &&other) noexcept
    : root(std::exchange(other.root, nullptr))
    , binary(other.binary)
    , entries(std::move(other.entries))
{
}

Catalogue &Catalogue::operator=(Catalogue &&other) noexcept
{
    if (this != &other) {
        if (root)
            plist_free(root);
        root = std::exchange(other.root, nullptr);
        binary = other.binary;
        entries = std::move(other.entries);
    }
    return *this;
}

std::optional<Catalogue> Catalogue::parse(std::string_view bytes)
{
    if (bytes.empty() || bytes.size() > kMaxBytes)
        return std::nullopt;
    const bool isBinary = plist_is_binary(bytes.data(), uint32_t(bytes.size()));
    if (isBinary ? !BinaryDepthCheck(bytes).ok() : !xmlDepthOk(bytes))
        return std::nullopt;
    plist_t parsed = nullptr;
    if (isBinary)
        plist_from_bin(bytes.data(), uint32_t(bytes.size()), &parsed);
    else
        plist_from_xml(bytes.data(), uint32_t(bytes.size()), &parsed);
    if (!parsed)
        return std::nullopt;

    Catalogue catalogue;
    plist_free(catalogue.root);
    catalogue.root = parsed;
    catalogue.binary = isBinary;
    if (plist_get_node_type(parsed) != PLIST_DICT)
        return std::nullopt;
    plist_t ringtones = plist_dict_get_item(parsed, kRingtones);
    if (!ringtones)
        plist_dict_set_item(parsed, kRingtones, plist_new_dict());
    else if (plist_get_node_type(ringtones) != PLIST_DICT)
        return std::nullopt;
    // Each entry must be a dictionary; looked at while indexing, since a
    // lookup by key walks the whole dictionary.
    if (!catalogue.rebuildIndex())
        return std::nullopt;
    std::set<std::string_view> seen;
    for (const Entry &entry : catalogue.entries)
        if (!isPlainFileName(entry.fileName) || !seen.insert(entry.fileName).second)
            return std::nullopt;
    return catalogue;
}

void *Catalogue::ringtones() const
{
    return plist_dict_get_item(root, kRingtones);
}

bool Catalogue::rebuildIndex()
{
    entries.clear();
    plist_t dict = ringtones();
    plist_dict_iter it = nullptr;
    plist_dict_new_iter(dict, &it);
    if (!it)
        return true;
    bool allDicts = true;
    for (;;) {
        char *key = nullptr;
        plist_t value = nullptr;
        plist_dict_next_item(dict, it, &key, &value);
        if (!key)
            break;
        Entry entry{key, {}};
        std::free(key);
        if (plist_get_node_type(value) == PLIST_DICT) {
            entry.name = stringOf(plist_dict_get_item(value, "Name"));
            entry.totalTimeMs = millisecondsOf(plist_dict_get_item(value, "Total Time"));
        } else {
            allDicts = false;
        }
        entries.push_back(std::move(entry));
    }
    std::free(it);
    return allDicts;
}

std::string Catalogue::serialize() const
{
    char *bytes = nullptr;
    uint32_t length = 0;
    if (binary)
        plist_to_bin(root, &bytes, &length);
    else
        plist_to_xml(root, &bytes, &length);
    std::string out(bytes ? bytes : "", bytes ? length : 0);
    // Both buffers come from malloc; the *_free functions only arrived later.
    std::free(bytes);
    return out;
}

std::optional<std::string> Catalogue::serializeVerified() const
{
    std::string bytes = serialize();
    const std::optional<Catalogue> again = parse(bytes);
    if (!again || again->entries != entries)
        return std::nullopt;
    return bytes;
}

const Catalogue::Entry *Catalogue::entry(int index) const
{
    return index >= 0 && index < size() ? &entries[size_t(index)] : nullptr;
}

int Catalogue::indexOf(std::string_view fileName) const
{
    for (int i = 0; i < size(); ++i)
        if (entries[size_t(i)].fileName == fileName)
            return i;
    return -1;
}

bool Catalogue::hasGuid(std::string_view guid) const
{
    // Walked in order rather than looked up by file name: each lookup would
    // walk the dictionary again.
    plist_t dict = ringtones();
    plist_dict_iter it = nullptr;
    plist_dict_new_iter(dict, &it);
    if (!it)
        return false;
    bool found = false;
    while (!found) {
        char *key = nullptr;
        plist_t value = nullptr;
        plist_dict_next_item(dict, it, &key, &value);
        if (!key)
            break;
        std::free(key);
        found = plist_get_node_type(value) == PLIST_DICT && stringOf(plist_dict_get_item(value, "GUID")) == guid;
    }
    std::free(it);
    return found;
}

void Catalogue::add(const std::string &fileName, const std::string &name, const std::string &guid,
                    int64_t totalTimeMs, uint64_t pid)
{
    plist_t item = plist_new_dict();
    plist_dict_set_item(item, "Name", plist_new_string(validUtf8(name).c_str()));
    plist_dict_set_item(item, "GUID", plist_new_string(guid.c_str()));
    plist_dict_set_item(item, "Total Time", plist_new_uint(uint64_t(std::max<int64_t>(totalTimeMs, 0))));
    plist_dict_set_item(item, "PID", plist_new_uint(pid));
    plist_dict_set_item(item, "Protected Content", plist_new_bool(0));
    plist_dict_set_item(ringtones(), fileName.c_str(), item);
    entries.push_back({fileName, validUtf8(name), std::max<int64_t>(totalTimeMs, 0)});
}

bool Catalogue::rename(int index, const std::string &name)
{
    if (!entry(index))
        return false;
    plist_t item = plist_dict_get_item(ringtones(), entries[size_t(index)].fileName.c_str());
    entries[size_t(index)].name = validUtf8(name);
    plist_dict_set_item(item, "Name", plist_new_string(entries[size_t(index)].name.c_str()));
    return true;
}

bool Catalogue::setTotalTime(int index, int64_t totalTimeMs)
{
    if (!entry(index))
        return false;
    Entry &changed = entries[size_t(index)];
    changed.totalTimeMs = std::max<int64_t>(totalTimeMs, 0);
    plist_t item = plist_dict_get_item(ringtones(), changed.fileName.c_str());
    plist_dict_set_item(item, "Total Time", plist_new_uint(uint64_t(changed.totalTimeMs)));
    return true;
}

bool Catalogue::remove(int index)
{
    if (!entry(index))
        return false;
    plist_dict_remove_item(ringtones(), entries[size_t(index)].fileName.c_str());
    entries.erase(entries.begin() + index);
    return true;
}

} // namespace tqbridge
