// How a say comes back from the server, and which typed lines are chat.
#include <gtest/gtest.h>

#include "console/ChatEcho.h"

using namespace varnok::console;

namespace {

// What the pane shows of a say: the words the game's tokenizer keeps, joined
// by one blank, "%" as ".", no colour codes; a ";" outside quotes ends it.
TEST(ChatEcho, TheEchoIsTheSayAsTheServerShowsIt) {
    EXPECT_EQ(chatTextSent("say  ^1gg   all "), "^1gg all");
    EXPECT_EQ(chatTextSent("say \"a  b\" 100% //c"), "a  b 100.");
    EXPECT_EQ(chatTextSent("say hi;say again"), "hi");
    EXPECT_EQ(chatTextSent("say x//y"), "x");
    EXPECT_EQ(chatTextSent("say "), "");
    EXPECT_EQ(chatTextSent("echo hi"), "");
    EXPECT_TRUE(isEchoOf("gg all", chatTextSent("say ^1gg all"), "Kyle"));
    EXPECT_FALSE(isEchoOf("gg", chatTextSent("say ^1gg all"), "Kyle"));  // too short to be cut
    // A long line is cut to 149 bytes with the name: its beginning is its echo.
    const std::string longText(140, 'w');
    EXPECT_TRUE(isEchoOf(std::string(100, 'w'), chatTextSent("say " + longText), "Kyle"));
    EXPECT_FALSE(isEchoOf(std::string(100, 'x'), chatTextSent("say " + longText), "Kyle"));
    // A community client's echo: rebuilt word by word, its tokens replaced.
    EXPECT_TRUE(isEchoOf("Rock # . & ' ( Roll ", chatTextSent("say ^3Rock # % & ' ( Roll"), "K"));
    EXPECT_TRUE(isEchoOf("health 100 ", chatTextSent("say health %H%"), "Kyle"));
    EXPECT_FALSE(isEchoOf("health 100 left ", chatTextSent("say health %H%"), "Kyle"));
    EXPECT_FALSE(isEchoOf("gg al ", chatTextSent("say gg all"), "Kyle"));

    EXPECT_TRUE(goesToServer("say hi"));
    EXPECT_TRUE(goesToServer("/say_team hi"));
    EXPECT_TRUE(goesToServer("tell 2 hi"));
    EXPECT_FALSE(goesToServer("echo say hi"));
    EXPECT_FALSE(goesToServer("/name"));
    EXPECT_FALSE(goesToServer("sayx"));
}

}  // namespace
