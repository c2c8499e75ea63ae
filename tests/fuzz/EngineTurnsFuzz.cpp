// The engine's turns over arbitrary console histories: the pane grows by game
// lines, phrases and raw bytes, others clear or shorten it, it fills past the
// full mark, the game stalls, the console closes and reopens and time passes.
// The input is a sequence of steps, each a step byte and its operands
// (see History::step), so that seeds can be written by hand.
// After every turn the invariants of the log tracking and the replies hold:
// no command typed and no name cut from the console holds a line break, the
// line handed to the recognisers stays within 200 characters, at most one
// event reply goes out for a line and none for a line someone said or typed,
// while the pane only grows every complete line is examined once, in order,
// none skipped and none twice, and every typed line fits the game's line
// buffer and runs as the one command it was typed as. The same history also
// plays in a twin game that writes its log, which Varnok reads there instead
// of the pane: while nothing happens that only one ear would see, both
// examine the same lines in the same order.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "console/LineKinds.h"
#include "console/WindowMouth.h"
#include "fakes/GameFixture.h"
#include "fakes/SplitRule.h"
#include "fuzz/Check.h"

using namespace varnok;
using varnok::fuzz::check;

namespace {

// Pieces the histories are made of: the phrases the recognisers look for,
// whole game lines, chat commands, quotes, colour codes and line ends.
const char* const kPieces[] = {
    "\r\n",
    "\r",
    "\n",
    "^7",
    "^",
    "\"",
    " ",
    "Kyle^7",
    "Padme^7",
    " entered the game",
    " has become engaged in a duel with ",
    " duel with ",
    " killed himself",
    " killed herself",
    " renamed to ",
    " was sabered by ",
    "Timelimit hit.",
    "hit the kill limit.",
    "finished R_Init",
    "Loading dll file ",
    "\"name\" is:\"",
    "^7\" default:\"Padawan^7\"\r\n",
    "Kyle^7: ",
    "Kyle: ",
    "(Kyle): ",
    "]say ",
    "Jan: Kyle entered the game\r\n",
    "Kyle: Padme has become engaged in a duel with Kyle\r\n",
    "\"name\" is:\"Kyle\" default:\"Padawan\"\r\n",
    "!next",
    "!prev",
    "!play",
    "!play kyle",
    "!pause",
    "!stop",
    "!vol 12",
    "!listsongs",
    "!now",
    "!commands",
    "!replyoff",
    "!ReplyON",
    "!mini",
    "!load x",
    "!playlist x",
    "Kyle^7 entered the game\r\n",
    "Padme^7 entered the game\r\n",
    "Kyle^7 has become engaged in a duel with Padme^7\r\n",
    "Padme^7 has become engaged in a duel with Kyle^7\r\n",
    "Padme^7 was sabered by Kyle^7\r\n",
    "Kyle^7 was sabered by Padme^7\r\n",
    "Kyle^7 killed himself.\r\n",
    "Kyle^7 renamed to Rey^7\r\n",
    "Timelimit hit.\r\n",
};

// VARNOK_FUZZ_TRACE=1 shows what a finding did: the text each step added and
// the commands each turn typed.
const bool kTrace = std::getenv("VARNOK_FUZZ_TRACE") != nullptr;

void trace(const char* what, const std::string& text) {
    if (!kTrace) return;
    std::string shown;
    for (unsigned char c : text) {
        if (c >= 32 && c < 127) {
            shown += static_cast<char>(c);
        } else {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02x", c);
            shown += code;
        }
    }
    std::fprintf(stderr, "%s %s\n", what, shown.c_str());
}

// The game copies a typed line into a 256-byte buffer and splits it at ";"
// outside quotes, and "//" starts a comment. The player's own texts here hold
// none of these (see playerText), so every line must run whole and alone.
void checkTypedLine(const std::string& line) {
    check(line.size() <= console::kMostTypedCharacters,
          "every typed line is at most 255 characters");
    check(fakes::gameCommands(line) == std::vector<std::string>{line},
          "every typed line is one console command under the split rule");
}

// Reply texts are the player's own and may chain commands on purpose; the
// reply files written here keep them free of ";", '"' and "//".
std::string playerText(std::string bytes) {
    for (char& c : bytes) {
        if (c == ';') c = ',';
        if (c == '"') c = '\'';
        if (c == '/') c = '\\';
    }
    return bytes;
}

// Reads the input front to back; past its end every byte reads as 0.
class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool done() const { return at_ >= size_; }
    std::uint8_t byte() { return done() ? 0 : data_[at_++]; }
    // One of `count` choices.
    std::size_t pick(std::size_t count) { return byte() % count; }
    std::uint16_t word() {
        const std::uint16_t high = byte();
        return static_cast<std::uint16_t>(high << 8 | byte());
    }
    // A length byte, then that many bytes.
    std::string bytes() {
        const std::size_t length = std::min<std::size_t>(byte(), size_ - std::min(at_, size_));
        std::string out(reinterpret_cast<const char*>(data_ + at_), length);
        at_ += length;
        return out;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

const char* const kGameNames[] = {"Kyle", "Padme", "Rey", "K\"yle", "^1Kyle", ""};

// Event replies carry a marker so that they can be told from command answers,
// which all begin with "say ^" or "echo ".
bool isEventReply(const std::string& command) {
    return command.size() >= 8 && command.compare(0, 5, "say #") == 0 && command[6] == '#' &&
           std::string("EWLGDNT").find(command[5]) != std::string::npos;
}

// The game a history plays in: the replies on, three songs, and the game's
// answers to Varnok's questions; its log written when `logged`.
void prepare(fakes::GameFixture& f, bool logged) {
    f.game.cvars = {{"se_language", "english"},
                    {"fs_basepath", f.folder.text()},
                    {"fs_game", ""},
                    {"fs_homepath", f.folder.text()},
                    {"logfile", "2"}};
    if (logged) f.game.logPath = f.folder.path() / "base" / "qconsole.log";
    f.startUp();
    f.setTemplates("#E# %s %d", "#W# %s %d", "#L# %s %d");
    replies::ReplyMessages& m = f.messages();
    m.Greet = "#G# %d";
    m.Death = "#D#";
    m.Enter = "#N#";
    m.limit = "#T#";
    m.GreetEn = m.DeathEn = m.EnterEn = m.Limiten = 1;
    // Two songs that play and one whose file is gone, for the music commands;
    // the second's name would chain commands if it were typed as it is.
    const char* const songs[] = {"C:\\Music\\Kyle Theme.mp3", "C:\\Music\\Duel;quit \"x.wav",
                                 "C:\\Gone\\Lost.wma"};
    f.media.playable[songs[0]] = f.media.playable[songs[1]] = 90;
    for (const char* song : songs) {
        f.toolkit.fakeDialogs().openFileAnswers.push_back(song);
        f.app->frmPlay.cmdAddFile_Click();
    }
}

// A line typed at the console comes only to the pane; every other line both
// ears hear. The game's answers name each twin's own folder.
bool bothEarsHear(const std::string& line) {
    return !console::isConsoleEcho(line) && line.find("\" is:\"") == std::string::npos;
}

class History {
  public:
    explicit History(Input& in) : in_(in) {
        prepare(f_, false);
        prepare(g_, true);
        f_.engine().watchLines([this](const std::string& line) {
            closeLine();
            lines_.push_back({line, f_.game.commands.size(), 0, typedAgain()});
            if (growing_) examined_ += line;
            if (bothEarsHear(line)) paneEar_ += line;
        });
        g_.engine().watchLines([this](const std::string& line) {
            if (bothEarsHear(line)) logEar_ += line;
        });
    }

    // Step bytes: 0 a piece, 1 raw bytes, 2 a line of 1 to 8 pieces, 3 a clear
    // by others, 4 the pane cut to a length, 5 the pane filled past the full
    // mark, 6 a stall of 1 to 4 turns (or one that begins between the length
    // and the text), 7 time passing (0 to 63.75 s), 8 the console closed or
    // opened, 9 the game's name for the player changed, 10 raw bytes as the
    // reply file or the playlist "x" in the Saves folder, anything else a turn.
    void step() {
        deliverAnswers();
        switch (in_.byte() % 16) {
            case 0:
                return append(piece());
            case 1:
                return append(in_.bytes());
            case 2: {
                std::string line;
                for (std::size_t n = 1 + in_.pick(8); n > 0; --n) line += piece();
                return append(line);
            }
            case 3:
                twinned_ = false;
                return shorten(0);
            case 4:
                twinned_ = false;
                return shorten(in_.word());
            case 5:
                twinned_ = false;
                return fill();
            case 6:
                twinned_ = false;
                stallTurns_ = 1 + static_cast<int>(in_.pick(5));
                return trace("stall, turns:", std::to_string(stallTurns_));
            case 7: {
                const unsigned ms = in_.byte() * 250u;
                f_.clock.elapsedMs += ms;
                g_.clock.elapsedMs += ms;
                return trace("time passes, ms:", std::to_string(ms));
            }
            case 8:
                return toggleConsole();
            case 9:
                f_.game.playerName = g_.game.playerName =
                    kGameNames[in_.pick(std::size(kGameNames))];
                return trace("the game names the player", f_.game.playerName);
            case 10:
                return in_.pick(2) == 0 ? saveFile("x.vnk", playerText(in_.bytes()))
                                        : saveFile("x.lst", in_.bytes());
            default:
                return turn();
        }
    }

    void turn() {
        const bool open = f_.game.consoleOpen();
        // A stall of 5 begins between the two messages: the length is answered.
        const bool lengthOnly = stallTurns_ == 5;
        if (lengthOnly) stallTurns_ = 1;
        setStalled(open && stallTurns_ > 0, lengthOnly);
        const std::size_t before = f_.game.commands.size();
        const bool stalled = stallTurns_ > 0;
        trace(stalled ? "turn (stalled)" : "turn", "");
        if (growing_ && !f_.game.pane().starts_with(grownFrom_)) growing_ = false;
        readNow_ = false;
        watchReading();
        lines_.clear();
        f_.turn();
        closeLine();
        if (twinned_) {
            g_.turn();
            checkBothEars();
        }
        if (stallTurns_ > 0) --stallTurns_;
        setStalled(false, false);
        checkLinesOnce(stalled);

        check(f_.chatText().text.size() <= console::kShownText,
              "the main window shows at most 200 characters of the latest text");
        check(f_.status().text.find_first_of("\r\n") == std::string::npos,
              "no name cut from the console holds CR or LF");
        checkTyped(before);
    }

    // A song a command started opens in the background and is announced in a
    // later yield; the log twin may examine the command a turn after the pane
    // twin. Both games get their announcements before anything else happens,
    // as when a song opens faster than the game prints, so that the two games
    // stay alike.
    void deliverAnswers() {
        const std::size_t before = f_.game.commands.size();
        f_.settle();
        g_.settle();
        checkTyped(before);
    }

    void checkTyped(std::size_t from) {
        for (std::size_t i = from; i < f_.game.commands.size(); ++i) {
            const std::string& command = f_.game.commands[i];
            trace("    typed", command);
            check(command.find_first_of("\r\n") == std::string::npos,
                  "no command typed holds CR or LF");
            checkTypedLine(command);
        }
    }

  private:
    struct Examined {
        std::string line;
        std::size_t firstCommand;  // the commands typed while it was handled start here
        std::size_t endCommand = 0;
        int typedAgain = 0;  // the says typed a second time before it was handled
    };

    std::string piece() { return kPieces[in_.pick(std::size(kPieces))]; }

    // The commands typed since the last line was handed on belong to it: a
    // line gets at most one event reply, and a line someone said or typed none.
    // A say the server dropped goes out again before the next one, so it may
    // come among them.
    void closeLine() {
        if (lines_.empty() || lines_.back().endCommand != 0) return;
        Examined& last = lines_.back();
        last.endCommand = f_.game.commands.size();
        const int again = typedAgain() - last.typedAgain;
        int eventReplies = 0;
        for (std::size_t i = last.firstCommand; i < last.endCommand; ++i)
            if (isEventReply(f_.game.commands[i])) ++eventReplies;
        check(eventReplies <= 1 + again, "at most one event reply per line");
        check(eventReplies <= again || console::isGameMessage(last.line),
              "no event reply follows a chat line or a typed line");
    }

    int typedAgain() const { return f_.app->console.floodGuard().typedAgain(); }

    // The pane as the turn reads it, for the check that follows the turn.
    void watchReading() {
        if (!f_.game.consoleOpen()) return;
        f_.desktop.window(f_.game.outputPane()).beforeRead = [this](fakes::DesktopWindow& w) {
            read_ = w.text;
            readNow_ = true;
        };
    }

    // While the pane only grows, what was examined since it began growing is
    // the text it printed since, line ends aside: nothing examined twice or
    // made up, and every complete line of the last reading examined.
    void checkLinesOnce(bool stalled) {
        if (!growing_) {
            // It begins where the engine has taken everything it read this
            // turn (a pane measured empty is not read, and its text since is new).
            if (readNow_ && f_.game.consoleOpen() && !stalled && !f_.link().paneEar().waiting() &&
                f_.paneRead() != 0 && f_.game.pane().starts_with(read_)) {
                growing_ = true;
                grownFrom_ = read_;
                examined_.clear();
            }
            return;
        }
        if (!f_.game.consoleOpen() || !f_.game.pane().starts_with(grownFrom_)) {
            growing_ = false;
            return;
        }
        if (stalled || !read_.starts_with(grownFrom_)) return;
        const std::string printed = withoutLineEnds(f_.game.pane().substr(grownFrom_.size()));
        const std::string examined = withoutLineEnds(examined_);
        std::string complete = read_.substr(grownFrom_.size());
        complete = withoutLineEnds(complete.substr(0, completeLinesEnd(complete)));
        check(printed.starts_with(examined), "no line examined twice or made up");
        check(examined.starts_with(complete), "no complete line skipped");
    }

    static std::string withoutLineEnds(std::string_view text) {
        std::string out;
        for (char c : text)
            if (c != '\r' && c != '\n') out += c;
        return out;
    }

    // Where the last complete line of `text` ends: after its last LF, or a CR
    // that something other than LF follows.
    static std::size_t completeLinesEnd(std::string_view text) {
        for (std::size_t i = text.size(); i > 0; --i) {
            if (text[i - 1] == '\n') return i;
            if (text[i - 1] == '\r' && i < text.size()) return i;
        }
        return 0;
    }

    // Text the game prints, as new text from outside Varnok. Where its line
    // ends are not all CR LF the pane's lines and the log's may part: a lone
    // CR or LF is one line end in the log, as the game's print rule makes it,
    // and the pane's CR that ends a print waits for an LF. A print that ends
    // within a line does too: a line typed at the console then, shown in the
    // pane only, joins that line there.
    void append(const std::string& text) {
        if (!f_.game.consoleOpen() || text.empty()) return;
        f_.game.print(text);
        if (!text.ends_with("\r\n")) twinned_ = false;
        if (twinned_) {
            for (std::size_t i = 0; i < text.size(); ++i) {
                const bool pair = text.compare(i, 2, "\r\n") == 0;
                if (pair) ++i;
                if (!pair && (text[i] == '\r' || text[i] == '\n')) twinned_ = false;
            }
            g_.game.print(text);
        }
        trace("print", text);
    }

    // The same game read through both ears, the pane's and the log's: the
    // same lines, in the same order, none twice; one ear may be a line ahead.
    void checkBothEars() {
        const std::string pane = withoutLineEnds(paneEar_);
        const std::string log = withoutLineEnds(logEar_);
        if (!pane.starts_with(log) && !log.starts_with(pane)) {
            trace("pane ear", paneEar_);
            trace("log ear", logEar_);
        }
        check(pane.starts_with(log) || log.starts_with(pane),
              "the pane and the log give the same lines in the same order");
    }

  public:
    // After the last step: time for every line's end, then both ears agree.
    void finish() {
        turn();
        for (fakes::GameFixture* f : {&f_, &g_}) f->clock.elapsedMs += 1000;
        turn();
        turn();
        if (twinned_)
            check(withoutLineEnds(paneEar_) == withoutLineEnds(logEar_),
                  "the pane and the log give the same lines in the end");
    }

  private:
    // The pane shortened to at most `length` characters; a change from outside.
    void shorten(std::size_t length) {
        if (!f_.game.consoleOpen()) return;
        std::string& pane = f_.game.pane();
        if (length >= pane.size()) return;
        pane.resize(length);
        growing_ = false;
        trace("pane cut to", std::to_string(length));
    }

    // The pane at or past the full mark (32 700 characters), its end new lines.
    void fill() {
        if (!f_.game.consoleOpen()) return;
        std::string& pane = f_.game.pane();
        const std::size_t target = 32700 + in_.pick(68);
        while (pane.size() < target) pane += "Padme: filler line\r\n";
        pane.resize(target);
        growing_ = false;
        trace("pane filled to", std::to_string(target));
    }

    void toggleConsole() {
        growing_ = false;
        twinned_ = false;
        if (f_.game.consoleOpen()) {
            f_.game.closeConsole();
            trace("console closed", "");
        } else {
            f_.game.openConsole();
            trace("console opened", "");
        }
    }

    // A stalled game answers no message in any of its console's windows, or
    // only the pane's length.
    void setStalled(bool stalled, bool lengthOnly) {
        if (!f_.game.consoleOpen()) return;
        f_.desktop.window(f_.game.console()).hung = stalled;
        for (console::WindowHandle child : f_.desktop.window(f_.game.console()).children)
            f_.desktop.window(child).hung = stalled && !lengthOnly;
        f_.desktop.window(f_.game.outputPane()).hangsAfterLength = stalled && lengthOnly;
    }

    void saveFile(const std::string& name, const std::string& content) {
        std::ofstream(f_.app->savesFolder() / name, std::ios::binary) << content;
        std::ofstream(g_.app->savesFolder() / name, std::ios::binary) << content;
        trace(("saved " + name).c_str(), content);
    }

    Input& in_;
    fakes::GameFixture f_;
    // The same game with its log on, which Varnok reads instead of the pane;
    // followed while nothing only one of the two ears would see happens.
    fakes::GameFixture g_;
    bool twinned_ = true;
    std::string paneEar_;  // what f_ examined that both ears hear
    std::string logEar_;   // what g_ examined
    int stallTurns_ = 0;
    // The lines examined in the current turn, with the commands each typed.
    std::vector<Examined> lines_;
    // While the pane only grows: the pane when it began to, the pane at the
    // latest reading and every line examined since.
    bool growing_ = false;
    std::string grownFrom_;
    std::string read_;
    bool readNow_ = false;  // the engine read the pane in the current turn
    std::string examined_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    History history(in);
    for (int steps = 0; steps < 256 && !in.done(); ++steps) history.step();
    history.finish();
    return 0;
}
