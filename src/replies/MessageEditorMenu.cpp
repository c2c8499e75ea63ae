// The main window's "Customize Messages" items open the message editor.
#include "ui/Application.h"

namespace varnok::ui {

void FrmMain::mnuMsg_Click(int index) {
    app.mnuCustomize.open(index);
}

}  // namespace varnok::ui
