#include "fakes/FakeToolkit.h"

namespace varnok::fakes {

void FakeListBox::removeItem(int i) {
    if (i < 0 || i >= count()) return;
    items.erase(items.begin() + i);
    if (selected >= count()) selected = -1;
}

std::optional<std::string> FakeDialogs::openFile(ui::Window&, const std::string& filter) {
    openFileFilters.push_back(filter);
    if (openFileAnswers.empty()) return std::nullopt;
    auto answer = openFileAnswers.front();
    openFileAnswers.pop_front();
    return answer;
}

std::string FakeDialogs::inputBox(const std::string& prompt, const std::string& title,
                                  const std::string& proposed) {
    prompts.push_back({prompt, title, proposed});
    if (inputAnswers.empty()) return {};
    std::string answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

void FakeDialogs::messageBox(const std::string& text, const std::string& title,
                             ui::MessageIcon icon) {
    boxes.push_back({text, title, icon});
}

std::unique_ptr<ui::Window> FakeToolkit::createWindow(const ui::WindowSpec& spec) {
    return std::make_unique<FakeWindow>(spec);
}
std::unique_ptr<ui::Label> FakeToolkit::createLabel(ui::Window&, const ui::ControlSpec& spec) {
    return std::make_unique<FakeLabel>(spec);
}
std::unique_ptr<ui::TextField> FakeToolkit::createTextField(ui::Window&,
                                                            const ui::ControlSpec& spec) {
    return std::make_unique<FakeTextField>(spec);
}
std::unique_ptr<ui::Button> FakeToolkit::createButton(ui::Window&, const ui::ControlSpec& spec) {
    return std::make_unique<FakeButton>(spec);
}
std::unique_ptr<ui::CheckBox> FakeToolkit::createCheckBox(ui::Window&,
                                                          const ui::ControlSpec& spec) {
    return std::make_unique<FakeCheckBox>(spec);
}
std::unique_ptr<ui::ListBox> FakeToolkit::createListBox(ui::Window&, const ui::ControlSpec& spec) {
    return std::make_unique<FakeListBox>(spec);
}
std::unique_ptr<ui::Slider> FakeToolkit::createSlider(ui::Window&, const ui::SliderSpec& spec) {
    return std::make_unique<FakeSlider>(spec);
}
std::unique_ptr<ui::DriveList> FakeToolkit::createDriveList(ui::Window&,
                                                            const ui::ControlSpec& spec) {
    return std::make_unique<FakeDriveList>(spec);
}
std::unique_ptr<ui::FolderList> FakeToolkit::createFolderList(ui::Window&,
                                                              const ui::ControlSpec& spec) {
    return std::make_unique<FakeFolderList>(spec);
}

std::unique_ptr<ui::Timer> FakeToolkit::createTimer(ui::Window&, unsigned intervalMs, bool enabled,
                                                    ui::Handler onTick) {
    return std::make_unique<FakeTimer>(clock_, timers, intervalMs, enabled, std::move(onTick));
}

void FakeToolkit::createMenuBar(ui::Window& window, const std::vector<ui::MenuSpec>& m) {
    menus = m;
    dynamic_cast<FakeWindow&>(window).menus = m;
}

void FakeToolkit::chooseMenu(const std::string& name) {
    for (const auto& menu : menus)
        for (const auto& item : menu.items)
            if (item.name == name) return item.handler();
}

void FakeToolkit::takeMediaKeys(ui::Window&, ui::MediaKeyHandler pressed) {
    mediaKeysTaken = true;
    mediaKeyHandler = std::move(pressed);
}

void FakeToolkit::pressMediaKey(ui::MediaKey key) {
    if (mediaKeysTaken) mediaKeyHandler(key);
}

void FakeToolkit::yield() {
    ++yields;
    auto actions = std::move(pending_);
    pending_.clear();
    for (auto& action : actions) {
        if (hasEnded) return;
        action();
    }
    // Like WM_TIMER, a timer that fell due several times ticks once.
    for (FakeTimer* t : timers) {
        if (hasEnded) return;
        if (t->on && clock_.elapsedMs >= t->lastTickMs + t->ms) {
            t->lastTickMs = clock_.elapsedMs;
            t->tick();
        }
    }
}

void FakeToolkit::idle(unsigned maxMs) {
    idles.push_back(maxMs);
    clock_.elapsedMs += maxMs;
}

}  // namespace varnok::fakes
