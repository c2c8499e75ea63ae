#include "fakes/FakeMedia.h"

namespace varnok::fakes {

FakeGraph::~FakeGraph() {
    factory_.log.calls.push_back("release");
    ++factory_.graphsReleased;
    if (factory_.current == this) factory_.current = nullptr;
}

bool FakeGraph::fails(const std::string& call) const {
    return factory_.failingCalls.count(call) > 0 ||
           factory_.failingCalls.count(call + " " + file) > 0;
}

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
    if (fails("run")) return false;
    state = State::Running;
    return true;
}

bool FakeGraph::pause() {
    factory_.log.calls.push_back("pause");
    if (fails("pause")) return false;
    state = State::Paused;
    return true;
}

bool FakeGraph::stop() {
    factory_.log.calls.push_back("stop");
    if (fails("stop")) return false;
    state = State::Stopped;
    return true;
}

std::optional<double> FakeGraph::duration() {
    if (file.empty() || fails("duration")) return std::nullopt;
    return length;
}

std::optional<double> FakeGraph::position() {
    if (file.empty() || fails("position")) return std::nullopt;
    return at;
}

bool FakeGraph::setPosition(double seconds) {
    if (file.empty() || fails("seek")) return false;
    factory_.log.calls.push_back("seek " + std::to_string(static_cast<int>(seconds)));
    at = seconds;
    return true;
}

bool FakeGraph::setRate(double r) {
    if (file.empty() || fails("rate")) return false;
    rate = r;
    return true;
}

bool FakeGraph::setVolume(long hundredthsDb) {
    if (file.empty() || fails("volume")) return false;
    volume = hundredthsDb;
    factory_.log.volumes.push_back(hundredthsDb);
    return true;
}

std::unique_ptr<player::MediaGraph> FakeMediaFactory::createGraph() {
    if (refuseGraphs) return nullptr;
    auto graph = std::make_unique<FakeGraph>(*this);
    current = graph.get();
    ++graphsMade;
    return graph;
}

}  // namespace varnok::fakes
