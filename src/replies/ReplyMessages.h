#pragma once
// The four reply messages the user writes, each a one-line text with an
// enabled flag. Only the flag value 1 enables a message; a reply file may load
// any value from 0 to 255.

#include <cstdint>
#include <string>

namespace varnok::replies {

struct ReplyMessages {
    std::string Greet;  // another player entered; "%d" is that player
    std::uint8_t GreetEn = 0;
    std::string Death;  // the local player killed himself or herself
    std::uint8_t DeathEn = 0;
    std::string Enter;  // the local player's own entry, after the announcement
    std::uint8_t EnterEn = 0;
    std::string limit;  // the time or kill limit ended the match
    std::uint8_t Limiten = 0;

    // The text and flag of the message at a menu index 0..3 (greeting,
    // self-kill, own entry, limit); null for any other index.
    std::string* textAt(int index);
    std::uint8_t* flagAt(int index);
};

inline bool isEnabled(std::uint8_t flag) {
    return flag == 1;
}

}  // namespace varnok::replies
