// The simulated phone through the bridge's C table, each figure against a
// plain copy of the same bytes in the same run:
// - listing 1,000 ringtones as the manager does (getRingtone from index 0
//   until it fails) against copying the catalogue file;
// - adding a batch of 20 files and committing once against copying the 20
//   files into a folder.
//   bench_phone [FOLDER] [REPEATS]
#include "catalogue.h"
#include "devicebridge.h"
#include "phonestore.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

std::atomic<bool> connected{false};

int onEvent(int kind, const char *text)
{
    if (kind == 0 && std::string(text) == DEVICE_EVENT_CONNECT)
        connected = true;
    return 0;
}

void writeFile(const fs::path &path, size_t bytes, char fill)
{
    std::ofstream(path, std::ios::binary) << std::string(bytes, fill);
}

void copyFile(const fs::path &from, const fs::path &to)
{
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(to, std::ios::binary);
    out << in.rdbuf();
}

// Best of `repeats` runs, in milliseconds; `prepare` runs untimed before each.
double best(int repeats, const std::function<void()> &prepare, const std::function<void()> &run)
{
    double fastest = 1e300;
    for (int i = 0; i < repeats; ++i) {
        prepare();
        const auto start = Clock::now();
        run();
        fastest = std::min(fastest, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return fastest;
}

void report(const char *what, double ms, double referenceMs)
{
    std::printf("%-44s %9.2f ms   plain copy %8.2f ms   ratio %6.2f\n", what, ms, referenceMs, ms / referenceMs);
}

} // namespace

int main(int argc, char **argv)
{
    const fs::path root = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "tonquill-bench";
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 5;
    fs::remove_all(root);
    const fs::path phone = root / "phone";
    const fs::path ringtones = phone / "iTunes_Control" / "Ringtones";
    const fs::path computer = root / "computer";
    fs::create_directories(ringtones);
    fs::create_directories(phone / "iTunes_Control" / "iTunes");
    fs::create_directories(computer);

    // A phone with 1,000 ringtones of 30 KB.
    tqbridge::Catalogue catalogue;
    for (int i = 0; i < 1000; ++i) {
        char file[16], guid[17];
        std::snprintf(file, sizeof file, "%c%c%c%c.m4r", 'A' + i / 676 % 26, 'A' + i / 26 % 26, 'A' + i % 26, 'Q');
        std::snprintf(guid, sizeof guid, "%016X", i);
        catalogue.add(file, "Ringtone number " + std::to_string(i), guid, 30000, uint64_t(i) * 7919);
        writeFile(ringtones / file, 30 * 1024, 'r');
    }
    const fs::path cataloguePath = phone / "iTunes_Control" / "iTunes" / "Ringtones.plist";
    std::ofstream(cataloguePath, std::ios::binary) << catalogue.serialize();

#ifdef _WIN32
    _putenv_s("TONQUILL_SIMULATED_PHONE", phone.string().c_str());
#else
    setenv("TONQUILL_SIMULATED_PHONE", phone.c_str(), 1);
#endif
    DeviceBridge *bridge = createDeviceBridge();
    bridge->setEventCallback(&onEvent);
    while (!connected)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));

    int listed = 0;
    const double listMs = best(repeats, [] {}, [&] {
        char name[256], file[256];
        for (listed = 0; bridge->getRingtone(0, listed, name, 256, file, 256) >= 0;)
            ++listed;
    });
    const double catalogueCopyMs = best(repeats, [] {}, [&] { copyFile(cataloguePath, computer / "copy.plist"); });
    if (listed != 1000) {
        std::fprintf(stderr, "listed %d ringtones, expected 1000\n", listed);
        return 1;
    }

    // 20 files of 600 KB, about 35 s of ringtone each.
    std::vector<fs::path> batch;
    for (int i = 0; i < 20; ++i) {
        batch.push_back(computer / ("tone " + std::to_string(i) + ".m4r"));
        writeFile(batch.back(), 600 * 1024, char('a' + i));
    }
    // Each timed batch starts from the 1,000 ringtones again.
    const std::string original = catalogue.serialize();
    auto restore = [&] {
        std::ofstream(cataloguePath, std::ios::binary | std::ios::trunc) << original;
        for (const auto &entry : fs::directory_iterator(ringtones))
            if (entry.path().filename().string().find('Q') != 3)
                fs::remove(entry.path());
        char name[256], file[256];
        bridge->getRingtone(0, 0, name, 256, file, 256); // re-read the restored catalogue
    };
    bool ok = true;
    const double addMs = best(repeats, restore, [&] {
        for (const fs::path &file : batch)
            ok = bridge->addRingtone(0, file.string().c_str(), 35000) >= 0 && ok;
        ok = bridge->commitChanges(0) >= 0 && ok;
    });
    const fs::path copies = root / "copies";
    const double batchCopyMs = best(repeats, [&] { fs::remove_all(copies); fs::create_directories(copies); }, [&] {
        for (const fs::path &file : batch)
            copyFile(file, copies / file.filename());
    });
    if (!ok) {
        std::fprintf(stderr, "adding the batch failed\n");
        return 1;
    }

    std::printf("best of %d runs\n", repeats);
    report("list 1,000 ringtones (catalogue copy)", listMs, catalogueCopyMs);
    report("add 20 files of 600 KB, one commit", addMs, batchCopyMs);
    fs::remove_all(root);
    return 0;
}
