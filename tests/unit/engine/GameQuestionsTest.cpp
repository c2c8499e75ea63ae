// Varnok's questions to the game: the name, and once a game its language,
// its folders and its log.
#include <gtest/gtest.h>

#include "fakes/GameFixture.h"

using namespace varnok;
using namespace varnok::fakes;

namespace {

using Lines = std::vector<std::string>;

struct NameQueries : ::testing::Test, GameFixture {
    void SetUp() override { game.runsCommands = false; }
};

// The game answers on a later frame; asking on every turn meanwhile would
// only fill its console.
TEST_F(NameQueries, SlashNameGoesOutOnceASecondWhileTheNameIsUnknown) {
    startUp();
    mark();
    turn();
    turn();
    EXPECT_EQ(sent(), Lines{"/name"});
    clock.elapsedMs += 999;
    turn();
    EXPECT_EQ(sent(), Lines{"/name"});
    clock.elapsedMs += 1;
    turn();
    turn();
    EXPECT_EQ(sent(), (Lines{"/name", "/name"}));
    game.print("\"name\" is:\"Kyle^7\" default:\"Padawan^7\"\r\n");
    turn();
    mark();
    clock.elapsedMs += 1000;
    turn();
    EXPECT_EQ(sent(), Lines{});
}

// A console found asks the name and, once, the game's language and folders
// and its log, each alone; the next "/name" asks the name only.
TEST_F(NameQueries, NoSlashNameOnTheTurnThatLocatesThePane) {
    game.closeConsole();
    startUp();
    game.openConsole();
    mark();
    turn();
    EXPECT_EQ(sent(), Lines{});
    turn();
    EXPECT_EQ(sent(),
              (Lines{"/name", "se_language", "fs_basepath", "fs_game", "logfile", "fs_homepath"}));
    later(1000);
    mark();
    turn();
    EXPECT_EQ(sent(), Lines{"/name"});
}

TEST_F(NameQueries, TheEngineLoadHintAsksForTheNameOnceForEachLineHoldingIt) {
    startUp();
    knowName();
    onLine("----- Loading dll file ui\r\n");
    EXPECT_EQ(sent(), Lines{"name"});
    mark();
    turn();
    turn();
    EXPECT_EQ(sent(), Lines{});
    onLine("Loading dll file cgame\r\nLoading dll file jampgame.\r\n");
    EXPECT_EQ(sent(), (Lines{"name", "name"}));
}

}  // namespace
