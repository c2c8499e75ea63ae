#include "ports/Placement.h"

#include <algorithm>

namespace varnok::ui {

namespace {

// One axis: centred over [overStart, overStart + overSize), then kept within
// [areaStart, areaStart + areaSize); the near edge wins when it cannot be.
int centredStart(int size, int overStart, int overSize, int areaStart, int areaSize) {
    const int centred = overStart + (overSize - size) / 2;
    return std::max(std::min(centred, areaStart + areaSize - size), areaStart);
}

}  // namespace

Frame centredOver(const Frame& box, const Frame& over, const Frame& area) {
    return {centredStart(box.width, over.left, over.width, area.left, area.width),
            centredStart(box.height, over.top, over.height, area.top, area.height), box.width,
            box.height};
}

void centreOver(Window& dialog, const Window& owner, const Frame& area) {
    const Frame placed = centredOver(dialog.frame(), owner.frame(), area);
    dialog.moveTo(placed.left, placed.top);
}

}  // namespace varnok::ui
