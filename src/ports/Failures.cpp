#include "ports/Failures.h"

#include <exception>
#include <utility>

namespace varnok::engine {

namespace {
FailureSink& sink() {
    static FailureSink installed;
    return installed;
}
}  // namespace

void setFailureSink(FailureSink newSink) {
    sink() = std::move(newSink);
}

void reportFailure(std::string_view where, std::string_view what) {
    if (!sink()) return;
    std::string line = "Varnok: ";
    line += where;
    line += " skipped: ";
    line += what;
    line += '\n';
    try {
        sink()(line);
    } catch (...) {
        // Writing the line down must not become a failure of its own.
    }
}

bool runContained(std::string_view where, const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (const std::exception& failure) {
        reportFailure(where, failure.what());
    } catch (...) {
        reportFailure(where, "an unknown exception");
    }
    return false;
}

}  // namespace varnok::engine
