#pragma once
// The media-graph port over DirectShow: each graph is a new filter graph
// manager (CLSID_FilterGraph) driven through IMediaControl, IMediaPosition and
// IBasicAudio. COM must be initialised on the calling thread (the user
// interface thread does it once at start-up). DirectShow builds the graph for
// a file in one call that returns when it is done (RenderFile); a thread of
// its own makes that call, so the loop goes on meanwhile, and its answer is
// posted to the user-interface thread. Under Wine that call never returns for
// some damaged files: after 10 s the file counts as unplayable, and nothing
// touches the graph the thread still holds. Varnok plays through DirectShow
// where Media Foundation cannot open a file or is missing.

#include <memory>
#include <string>

#include "platform/win32/UiThreadCalls.h"
#include "ports/MediaGraph.h"

struct IMediaControl;
struct IMediaPosition;
struct IBasicAudio;

namespace varnok::platform::win32 {

class DirectShowGraph : public player::MediaGraph {
  public:
    // Takes over the reference to `control`; answers opens through `ui`.
    DirectShowGraph(IMediaControl* control, std::shared_ptr<UiThreadCalls> ui);
    // Stops the graph and releases every interface of it.
    ~DirectShowGraph() override;
    DirectShowGraph(const DirectShowGraph&) = delete;
    DirectShowGraph& operator=(const DirectShowGraph&) = delete;

    // `path` is 8-bit text in the system code page.
    void open(const std::string& path, Opened opened) override;
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
    struct Render;
    // On the user-interface thread, once: the render's answer or the limit's.
    void answer(bool playable);
    // The graph holds the file: every other call waits for this.
    bool ready() const { return ready_; }

    std::shared_ptr<UiThreadCalls> ui_;
    LifeToken alive_ = makeLifeToken();
    Opened opened_;
    std::shared_ptr<Render> render_;  // shared with the render's thread
    bool ready_ = false;
    IMediaControl* control_ = nullptr;
    IMediaPosition* position_ = nullptr;  // from the same graph object
    IBasicAudio* audio_ = nullptr;
};

class DirectShowGraphFactory : public player::MediaGraphFactory {
  public:
    explicit DirectShowGraphFactory(std::shared_ptr<UiThreadCalls> ui) : ui_(std::move(ui)) {}
    // A new filter graph manager; null when COM cannot make one.
    std::unique_ptr<player::MediaGraph> createGraph() override;

  private:
    std::shared_ptr<UiThreadCalls> ui_;
};

}  // namespace varnok::platform::win32
