// The game in the player's language: Varnok.exe asks the stand-in game for its
// language and folder, reads the event phrases from the archive there (made by
// the test, a large stored entry before the texts) and answers the game's
// lines in that language.

#include <gtest/gtest.h>

#include <windows.h>
// windows.h first: psapi.h builds on it.
#include <psapi.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "common/ZipWriter.h"
#include "support/StandInGame.h"
#include "support/VarnokApp.h"

using namespace std::chrono_literals;
using e2e::StandInGame;
using e2e::StandInOptions;
using e2e::Transcript;
using varnok::testsupport::ZipMethod;
using varnok::testsupport::ZipWriter;
using Clock = std::chrono::steady_clock;

namespace {

constexpr auto kPatience = 20s;
const std::string kAnnouncement = "say ^7-{^0ZUL^7}-^4$^0pellow^4$ ^1Varnok V1.2B initilized";
// Bigger than Varnok ever holds in memory: a whole archive read would show.
constexpr std::uint32_t kLargeEntryBytes = 192u << 20;

struct Phrase {
    const char* token;  // the stand-in's name for it
    const char* key;    // the reference in the game's string file
    const char* file;
    const char* english;
    const char* german;
};

// A language of the tests' own making, in the game's 8-bit code page.
const Phrase kPhrases[] = {
    {"PLENTER", "PLENTER", "mp_svgame", "entered the game", "betrat das Spiel"},
    {"PLRENAME", "PLRENAME", "mp_svgame", "renamed to", "hei\xDFt jetzt"},
    {"PLDUELACCEPT", "PLDUELACCEPT", "mp_svgame", "has become engaged in a duel with",
     "duelliert sich mit"},
    {"TIMELIMIT_HIT", "TIMELIMIT_HIT", "mp_svgame", "Timelimit hit", "Zeitlimit erreicht"},
    {"HIT_THE_KILL_LIMIT", "HIT_THE_KILL_LIMIT", "mp_svgame", "hit the kill limit",
     "erreichte das Abschusslimit"},
    {"KILLED_SABER", "KILLED_SABER", "mp_ingame", "was sabered by", "fiel durch das Schwert von"},
    {"KILLED_HIMSELF", "KILLED_SELF_MALE", "mp_ingame", "killed himself", "t\xF6tete sich selbst"},
};

class GameLanguageEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        CreateDirectoryA(folder.file("Saves").c_str(), nullptr);
        folder.write("Saves\\replies.vnk",
                     "Varnok -{ZUL}- $pellow$\r\n%s vs %d\r\ngg %d\r\nwell played %d\r\n"
                     "Welcome %d\r\n 1 \r\noops\r\n 1 \r\nReady\r\n 1 \r\ngg all\r\n 1 \r\n"
                     " 1 \r\n 1 \r\n");
        writeArchive();
    }

    // base/assets0.pk3: a large stored entry, then the German and English texts.
    void writeArchive() {
        const std::filesystem::path base = folder.path() / "Game" / "base";
        std::filesystem::create_directories(base);
        std::ofstream out(base / "assets0.pk3", std::ios::binary);
        ZipWriter archive(out);
        archive.addZeros("sound/ambient.raw", kLargeEntryBytes);
        for (const char* language : {"german", "english"}) {
            for (const char* file : {"mp_svgame", "mp_ingame"}) {
                std::string text = "VERSION \"1\"\nCONFIG \"W:\\bin\\striped.cfg\"\n";
                for (const Phrase& p : kPhrases) {
                    if (std::string(p.file) != file) continue;
                    text += std::string("REFERENCE ") + p.key + "\nLANG_ENGLISH \"" + p.english +
                            "\"\n";
                    if (std::string(language) == "german")
                        text += std::string("LANG_GERMAN \"") + p.german + "\"\n";
                }
                archive.add(std::string("strings/") + language + "/" + file + ".str",
                            text + "ENDMARKER\n", ZipMethod::Deflated);
            }
        }
        archive.finish();
    }

    // The game in `language` with its folder, then Varnok with the replies loaded.
    void start(const std::string& language) {
        StandInOptions options;
        options.basePath = folder.file("Game");
        options.language = language;
        game = std::make_unique<StandInGame>(folder, options);
        ASSERT_TRUE(game->started()) << game->startError();
        if (language == "german")
            for (const Phrase& p : kPhrases) ASSERT_TRUE(game->phrase(p.token, p.german));
        app = std::make_unique<e2e::VarnokApp>(folder);
        ASSERT_TRUE(app->started()) << app->startError();
        started = Clock::now();
        ASSERT_TRUE(e2e::waitUntil([&] { return status().find("Padawan") != std::string::npos; },
                                   kPatience));
        chat("!load replies");
        ASSERT_TRUE(waitFor("say ^7replies ^1loaded successfully"));
    }

    std::string status() const { return app->controlText("lblPlatform").value_or(""); }
    void chat(const std::string& text) {
        game->waitForServerGap();
        ASSERT_TRUE(game->chat(text));
    }
    bool waitFor(const std::string& line, int count = 1) {
        return game->waitForTranscript(
            [&](const Transcript& t) { return e2e::countLine(t, line) >= count; }, kPatience);
    }
    int count(const std::string& line) const { return e2e::countLine(game->transcript(), line); }

    e2e::TempFolder folder;
    std::unique_ptr<StandInGame> game;
    std::unique_ptr<e2e::VarnokApp> app;
    Clock::time_point started;
};

