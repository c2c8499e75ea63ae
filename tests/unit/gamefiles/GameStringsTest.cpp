#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "common/TempFolder.h"
#include "common/ZipWriter.h"
#include "gamefiles/GameStrings.h"

using namespace varnok::gamefiles;
using namespace varnok::testsupport;
using ::testing::HasSubstr;

namespace {

std::string lang(const std::string& language, const std::string& text) {
    return "LANG_" + language + " \"" + text + "\"\r\n";
}

// A string file of blocks, each a key and its LANG_ lines.
std::string stringFile(const std::vector<std::pair<std::string, std::string>>& blocks) {
    std::string out = "VERSION \"1\"\r\nCONFIG W:\\bin\\striped.cfg\r\nFILENOTES \"\"\r\n\r\n";
    for (const auto& [key, lines] : blocks) out += "REFERENCE " + key + "\r\n" + lines + "\r\n";
    return out + "ENDMARKER\r\n";
}

// The English file and a German one whose only reference says where it lies.
std::string englishPhrase() {
    return stringFile({{"PHRASE", lang("ENGLISH", "the phrase")}});
}
std::string germanPhrase(const std::string& where) {
    return stringFile({{"PHRASE", lang("GERMAN", where)}});
}

class GameStringsTest : public ::testing::Test {
  protected:
    GameFolders folders(const std::string& mod = "") const {
        return {.basePath = game.path(), .game = mod};
    }
    void archive(const std::string& path, const std::vector<ZipFile>& files) const {
        std::filesystem::create_directories((game.path() / path).parent_path());
        std::ofstream(game.path() / path, std::ios::binary) << zipBytes(files);
    }
    void loose(const std::string& path, const std::string& content) const {
        std::filesystem::create_directories((game.path() / path).parent_path());
        std::ofstream(game.path() / path, std::ios::binary) << content;
    }

