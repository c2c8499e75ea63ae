#include "platform/win32/FallbackGraph.h"

#include <utility>

namespace varnok::platform::win32 {

FallbackGraph::FallbackGraph(std::unique_ptr<player::MediaGraph> first, MakeGraph second)
    : current_(std::move(first)), makeSecond_(std::move(second)) {}

// The first engine's graph goes as soon as it has failed: its answer is its
// last call, so releasing it inside the answer is safe.
void FallbackGraph::open(const std::string& path, Opened opened) {
    current_->open(path, [this, path, opened = std::move(opened)](bool playable) mutable {
        if (playable) return opened(true);
        fellBack_ = true;
        current_ = makeSecond_();
        if (!current_) return opened(false);
        current_->open(path, std::move(opened));
    });
}

bool FallbackGraph::run() {
    return current_ && current_->run();
}

bool FallbackGraph::pause() {
    return current_ && current_->pause();
}

bool FallbackGraph::stop() {
    return current_ && current_->stop();
}

std::optional<double> FallbackGraph::duration() {
    return current_ ? current_->duration() : std::nullopt;
}

std::optional<double> FallbackGraph::position() {
    return current_ ? current_->position() : std::nullopt;
}

bool FallbackGraph::setPosition(double seconds) {
    return current_ && current_->setPosition(seconds);
}

bool FallbackGraph::setRate(double rate) {
    return current_ && current_->setRate(rate);
}

bool FallbackGraph::setVolume(long hundredthsDb) {
    return current_ && current_->setVolume(hundredthsDb);
}

}  // namespace varnok::platform::win32
