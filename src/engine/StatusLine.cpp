#include "engine/StatusLine.h"

namespace varnok::engine {

void StatusLine::startUp(sysinfo::VersionSource& version) {
    os_ = std::make_unique<sysinfo::COpSysInfo>(version);
    build_ = std::to_string(os_->BuildNumber());
    set("[ " + os_->Platform() + " - " + build_ + " ]");
}

void StatusLine::notRunning() {
    set("[ Current Player: <JKA is not running>  OS: " + os_->Platform() + " Build " + build_ +
        " ]");
}

void StatusLine::player(const std::string& playerName) {
    set("[ Current Player: " + playerName + "  OS: " + os_->Platform() + " Build " + build_ + " ]");
}

void StatusLine::refused() {
    set("[ JKA runs as administrator: start Varnok as administrator too ]");
}

void StatusLine::takesNoCommands() {
    set("[ This game takes no typed commands: Varnok cannot answer in it ]");
}

void StatusLine::set(const std::string& text) {
    ui::Label& label = host_.statusLine();
    if (label.caption() != text) label.setCaption(text);
}

}  // namespace varnok::engine
