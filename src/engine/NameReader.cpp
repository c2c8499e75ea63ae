#include "engine/NameReader.h"

namespace varnok::engine {

namespace {
constexpr int kOpeningQuote = 3;  // the value follows the third quote
}

std::optional<std::string> readNameValue(std::string_view text,
                                         const std::function<bool()>& yield) {
    int quotes = 0;
    bool collecting = false;
    std::string collected;
    std::optional<std::string> value;
    for (char c : text) {
        if (!yield()) return std::nullopt;
        if (c != '"') {
            if (collecting) collected += c;
            continue;
        }
        ++quotes;
        if (collecting) {
            value = collected;
            collecting = false;
        } else if (quotes == kOpeningQuote) {
            collecting = true;
        }
    }
    return value;
}

}  // namespace varnok::engine
