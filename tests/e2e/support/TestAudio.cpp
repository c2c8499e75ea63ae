#include "support/TestAudio.h"

#include <windows.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace e2e {

namespace {

void put16(std::vector<char>& out, std::uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

void put32(std::vector<char>& out, std::uint32_t value) {
    put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(value >> 16));
}

void putTag(std::vector<char>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

}  // namespace

bool writeWav(const std::string& path, double seconds) {
    constexpr std::uint32_t kRate = 8000;
    const auto samples = static_cast<std::uint32_t>(seconds * kRate);
    const std::uint32_t dataBytes = samples * 2;
    std::vector<char> out;
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, kRate);
    put32(out, kRate * 2);
    put16(out, 2);
    put16(out, 16);
    putTag(out, "data");
    put32(out, dataBytes);
    for (std::uint32_t i = 0; i < samples; ++i) {
        const double wave = std::sin(2.0 * 3.14159265358979 * 440.0 * i / kRate);
        put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(wave * 8000)));
    }
    std::ofstream file(path, std::ios::binary);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

std::string testAudioFolder() {
    if (const char* folder = std::getenv("VARNOK_TEST_AUDIO"); folder && *folder) return folder;
    char self[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    for (int up = 0; up < 4; ++up) path.resize(path.find_last_of("\\/"));
    return path + "\\test-audio";  // build/windows/tests/e2e/x.exe -> build/test-audio
}

}  // namespace e2e
