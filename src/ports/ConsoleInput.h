#pragma once
// The console-input port: Varnok's console's input buffer, which a community
// client started on that console (GameStarter.h) reads as typed commands. The
// adapter only counts and writes; when to write (one line a write, the next
// only once the game has taken the last) is the caller's rule.

#include <cstddef>
#include <optional>
#include <string_view>

namespace varnok::console {

class ConsoleInput {
  public:
    virtual ~ConsoleInput() = default;

    // The input records waiting in the buffer; nothing when Varnok has no console.
    virtual std::optional<std::size_t> waiting() = 0;
    // Types `line` and Enter in one write: a key-down record for each
    // character (virtual-key code 0, so that no character acts as an editing
    // key), then Enter (VK_RETURN). False when it was not written whole.
    virtual bool write(std::string_view line) = 0;
};

}  // namespace varnok::console
