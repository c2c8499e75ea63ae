#include "fakes/FakeMedia.h"

#include "fakes/FakeToolkit.h"

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

void FakeGraph::open(const std::string& path, Opened opened) {
    factory_.log.calls.push_back("open " + path);
    auto it = factory_.playable.find(path);
    const bool playable = it != factory_.playable.end();
    if (playable) {
        file = path;
        length = it->second;
    }
    factory_.answer([alive = std::weak_ptr<bool>(alive_), opened = std::move(opened), playable] {
        if (!alive.expired()) opened(playable);
    });
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

void FakeMediaFactory::answer(std::function<void()> answer) {
    if (holdAnswers)
        held_.push_back(std::move(answer));
    else
        toolkit_.duringNextYield(std::move(answer));
}

void FakeMediaFactory::releaseAnswers() {
    holdAnswers = false;
    for (auto& answer : held_) toolkit_.duringNextYield(std::move(answer));
    held_.clear();
}

std::unique_ptr<player::MediaGraph> FakeMediaFactory::createGraph() {
    if (refuseGraphs) return nullptr;
    auto graph = std::make_unique<FakeGraph>(*this);
    current = graph.get();
    ++graphsMade;
    return graph;
}

}  // namespace varnok::fakes
