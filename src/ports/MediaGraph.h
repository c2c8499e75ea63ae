#pragma once
// The media-graph port: one playback graph per started song. The Win32 adapter
// is a DirectShow filter graph (IMediaControl, IMediaPosition, IBasicAudio);
// tests use a fake graph with scripted durations and failures. Every call
// reports whether it succeeded; a failure never throws across the port.

#include <memory>
#include <optional>
#include <string>

namespace varnok::player {

class MediaGraph {
  public:
    virtual ~MediaGraph() = default;
    // Builds the graph for the file; false when the file cannot be played.
    virtual bool renderFile(const std::string& path) = 0;
    virtual bool run() = 0;
    virtual bool pause() = 0;
    virtual bool stop() = 0;
    // Seconds; nothing when the graph cannot tell.
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
