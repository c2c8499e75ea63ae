#include "console/ConsoleWindows.h"

#include "text/Text.h"

namespace varnok::console {

namespace {
constexpr int kCaptionBuffer = 260;
}

WindowHandle ConsoleWindows::findConfiguredConsole(const std::string& windowClass,
                                                   const std::string& title) {
    return keptOrFound(windowClass, title);
}

// A console whose pane answered the latest length request is still there: a
// window that is gone answers nothing, and its children go with it. Without
// that answer, one caption read checks it: that asks the window system, not
// the game, so it is cheap and a hung game cannot block it. A window of a
// configured class is searched for every time, since the kept one's class is
// not checked.
WindowHandle ConsoleWindows::keptOrFound(const std::string& windowClass, const std::string& title) {
    if (kept_ != 0 && windowClass.empty() && title == keptTitle_) {
        if (vouched_) return kept_;
        if (text::trimAtNull(windows_.caption(kept_, kCaptionBuffer)) == title) return kept_;
    }
    if (!windowClass.empty()) {
        keep(0, title);
        return windows_.findWindow(windowClass, title);
    }
    const WindowHandle found = searchByTitle(title);
    keep(found, title);
    return found;
}

WindowHandle ConsoleWindows::searchByTitle(const std::string& title) {
    if (searchesToFull_ > 0) {
        --searchesToFull_;
        return windows_.findWindow(std::string(kConsoleClass), title);
    }
    searchesToFull_ = kFullSearchEvery - 1;
    return windows_.findWindow(std::nullopt, title);
}

void ConsoleWindows::keep(WindowHandle console, const std::string& title) {
    if (console != kept_) vouched_ = false;
    kept_ = console;
    keptTitle_ = title;
}

WindowHandle ConsoleWindows::FindOutputPane(WindowHandle console) {
    WindowHandle child = windows_.relative(console, Relation::FirstChild);
    for (int step = 0; step < 4 && child != 0; ++step)
        child = windows_.relative(child, Relation::NextSibling);
    vouched_ = false;
    return child;
}

void ConsoleWindows::paneGone() {
    keep(0, keptTitle_);
    searchesToFull_ = 0;  // a restarted game's console may have any class
}

WindowHandle ConsoleWindows::findGameWindow() {
    return windows_.findWindow(std::string(kGameWindowClass), std::nullopt);
}

}  // namespace varnok::console
