// The stand-in's control channel: the hidden control window that takes
// WM_COPYDATA commands, the commands themselves and the timed script that
// runs them after start. Handled in the game's message pump like any other
// program's messages.

#include <cstdlib>
#include <fstream>

#include "ControlProtocol.h"
#include "GameText.h"
#include "StandIn.h"

namespace standin {

namespace {

constexpr std::uint64_t kDefaultMapLoadMs = 3000;

std::string trimLineEnd(std::string text) {
    while (!text.empty() && (text.back() == '\0' || text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text;
}

long toNumber(const std::string& text, bool& ok) {
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    ok = end != text.c_str();
    return value;
}

// "<name> <text>" split at the first blank; false without a name.
bool nameAndText(const std::string& rest, std::string& name, std::string& text) {
    size_t blank = rest.find(' ');
    name = rest.substr(0, blank);
    text = blank == std::string::npos ? "" : rest.substr(blank + 1);
    return !name.empty();
}

// "<window title>|<button caption>": clicks a button of another program's
// top-level window. Posted, so that a busy program cannot stall the game.
bool pressButton(const std::string& target) {
    size_t bar = target.find('|');
    if (bar == std::string::npos) return false;
    HWND owner = FindWindowA(nullptr, target.substr(0, bar).c_str());
    HWND button =
        owner ? FindWindowExA(owner, nullptr, nullptr, target.substr(bar + 1).c_str()) : nullptr;
    return button && PostMessageA(button, BM_CLICK, 0, 0);
}

// The commands that need the retail console window, which a community client
// does not have.
bool actsOnConsoleWindow(const std::string& verb) {
    static const char* const kVerbs[] = {
        "type",        "closeconsole", "openconsole", "showconsole", "hideconsole",
        "moveconsole", "fill",         "clearpane",   "copy",        "fatal"};
    for (const char* known : kVerbs)
        if (verb == known) return true;
    return false;
}

}  // namespace

bool StandIn::runControl(const std::string& command) {
    auto [verb, rest] = splitCommand(command);
    bool done = carryOut(verb, rest);
    records_.stamp("control " + command);
    return done;
}

bool StandIn::carryOut(const std::string& verb, const std::string& rest) {
    std::string name, text;
    bool ok = true;
    if (isCommunity(options_.client) && actsOnConsoleWindow(verb)) {
        return false;
    } else if (verb == "print") {
        print(decodeEscapes(rest));
    } else if (verb == "chat") {
        // The player's chat: a client command sent now, back after the round
        // trip. A community client sends the chat box's text as it is.
        std::string command = "say " + rest;
        if (connected_ && isCommunity(options_.client))
            sendChat(command, tokenize(command));
        else
            execute(command);
    } else if (verb == "other" || verb == "otherteam" || verb == "othertell") {
        if (!nameAndText(rest, name, text)) return false;
        ChatKind kind = verb == "other"       ? ChatKind::all
                        : verb == "otherteam" ? ChatKind::team
                                              : ChatKind::tell;
        print(chatPrint(kind, name, chatText(tokenize(text), 0)));
    } else if (verb == "enter") {
        print(enterLine(phrases_, rest.empty() ? playerName_ : rest));
    } else if (verb == "kill" || verb == "killedherself") {
        // An obituary arrives in parts: the victim, then the rest.
        if (!nameAndText(rest, name, text)) return false;
        if (verb == "killedherself" && !text.empty()) return false;
        for (const std::string& part : obituaryParts(phrases_, name, text, verb != "kill"))
            print(part);
    } else if (verb == "rename") {
        if (rest.empty()) return false;
        print(renameLine(phrases_, playerName_, rest));
        setPlayerName(rest);
    } else if (verb == "duel") {
        if (!nameAndText(rest, name, text) || text.empty()) return false;
        print(duelLine(phrases_, name, text));
    } else if (verb == "timelimit") {
        print(timeLimitLine(phrases_));
    } else if (verb == "killlimit" || verb == "winlimit") {
        if (rest.empty()) return false;
        print(verb == "killlimit" ? killLimitLine(phrases_, rest) : winLimitLine(rest));
    } else if (verb == "phrase") {
        if (!nameAndText(rest, name, text) || !phrases_.set(name, text)) return false;
    } else if (verb == "logfile") {
        // As a key bound to "logfile <n>" sets it: nothing printed.
        long value = toNumber(rest, ok);
        if (!ok) return false;
        logfile_ = std::to_string(value);
    } else if (verb == "setname") {
        if (rest.empty()) return false;
        setPlayerName(rest);
    } else if (verb == "type") {
        typeLines(decodeEscapes(rest));
    } else if (verb == "closeconsole") {
        closeConsole();
    } else if (verb == "openconsole") {
        openConsole();
    } else if (verb == "showconsole" || verb == "hideconsole") {
        console_.show(verb == "showconsole");
    } else if (verb == "moveconsole") {
        const std::size_t blank = rest.find(' ');
        if (blank == std::string::npos) return false;
        const long left = toNumber(rest.substr(0, blank), ok);
        const long top = ok ? toNumber(rest.substr(blank + 1), ok) : 0;
        if (!ok) return false;
        console_.moveTo(static_cast<int>(left), static_cast<int>(top));
    } else if (verb == "hidegame") {
        if (game_) ShowWindow(game_, SW_HIDE);
    } else if (verb == "showgame") {
        if (game_) ShowWindow(game_, SW_SHOWNOACTIVATE);
    } else if (verb == "activate") {
        // The game's window in front with the keyboard, as while the player plays.
        if (!game_ || !SetForegroundWindow(game_)) return false;
    } else if (verb == "hang") {
        long ms = toNumber(rest, ok);
        if (!ok || ms < 0) return false;
        stallMs_ = static_cast<std::uint64_t>(ms);
    } else if (verb == "mapchange") {
        long ms = rest.empty() ? static_cast<long>(kDefaultMapLoadMs) : toNumber(rest, ok);
        if (!ok || ms < 0) return false;
        print("------ Server Initialization ------\n");
        print("Server: mp/ffa3\n");
        stallMs_ = static_cast<std::uint64_t>(ms);
        // A community client loads its modules without a word.
        if (isCommunity(options_.client)) return true;
        print("Loading dll file jampgame.\n");
        afterStall_ = {"Loading dll file cgame.\n", "Loading dll file ui.\n"};
    } else if (verb == "fill") {
        long count = toNumber(rest, ok);
        if (!ok || count < 0) return false;
        pane_.fill(count);
    } else if (verb == "clearpane") {
        pane_.clear();
    } else if (verb == "copy") {
        pane_.copy();
    } else if (verb == "fatal") {
        console_.showFatalError(rest);
    } else if (verb == "connect" || verb == "disconnect") {
        connected_ = verb == "connect";
    } else if (verb == "press") {
        if (!pressButton(rest)) return false;
    } else if (verb == "quit") {
        quitting_ = true;
    } else {
        ok = false;
    }
    return ok;
}

// Each line into the input line and a WM_CHAR 13, as a program typing into the
// console does: the lines are entered in the same pump.
void StandIn::typeLines(const std::string& lines) {
    size_t start = 0;
    for (;;) {
        HWND input = console_.input();
        if (!input) return;
        size_t end = lines.find('\n', start);
        std::string line = lines.substr(start, end == std::string::npos ? end : end - start);
        SendMessageA(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line.c_str()));
        SendMessageA(input, WM_CHAR, 13, 1);
        if (end == std::string::npos) return;
        start = end + 1;
    }
}

void StandIn::loadScript() {
    if (options_.scriptPath.empty()) return;
    std::ifstream in(options_.scriptPath, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        line = trimLineEnd(line);
        size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#') continue;
        script_.push_back(line.substr(start));
    }
}

void StandIn::runScriptSteps() {
    KillTimer(control_, kScriptTimer);
    while (scriptNext_ < script_.size() && !quitting_) {
        const std::string& line = script_[scriptNext_++];
        auto [verb, rest] = splitCommand(line);
        if (verb == "wait") {
            bool ok = true;
            long ms = toNumber(rest, ok);
            if (ok && ms > 0) {
                SetTimer(control_, kScriptTimer, static_cast<UINT>(ms), nullptr);
                return;
            }
            continue;
        }
        if (!runControl(line)) {
            std::fprintf(stderr, "standin: unknown script line: %s\n", line.c_str());
        }
    }
}

LRESULT CALLBACK StandIn::controlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<StandIn*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
        case WM_COPYDATA: {
            auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            if (!self || !data || data->dwData != kControlMagic) return 0;
            std::string command(static_cast<const char*>(data->lpData), data->cbData);
            return self->runControl(trimLineEnd(command)) ? 1 : 0;
        }
        case WM_TIMER:
            if (self && wParam == kScriptTimer) self->runScriptSteps();
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace standin
