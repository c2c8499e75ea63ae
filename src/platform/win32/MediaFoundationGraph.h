#pragma once
// The media-graph port over Media Foundation's media session. The source
// resolver opens the file on Media Foundation's own threads
// (BeginCreateObjectFromURL); there the file's first audio stream is connected
// to the streaming audio renderer in a new media session, and the file counts
// as open once the session has resolved that topology (found a decoder for
// it). The answer reaches the user-interface thread through UiThreadCalls.
// The position comes from the session's presentation clock, the end from its
// MESessionEnded event (the position is then the duration), the volume from
// the audio renderer's IMFSimpleAudioVolume. A released graph closes its
// session in the background.

#include <memory>
#include <optional>
#include <string>

#include "ports/MediaGraph.h"

namespace varnok::platform::win32 {

class MediaFoundation;
class UiThreadCalls;

class MediaFoundationGraph : public player::MediaGraph {
  public:
    // `mf` must outlive every session: see sessionsAlive().
    MediaFoundationGraph(const MediaFoundation& mf, std::shared_ptr<UiThreadCalls> ui);
    ~MediaFoundationGraph() override;
    MediaFoundationGraph(const MediaFoundationGraph&) = delete;
    MediaFoundationGraph& operator=(const MediaFoundationGraph&) = delete;

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
    // The volume the audio renderer holds, in hundredths of a decibel.
    std::optional<long> volume();

    // Sessions not yet closed and shut down, released graphs' included: Media
    // Foundation may be shut down only once none is left.
    static int sessionsAlive();

  private:
    class Session;  // what the graph shares with Media Foundation's threads
    std::shared_ptr<Session> session_;
};

}  // namespace varnok::platform::win32
