#pragma once
// Layout descriptions of windows and controls: positions in twips (1/1440 inch,
// converted to pixels at the system DPI by the toolkit), colours and fonts.

#include <cstdint>
#include <optional>
#include <string>

namespace varnok::ui {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Font {
    std::string face;
    float points = 8.25f;
    bool bold = false;
};

// The colours and the label font the windows share: the dark blue background,
// the grey of buttons and sliders, and the light blue bold of the labels.
inline const Rgb kBackground{0, 0, 64};
inline const Rgb kGrey{128, 128, 128};
inline const Rgb kLabelBlue{128, 128, 255};
inline const Font kLabelFont{"MS Sans Serif", 9.75f, true};

enum class Align { Left, Centre, Right };

// Left, top, width, height in twips within the parent's client area.
struct TwipsRect {
    int left = 0, top = 0, width = 0, height = 0;
};

// Pixels = twips x dpi / 1440, rounded to the nearest pixel.
inline int twipsToPixels(int twips, int dpi) {
    long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>((scaled + (scaled >= 0 ? 720 : -720)) / 1440);
}

struct ControlSpec {
    std::string name;     // the control's name, e.g. "cmdBack"
    std::string caption;  // initial caption or text
    TwipsRect rect;
    std::optional<Rgb> textColour;  // default when absent
    std::optional<Rgb> background;  // absent: transparent for labels, default otherwise
    std::optional<Font> font;       // default font when absent
    Align align = Align::Left;
    std::string tooltip;
    int tabIndex = -1;  // keyboard focus order; -1 = not a tab stop of its own
};

enum class Orientation { Horizontal, Vertical };

struct SliderSpec {
    ControlSpec control;
    Orientation orientation = Orientation::Horizontal;
    int min = 0, max = 10, smallStep = 1, largeStep = 5;
};

enum class Border { Fixed, None };

struct WindowSpec {
    std::string name;
    std::string caption;
    int clientWidth = 0, clientHeight = 0;  // twips
    std::optional<Rgb> background;
    Border border = Border::Fixed;
    bool hasTitle = true;
};

}  // namespace varnok::ui
