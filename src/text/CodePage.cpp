#include "text/CodePage.h"

namespace varnok::text {

// Characters are walked from the start: a trail byte can hold any value a
// lead byte can, so a boundary cannot be told from the bytes near the cut.
std::string_view cutAtCharacter(std::string_view s, std::size_t most, LeadByteTest isLead) {
    std::size_t at = 0;
    while (at < s.size()) {
        const std::size_t width =
            isLead(static_cast<unsigned char>(s[at])) && at + 1 < s.size() ? 2 : 1;
        if (at + width > most) break;
        at += width;
    }
    return s.substr(0, at);
}

}  // namespace varnok::text
