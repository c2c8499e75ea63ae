// A community client that Varnok started: typing into the console it shares
// with Varnok, its log's lines in the retail form, and finding that log.
#include <gtest/gtest.h>

#include <fstream>

#include "common/TempFolder.h"
#include "console/ClientLines.h"
#include "console/ConsoleInputMouth.h"
#include "console/StartedGame.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeConsole.h"

using namespace varnok;
using console::Delivery;

namespace {

class ConsoleInputMouthTest : public ::testing::Test {
  protected:
    fakes::FakeClock clock;
    fakes::FakeConsoleInput input;
    console::TypedLines typed;
    console::ConsoleInputMouth mouth{input, clock, typed};
};

// The client reads its buffer and flushes it within a frame: the next line
// goes only once the buffer is seen empty and a frame has passed since, one
// line a write, in order.
TEST_F(ConsoleInputMouthTest, WritesTheNextLineOnceTheBufferDrainedAndAFramePassed) {
    EXPECT_EQ(mouth.type("say one"), Delivery::Delivered);
    EXPECT_EQ(clock.elapsedMs, 0u);
    clock.at(100, [&] { input.read(); });
    EXPECT_EQ(mouth.type("say two"), Delivery::Delivered);
    EXPECT_GE(clock.elapsedMs, 140u);
    EXPECT_LT(clock.elapsedMs, 160u);
    EXPECT_EQ(input.written, (std::vector<std::string>{"say one", "say two"}));
    EXPECT_EQ(input.buffer.size(), 1u);

    // Seen empty by the flood guard's question: the frame counts from then.
    clock.elapsedMs = 1000;
    input.read();
    EXPECT_TRUE(mouth.answers());
    clock.elapsedMs = 1050;
    EXPECT_EQ(mouth.type("echo ^1Currently Playing: ^4Song"), Delivery::Delivered);
    EXPECT_EQ(clock.elapsedMs, 1050u);

    // The client prints a typed line back as typed: it is marked as the
    // retail console marks it, once, and only a line that was typed.
    const TimePoint now = clock.now();
    EXPECT_EQ(typed.marked("Currently Playing: Song", now), "Currently Playing: Song");
    EXPECT_EQ(typed.marked("echo Currently Playing: Song", now), "]echo Currently Playing: Song");
    EXPECT_EQ(typed.marked("echo Currently Playing: Song", now), "echo Currently Playing: Song");
}

// A client that stalls or ended reads nothing: the line waits 2 s at most and
// is not written on top of the one still waiting.
TEST_F(ConsoleInputMouthTest, AClientThatReadsNothingGetsNothingMore) {
    EXPECT_EQ(mouth.type("say one"), Delivery::Delivered);
    EXPECT_FALSE(mouth.answers());
    EXPECT_EQ(mouth.type("say two"), Delivery::NoAnswer);
    EXPECT_GE(clock.elapsedMs, 2000u);
    EXPECT_LT(clock.elapsedMs, 2100u);
    EXPECT_EQ(input.written.size(), 1u);
    input.present = false;
    EXPECT_FALSE(mouth.answers());
}

TEST(ClientLines, TheClientsPrintsInTheRetailForm) {
    using console::retailForm;
    EXPECT_EQ(retailForm("*Padme^7: ^2!now"), "Padme: !now");
    EXPECT_EQ(retailForm("2026-12-09 22:41:51 *Padme^7: ^2!now"), "Padme: !now");
    EXPECT_EQ(retailForm("^9Cvar ^7name = ^9\"^7Padme^9\"^7, ^7default = ^9\"^7Padawan^9\"^7"),
              "\"name\" is:\"Padme\" default:\"Padawan\"");
    EXPECT_EQ(retailForm("Cvar fs_game = \"\", default = \"\""),
              "\"fs_game\" is:\"\" default:\"\"");
    EXPECT_EQ(retailForm("Unknown command \"x^7\""), "Unknown command \"x\"");
    // Only a chat line loses its "*"; a print that merely begins with one keeps it.
    EXPECT_EQ(retailForm("* server restarting"), "* server restarting");
    EXPECT_EQ(retailForm("2026-12-09 logfile"), "2026-12-09 logfile");
}

// EternalJK, a portable build, writes in its own folder; OpenJK under the
// user's documents; the command line's fs_homepath and fs_game count for both.
TEST(ClientLogs, WhereEachClientWritesItsLog) {
    const std::filesystem::path exe = "C:/Games/EJK/eternaljk.x86_64.exe";
    const auto logs = console::clientLogs(exe, {"+connect", "x"}, "C:/Users/p/Documents");
    ASSERT_EQ(logs.size(), 2u);
    EXPECT_EQ(logs[0].path, std::filesystem::path("C:/Games/EJK/EternalJK/qconsole.log"));
    EXPECT_EQ(logs[1].path,
              std::filesystem::path("C:/Users/p/Documents/My Games/OpenJK/base/qconsole.log"));
    const auto set =
        console::clientLogs(exe, {"+set", "fs_game", "japlus", "+set", "FS_HOMEPATH", "D:/h"}, {});
    ASSERT_EQ(set.size(), 2u);
    EXPECT_EQ(set[0].path, std::filesystem::path("D:/h/japlus/qconsole.log"));
    EXPECT_EQ(set[1].path, std::filesystem::path("D:/h/japlus/qconsole.log"));
    EXPECT_EQ(console::clientLogs(exe, {}, {}).size(), 1u);  // no documents: EternalJK's only
}

// A log that lay there before the game started is an earlier game's until it
// begins anew; OpenJK's stamped first line counts, and OpenJK gets no mouth.
TEST(ClientLogs, TheLogThatBeganSinceTheStartIsTheGames) {
    testsupport::TempFolder folder;
    const std::filesystem::path eternal = folder.path() / "e.log";
    const std::filesystem::path open = folder.path() / "o.log";
    std::ofstream(eternal, std::ios::binary) << "logfile opened on Mon\nold\n";
    fakes::FakeClock clock;
    fakes::FakeConsoleInput input;
    console::StartedGame game(
        {{eternal, console::Client::EternalJK}, {open, console::Client::OpenJK}}, input, clock);
    EXPECT_FALSE(game.lookForLog());
    std::ofstream(open, std::ios::binary) << "2026-12-09 22:41:51 logfile";
    EXPECT_FALSE(game.lookForLog());
    std::ofstream(open, std::ios::binary) << "2026-12-09 22:41:51 logfile opened on Wed\n";
    EXPECT_TRUE(game.lookForLog());
    EXPECT_EQ(game.client(), console::Client::OpenJK);
    EXPECT_EQ(game.mouth(), nullptr);
}

}  // namespace
