#pragma once
// Where windows open on the screen: the main window with the player window
// hanging under it as one pair, and the dialogs over the main window. Every
// placement stays inside the work area (the screen less its task bars) as far
// as its size allows.

#include "ports/Toolkit.h"

namespace varnok::ui {

// `box` (only its size counts) centred over `over`, then pushed back inside
// `area`. Where it is larger than the area it starts at the area's left and
// top edges, so that a window's title bar is always on the screen.
Frame centredOver(const Frame& box, const Frame& over, const Frame& area);

// Moves `dialog` so that it opens centred over `owner`, inside `area`.
void centreOver(Window& dialog, const Window& owner, const Frame& area);

}  // namespace varnok::ui
