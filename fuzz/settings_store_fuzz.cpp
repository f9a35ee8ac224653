// The settings store opening a file of arbitrary bytes, reading and writing
// in it: no crash, and after every write the file on disk equals the store's
// copy, as the store promises.

#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "settings/settings_store.h"

namespace {

const std::string& settingsPath() {
    static const std::string path =
        "/tmp/rankminer-settings-fuzz-" + std::to_string(getpid()) + ".ini";
    return path;
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string fileText = input.ConsumeRandomLengthString(4096);
    {
        std::ofstream out(settingsPath(), std::ios::binary | std::ios::trunc);
        out.write(fileText.data(), static_cast<std::streamsize>(fileText.size()));
    }
    rankminer::SettingsStore store;
    if (!store.open(settingsPath())) {
        std::abort();  // a file of ours, nobody else holds it
    }
    if (store.mirror() != fileText) {
        std::abort();
    }
    while (input.remaining_bytes() > 0) {
        const std::string section = input.ConsumeRandomLengthString(8);
        const std::string key = input.ConsumeRandomLengthString(8);
        const std::string value = input.ConsumeRandomLengthString(32);
        store.setSection(section);
        store.readText(key);
        store.readNumber(key);
        store.readFlag(key);
        switch (input.ConsumeIntegralInRange<int>(0, 2)) {
            case 0:
                store.writeText(key, value);
                break;
            case 1:
                store.writeNumber(key, input.ConsumeFloatingPoint<double>());
                break;
            default:
                store.writeFlag(key, input.ConsumeBool());
                break;
        }
        if (fileBytes(settingsPath()) != store.mirror()) {
            std::abort();
        }
    }
    return 0;
}
