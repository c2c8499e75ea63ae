#pragma once
// Number rules of the player: rounding halves to even, the slider-to-volume
// mapping and how a duration is written into the position label.

#include <cmath>
#include <string>

namespace varnok::player {

// The nearest whole number; a half goes to the even neighbour (2.5 -> 2, 3.5 -> 4).
inline double roundHalfEven(double value) {
    return std::nearbyint(value);  // the default rounding mode is to-nearest-even
}

// Rounded to two decimal places, halves to even.
inline double roundToHundredths(double value) {
    return std::nearbyint(value * 100.0) / 100.0;
}

// The volume slider runs from 0 (top, loudest) to 20 (bottom); each step is
// 1.25 dB quieter. The result is in hundredths of a decibel: 0 .. -2500.
constexpr long graphVolume(int sliderValue) {
    return -125L * sliderValue;
}

// The public loudness (20 loudest .. 0 lowest) runs against the slider.
constexpr int sliderForLoudness(int loudness) {
    return 20 - loudness;
}

// A decimal number without leading blank and without trailing zeros, at most
// two decimals: 215.43, 215.4, 215. The separator is ".".
std::string formatSeconds(double seconds);

}  // namespace varnok::player
