#pragma once
// The media-graph port: one playback graph per started song. Opening a file
// takes a few hundred milliseconds (more for the first song), so it runs in
// the background and the graph says when it is done; the loop reads the game
// meanwhile. The Win32 adapter plays through Media Foundation's media session
// and falls back to a DirectShow filter graph for a file Media Foundation
// cannot open; tests use a fake graph with scripted durations and failures.
// Every call reports whether it succeeded; a failure never throws across the
// port.

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace varnok::player {

class MediaGraph {
  public:
    // True when the graph can play the file.
    using Opened = std::function<void(bool playable)>;

    virtual ~MediaGraph() = default;
    // Begins to open the file and returns at once. `opened` runs once, later,
    // inside a yield of the toolkit (never within this call); a graph released
    // before then never calls it. One file per graph.
    virtual void open(const std::string& path, Opened opened) = 0;
    virtual bool run() = 0;
    virtual bool pause() = 0;
    virtual bool stop() = 0;
    // Seconds; nothing when the graph cannot tell. At the end of the song the
    // position equals the duration.
    virtual std::optional<double> duration() = 0;
    virtual std::optional<double> position() = 0;
    virtual bool setPosition(double seconds) = 0;
    virtual bool setRate(double rate) = 0;
    // Hundredths of a decibel: 0 full volume, -10000 silence.
    virtual bool setVolume(long hundredthsDb) = 0;
};

class MediaGraphFactory {
  public:
    virtual ~MediaGraphFactory() = default;
    // A new, empty graph; null when the platform cannot make one.
    virtual std::unique_ptr<MediaGraph> createGraph() = 0;
};

}  // namespace varnok::player
