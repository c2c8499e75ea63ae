// The console input against the stand-in game in EternalJK's mode, which
// reads Varnok's console as that client does (256 records a read, then a
// flush; editing keys by their virtual-key code): lines written one a write,
// each once the last was taken and a frame more, arrive whole and once each.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <map>

#include "CommunityStandIn.h"
#include "platform/win32/Win32ConsoleInput.h"
#include "support/StandInGame.h"
#include "support/Windows.h"

namespace {

using namespace std::chrono_literals;
using varnok::platform::win32::Win32ConsoleInput;
using win32test::CommunityStandIn;

class ConsoleInput : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(game.process(), 0u) << game.started().failure;
        // What is typed before the game has set its console up is lost.
        ASSERT_TRUE(game.waitForLog());
    }

    // The writer's rule: the buffer empty, then one frame more.
    void drain() {
        EXPECT_TRUE(e2e::waitUntil([&] { return input.waiting() == 0u; }, 2s, 1ms));
        Sleep(40);
    }

    bool transcriptHolds(std::size_t count) {
        return e2e::waitUntil([&] { return game.lines("transcript.log").size() >= count; }, 5s);
    }

    win32test::ConsoleWindowWatch watch;
    CommunityStandIn game;
    Win32ConsoleInput input;
};

TEST_F(ConsoleInput, LinesWrittenOneAtATimeArriveWholeAndOnce) {
    std::string longest = "echo ";
    // Every printable character but ';', which would split it into commands.
    for (char c = ' '; longest.size() < 254; c = c == '~' ? ' ' : static_cast<char>(c + 1))
        if (c != ';') longest += c;
    std::vector<std::string> lines = {longest, "echo # $ % & ' ("};
    for (int i = 1; i <= 20; ++i) lines.push_back("echo line " + std::to_string(i));

    std::map<std::string, unsigned long long> written;
    for (const std::string& line : lines) {
        drain();
        written[line] = e2e::microsNow();
        EXPECT_TRUE(input.write(line)) << line;
    }
    ASSERT_TRUE(transcriptHolds(lines.size()));
    drain();
    EXPECT_EQ(game.lines("transcript.log"), lines);
    EXPECT_EQ(game.lines("faults.log"), std::vector<std::string>{});

    // From the write to the game taking the line ("<microseconds> typed <line>").
    std::vector<double> delays;
    for (const std::string& note : game.lines("timing.log")) {
        const std::size_t typed = note.find(" typed ");
        if (typed == std::string::npos || !written.count(note.substr(typed + 7))) continue;
        delays.push_back(
            (std::strtoull(note.c_str(), nullptr, 10) - written[note.substr(typed + 7)]) / 1000.0);
    }
    ASSERT_EQ(delays.size(), lines.size());
    std::sort(delays.begin(), delays.end());
    std::cout << "[ measured ] write to arrival: min " << delays.front() << " ms, median "
              << delays[delays.size() / 2] << " ms, max " << delays.back() << " ms\n";
    EXPECT_EQ(watch.seen(), 0);
}

TEST_F(ConsoleInput, ALineWrittenBeforeTheGameTookTheLastIsLost) {
    ASSERT_TRUE(game.send("hang 300"));
    Sleep(50);  // the frame has stalled: both lines wait for the same read
    ASSERT_TRUE(input.write("echo one"));
    ASSERT_TRUE(input.write("echo two"));
    ASSERT_TRUE(transcriptHolds(1));
    drain();
    EXPECT_EQ(game.lines("transcript.log"), std::vector<std::string>{"echo one"});
    EXPECT_EQ(game.lines("faults.log"),
              std::vector<std::string>{"lost 9 records: after the line's Enter"});
}

TEST_F(ConsoleInput, NothingWaitsOnceTheGameTookALineAndItAnswersAsTheClient) {
    ASSERT_TRUE(input.write("name"));
    ASSERT_TRUE(transcriptHolds(1));
    EXPECT_EQ(input.waiting(), 0u);
    drain();
    ASSERT_TRUE(input.write("say  %H% hp  \"left\""));
    // The echo as typed, the cvar in the client's format, the say rebuilt word by word.
    const std::string expected =
        "name\n^9Cvar ^7name = ^9\"^7Padme^9\"^7, ^7default = ^9\"^7Padawan^9\"^7\n"
        "say  %H% hp  \"left\"\n*Padme^7: ^2100 hp left \n";
    EXPECT_TRUE(e2e::waitUntil([&] { return game.log().find(expected) != std::string::npos; }, 5s))
        << game.log();
}

}  // namespace
