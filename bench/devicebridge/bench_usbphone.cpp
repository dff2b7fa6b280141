// The real-phone module over the wire, against the fake iPhone of the tests
// (usbmuxd, lockdown with TLS, AFC on a local folder): adding 20 ringtones of
// 600 KB and committing once through the bridge's table, against writing the
// same bytes to the same fake over a plain AFC connection of our own (open,
// write, close per file, nothing else).
//   bench_usbphone [FOLDER] [REPEATS]
#include "devicebridge.h"
#include "fakephone.h"

#include <libimobiledevice/afc.h>
#include <libimobiledevice/libimobiledevice.h>

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

constexpr int kFiles = 20;
constexpr size_t kBytes = 600 * 1024;

std::atomic<bool> connected{false};

int onEvent(int kind, const char *text)
{
    if (kind == 0 && std::string(text) == DEVICE_EVENT_CONNECT)
        connected = true;
    return 0;
}

bool waitFor(const std::function<bool()> &condition, int seconds)
{
    const auto until = Clock::now() + std::chrono::seconds(seconds);
    while (!condition()) {
        if (Clock::now() > until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

double best(int repeats, const std::function<void()> &prepare, const std::function<bool()> &run)
{
    double fastest = 1e300;
    for (int i = 0; i < repeats; ++i) {
        prepare();
        const auto start = Clock::now();
        if (!run()) {
            std::fprintf(stderr, "bench_usbphone: a run failed\n");
            std::exit(1);
        }
        fastest = std::min(fastest, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return fastest;
}

} // namespace

int main(int argc, char **argv)
{
    const fs::path root = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "tonquill-bench-usb";
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    fs::remove_all(root);
    const fs::path computer = root / "computer";
    fs::create_directories(computer);
    std::vector<std::string> files;
    std::vector<std::string> contents;
    for (int i = 0; i < kFiles; ++i) {
        const fs::path path = computer / ("Tone " + std::to_string(i) + ".m4r");
        contents.emplace_back(kBytes, char('a' + i));
        std::ofstream(path, std::ios::binary) << contents.back();
        files.push_back(path.string());
    }

    fakephone::FakePhone phone((root / "phone").string());
    setenv("USBMUXD_SOCKET_ADDRESS", phone.socketAddress().c_str(), 1);
    unsetenv("TONQUILL_SIMULATED_PHONE");
    DeviceBridge *bridge = createDeviceBridge();
    bridge->setEventCallback(&onEvent);
    if (!waitFor([&] { return phone.listeners() > 0; }, 20)) {
        std::fprintf(stderr, "bench_usbphone: the phone module did not subscribe\n");
        return 1;
    }
    phone.plugIn();
    if (!waitFor([] { return connected.load(); }, 20)) {
        std::fprintf(stderr, "bench_usbphone: the phone did not connect\n");
        return 1;
    }
    const auto emptyPhone = [&] { fs::remove_all(root / "phone" / "iTunes_Control"); };

    const double bridgeMs = best(repeats, emptyPhone, [&] {
        for (const std::string &file : files)
            if (bridge->addRingtone(0, file.c_str(), 30000) < 0)
                return false;
        return bridge->commitChanges(0) >= 0;
    });

    // The reference: a second AFC client on the same fake, plain writes.
    idevice_t device = nullptr;
    afc_client_t afc = nullptr;
    if (idevice_new_with_options(&device, phone.udid().c_str(), IDEVICE_LOOKUP_USBMUX) != IDEVICE_E_SUCCESS
        || afc_client_start_service(device, &afc, "bench") != AFC_E_SUCCESS) {
        std::fprintf(stderr, "bench_usbphone: no plain AFC connection\n");
        return 1;
    }
    const double plainMs = best(
        repeats,
        [&] {
            emptyPhone();
            fs::create_directories(root / "phone" / "iTunes_Control" / "Ringtones");
        },
        [&] {
            for (int i = 0; i < kFiles; ++i) {
                const std::string path = "/iTunes_Control/Ringtones/plain" + std::to_string(i) + ".m4r";
                uint64_t handle = 0;
                uint32_t written = 0;
                if (afc_file_open(afc, path.c_str(), AFC_FOPEN_WRONLY, &handle) != AFC_E_SUCCESS
                    || afc_file_write(afc, handle, contents[size_t(i)].data(), uint32_t(kBytes), &written)
                           != AFC_E_SUCCESS
                    || written != kBytes || afc_file_close(afc, handle) != AFC_E_SUCCESS)
                    return false;
            }
            return true;
        });
    afc_client_free(afc);
    idevice_free(device);

    std::printf("%d ringtones of %zu KB over the wire (TLS sessions, best of %d)\n", kFiles, kBytes / 1024, repeats);
    std::printf("%-44s %9.2f ms   plain AFC writes %8.2f ms   ratio %6.2f\n", "bridge: add 20, one commit", bridgeMs,
                plainMs, bridgeMs / plainMs);
    phone.unplug();
    waitFor([] { return false; }, 1); // lets the bridge drop the phone before the fake goes
    return 0;
}
