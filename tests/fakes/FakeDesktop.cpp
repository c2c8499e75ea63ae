#include "fakes/FakeDesktop.h"

#include <algorithm>
#include <fstream>

#include "console/ConsoleWindows.h"
#include "text/Text.h"

namespace varnok::fakes {

WindowHandle FakeDesktop::addTopLevel(const std::string& windowClass, const std::string& title,
                                      std::uint32_t process) {
    WindowHandle h = next_++;
    windows_[h] = DesktopWindow{.handle = h,
                                .windowClass = windowClass,
                                .process = process,
                                .caption = title,
                                .text = title};
    topLevel_.push_back(h);
    return h;
}

WindowHandle FakeDesktop::addChild(WindowHandle parent, const std::string& windowClass,
                                   const std::string& caption) {
    WindowHandle h = next_++;
    windows_[h] = DesktopWindow{.handle = h,
                                .parent = parent,
                                .windowClass = windowClass,
                                .caption = caption,
                                .text = caption};
    windows_.at(parent).children.push_back(h);
    return h;
}

void FakeDesktop::remove(WindowHandle window) {
    DesktopWindow* w = find(window);
    if (!w) return;
    for (WindowHandle child : std::vector<WindowHandle>(w->children)) remove(child);
    if (w->parent) {
        auto& siblings = windows_.at(w->parent).children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
    }
    topLevel_.erase(std::remove(topLevel_.begin(), topLevel_.end(), window), topLevel_.end());
    windows_.erase(window);
}

DesktopWindow* FakeDesktop::find(WindowHandle handle) {
    auto it = windows_.find(handle);
    return it == windows_.end() ? nullptr : &it->second;
}

WindowHandle FakeDesktop::findWindow(const std::optional<std::string>& windowClass,
                                     const std::optional<std::string>& title) {
    ++findCalls;
    for (WindowHandle h : topLevel_) {
        const DesktopWindow& w = windows_.at(h);
        if (windowClass && w.windowClass != *windowClass) continue;
        if (title && w.caption != *title) continue;
        return h;
    }
    return 0;
}

WindowHandle FakeDesktop::relative(WindowHandle window, console::Relation relation) {
    DesktopWindow* w = find(window);
    if (!w) return 0;
    if (relation == console::Relation::FirstChild)
        return w->children.empty() ? 0 : w->children.front();
    if (!w->parent) return 0;
    const auto& siblings = windows_.at(w->parent).children;
    auto it = std::find(siblings.begin(), siblings.end(), window);
    return (it == siblings.end() || it + 1 == siblings.end()) ? 0 : *(it + 1);
}

void FakeDesktop::enumChildren(WindowHandle parent,
                               const std::function<bool(WindowHandle)>& visit) {
    DesktopWindow* w = find(parent);
    if (!w) return;
    for (WindowHandle child : std::vector<WindowHandle>(w->children))
        if (!visit(child)) return;
}

std::string FakeDesktop::caption(WindowHandle window, int bufferSize) {
    ++captionCalls;
    DesktopWindow* w = find(window);
    if (!w || bufferSize <= 0) return {};
    return w->caption.substr(0, static_cast<std::size_t>(bufferSize - 1));
}

console::Delivery FakeDesktop::setText(WindowHandle window, const std::string& text) {
    ++setTextCalls;
    DesktopWindow* w = find(window);
    if (!w || w->hung) return console::Delivery::NoAnswer;
    if (w->refuses) return console::Delivery::Refused;
    w->text = text;
    return console::Delivery::Delivered;
}

console::Delivery FakeDesktop::sendChar(WindowHandle window, unsigned char code, long) {
    DesktopWindow* w = find(window);
    if (!w || w->hung) return console::Delivery::NoAnswer;
    if (w->refuses) return console::Delivery::Refused;
    w->charsReceived.push_back(code);
    if (w->onChar) w->onChar(*w, code);
    return console::Delivery::Delivered;
}

namespace {
// Lead bytes of a double-byte code page such as 932's: each takes the byte
// after it into one character.
bool isLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

long characterCount(const std::string& text) {
    long count = 0;
    for (std::size_t i = 0; i < text.size(); ++i, ++count)
        if (isLeadByte(static_cast<unsigned char>(text[i]))) ++i;
    return count;
}
}  // namespace

console::TextLength FakeDesktop::measureText(WindowHandle window) {
    ++lengthCalls;
    DesktopWindow* w = find(window);
    if (!w) return {0, window != 0};
    if (w->hung) return {};
    if (w->refuses) return {std::nullopt, false, true};
    if (w->countsCharacters) return {characterCount(w->text)};
    return {static_cast<long>(w->text.size())};
}

std::optional<std::string> FakeDesktop::text(WindowHandle window, long bufferSize) {
    DesktopWindow* w = find(window);
    if (!w || bufferSize <= 0) return std::string();
    if (w->hung || w->hangsAfterLength || w->refuses) return std::nullopt;
    if (w->beforeRead) w->beforeRead(*w);
    return w->text.substr(0, static_cast<std::size_t>(bufferSize - 1));
}

void FakeDesktop::show(WindowHandle window, console::ShowCommand command) {
    if (DesktopWindow* w = find(window)) w->visible = command == console::ShowCommand::Show;
}

void FakeDesktop::reposition(WindowHandle window, int x, int y, int width, int height,
                             unsigned flags) {
    repositions.push_back({window, x, y, width, height, flags});
}

WindowHandle FakeDesktop::mainWindowOf(std::uint32_t process) {
    for (WindowHandle h : topLevel_) {
        const DesktopWindow& w = windows_.at(h);
        if (w.process == process && w.visible && w.owner == 0) return h;
    }
    return 0;
}

FakeGame::FakeGame(FakeDesktop& desktop, std::string name)
    : playerName(std::move(name)), desktop_(desktop) {
    game_ = desktop_.addTopLevel(console::kGameWindowClass, "Jedi Knight Academy", kProcess);
    openConsole();
}

void FakeGame::openConsole() {
    if (console_) return;
    console_ = desktop_.addTopLevel(console::kConsoleClass, console::kConsoleTitle, kProcess);
    input_ = desktop_.addChild(console_, "Edit", "");
    desktop_.addChild(console_, "Button", "Copy");
    desktop_.addChild(console_, "Button", "Clear");
    desktop_.addChild(console_, "Button", "Quit");
    pane_ = desktop_.addChild(console_, "Edit", "");
    printed_ = 0;
    desktop_.window(input_).onChar = [this](DesktopWindow& input, unsigned char code) {
        if (code != 13) return;
        std::string line = input.text;
        input.text.clear();
        commands.push_back(line);
        if (runsCommands)
            run(line);
        else if (echoesSays && text::beginsWithNoCase(line, "say "))
            echoSay(line.substr(4));
    };
}

void FakeGame::closeConsole() {
    if (!console_) return;
    desktop_.remove(console_);
    console_ = input_ = pane_ = 0;
}

std::string& FakeGame::pane() {
    return desktop_.window(pane_).text;
}

// Like the game's console: colour codes ^0 to ^7 are not shown, and once
// more than 32 767 characters were printed since the last reset the next
// print replaces the whole pane.
void FakeGame::log(const std::string& text) {
    const auto logfile = cvars.find("logfile");
    const bool on = logfile != cvars.end() && logfile->second != "0";
    if (!on || logPath.empty()) {
        if (!on) logOpen_ = false;
        return;
    }
    std::ios::openmode mode = std::ios::binary | std::ios::app;
    std::string written;
    if (!logOpen_) {
        std::filesystem::create_directories(logPath.parent_path());
        mode = std::ios::binary | std::ios::trunc;
        written = "logfile opened on Wed Dec  9 12:00:00 2026\n\n";
        logOpen_ = true;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\r\n") == 0) continue;  // the game's own line end is "\n"
        written += text[i];
    }
    std::ofstream(logPath, mode) << written;
}

void FakeGame::print(const std::string& text, bool toLog) {
    if (toLog) log(text);
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '^' && i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '7') {
            ++i;
            continue;
        }
        shown += text[i];
    }
    std::string& p = pane();
    printed_ += static_cast<long>(shown.size());
    if (printed_ > kResetCount) {
        p.clear();
        printed_ = static_cast<long>(shown.size());
    }
    p += shown;
}

