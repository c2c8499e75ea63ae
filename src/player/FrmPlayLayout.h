#pragma once
// The player window's layout: a borderless window whose controls sit on a dark
// blue background, buttons and labels on grey.

#include "ports/Layout.h"

namespace varnok::player::playlayout {

using ui::kBackground;
using ui::kGrey;

inline ui::WindowSpec window() {
    return {.name = "frmPlay",
            .caption = "Form1",
            .clientWidth = 6525,
            .clientHeight = 5565,
            .background = kBackground,
            .border = ui::Border::None,
            .hasTitle = false};
}

inline ui::ControlSpec grey(const char* name, const char* caption, ui::TwipsRect rect,
                            ui::Align align = ui::Align::Centre) {
    return {.name = name, .caption = caption, .rect = rect, .background = kGrey, .align = align};
}

}  // namespace varnok::player::playlayout
