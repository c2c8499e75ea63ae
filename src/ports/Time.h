#pragma once
// The program's one time type: the clock's local time, and the milliseconds
// every wait and interval is counted in.

#include <chrono>

namespace varnok {

using TimePoint = std::chrono::system_clock::time_point;
using Ms = std::chrono::milliseconds;

}  // namespace varnok
