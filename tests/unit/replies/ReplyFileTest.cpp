#include <gtest/gtest.h>

#include "replies/ReplyFile.h"

using namespace varnok;
using namespace varnok::replies;

namespace {

ReplySet sampleSet() {
    ReplySet set;
    set.duelEngage = "Good luck %d, from %s";
    set.duelWon = "gg %d";
    set.duelLost = "well played %D";
    set.messages.Greet = "Welcome %d";
    set.messages.GreetEn = 1;
    set.messages.Death = "oops";
    set.messages.DeathEn = 0;
    set.messages.Enter = "";
    set.messages.EnterEn = 2;
    set.messages.limit = "^1gg all";
    set.messages.Limiten = 255;
    set.options = ReplyOptions{0, 2};
    return set;
}

std::string lines(std::initializer_list<std::string> values, const char* end = "\r\n") {
    std::string out;
    for (const std::string& v : values) out += v + end;
    return out;
}

// A current-header file whose values are given line by line from line 2 on.
std::string currentFile(const std::string& flag1 = " 1 ", const std::string& option13 = " 0 ",
                        const std::string& option14 = " 2 ") {
    return lines({"Varnok -{ZUL}- $pellow$", "engage", "won", "lost", "hi %d", flag1, "dead", " 0 ",
                  "in", " 1 ", "limit", " 0 ", option13, option14});
}

void expectSameSet(const ReplySet& a, const ReplySet& b) {
    EXPECT_EQ(a.duelEngage, b.duelEngage);
    EXPECT_EQ(a.duelWon, b.duelWon);
    EXPECT_EQ(a.duelLost, b.duelLost);
    EXPECT_EQ(a.messages.Greet, b.messages.Greet);
    EXPECT_EQ(a.messages.GreetEn, b.messages.GreetEn);
    EXPECT_EQ(a.messages.Death, b.messages.Death);
    EXPECT_EQ(a.messages.DeathEn, b.messages.DeathEn);
    EXPECT_EQ(a.messages.Enter, b.messages.Enter);
    EXPECT_EQ(a.messages.EnterEn, b.messages.EnterEn);
    EXPECT_EQ(a.messages.limit, b.messages.limit);
    EXPECT_EQ(a.messages.Limiten, b.messages.Limiten);
    ASSERT_EQ(a.options.has_value(), b.options.has_value());
    if (a.options) {
        EXPECT_EQ(a.options->showPlaylistOnBottom, b.options->showPlaylistOnBottom);
        EXPECT_EQ(a.options->sayPlayingSong, b.options->sayPlayingSong);
    }
}

TEST(ReplyFileFormat, IsWrittenAsFourteenCrLfLinesWithBlankedNumbers) {
    EXPECT_EQ(
        serialiseReplySet(sampleSet()),
        lines({"Varnok -{ZUL}- $pellow$", "Good luck %d, from %s", "gg %d", "well played %D",
               "Welcome %d", " 1 ", "oops", " 0 ", "", " 2 ", "^1gg all", " 255 ", " 0 ", " 2 "}));
}

TEST(ReplyFileFormat, ASavedSetReadsBackUnchanged) {
    const ReplyFileRead read = parseReplyFile(serialiseReplySet(sampleSet()));
    ASSERT_TRUE(read.set);
    EXPECT_EQ(read.fault, ReplyFileFault::None);
    expectSameSet(*read.set, sampleSet());
}

TEST(ReplyFileFormat, LinesMayEndInACarriageReturnAlone) {
    const ReplyFileRead read = parseReplyFile(lines({"Varnok -{ZUL}- $pellow$", "e", "w", "l", "g",
                                                     "1", "d", "0", "n", "1", "t", "0", "1", "0"},
                                                    "\r"));
    ASSERT_TRUE(read.set);
    EXPECT_EQ(read.set->duelLost, "l");
    EXPECT_EQ(read.set->messages.GreetEn, 1);
    EXPECT_EQ(read.set->options->showPlaylistOnBottom, 1);
}

TEST(ReplyFileFormat, TheOlderHeaderReadsTwelveLinesAndCarriesNoOptions) {
    const ReplyFileRead read =
        parseReplyFile(lines({"Varnock [RW] Pellow", "e", "w", "l", "g", " 1 ", "d", " 2 ", "n",
                              " 0 ", "t", " 1 ", "not an option", "ignored too"}));
    ASSERT_TRUE(read.set);
    EXPECT_EQ(read.set->duelEngage, "e");
    EXPECT_EQ(read.set->messages.limit, "t");
    EXPECT_EQ(read.set->messages.DeathEn, 2);
    EXPECT_FALSE(read.set->options);

    const ReplyFileRead exact = parseReplyFile(
        lines({"Varnock [RW] Pellow", "", "", "", "", "0", "", "0", "", "0", "", "0"}));
    EXPECT_TRUE(exact.set);
}

TEST(ReplyFileFormat, LinesAfterTheFormatAreIgnored) {
    const ReplyFileRead read = parseReplyFile(currentFile() + "extra\r\nmore\r\n");
    ASSERT_TRUE(read.set);
    EXPECT_EQ(read.set->options->sayPlayingSong, 2);
}

TEST(ReplyFileFormat, AHeaderDifferingByABlankOrLetterCaseIsRefused) {
    for (const char* header :
         {"Varnok -{ZUL}- $pellow$ ", " Varnok -{ZUL}- $pellow$", "varnok -{ZUL}- $pellow$",
          "VARNOCK [RW] PELLOW", "Varnock [RW]  Pellow"}) {
        std::string file = currentFile();
        file.replace(0, file.find('\r'), header);
        const ReplyFileRead read = parseReplyFile(file);
        EXPECT_FALSE(read.set) << header;
        EXPECT_EQ(read.fault, ReplyFileFault::WrongHeader) << header;
        EXPECT_EQ(read.description, "Header is not correct type. Can't continue to open.");
    }
}

TEST(ReplyFileFormat, AFileEndingEarlyGivesNoSet) {
    // The current header needs its two option lines; twelve lines are not enough.
    const std::string twelve = lines({"Varnok -{ZUL}- $pellow$", "engage", "won", "lost", "hi",
                                      " 1 ", "dead", " 0 ", "in", " 1 ", "limit", " 0 "});
    ReplyFileRead read = parseReplyFile(twelve);
    EXPECT_FALSE(read.set);
    EXPECT_EQ(read.fault, ReplyFileFault::EndsEarly);
    EXPECT_NE(read.description.find("12"), std::string::npos);

    read = parseReplyFile(lines({"Varnock [RW] Pellow", "e", "w"}));
    EXPECT_EQ(read.fault, ReplyFileFault::EndsEarly);
    read = parseReplyFile("");
    EXPECT_EQ(read.fault, ReplyFileFault::EndsEarly);
}

TEST(ReplyFileFormat, FlagsAreNumbersFrom0To255WithOrWithoutBlanks) {
    EXPECT_EQ(parseReplyFile(currentFile("1")).set->messages.GreetEn, 1);
    EXPECT_EQ(parseReplyFile(currentFile("  7")).set->messages.GreetEn, 7);
    EXPECT_EQ(parseReplyFile(currentFile(" 0 ")).set->messages.GreetEn, 0);
    for (const char* bad : {" 256 ", "-1", "one", "", " ", "1.5", "1 1"}) {
        const ReplyFileRead read = parseReplyFile(currentFile(bad));
        EXPECT_FALSE(read.set) << "[" << bad << "]";
        EXPECT_EQ(read.fault, ReplyFileFault::BadFlag) << "[" << bad << "]";
        EXPECT_NE(read.description.find("Line 6"), std::string::npos) << read.description;
    }
}

TEST(ReplyFileFormat, OptionsAreCheckBoxStates0To2) {
    for (const char* bad : {" 3 ", "-1", "x"}) {
        ReplyFileRead read = parseReplyFile(currentFile(" 1 ", bad, " 0 "));
        EXPECT_EQ(read.fault, ReplyFileFault::BadOption) << bad;
        EXPECT_NE(read.description.find("Line 13"), std::string::npos) << read.description;
        read = parseReplyFile(currentFile(" 1 ", " 0 ", bad));
        EXPECT_EQ(read.fault, ReplyFileFault::BadOption) << bad;
        EXPECT_NE(read.description.find("Line 14"), std::string::npos) << read.description;
        EXPECT_FALSE(read.set);
    }
    const ReplyFileRead read = parseReplyFile(currentFile(" 1 ", "2", " 1 "));
    ASSERT_TRUE(read.set);
    EXPECT_EQ(read.set->options->showPlaylistOnBottom, 2);
    EXPECT_EQ(read.set->options->sayPlayingSong, 1);
}

TEST(ReplyFileFormat, TextsWithLineBreaksDoNotFitTheFormat) {
    ReplySet set = sampleSet();
    EXPECT_TRUE(fitsOnLines(set));
    set.messages.limit = "a\rb";
    EXPECT_FALSE(fitsOnLines(set));
    set = sampleSet();
    set.duelWon = "a\nb";
    EXPECT_FALSE(fitsOnLines(set));
}

}  // namespace