TEST_F(GameLanguageEndToEnd, AGermanGamesLinesAreAnswered) {
    start("german");
    ASSERT_TRUE(game->enter());
    ASSERT_TRUE(waitFor("say Ready")) << game->paneText();
    EXPECT_EQ(count(kAnnouncement), 1);
    ASSERT_TRUE(game->duel("Padawan", "Kyle"));
    ASSERT_TRUE(waitFor("say Padawan vs Kyle"));
    ASSERT_TRUE(game->kill("Kyle", "Padawan"));
    ASSERT_TRUE(waitFor("say gg Kyle"));
    ASSERT_TRUE(game->kill("Padawan"));
    ASSERT_TRUE(waitFor("say oops"));
    ASSERT_TRUE(game->timeLimit());
    ASSERT_TRUE(waitFor("say gg all"));
    ASSERT_TRUE(game->killLimit("Padawan"));
    ASSERT_TRUE(waitFor("say gg all", 2));

    // Another player's chat quoting the duel phrase is no duel.
    ASSERT_TRUE(game->other("Jan", "Padawan duelliert sich mit Rosh!"));
    std::this_thread::sleep_until(started + 16s);  // the greetings' gate is open
    ASSERT_TRUE(game->enter("Rosh"));
    ASSERT_TRUE(waitFor("say Welcome Rosh")) << game->paneText() << "\nlog:\n" << game->log();
    EXPECT_EQ(count("say Padawan vs Rosh"), 0);

    ASSERT_TRUE(game->rename("Vader"));
    ASSERT_TRUE(
        e2e::waitUntil([&] { return status().find("Vader") != std::string::npos; }, kPatience))
        << status();
    const std::size_t before = game->transcript().size();
    chat("!now");
    ASSERT_TRUE(game->waitForTranscript(
        [&](const Transcript& t) {
            for (std::size_t i = before; i < t.size(); ++i)
                if (t[i].rfind("say ^4 It is currently: ", 0) == 0) return true;
            return false;
        },
        kPatience));

    // The texts were read from the archive's directory and its few string
    // files, never the archive whole.
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    ASSERT_TRUE(GetProcessMemoryInfo(app->process().handle(), &memory, sizeof memory));
    EXPECT_LT(memory.PeakWorkingSetSize, kLargeEntryBytes / 2);
}

// An English game with its texts answers as without them, the kill limit's
// line with the player's name first included.
TEST_F(GameLanguageEndToEnd, AnEnglishGameWithItsTextsIsAnsweredAsBefore) {
    start("english");
    ASSERT_TRUE(game->enter());
    ASSERT_TRUE(waitFor("say Ready"));
    ASSERT_TRUE(game->duel("Padawan", "Kyle"));
    ASSERT_TRUE(waitFor("say Padawan vs Kyle"));
    ASSERT_TRUE(game->killLimit("Padawan"));
    ASSERT_TRUE(waitFor("say gg all"));
    ASSERT_TRUE(game->killLimit("Red"));
    ASSERT_TRUE(waitFor("say gg all", 2));
}

}  // namespace
