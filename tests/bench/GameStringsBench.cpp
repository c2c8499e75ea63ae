// How long GameStrings::load takes on a game folder whose string files lie
// among thousands of entries of a large archive, as the game's own do.
//   varnok_texts_bench write FOLDER [MIB] [ENTRIES]
//     writes FOLDER/base/assets0.pk3: ENTRIES entries (3000 by default) of
//     about MIB MiB together (300 by default), most of them stored bytes that
//     do not compress (textures, sounds), every tenth a small deflated text,
//     and the English and German string files in the middle of the archive;
//   varnok_texts_bench load FOLDER [TIMES]
//     loads the German texts TIMES times (1 by default) and prints one line a
//     load: its time in ms and the bytes it read from the archive.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/ZipWriter.h"
#include "gamefiles/GameStrings.h"

using namespace varnok;
using testsupport::ZipMethod;

namespace {

const std::vector<std::string> kFiles{"mp_svgame", "mp_ingame"};

// A string file of `count` references; the German one with German texts.
std::string stringFile(const std::string& file, bool german, int count) {
    std::string out = "VERSION \"1\"\r\nCONFIG W:\\bin\\striped.cfg\r\nFILENOTES \"\"\r\n\r\n";
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        out += "REFERENCE " + file + "_" + n + "\r\nLANG_ENGLISH \"phrase " + n + " of " + file +
               "\"\r\n";
        if (german) out += "LANG_GERMAN \"Satz " + n + " aus " + file + "\"\r\n";
        out += "\r\n";
    }
    return out + "ENDMARKER\r\n";
}

// Bytes that do not compress, from a fixed seed.
void fillRandom(std::string& bytes, std::uint64_t& state) {
    for (std::size_t i = 0; i + 8 <= bytes.size(); i += 8) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        for (int k = 0; k < 8; ++k) bytes[i + k] = static_cast<char>(state >> (8 * k));
    }
}

int write(const std::filesystem::path& folder, std::uint64_t mib, int entries) {
    std::filesystem::create_directories(folder / "base");
    std::ofstream out(folder / "base" / "assets0.pk3", std::ios::binary);
    testsupport::ZipWriter writer(out);
    // Every tenth entry is a small text; the others make up the size.
    const auto storedEntries =
        static_cast<std::uint64_t>(std::max(entries - (entries + 9) / 10, 1));
    std::string stored(static_cast<std::size_t>((mib << 20) / storedEntries), '\0');
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    std::string shader;
    for (int i = 0; i < 100; ++i) shader += "textures/x/y" + std::to_string(i) + "\r\n{\r\n}\r\n";
    for (int i = 0; i < entries; ++i) {
        if (i == entries / 2)
            for (const std::string& file : kFiles) {
                writer.add("strings/english/" + file + ".str", stringFile(file, false, 300),
                           ZipMethod::Deflated);
                writer.add("strings/german/" + file + ".str", stringFile(file, true, 300),
                           ZipMethod::Deflated);
            }
        if (i % 10 == 0) {
            writer.add("shaders/s" + std::to_string(i) + ".shader", shader, ZipMethod::Deflated);
        } else {
            fillRandom(stored, state);
            writer.add("textures/t" + std::to_string(i) + ".jpg", stored);
        }
    }
    writer.finish();
    out.close();
    if (!out) {
        std::fprintf(stderr, "cannot write the archive\n");
        return 1;
    }
    return 0;
}

int load(const std::filesystem::path& folder, int times) {
    for (int i = 0; i < times; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const gamefiles::GameStrings strings =
            gamefiles::GameStrings::load({.basePath = folder}, "german", kFiles);
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        if (strings.translate("mp_ingame", "phrase 7 of mp_ingame") != "Satz 7 aus mp_ingame" ||
            !strings.problems().empty()) {
            std::fprintf(stderr, "the texts were not read\n");
            return 1;
        }
        std::printf("%.2f ms %llu bytes\n", took.count(),
                    static_cast<unsigned long long>(strings.archiveBytesRead()));
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 2 ? argv[1] : "";
    if (mode == "write")
        return write(argv[2], argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 300,
                     argc > 4 ? std::atoi(argv[4]) : 3000);
    if (mode == "load") return load(argv[2], argc > 3 ? std::atoi(argv[3]) : 1);
    std::fprintf(stderr,
                 "usage: varnok_texts_bench write FOLDER [MIB] [ENTRIES] | load FOLDER [TIMES]\n");
    return 2;
}
