// libFuzzer target: the ringtone catalogue reader over arbitrary bytes, then
// every change the bridge makes to what it accepted, and the written result
// read back.
#include "catalogue.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    auto catalogue = tqbridge::Catalogue::parse(std::string_view(reinterpret_cast<const char *>(data), size));
    if (!catalogue)
        return 0;
    char name[7];
    char file[5];
    for (int i = 0; i < catalogue->size(); ++i) {
        tqbridge::copyUtf8(catalogue->entry(i)->name, name, int(sizeof name));
        tqbridge::copyUtf8(catalogue->entry(i)->fileName, file, int(sizeof file));
    }
    catalogue->rename(0, "renamed");
    catalogue->add("ZZZZ.m4r", "added", "0123456789ABCDEF", 1000, 42);
    catalogue->remove(catalogue->size() / 2);
    // What the bridge writes it must be able to read again.
    if (const auto written = catalogue->serializeVerified(); written && !tqbridge::Catalogue::parse(*written))
        std::abort();
    return 0;
}
