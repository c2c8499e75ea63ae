#include "fakes/FakeMedia.h"

namespace varnok::fakes {

bool FakeGraph::renderFile(const std::string& path) {
    factory_.log.calls.push_back("render " + path);
    auto it = factory_.playable.find(path);
    if (it == factory_.playable.end()) return false;
    file = path;
    length = it->second;
    return true;
}

bool FakeGraph::run() {
    factory_.log.calls.push_back("run");
    state = State::Running;
    return true;
}

bool FakeGraph::pause() {
    factory_.log.calls.push_back("pause");
    state = State::Paused;
    return true;
}

bool FakeGraph::stop() {
    factory_.log.calls.push_back("stop");
    state = State::Stopped;
    return true;
}

std::optional<double> FakeGraph::duration() {
    if (file.empty()) return std::nullopt;
    return length;
}

std::optional<double> FakeGraph::position() {
    if (file.empty()) return std::nullopt;
    return at;
}

bool FakeGraph::setPosition(double seconds) {
    if (file.empty()) return false;
    factory_.log.calls.push_back("seek " + std::to_string(static_cast<int>(seconds)));
    at = seconds;
    return true;
}

bool FakeGraph::setRate(double r) {
    rate = r;
    return !file.empty();
}

bool FakeGraph::setVolume(long hundredthsDb) {
    if (file.empty()) return false;
    volume = hundredthsDb;
    factory_.log.volumes.push_back(hundredthsDb);
    return true;
}

std::unique_ptr<player::MediaGraph> FakeMediaFactory::createGraph() {
    auto graph = std::make_unique<FakeGraph>(*this);
    current = graph.get();
    ++graphsMade;
    return graph;
}

}  // namespace varnok::fakes
