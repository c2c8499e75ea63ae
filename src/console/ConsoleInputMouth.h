#pragma once
// Typing into the input buffer of the console a community client shares with
// Varnok (EternalJK). Each frame the client reads what waits in the buffer and
// then empties it: records written between its read and its flush are lost,
// and so is everything after the first Enter it handles. So one line goes in a
// write, and the next only once the buffer is empty again and a frame has
// passed since. Text is written with virtual-key code 0 (ConsoleInput), so no
// character acts as one of the client's editing keys.

#include <optional>
#include <string>

#include "console/ClientLines.h"
#include "console/Mouth.h"
#include "ports/Clock.h"
#include "ports/ConsoleInput.h"

namespace varnok::console {

class ConsoleInputMouth : public Mouth {
  public:
    // The client keeps a line of at most 254 characters whole.
    static constexpr std::size_t kMostCharacters = 254;
    // One frame of the client, and a margin: its flush follows its read within it.
    static constexpr Ms kFrame{40};
    // How often a buffer that still holds the last line is looked at.
    static constexpr Ms kPoll{5};
    // How long a line waits for the client to take the one before, at most:
    // a client that reads nothing (it stalls, or ended) gets nothing more.
    static constexpr Ms kMostWait{2000};

    // `typed` learns each line written, to know its echo in the log.
    ConsoleInputMouth(ConsoleInput& input, engine::Clock& clock, TypedLines& typed)
        : input_(input), clock_(clock), typed_(typed) {}

    std::size_t mostCharacters() const override { return kMostCharacters; }
    Delivery type(const std::string& line) override;
    // The client took what was written (or nothing waits): it reads its
    // console frame by frame.
    bool answers() override;

  private:
    // Waits until the buffer is empty and a frame has passed since the client
    // read the last line; false when it did not read it in time.
    bool clientReady();

    ConsoleInput& input_;
    engine::Clock& clock_;
    TypedLines& typed_;
    std::optional<TimePoint> written_;    // the last write, until the next may go
    std::optional<TimePoint> seenEmpty_;  // when the buffer was first seen empty after it
};

}  // namespace varnok::console
