#pragma once
// The media-graph port over DirectShow: each graph is a new filter graph
// manager (CLSID_FilterGraph) driven through IMediaControl, IMediaPosition and
// IBasicAudio. COM must be initialised on the calling thread (the user
// interface thread does it once at start-up).

#include <memory>
#include <string>

#include "ports/MediaGraph.h"

struct IMediaControl;
struct IMediaPosition;
struct IBasicAudio;

namespace varnok::platform::win32 {

class DirectShowGraph : public player::MediaGraph {
  public:
    // Takes over the reference to `control`.
    explicit DirectShowGraph(IMediaControl* control);
    // Stops the graph and releases every interface of it.
    ~DirectShowGraph() override;
    DirectShowGraph(const DirectShowGraph&) = delete;
    DirectShowGraph& operator=(const DirectShowGraph&) = delete;

    // `path` is 8-bit text in the system code page.
    bool renderFile(const std::string& path) override;
    bool run() override;
    bool pause() override;
    bool stop() override;
    std::optional<double> duration() override;
    std::optional<double> position() override;
    bool setPosition(double seconds) override;
    bool setRate(double rate) override;
    bool setVolume(long hundredthsDb) override;
    // The volume the graph's audio renderer holds, in hundredths of a decibel.
    std::optional<long> volume();

  private:
    IMediaControl* control_ = nullptr;
    IMediaPosition* position_ = nullptr;  // from the same graph object
    IBasicAudio* audio_ = nullptr;
};

class DirectShowGraphFactory : public player::MediaGraphFactory {
  public:
    // A new filter graph manager; null when COM cannot make one.
    std::unique_ptr<player::MediaGraph> createGraph() override;
};

}  // namespace varnok::platform::win32
