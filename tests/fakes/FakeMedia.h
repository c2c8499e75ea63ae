#pragma once
// A fake media graph: files play when the test has registered them with a
// duration; anything else fails to open. An open is answered in the toolkit's
// next yield, or, while the factory holds the answers, once the test lets them
// go. The graph's position is set by the test (to simulate playing time) or by
// the player's seeks. Single calls can be made to fail: "run", "pause",
// "stop", "rate", "duration", "position", "seek" and "volume" fail for every
// file, or only for one with "<call> <path>".

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ports/MediaGraph.h"

namespace varnok::fakes {

class FakeToolkit;

struct FakeGraphLog {
    std::vector<std::string> calls;  // "open <path>", "run", "pause", "stop", ...
    std::vector<long> volumes;
};

class FakeMediaFactory;

class FakeGraph : public player::MediaGraph {
  public:
    FakeGraph(FakeMediaFactory& factory) : factory_(factory) {}
    ~FakeGraph() override;
    void open(const std::string& path, Opened opened) override;
    bool run() override;
    bool pause() override;
    bool stop() override;
    std::optional<double> duration() override;
    std::optional<double> position() override;
    bool setPosition(double seconds) override;
    bool setRate(double rate) override;
    bool setVolume(long hundredthsDb) override;

    std::string file;
    double length = 0.0;
    double at = 0.0;
    double rate = 0.0;
    long volume = 0;
    enum class State { Stopped, Running, Paused } state = State::Stopped;

  private:
    bool fails(const std::string& call) const;
    FakeMediaFactory& factory_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);  // answers need it
};

class FakeMediaFactory : public player::MediaGraphFactory {
  public:
    explicit FakeMediaFactory(FakeToolkit& toolkit) : toolkit_(toolkit) {}
    std::unique_ptr<player::MediaGraph> createGraph() override;

    // An open's answer, for the next yield or held.
    void answer(std::function<void()> answer);
    // The held answers go out in the next yield.
    void releaseAnswers();
    bool holdAnswers = false;

    // Files that render, with their durations in seconds.
    std::map<std::string, double> playable;
    FakeGraphLog log;
    std::set<std::string> failingCalls;
    FakeGraph* current = nullptr;  // the latest graph made while it lives (owned by the player)
    int graphsMade = 0;
    int graphsReleased = 0;
    bool refuseGraphs = false;  // createGraph gives nothing

  private:
    FakeToolkit& toolkit_;
    std::vector<std::function<void()>> held_;
};

}  // namespace varnok::fakes
