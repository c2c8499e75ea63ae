// The stand-in's control channel: the hidden control window that takes
// WM_COPYDATA commands, the commands themselves and the timed script that
// runs them after start.

#include <cstdlib>
#include <fstream>

#include "ControlProtocol.h"
#include "GameText.h"
#include "StandIn.h"
#include "StandInInternals.h"

namespace standin {

namespace {

constexpr UINT kHangMessage = WM_APP + 1;
constexpr UINT kQuitMessage = WM_APP + 2;

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

}  // namespace

bool StandIn::runControl(const std::string& command) {
    bool done = carryOut(command);
    stamp("control " + command);
    return done;
}

bool StandIn::carryOut(const std::string& command) {
    auto [verb, rest] = splitCommand(command);
    bool ok = true;
    if (verb == "print") {
        appendToPane(decodeEscapes(rest));
    } else if (verb == "chat") {
        appendToPane(chatLine(playerName_, rest));
    } else if (verb == "other") {
        size_t blank = rest.find(' ');
        std::string speaker = rest.substr(0, blank);
        std::string text = blank == std::string::npos ? "" : rest.substr(blank + 1);
        if (speaker.empty()) return false;
        appendToPane(chatLine(speaker, text));
    } else if (verb == "enter") {
        appendToPane(enterLine(rest.empty() ? playerName_ : rest));
    } else if (verb == "rename") {
        if (rest.empty()) return false;
        appendToPane(renameLine(playerName_, rest));
        playerName_ = rest;
        if (game_) InvalidateRect(game_, nullptr, TRUE);
    } else if (verb == "setname") {
        if (rest.empty()) return false;
        playerName_ = rest;
        if (game_) InvalidateRect(game_, nullptr, TRUE);
    } else if (verb == "type") {
        typeLine(rest);
    } else if (verb == "closeconsole") {
        closeConsole();
    } else if (verb == "openconsole") {
        openConsole();
    } else if (verb == "hidegame") {
        if (game_) ShowWindow(game_, SW_HIDE);
    } else if (verb == "showgame") {
        if (game_) ShowWindow(game_, SW_SHOWNOACTIVATE);
    } else if (verb == "hang") {
        long ms = toNumber(rest, ok);
        if (!ok || ms < 0) return false;
        // Posted, so that the sender is answered before the window thread stops.
        PostMessageA(control_, kHangMessage, static_cast<WPARAM>(ms), 0);
    } else if (verb == "fill") {
        long count = toNumber(rest, ok);
        if (!ok || count < 0) return false;
        fillPane(count);
    } else if (verb == "clearpane") {
        clearPane();
    } else if (verb == "press") {
        if (!pressButton(rest)) return false;
    } else if (verb == "quit") {
        PostMessageA(control_, kQuitMessage, 0, 0);
    } else {
        ok = false;
    }
    return ok;
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
    while (scriptNext_ < script_.size()) {
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
        if (verb == "quit") return;
    }
}

LRESULT CALLBACK StandIn::controlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    StandIn* self = g_standIn;
    switch (message) {
        case WM_COPYDATA: {
            auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            if (!self || !data || data->dwData != kControlMagic) return 0;
            std::string command(static_cast<const char*>(data->lpData), data->cbData);
            return self->runControl(trimLineEnd(command)) ? 1 : 0;
        }
        case kHangMessage:
            Sleep(static_cast<DWORD>(wParam));
            return 0;
        case kQuitMessage:
            if (self) self->quit();
            return 0;
        case WM_TIMER:
            if (self && wParam == kScriptTimer) self->runScriptSteps();
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace standin