    TempFolder game;
};

TEST_F(GameStringsTest, GivesThePhraseOfTheReferenceWithThatEnglishText) {
    archive("base/assets0.pk3",
            {{"strings/english/mp_svgame.str",
              stringFile({{"PLENTER", lang("ENGLISH", "entered the game")},
                          {"PLDUELACCEPT", lang("ENGLISH", "has become engaged in a duel with")},
                          {"SABERED", lang("ENGLISH", "was sabered by")},
                          {"TIMELIMIT_HIT", lang("ENGLISH", "Timelimit hit.")}})},
             {"strings/german/mp_svgame.str",
              stringFile({{"PLENTER", lang("ENGLISH", "entered the game") +
                                          lang("GERMAN", "betrat das Spiel \xE4")},
                          // No English text of its own: the English file's, by the key.
                          {"plduelaccept", lang("GERMAN", "duelliert sich mit")},
                          {"SABERED", lang("ENGLISH", "was sabered by") + lang("GERMAN", "#same")},
                          {"UNTRANSLATED", lang("ENGLISH", "has no German text")},
                          {"EMPTY", lang("ENGLISH", "hit the kill limit") + lang("GERMAN", " ")},
                          {"NO_ENGLISH", lang("GERMAN", "has no English text")}}),
              ZipMethod::Deflated}});

    const GameStrings german = GameStrings::load(folders(), "german", {"mp_svgame"});
    EXPECT_EQ(german.problems(), std::vector<std::string>{});
    EXPECT_EQ(german.translate("mp_svgame", "entered the game"), "betrat das Spiel \xE4");
    EXPECT_EQ(german.translate("MP_SVGAME", "  Entered The GAME\t"), "betrat das Spiel \xE4");
    EXPECT_EQ(german.translate("mp_svgame", "has become engaged in a duel with"),
              "duelliert sich mit");
    EXPECT_EQ(german.translate("mp_svgame", "was sabered by"), "was sabered by");
    EXPECT_EQ(german.translate("mp_svgame", "has no German text"), "has no German text");
    EXPECT_EQ(german.translate("mp_svgame", "hit the kill limit"), "hit the kill limit");
    // A reference only the English file holds is shown in English.
    EXPECT_EQ(german.translate("mp_svgame", "Timelimit hit."), "Timelimit hit.");
    EXPECT_EQ(german.translate("mp_svgame", "has no English text"), std::nullopt);
    EXPECT_EQ(german.translate("mp_svgame", "left the game"), std::nullopt);
    EXPECT_EQ(german.translate("mp_svgame", ""), std::nullopt);
    EXPECT_EQ(german.translate("mp_ingame", "entered the game"), std::nullopt);

    const GameStrings english = GameStrings::load(folders(), "English", {"mp_svgame"});
    EXPECT_EQ(english.problems(), std::vector<std::string>{});
    EXPECT_EQ(english.translate("mp_svgame", "entered the GAME"), "entered the game");
}

TEST_F(GameStringsTest, FindsEachFileWhereTheGameFindsIt) {
    std::vector<ZipFile> first;
    for (const char* file : {"a", "b", "c", "d", "e"})
        first.push_back({std::string("strings/english/mp_") + file + ".str", englishPhrase()});
    for (const char* file : {"a", "b", "c"})
        first.push_back(
            {std::string("strings/german/mp_") + file + ".str", germanPhrase("assets0")});
    archive("base/assets0.pk3", first);
    // Sorts after assets0 only when letter case is ignored.
    archive("base/Assets1.PK3", {{"STRINGS\\GERMAN\\MP_A.STR", germanPhrase("Assets1")}});
    // The game folds names to upper case to sort them: '_' sorts after the letters.
    archive("base/zz_patch.pk3", {{"strings/german/mp_e.str", germanPhrase("zz_patch")}});
    archive("base/zzb.pk3", {{"strings/german/mp_e.str", germanPhrase("zzb")}});
    loose("base/strings/german/mp_b.str", germanPhrase("loose in base"));
    loose("base/strings/german/mp_d.str", germanPhrase("loose in base"));
    loose("mymod/strings/german/mp_c.str", germanPhrase("loose in the mod"));
    loose("base/strings/german/mp_x.pk3", "not searched: not in the folder itself");

    const GameStrings strings =
        GameStrings::load(folders("mymod"), "german", {"mp_a", "mp_b", "mp_c", "mp_d", "mp_e"});
    EXPECT_EQ(strings.problems(), std::vector<std::string>{});
    EXPECT_EQ(strings.translate("mp_a", "the phrase"), "Assets1");  // the later archive
    EXPECT_EQ(strings.translate("mp_b", "the phrase"), "assets0");  // archives before loose
    EXPECT_EQ(strings.translate("mp_c", "the phrase"), "loose in the mod");  // the mod first
    EXPECT_EQ(strings.translate("mp_d", "the phrase"), "loose in base");
    EXPECT_EQ(strings.translate("mp_e", "the phrase"), "zz_patch");

    // A mod folder named like base is base.
    EXPECT_EQ(
        GameStrings::load(folders("BASE"), "german", {"mp_c"}).translate("mp_c", "the phrase"),
        "assets0");
}

TEST_F(GameStringsTest, PassesOverWhatCannotBeReadAndSaysWhy) {
    const GameStrings nothing =
        GameStrings::load({.basePath = game.path() / "nowhere"}, "german", {"mp_svgame"});
    EXPECT_EQ(nothing.translate("mp_svgame", "the phrase"), std::nullopt);
    ASSERT_EQ(nothing.problems().size(), 2u);
    EXPECT_THAT(nothing.problems()[1], HasSubstr("strings/german/mp_svgame.str"));

    archive("base/assets0.pk3", {{"strings/english/mp_svgame.str", englishPhrase()},
                                 {"strings/german/mp_svgame.str", germanPhrase("sound")}});
    loose("base/assets5.pk3", std::string(5000, 'P'));
    std::string damaged = zipBytes({{"strings/german/mp_svgame.str", germanPhrase("damaged")}});
    damaged[30 + 28 + 5] ^= 1;  // inside the entry's data: its CRC no longer matches
    loose("base/assets3.pk3", damaged);

    const GameStrings strings = GameStrings::load(folders(), "german", {"mp_svgame"});
    EXPECT_EQ(strings.translate("mp_svgame", "the phrase"), "sound");
    ASSERT_EQ(strings.problems().size(), 2u);
    EXPECT_THAT(strings.problems()[0], HasSubstr("assets5.pk3: no end of central directory"));
    EXPECT_THAT(strings.problems()[1],
                HasSubstr("assets3.pk3: strings/german/mp_svgame.str: its CRC"));

    // Names that would lead out of the game's folders are refused.
    EXPECT_EQ(GameStrings::load(folders(), "../german", {"mp_svgame"}).problems().size(), 1u);
    const GameStrings refused = GameStrings::load(folders(".."), "german", {"mp_svgame", "../x"});
    EXPECT_EQ(refused.translate("mp_svgame", "the phrase"), "sound");
    EXPECT_EQ(refused.problems().size(), 4u);  // the mod, the file and base's two
}

TEST_F(GameStringsTest, ReadsALargeArchiveByItsDirectoryOnly) {
    std::filesystem::create_directories(game.path() / "base");
    {
        std::ofstream out(game.path() / "base/assets0.pk3", std::ios::binary);
        ZipWriter writer(out);
        writer.addZeros("maps/large.bsp", 48u << 20);
        writer.add("strings/english/mp_svgame.str", englishPhrase(), ZipMethod::Deflated);
        writer.add("strings/german/mp_svgame.str", germanPhrase("found"));
        writer.finish();
    }
    const GameStrings strings = GameStrings::load(folders(), "german", {"mp_svgame"});
    EXPECT_EQ(strings.translate("mp_svgame", "the phrase"), "found");
    EXPECT_EQ(strings.problems(), std::vector<std::string>{});
    // The end record's search, the directory and the two small files.
    EXPECT_LT(strings.archiveBytesRead(), 80u * 1024);
    EXPECT_GT(strings.archiveBytesRead(), 0u);
}

}  // namespace
