// The main window's "Customize Messages" items open the message editor.
#include "app/FrmMain.h"

namespace varnok::ui {

void FrmMain::mnuMsg_Click(int index) {
    mnuCustomize_.open(index);
}

}  // namespace varnok::ui
