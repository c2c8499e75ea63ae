#pragma once
// The message editor: one reply message's text and enabled box at a time.
// "Ok" stores them and brings the main window back; closing the window through
// its frame stores nothing and brings the main window back too.

#include <cstdint>
#include <memory>

#include "ports/Toolkit.h"
#include "replies/ReplyMessages.h"

namespace varnok::replies {

// The main window as the editor sees it: the messages it edits, and the
// window it is centred over, hides and brings back.
class EditorHost {
  public:
    virtual ~EditorHost() = default;
    virtual ui::Window& mainWindow() = 0;
    virtual ReplyMessages& replyMessages() = 0;
};

class MnuCustomize {
  public:
    MnuCustomize(ui::Toolkit& toolkit, EditorHost& host);

    // Shows the editor on message `index` (0..3), centred over the main
    // window, and hides the main window.
    void open(int index);
    void Command1_Click();
    void Form_Unload();

    std::int16_t msgIndex = 0;
    std::unique_ptr<ui::Window> window;
    std::unique_ptr<ui::Label> Label1;
    std::unique_ptr<ui::TextField> txtMessage;
    std::unique_ptr<ui::CheckBox> chkEnabled;
    std::unique_ptr<ui::Button> Command1;

  private:
    void backToMain();

    ui::Toolkit& toolkit_;
    EditorHost& host_;
};

// The check-box state that shows a stored flag: 0 and 1 as they are, 2 greyed,
// and any larger value (only a hand-made reply file holds one) as ticked.
int checkStateForFlag(std::uint8_t flag);

}  // namespace varnok::replies
