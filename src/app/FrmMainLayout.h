#pragma once
// The main window's layout: positions in twips, colours and fonts.

#include "ports/Layout.h"

namespace varnok::ui::mainlayout {

inline const Rgb kYellow{255, 255, 0};
inline const Font kChatFont{"Verdana", 8.25f, false};
inline const Font kButtonFont{"MS Sans Serif", 13.5f, true};

inline WindowSpec window() {
    return {.name = "frmMain",
            .caption = "Varnok",
            .clientWidth = 6525,
            .clientHeight = 4800,
            .background = kBackground};
}

inline ControlSpec templateLabel(const char* name, const char* caption, TwipsRect rect,
                                 Align align) {
    return {.name = name,
            .caption = caption,
            .rect = rect,
            .textColour = kLabelBlue,
            .font = kLabelFont,
            .align = align};
}

inline ControlSpec templateField(const char* name, int top, int tabIndex) {
    return {.name = name, .rect = {2400, top, 3735, 375}, .tabIndex = tabIndex};
}

inline ControlSpec greyButton(const char* name, const char* caption, int left, int tabIndex) {
    return {.name = name,
            .caption = caption,
            .rect = {left, 3240, 2175, 495},
            .background = kGrey,
            .font = kButtonFont,
            .align = Align::Centre,
            .tabIndex = tabIndex};
}

inline ControlSpec chatText() {
    return {.name = "ChatText",
            .rect = {0, 2640, 6420, 330},
            .textColour = kYellow,
            .font = kChatFont,
            .align = Align::Centre};
}

inline ControlSpec playlistCheck() {
    return {.name = "chkPlaylist",
            .caption = "Show Playlist on bottom",
            .rect = {3720, 3840, 2055, 375},
            .background = kGrey,
            .tooltip = "If this is unchecked, the playlist will appear on the right of this window",
            .tabIndex = 5};
}

inline ControlSpec statusLine() {
    return {.name = "lblPlatform",
            .rect = {0, 4320, 6495, 405},
            .textColour = kYellow,
            .align = Align::Centre};
}

}  // namespace varnok::ui::mainlayout
