#pragma once
// A community client's log brought to the lines the retail game's console pane
// shows, which is what the recognisers read. The client writes its raw prints:
// - its colour codes, ^0 to ^9 (the retail pane drops ^0 to ^7 as it prints);
// - OpenJK's time stamp before each line, "YYYY-MM-DD HH:MM:SS ";
// - a "*" before a chat line ("*Padme^7: ^2!now");
// - a console variable typed alone answered `Cvar name = "Padme", default =
//   "Padawan"` where the retail game prints `"name" is:"Padme" default:"Padawan"`;
// - each line typed into its console printed back as typed, where the retail
//   console window shows it after a "]".

#include <chrono>
#include <deque>
#include <string>
#include <string_view>

#include "ports/Time.h"

namespace varnok::console {

// The line without a time stamp, colour codes, the "*" of chat, and the
// answer to a console variable in the retail form. `line` has no line end.
std::string retailForm(std::string_view line);

// The lines typed into the client's console, to know them when the log prints
// them back: such a line gets the "]" the retail console window gives it.
class TypedLines {
  public:
    // How long a typed line waits to be printed back at most.
    static constexpr Ms kEchoWait{10000};

    void typed(std::string_view line, TimePoint at);
    // `line` (in retail form, no line end) marked as typed when it is the
    // echo of a line typed and not yet seen back.
    std::string marked(const std::string& line, TimePoint now);

  private:
    struct Typed {
        std::string line;  // in retail form
        TimePoint at;
    };
    std::deque<Typed> typed_;
};

}  // namespace varnok::console
