#pragma once
// Failures contained at a boundary: a turn of the loop, a window handler. An
// exception stops there, that step is skipped and the program goes on; one
// line about it goes to a sink the platform installs (the debugger's output
// on Windows), so that nothing here needs the platform.

#include <functional>
#include <string>
#include <string_view>

namespace varnok::engine {

// Where the lines go; none is installed at first, and then they go nowhere.
using FailureSink = std::function<void(const std::string& line)>;
void setFailureSink(FailureSink sink);

// Writes "Varnok: <where> skipped: <what>" to the sink.
void reportFailure(std::string_view where, std::string_view what);

// Runs `step`; an exception escaping it is reported and ends that step only.
// False when it failed.
bool runContained(std::string_view where, const std::function<void()>& step);

}  // namespace varnok::engine
