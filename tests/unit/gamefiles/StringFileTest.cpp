#include <gtest/gtest.h>

#include "gamefiles/StringFile.h"

using namespace varnok::gamefiles;

namespace {

using Texts = std::vector<std::pair<std::string, std::string>>;

TEST(StringFile, ReadsEachReferenceWithItsTexts) {
    const StringFile file = parseStringFile(
        "VERSION \"1\"\r\n"
        "CONFIG W:\\bin\\striped.cfg\r\n"
        "FILENOTES \"Server messages\"\r\n"
        "REFERENCE PLENTER\r\n"
        "NOTES \"a player came in\"\r\n"
        "FLAGS FLAG_CAPTION\r\n"
        "LANG_ENGLISH \"entered the game\"\r\n"
        "LANG_GERMAN \"kam ins Spiel\"\r\n"
        "\r\n"
        "REFERENCE\tTIMELIMIT_HIT  \r\n"
        "\tlang_english\t\"Timelimit hit.\"\r\n"
        "LANG_GERMAN \"#same\"\r\n"
        "ENDMARKER\r\n"
        "REFERENCE AFTER_THE_END\r\n"
        "LANG_ENGLISH \"never read\"\r\n");
    ASSERT_EQ(file.references.size(), 2u);
    EXPECT_EQ(file.references[0].key, "PLENTER");
    EXPECT_EQ(file.references[0].texts,
              (Texts{{"ENGLISH", "entered the game"}, {"GERMAN", "kam ins Spiel"}}));
    EXPECT_EQ(file.references[1].key, "TIMELIMIT_HIT");
    EXPECT_EQ(*file.references[1].text("ENGLISH"), "Timelimit hit.");
    EXPECT_EQ(*file.references[1].text("GERMAN"), "#same");
    EXPECT_EQ(file.references[1].text("FRENCH"), nullptr);
}

TEST(StringFile, KeepsWhatIsThereWhateverTheFileGetsWrong) {
    const StringFile file = parseStringFile(
        "\xEF\xBB\xBFVERSION \"1\"\n"
        "LANG_ENGLISH \"before any reference\"\n"
        "REFERENCE\n"
        "LANG_ENGLISH \"of a reference without a key\"\n"
        "REFERENCE DUEL\r"
        "LANG_ENGLISH \"has become engaged in a duel with\"\r"
        "SOMETHING_NEW 12 \"x\"\r"
        "LANG_GERMAN \"old\"\r"
        "LANG_GERMAN \"a \"quoted\" word, \xE4\xFF\x01 and \\n kept\"  \r\n"
        "REFERENCE OPEN_QUOTE\n"
        "LANG_ENGLISH \"runs to the line's end\n"
        "LANG_GERMAN unquoted text \n"
        "REFERENCE LAST\r\n"
        "LANG_ENGLISH \"no end marker follows\"");
    ASSERT_EQ(file.references.size(), 3u);
    EXPECT_EQ(file.references[0].key, "DUEL");
    EXPECT_EQ(file.references[0].texts,
              (Texts{{"ENGLISH", "has become engaged in a duel with"},
                     {"GERMAN", "a \"quoted\" word, \xE4\xFF\x01 and \\n kept"}}));
    EXPECT_EQ(file.references[1].texts,
              (Texts{{"ENGLISH", "runs to the line's end"}, {"GERMAN", "unquoted text"}}));
    EXPECT_EQ(*file.references[2].text("ENGLISH"), "no end marker follows");
    EXPECT_EQ(languageTag("german"), "GERMAN");
}

}  // namespace
