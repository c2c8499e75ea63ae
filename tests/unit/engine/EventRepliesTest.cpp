// The automatic replies to game events: which line goes out, after which pause.
#include <gtest/gtest.h>

#include <fstream>

#include "common/ZipWriter.h"
#include "engine/Placeholders.h"
#include "engine/ReplySwitch.h"
#include "fakes/GameFixture.h"
#include "fakes/SplitRule.h"
#include "ports/Failures.h"

using namespace varnok;
using namespace varnok::fakes;

namespace {

using Lines = std::vector<std::string>;
using Pauses = std::vector<std::uint32_t>;
const std::string kAnnouncement = engine::kAnnouncement;

// The names are values from outside, the reply text is the player's own: a
// ";" the player wrote chains on purpose, one in a name is made harmless.
TEST(Placeholders, EveryOccurrenceWhateverItsCaseNameFirst) {
    EXPECT_EQ(engine::fillPlaceholders("%s beat %D, %S beat %d", "Kyle", "Jan").text(),
              "Kyle beat Jan, Kyle beat Jan");
    EXPECT_EQ(engine::fillPlaceholders("%s", "a%d", "Jan").text(), "aJan");  // "%s" goes first
    EXPECT_EQ(engine::fillOtherName("Welcome %d, I am %s", "Jan").text(), "Welcome Jan, I am %s");
    EXPECT_EQ(engine::fillPlaceholders("gg;say %s/%d", "K;\"", "/J").text(), "gg;say K,'/ /J");
}

struct Events : ::testing::Test, GameFixture {
    void SetUp() override {
        startKnowingName();
        game.runsCommands = false;
        prepare();
    }
    // What a group sets up on top of the known name.
    virtual void prepare() {}
    // Sets a reply's text and turns it on.
    static void turnOn(std::string& text, std::uint8_t& enabled, const std::string& value) {
        text = value;
        enabled = 1;
    }
    // The greeting timer's tick.
    void greetingDue() { app->frmMain.tmrDelay_Timer(); }
    // The opponent of the duel open now, found by the player's win over
    // anyone (the game's kill line in its language), which closes it;
    // nothing when no duel is open.
    std::optional<std::string> openDuelOpponent(const std::string& saberedBy = " was sabered by ") {
        const std::string won = app->frmMain.txtDuelWon->text();
        app->frmMain.txtDuelWon->setText("won against %d");
        later();
        onLine("Someone" + saberedBy + player + "\r\n");
        app->frmMain.txtDuelWon->setText(won);
        const Lines said = sent();
        if (said.size() != 1 || !said[0].starts_with("say won against ")) return std::nullopt;
        return said[0].substr(std::string("say won against ").size());
    }
};

// The entry message keeps the server's gap after the announcement: a second
// and a margin.
TEST_F(Events, OwnEntryAnnouncesAfterASecondThenSaysTheEntryMessageIfOn) {
    turnOn(messages().Enter, messages().EnterEn, "Hi %s %d");
    onLine("Kyle entered the game\r\n");
    EXPECT_EQ(sent(), (Lines{kAnnouncement, "say Hi %s %d"}));
    EXPECT_EQ(paused(), (Pauses{1000, 1000, 200}));
    later();
    messages().EnterEn = 2;
    onLine("KYLE ENTERED THE GAME\r\n");
    EXPECT_EQ(sent(), Lines{kAnnouncement});
    EXPECT_EQ(paused(), Pauses{1000});
}

// Two lines in one turn: every name is cut within the line that holds its
// phrase, never with a line break and the next line.
TEST_F(Events, NamesAreCutWithinTheirOwnLineWhenTwoLinesArriveInOneTurn) {
    setTemplates("%s vs %d", "%s beat %d", "");
    onLine("Kyle has become engaged in a duel with Jan!\r\nJan: hi\r\n");
    EXPECT_EQ(sent(), Lines{"say Kyle vs Jan"});
    onLine("Jan was sabered by Kyle\r\nRosh: gg\r\n");
    EXPECT_EQ(sent(), Lines{"say Kyle beat Jan"});
    onLine("Rosh: x\r\nRosh has become engaged in a duel with Kyle!\r\n");
    EXPECT_EQ(openDuelOpponent(), "Rosh");

    greetingDue();
    turnOn(messages().Greet, messages().GreetEn, "Welcome %d");
    onLine("Rosh: hi\r\nTavion entered the game\r\nRosh: o/\r\n");
    EXPECT_EQ(sent(), Lines{"say Welcome Tavion"});

    onLine("Kyle renamed to Padme\r\nPadme: hi\r\n");
    EXPECT_EQ(shownPlayer(), "Padme");
}

// Each line of one reading is an event of its own: the player's entry after
// another line is still the player's entry, and a duel line after it is
// handled too.
TEST_F(Events, EachLineOfOneReadingIsHandledInOrder) {
    greetingDue();
    turnOn(messages().Greet, messages().GreetEn, "Welcome %d");
    setTemplates("%s vs %d", "", "");
    onLine("x\r\nKyle entered the game\r\nKyle has become engaged in a duel with Jan!\r\n");
    EXPECT_EQ(sent(), (Lines{kAnnouncement, "say Kyle vs Jan"}));
    EXPECT_EQ(openDuelOpponent(), "Jan");
}

// Another player's chat may quote any event phrase, and a player may be named
// after one: neither is the game's message, so nothing is sent or changed.
TEST_F(Events, EventPhrasesInsideChatLinesAreNoEvents) {
    greetingDue();
    setTemplates("%s vs %d", "won", "lost");
    messages().Greet = "Welcome %d";
    messages().GreetEn = messages().DeathEn = messages().Limiten = 1;
    onLine("Kyle: Leia entered the game\r\n");
    onLine("Jan: Kyle has become engaged in a duel with Vader!\r\n");
    onLine("Jan: Vader has become engaged in a duel with Kyle\r\n");
    onLine("Jan: Kyle killed himself\r\n");
    onLine("Timelimit hit.: gg\r\n");
    onLine("]say Kyle entered the game\r\n");
    onLine("Jan: Kyle renamed to Jan\r\n");
    onLine("Jan: finished R_Init\r\n");
    // A line longer than the recognisers take is judged whole: its end alone
    // looks like the game's message, or like a line of the player's own.
    onLine("Jan: " + std::string(200, 'x') + " Leia entered the game\r\n");
    onLine("Jan: " + std::string(200, 'x') + "Kyle: !replyoff\r\n");
    EXPECT_EQ(sent(), Lines{});
    EXPECT_EQ(openDuelOpponent(), std::nullopt);
    EXPECT_EQ(shownPlayer(), "Kyle");

    onLine("Leia entered the game\r\n");
    EXPECT_EQ(sent(), Lines{"say Welcome Leia"});
}

struct Greeting : Events {
    void prepare() override { turnOn(messages().Greet, messages().GreetEn, "Welcome %d %s"); }
};

TEST_F(Greeting, NoneInTheFirstFifteenSecondsThenOnePerTickWithoutAPause) {
    onLine("Leia entered the game\r\n");
    EXPECT_EQ(sent(), Lines{});
    clock.elapsedMs = 15000;
    onLine("Jan entered the game\r\n");
    EXPECT_EQ(sent(), Lines{"say Welcome Jan %s"});
    EXPECT_EQ(paused(), Pauses{});
    onLine("Tavion entered the game\r\n");
    EXPECT_EQ(sent(), Lines{});
    clock.elapsedMs = 30000;
    onLine("Rosh entered the game\r\n");
    EXPECT_EQ(sent(), Lines{"say Welcome Rosh %s"});
}

TEST_F(Greeting, ADisabledGreetingSendsNothingAndKeepsTheTick) {
    messages().GreetEn = 0;
    greetingDue();
    onLine("Jan entered the game\r\n");
    EXPECT_EQ(sent(), Lines{});
    messages().GreetEn = 1;
    onLine("Rosh entered the game\r\n");
    EXPECT_EQ(sent(), Lines{"say Welcome Rosh %s"});
}

TEST_F(Greeting, AnEntryWithoutATickEndsTheChainAnyway) {
    onLine("Jan entered the game\r\nTimelimit hit.\r\n");
    messages().Limiten = 1;
    EXPECT_EQ(sent(), Lines{});
}

struct Duel : Events {
    void prepare() override { setTemplates("%s vs %D", "I, %S, beat %d", "%d beat me"); }
};

TEST_F(Duel, BegunWithThePlayerNamedFirstOrSecond) {
    for (const auto& [line, opponent] :
         {std::pair<std::string, std::string>{"Kyle has become engaged in a duel with Jan!\r\n",
                                              "Jan"},
          {"Rosh has become engaged in a duel with Kyle!\r\n", "Rosh"}}) {
        onLine(line);
        EXPECT_EQ(sent(), Lines{"say Kyle vs " + opponent});
        EXPECT_EQ(paused(), Pauses{});
        EXPECT_EQ(openDuelOpponent(), opponent) << line;
        later();
    }
}

TEST_F(Duel, WonSaysTheTemplateWithTheOpponentOfTheStartAndLostTheLostTemplate) {
    onLine("Kyle has become engaged in a duel with Jan!\r\n");
    later();
    onLine("Someone was sabered by Kyle\r\n");
    EXPECT_EQ(sent(), Lines{"say I, Kyle, beat Jan"});
    EXPECT_EQ(paused(), Pauses{699});
    EXPECT_EQ(openDuelOpponent(), std::nullopt);
    later();
    onLine("Jan has become engaged in a duel with Kyle!\r\n");
    later();
    onLine("Kyle was sabered by Jan\r\n");
    EXPECT_EQ(sent(), Lines{"say Jan beat me"});
    EXPECT_EQ(paused(), Pauses{699});
    EXPECT_EQ(openDuelOpponent(), std::nullopt);
}

// The names come from the game's console; each reply stays one command.
TEST_F(Duel, NamesFilledIntoRepliesStayOneCommand) {
    const std::string hostile = "x;quit \"//";
    onLine(hostile + " has become engaged in a duel with Kyle!\r\n");
    EXPECT_EQ(sent(), Lines{"say Kyle vs x,quit '/ /"});
    onLine("Kyle was sabered by " + hostile + "\r\n");
    EXPECT_EQ(sent(), Lines{"say x,quit '/ / beat me"});

    greetingDue();
    turnOn(messages().Greet, messages().GreetEn, "Welcome %d");
    onLine(hostile + " entered the game\r\n");
    EXPECT_EQ(sent(), Lines{"say Welcome x,quit '/ /"});
    for (const std::string& line : game.commands) EXPECT_TRUE(isOneCommand(line)) << line;
}

TEST_F(Duel, AKillerTextThatIsPartOfTheNameCountsAsWon) {
    onLine("Kyle has become engaged in a duel with Jan!\r\n");
    onLine("Jan was sabered by KY\r\n");
    EXPECT_EQ(sent(), Lines{"say I, Kyle, beat Jan"});
}

TEST_F(Duel, AKillWithoutADuelSendsNothingAndOneOfNeitherDuellistLeavesTheDuelOpen) {
    onLine("Jan was sabered by Kyle\r\n");
    EXPECT_EQ(sent(), Lines{});
    onLine("Kyle has become engaged in a duel with Jan!\r\n");
    onLine("Rosh was sabered by Tavion\r\n");
    EXPECT_EQ(sent(), Lines{});
    EXPECT_EQ(openDuelOpponent(), "Jan");
}

TEST_F(Duel, EmptyTemplatesSendTheBareSay) {
    setTemplates("", "", "");
    const std::size_t before = game.commands.size();
    onLine("Kyle has become engaged in a duel with Jan!\r\n");
    onLine("Jan was sabered by Kyle\r\n");
    onLine("Jan has become engaged in a duel with Kyle!\r\n");
    onLine("Kyle was sabered by Jan\r\n");
    EXPECT_EQ(
        Lines(game.commands.begin() + static_cast<std::ptrdiff_t>(before), game.commands.end()),
        (Lines{"say ", "say ", "say ", "say "}));
}

// A new duel line overwrites the opponent; one cut too short leaves it but
// still says.
TEST_F(Duel, ANewDuelLineOverwritesTheOpponentUnlessCutTooShort) {
    onLine("Kyle has become engaged in a duel with Jan!\r\n");
    onLine("Kyle has become engaged in a duel with Rosh!\r\n");
    EXPECT_EQ(openDuelOpponent(), "Rosh");  // and closed
    onLine("Kyle has become engaged in a duel with \r\n");
    EXPECT_EQ(sent(), Lines{"say Kyle vs Rosh"});
    EXPECT_EQ(openDuelOpponent(), "Rosh");
}

TEST_F(Duel, TheDuelSurvivesTheConsoleGoing) {
    onLine("Kyle has become engaged in a duel with Jan!\r\n");
    game.closeConsole();
    turn();
    game.openConsole();
    game.runsCommands = true;
    turn();
    turn();  // the name learned again
    game.runsCommands = false;
    onLine("Jan was sabered by Kyle\r\n");
    EXPECT_EQ(sent(), Lines{"say I, Kyle, beat Jan"});
}

struct SelfKill : Events {
    void prepare() override { turnOn(messages().Death, messages().DeathEn, "oops %s"); }
};

TEST_F(SelfKill, ThePlayersOwnDeathSaysTheMessageAfterASecond) {
    onLine("Kyle killed himself.\r\n");
    EXPECT_EQ(sent(), Lines{"say oops %s"});
    EXPECT_EQ(paused(), Pauses{1000});
    later();
    onLine("kyle killed HERSELF.\r\n");
    EXPECT_EQ(sent(), Lines{"say oops %s"});
    onLine(" killed himself.\r\n");  // an empty victim counts as the player
    EXPECT_EQ(sent(), Lines{"say oops %s"});
}

TEST_F(SelfKill, SomeoneElsesDeathOrADisabledMessageSendsNothing) {
    onLine("Jan killed himself.\r\n");
    EXPECT_EQ(sent(), Lines{});
    messages().DeathEn = 0;
    onLine("Kyle killed himself.\r\n");
    EXPECT_EQ(sent(), Lines{});
}

struct Rename : Events {};

TEST_F(Rename, OnlyThePlayersWholeRenameIsFollowed) {
    onLine("Rosh renamed to Kyle\r\n");
    EXPECT_EQ(shownPlayer(), "Kyle");
    onLine("Kyle renamed to Jan\r\n");
    EXPECT_EQ(shownPlayer(), "Jan");
    EXPECT_EQ(status().text, "[ Current Player: Jan  OS: Windows 10 Build 19045 ]");
    EXPECT_EQ(sent(), Lines{});
    onLine("Jan renamed to ");  // cut too short
    EXPECT_EQ(shownPlayer(), "Jan");
}

struct MatchEnd : Events {
    void prepare() override { turnOn(messages().limit, messages().Limiten, "gg all"); }
};

// The time limit's line is the phrase alone; the kill limit's names the
// player, or the team, first, as does the duel game type's win limit.
TEST_F(MatchEnd, TheLimitMessageGoesOutAfterARandomPause) {
    clock.randoms = {0.0};
    onLine("Timelimit hit.\r\n");
    EXPECT_EQ(sent(), Lines{"say gg all"});
    EXPECT_EQ(paused(), Pauses{1000});
    EXPECT_EQ(clock.seeds, 1);
    for (const char* line : {"Kyle hit the kill limit.\r\n", "Red hit the kill limit.\r\n",
                             "Jan hit the win limit.\r\n", "hit the kill limit.\r\n"}) {
        later();
        clock.randoms = {0.5};
        onLine(line);
        EXPECT_EQ(sent(), Lines{"say gg all"}) << line;
        EXPECT_EQ(paused(), Pauses{2250}) << line;
    }
    later();
    onLine("Kyle hit the kill limit. gg\r\n");
    EXPECT_EQ(sent(), Lines{});
}

TEST_F(MatchEnd, ThePauseStaysWithinOneToThreeAndAHalfSeconds) {
    for (double r : {0.0, 0.25, 0.999999, 0.9999999999}) {
        clock.randoms = {r};
        onLine("Timelimit hit.\r\n");
        ASSERT_EQ(paused().size(), 1u);
        EXPECT_GE(paused()[0], 1000u) << r;
        EXPECT_LE(paused()[0], 3500u) << r;
        onLine("-\r\n");
    }
}

TEST_F(MatchEnd, NotAtTheStartOrDisabledSendsNothing) {
    onLine("x Timelimit hit.\r\n");
    EXPECT_EQ(sent(), Lines{});
    messages().Limiten = 0;
    onLine("Timelimit hit.\r\n");
    EXPECT_EQ(sent(), Lines{});
    EXPECT_EQ(paused(), Pauses{});
}

TEST_F(Events, AnEngineReloadAsksTheNameAndEndsTheLinesHandling) {
    onLine("finished R_Init \"name\" is:\"Jan\"\r\n");
    EXPECT_EQ(sent(), Lines{"name"});
    EXPECT_EQ(shownPlayer(), "Kyle");  // no name reading on that line
}

// The game in the player's language: its answers to the three questions
// name the language and the game's folder, whose archives hold the texts.
std::string germanBlock(const std::string& key, const std::string& english,
                        const std::string& german) {
    return "REFERENCE " + key + "\nLANG_ENGLISH \"" + english + "\"\nLANG_GERMAN \"" + german +
           "\"\n";
}

// <game>/base/assets0.pk3 with German texts of a few phrases.
void writeGermanTexts(const std::filesystem::path& game) {
    std::filesystem::create_directories(game / "base");
    std::ofstream out(game / "base" / "assets0.pk3", std::ios::binary);
    testsupport::ZipWriter archive(out);
    archive.add(
        "strings/german/mp_svgame.str",
        "VERSION \"1\"\n" + germanBlock("PLENTER", "entered the game", "betrat das Spiel") +
            germanBlock("PLDUELACCEPT", "has become engaged in a duel with", "duelliert sich mit") +
            germanBlock("HIT_THE_KILL_LIMIT", "hit the kill limit", "erreichte das Limit") +
            "ENDMARKER\n",
        testsupport::ZipMethod::Deflated);
    archive.add("strings/german/mp_ingame.str",
                "VERSION \"1\"\n" + germanBlock("KILLED_SABER", "was sabered by", "fiel durch") +
                    "ENDMARKER\n");
    archive.finish();
}

struct Language : Events {
    void prepare() override {
        writeGermanTexts(folder.path() / "Game");
        setTemplates("%s vs %d", "%s beat %d", "");
        turnOn(messages().limit, messages().Limiten, "gg");
    }
    void answer(const std::string& language, const std::string& basePath) {
        for (const std::string& line :
             {"\"se_language\" is:\"" + language + "\" default:\"english\"",
              "\"fs_basepath\" is:\"" + basePath + "\" default:\"\"",
              std::string("\"fs_game\" is:\"\" default:\"\"")})
            onLine(line + "\r\n");
    }
    std::string gameFolder() const { return folder.file("Game"); }
};

TEST_F(Language, TheGamesLinesInItsLanguageAreAnswered) {
    answer("german", gameFolder());
    onLine("Kyle duelliert sich mit Jan!\r\n");
    EXPECT_EQ(sent(), Lines{"say Kyle vs Jan"});
    later();
    onLine("Jan fiel durch Kyle\r\n");
    EXPECT_EQ(sent(), Lines{"say Kyle beat Jan"});
    later();
    onLine("Kyle erreichte das Limit.\r\n");
    EXPECT_EQ(sent(), Lines{"say gg"});
    later();
    onLine("Rosh betrat das Spiel\r\n");  // a greeting's line, but no tick yet
    onLine("Kyle has become engaged in a duel with Jan!\r\n");  // English: no event now
    onLine("Jan: Kyle duelliert sich mit Rosh!\r\n");           // chat: never an event
    EXPECT_EQ(sent(), Lines{});
    EXPECT_EQ(openDuelOpponent(" fiel durch "), std::nullopt);
    // Chat that quotes an answer changes nothing; the game's own answer does.
    onLine("Jan: \"se_language\" is:\"english\" default:\"english\"\r\n");
    onLine("Kyle duelliert sich mit Jan!\r\n");
    EXPECT_EQ(sent(), Lines{"say Kyle vs Jan"});
    later();
    answer("english", gameFolder());
    onLine("Kyle has become engaged in a duel with Rosh!\r\n");
    EXPECT_EQ(sent(), Lines{"say Kyle vs Rosh"});
}

// Asked at start-up, the game answers at once: the answers are read although
// the console had not been looked at before they were printed.
struct LanguageAtStartUp : ::testing::Test, GameFixture {};

TEST_F(LanguageAtStartUp, TheAnswersToTheStartUpQuestionsAreRead) {
    writeGermanTexts(folder.path() / "Game");
    game.cvars = {{"se_language", "german"}, {"fs_basepath", folder.file("Game")}, {"fs_game", ""}};
    game.print(std::string(300, '.') + "\r\n");
    startKnowingName();
    setTemplates("%s vs %d", "", "");
    onLine("Kyle duelliert sich mit Jan!\r\n");
    EXPECT_EQ(sent(), Lines{"say Kyle vs Jan"});
}

// No texts where the game says they are: English, and what was missing is
// written down.
TEST_F(Language, WithoutTheGamesFilesThePhrasesStayEnglish) {
    std::vector<std::string> failures;
    engine::setFailureSink([&](const std::string& line) { failures.push_back(line); });
    answer("german", folder.file("Nowhere"));
    engine::setFailureSink({});
    EXPECT_FALSE(failures.empty());
    onLine("Kyle has become engaged in a duel with Jan!\r\n");
    EXPECT_EQ(sent(), Lines{"say Kyle vs Jan"});
}

struct Gate : Events {};

TEST_F(Gate, WhileRepliesAreOffNoEventIsAnswered) {
    onLine("Kyle: !replyoff\r\n");
    greetingDue();
    messages().GreetEn = 1;
    mark();
    onLine("Kyle entered the game\r\n");
    onLine("finished R_Init\r\n");
    onLine("Kyle renamed to Jan\r\n");
    onLine("Kyle has become engaged in a duel with Jan!\r\n");
    EXPECT_EQ(game.commands.size(), commandMark);
    EXPECT_EQ(shownPlayer(), "Kyle");
    later();
    onLine("Kyle: !ReplyON\r\n");
    EXPECT_EQ(openDuelOpponent(), std::nullopt);
}

TEST_F(Gate, RepliesReadTheMessagesAtTheMomentOfSending) {
    onLine("Kyle entered the game\r\n");
    turnOn(messages().Enter, messages().EnterEn, "now");
    onLine("Kyle entered the game again\r\n");
    EXPECT_EQ(sent(), (Lines{kAnnouncement, "say now"}));
}

}  // namespace