void FakeGame::chat(const std::string& message) {
    print(playerName + ": " + message + "\r\n");
}

// The server shows each "%" of a chat text as ".".
void FakeGame::echoSay(std::string text) {
    for (char& c : text)
        if (c == '%') c = '.';
    chat(text);
}

void FakeGame::clearPane() {
    pane().clear();
}

// The console shows each typed line after a "]"; "/clear" empties only the
// game's own console, never this pane.
void FakeGame::run(const std::string& line) {
    print("]" + line + "\r\n", false);  // the console window's own echo, never logged
    if (text::beginsWithNoCase(line, "logfile ") && cvars.count("logfile")) {
        cvars["logfile"] = line.substr(8);
        return;
    }
    if (line == "name" || line == "/name") {
        print("\"name\" is:\"" + playerName + "^7\" default:\"Padawan^7\"\r\n");
    } else if (text::beginsWithNoCase(line, "say ")) {
        echoSay(line.substr(4));
    } else if (const auto cvar = cvars.find(line); cvar != cvars.end()) {
        print("\"" + cvar->first + "\" is:\"" + cvar->second + "^7\" default:\"^7\"\r\n");
    } else if (text::beginsWithNoCase(line, "echo ")) {
        print(line.substr(5) + "\r\n");
    }
}

}  // namespace varnok::fakes
