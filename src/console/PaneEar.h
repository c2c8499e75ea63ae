#pragma once
// The console window's output pane as an ear. Each listen measures the pane
// (WM_GETTEXTLENGTH) and, when its length changed, reads it (WM_GETTEXT) and
// takes the complete lines printed since the last reading (ConsoleLines). A
// pane that does not answer in time (the game stalls, say on a map load)
// gives no measurement and no text: listening goes on from the same place
// once the game answers again. The length's answer also tells whether the
// console is still there.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "console/ConsoleLines.h"
#include "console/Ear.h"
#include "ports/WindowManager.h"

namespace varnok::console {

class PaneEar : public Ear {
  public:
    // At or above this many characters the pane counts as full: the game
    // replaces it with its next print.
    static constexpr std::int32_t kPaneLimit = 32700;

    // `yield` runs the window system between the measurement and the reading,
    // and answers false when the program ended meanwhile.
    PaneEar(WindowManager& windows, std::function<bool()> yield)
        : windows_(windows), yield_(std::move(yield)) {}

    // The pane of a console found anew (0: it has none): what it holds now
    // was printed before Varnok looked.
    void aim(WindowHandle pane);
    WindowHandle pane() const { return pane_; }

    Heard listen(TimePoint now, bool inPause) override;
    Wakes wakes() const override { return {.polled = true, .due = lines_.due()}; }

    // One length request, for a look at the pane while another ear is
    // listened to. `presence` tells what the answer said of the console.
    struct Measurement {
        std::optional<std::int32_t> length;
        Presence presence = Presence::Unasked;
    };
    Measurement measure();
    // The pane's whole text after it measured `length` characters; nothing
    // when it did not answer in time.
    std::optional<std::string> read(std::int32_t length);
    // Everything `pane` (measured `length`) holds counts as heard: listening
    // goes on after it.
    void skipTo(std::string_view pane, std::int32_t length);
    // The pane's length at the latest measurement.
    std::int32_t length() const { return curLen_; }
    // The last line of the game's (not one typed at the console) it gave.
    const std::string& lastGameLine() const { return lastGameLine_; }
    // Nothing of this console's pane was read yet.
    bool fresh() const { return lines_.fresh(); }
    // Whether the start of a line is waiting for its end.
    bool waiting() const { return lines_.waiting(); }

  private:
    WindowManager& windows_;
    std::function<bool()> yield_;
    WindowHandle pane_ = 0;
    bool located_ = false;      // the pane was just looked for: a moment for the due clear
    std::int32_t prevLen_ = 0;  // the length at the last reading
    std::int32_t curLen_ = 0;   // the latest measurement
    ConsoleLines lines_;
    std::string lastGameLine_;
};

}  // namespace varnok::console
