// The commands that only print: the help lines, the song listing and the date
// and time.
#include <chrono>

#include "commands/Commands.h"

namespace varnok::commands {

namespace {

constexpr const char* kColumnGap = "          ";  // ten blanks before each colour marker

std::tm localTime(std::chrono::system_clock::time_point at) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(at);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    return local;
}

std::vector<std::string> songNames(const ui::ListBox& songs) {
    std::vector<std::string> names;
    for (int i = 0; i < songs.count(); ++i) names.push_back(songs.item(i));
    return names;
}

}  // namespace

const std::vector<std::string>& helpLines() {
    static const std::vector<std::string> lines = {
        "echo !commands ---> Displays all the available commands with description",
        "echo !now ---> Displays the system date and time",
        "echo !load <filename> ---> Loads the file that has the replies",
        "echo !playlist <filename> --> Loads the playlist file",
        "echo !replyOff ---> turns off the program",
        "echo !replyon ---> turns the program on",
        "echo !listsongs ---> Lists all the songs in playlist",
        "echo !play <part of song name> ---> Will play the song you typed (alone will bring out "
        "of pause",
        "echo !pause ---> Pauses the current song. type !play to start it again",
        "echo !stop ---> Stops the playback of the current song",
        "echo !next ---> Goes to the next song in the playlist",
        "echo !prev ---> Goes to the previous song in the playlist",
        "echo !vol <#> ---> To change the volume. 0 is the lowest, and 20 is the loudest",
        "echo !mini ---> minimizes the game instantly",
    };
    return lines;
}

std::vector<console::CommandLine> listingLines(const std::vector<std::string>& names) {
    auto name = [&](std::size_t k) {
        return console::outside(k < names.size() ? names[k] : std::string());
    };
    std::vector<console::CommandLine> lines;
    for (std::size_t i = 0; i < names.size(); i += 4) {
        lines.push_back("echo ^1\"" + name(i) + kColumnGap + "^2" + name(i + 1) + kColumnGap +
                        "^3" + name(i + 2) + kColumnGap + "^4" + name(i + 3) + "\"");
    }
    return lines;
}

std::string dateTimeText(const std::tm& local) {
    char buffer[32];
    const std::size_t written = std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &local);
    return std::string(buffer, written);
}

void commandsCommand(const CommandTurn& turn) {
    for (const std::string& line : helpLines()) turn.send(console::CommandLine(line));
}

void nowCommand(const CommandTurn& turn) {
    turn.wait(1.0f);
    const std::tm local = localTime(turn.context.clock.now());
    turn.send("say ^4 It is currently: ^1" + console::CommandLine(dateTimeText(local)));
}

void listSongsCommand(const CommandTurn& turn) {
    turn.send("/clear");
    for (const console::CommandLine& line : listingLines(songNames(*turn.context.frmPlay.lstPlay)))
        turn.send(line);
}

}  // namespace varnok::commands
