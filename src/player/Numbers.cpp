#include "player/Numbers.h"

#include <cstdio>

namespace varnok::player {

std::string formatSeconds(double seconds) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", roundToHundredths(seconds));
    std::string text = buffer;
    while (!text.empty() && text.back() == '0') text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
    if (text == "-0") text = "0";
    return text;
}

}  // namespace varnok::player
