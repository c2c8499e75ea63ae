#pragma once
// A graph that opens its file with a first engine (Media Foundation) and, when
// that cannot play it, with a second (DirectShow), so that nothing that played
// through DirectShow alone stops playing. Every other call goes to the graph
// that opened the file.

#include <functional>
#include <memory>
#include <string>

#include "ports/MediaGraph.h"

namespace varnok::platform::win32 {

class FallbackGraph : public player::MediaGraph {
  public:
    using MakeGraph = std::function<std::unique_ptr<player::MediaGraph>()>;
    // `second` is made only when the first cannot open the file.
    FallbackGraph(std::unique_ptr<player::MediaGraph> first, MakeGraph second);

    void open(const std::string& path, Opened opened) override;
    bool run() override;
    bool pause() override;
    bool stop() override;
    std::optional<double> duration() override;
    std::optional<double> position() override;
    bool setPosition(double seconds) override;
    bool setRate(double rate) override;
    bool setVolume(long hundredthsDb) override;

    // The second engine was asked, the first having failed.
    bool fellBack() const { return fellBack_; }
    // The graph of the engine asked last.
    player::MediaGraph& engine() { return *current_; }

  private:
    std::unique_ptr<player::MediaGraph> current_;
    MakeGraph makeSecond_;
    bool fellBack_ = false;
};

}  // namespace varnok::platform::win32
