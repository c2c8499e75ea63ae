// Learning the local player's name from the game's answer to "name".
#include <gtest/gtest.h>

#include "engine/NameReader.h"
#include "fakes/GameFixture.h"

using namespace varnok;
using namespace varnok::fakes;

namespace {

const auto kAlwaysGoOn = [] { return true; };

// Quotes before the phrase shift the field; a cut-off value gives nothing and
// two quotes in a row give an empty one.
TEST(NameValue, IsTheTextBetweenTheThirdAndFourthQuote) {
    const auto read = [](const std::string& line) {
        return engine::readNameValue(line, kAlwaysGoOn);
    };
    EXPECT_EQ(read("\"name\" is:\"^1Ky^7le^7\" default:\"Padawan^7\"\r\n"), "^1Ky^7le^7");
    EXPECT_EQ(read("say \"hi\"\r\n\"name\" is:\"Kyle^7\"\r\n"), "name");
    EXPECT_EQ(read("\"name\" is:\"Kyl"), std::nullopt);
    EXPECT_EQ(read("\"name\" is:\"\" default:\"x\""), "");
}

TEST(NameValue, YieldsBeforeEveryCharacterAndStopsWhenTold) {
    const std::string line = "\"name\" is:\"Kyle\"";
    int yields = 0;
    engine::readNameValue(line, [&] { return ++yields > 0; });
    EXPECT_EQ(yields, static_cast<int>(line.size()));
    EXPECT_EQ(engine::readNameValue(line, [&] { return false; }), std::nullopt);
}

struct NameReading : ::testing::Test, GameFixture {
    void SetUp() override {
        game.runsCommands = false;
        startUp();
    }
};

// A value found replaces the name, a cut-off answer keeps it; either way the
// status line names the player and the latest text leaves the window.
TEST_F(NameReading, LearnsReplacesOrKeepsTheNameAndRewritesTheStatusLine) {
    onLine("\"name\" is:\"^1Ky^7le^7\" default:\"Padawan\"\r\n");
    EXPECT_EQ(shownPlayer(), "Kyle");
    EXPECT_EQ(status().text, "[ Current Player: Kyle  OS: Windows 10 Build 19045 ]");
    EXPECT_EQ(chatText().text, "");

    onLine("\"name\" is:\"Jan\r\n");
    EXPECT_EQ(shownPlayer(), "Kyle");
    EXPECT_EQ(status().text, "[ Current Player: Kyle  OS: Windows 10 Build 19045 ]");
    EXPECT_EQ(chatText().text, "");

    onLine("\"name\" is:\"Jan\" default:\"Padawan\"\r\n");
    EXPECT_EQ(shownPlayer(), "Jan");
}

TEST_F(NameReading, OnlyTheGamesOwnAnswerNamesThePlayer) {
    onLine("Jan: \"a\" \"b\r\n\"name\" is:\"Kyle\" default:\"Padawan\"\r\n");
    EXPECT_EQ(shownPlayer(), "Kyle");
    // Another player quoting the answer makes no one the player.
    onLine("Jan: \"name\" is:\"Jan\" default:\"Padawan\"\r\n");
    onLine("x \"name\" is:\"Jan\" default:\"Padawan\"\r\n");
    onLine("name is:\"Jan\" x\"y\"\r\n");  // the quoted phrase must be there
    EXPECT_EQ(shownPlayer(), "Kyle");
    onLine("\"NAME\" IS:\"Jan\"\r\n");  // letter case ignored
    EXPECT_EQ(shownPlayer(), "Jan");
}

TEST_F(NameReading, YieldsAroundTheReading) {
    knowName();
    const std::string line = "\"name\" is:\"Jan\"\r\n";
    const int before = toolkit.yields;
    onLine(line);
    // The turn, the extraction, the reading and one per character.
    EXPECT_EQ(toolkit.yields - before, 3 + static_cast<int>(line.size()));
}

TEST_F(NameReading, EndingTheProgramDuringTheReadingStopsIt) {
    knowName();
    int left = 5;
    std::function<void()> later = [&] {
        if (--left == 0)
            app->frmMain.mnuExit_Click();
        else
            toolkit.duringNextYield(later);
    };
    toolkit.duringNextYield(later);
    onLine("\"name\" is:\"Jan\"\r\n");
    EXPECT_TRUE(toolkit.ended());
    EXPECT_EQ(shownPlayer(), "Kyle");
}

}  // namespace
