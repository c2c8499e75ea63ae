#pragma once
// The message editor: one reply message's text and enabled box at a time.
// "Ok" stores them and brings the main window back; closing the window through
// its frame stores nothing and brings the main window back too.

#include <cstdint>
#include <memory>

#include "ports/Toolkit.h"

namespace varnok::ui {
class Application;
}

namespace varnok::replies {

class MnuCustomize {
  public:
    explicit MnuCustomize(ui::Application& app);

    // Shows the editor on message `index` (0..3), centred over the main
    // window, and hides the main window.
    void open(int index);
    void Command1_Click();
    void Form_Unload();

    ui::Application& app;
    std::int16_t msgIndex = 0;
    std::unique_ptr<ui::Window> window;
    std::unique_ptr<ui::Label> Label1;
    std::unique_ptr<ui::TextField> txtMessage;
    std::unique_ptr<ui::CheckBox> chkEnabled;
    std::unique_ptr<ui::Button> Command1;

  private:
    void backToMain();
};

// The check-box state that shows a stored flag: 0 and 1 as they are, 2 greyed,
// and any larger value (only a hand-made reply file holds one) as ticked.
int checkStateForFlag(std::uint8_t flag);

}  // namespace varnok::replies
