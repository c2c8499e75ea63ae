// Placeholder bodies for the "File" menu's reply-file items, replaced when
// reply files are saved and loaded. They do nothing yet.
#include "ui/Application.h"

namespace varnok::ui {

void FrmMain::mnuSave_Click() {}
void FrmMain::mnuOpen_Click() {}

}  // namespace varnok::ui
