#include "replies/MnuCustomize.h"

#include "ports/Placement.h"

namespace varnok::replies {

int checkStateForFlag(std::uint8_t flag) {
    return flag <= 2 ? flag : 1;
}

MnuCustomize::MnuCustomize(ui::Toolkit& toolkit, EditorHost& host)
    : toolkit_(toolkit), host_(host) {
    ui::Toolkit& tk = toolkit_;
    window = tk.createWindow({.name = "mnuCustomize",
                              .caption = "",
                              .clientWidth = 4680,
                              .clientHeight = 3090,
                              .background = ui::kBackground});
    ui::Window& w = *window;
    txtMessage = tk.createTextField(
        w, {.name = "txtMessage", .rect = {1560, 720, 2415, 375}, .tabIndex = 0});
    Label1 = tk.createLabel(w, {.name = "Label1",
                                .caption = "Message:",
                                .rect = {240, 720, 1215, 255},
                                .textColour = ui::kLabelBlue,
                                .font = ui::kLabelFont,
                                .align = ui::Align::Right,
                                .tabIndex = 1});
    chkEnabled = tk.createCheckBox(w, {.name = "chkEnabled",
                                       .caption = "Message Enabled?",
                                       .rect = {1680, 1200, 2775, 375},
                                       .textColour = ui::kLabelBlue,
                                       .background = ui::kBackground,
                                       .font = ui::kLabelFont,
                                       .tabIndex = 2});
    Command1 = tk.createButton(w, {.name = "Command1",
                                   .caption = "Ok",
                                   .rect = {1680, 2160, 1335, 495},
                                   .background = ui::kGrey,
                                   .font = ui::kLabelFont,
                                   .align = ui::Align::Centre,
                                   .tabIndex = 3});
    Command1->onClick([this] { Command1_Click(); });
    window->onClose([this] { Form_Unload(); });
}

void MnuCustomize::open(int index) {
    ReplyMessages& messages = host_.replyMessages();
    if (std::string* text = messages.textAt(index)) {
        txtMessage->setText(*text);
        chkEnabled->setValue(checkStateForFlag(*messages.flagAt(index)));
    }
    ui::centreOver(*window, host_.mainWindow(), toolkit_.workArea());
    window->show();
    msgIndex = static_cast<std::int16_t>(index);
    host_.mainWindow().hide();
}

void MnuCustomize::Command1_Click() {
    ReplyMessages& messages = host_.replyMessages();
    if (std::string* text = messages.textAt(msgIndex)) {
        *messages.flagAt(msgIndex) = chkEnabled->value() == 0 ? 0 : 1;
        *text = txtMessage->text();
    }
    txtMessage->setText("");
    backToMain();
}

// Closed through the window frame: nothing is stored.
void MnuCustomize::Form_Unload() {
    txtMessage->setText("");
    backToMain();
}

void MnuCustomize::backToMain() {
    window->hide();
    host_.mainWindow().show();
}

}  // namespace varnok::replies
