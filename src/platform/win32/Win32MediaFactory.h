#pragma once
// The media graphs Varnok.exe plays with: Media Foundation's media session
// with DirectShow behind it for the files it cannot open, or DirectShow alone
// where Media Foundation is missing or does not start. Media Foundation is
// started with the first song, so that start-up does not wait for it. Made,
// used and released on the user-interface thread, whose yields receive the
// graphs' answers.

#include <memory>

#include "platform/win32/DirectShowGraph.h"
#include "ports/MediaGraph.h"

namespace varnok::platform::win32 {

class MediaFoundation;
class UiThreadCalls;

class Win32MediaFactory : public player::MediaGraphFactory {
  public:
    enum class Engines { MediaFoundationFirst, DirectShowOnly };
    explicit Win32MediaFactory(Engines engines = Engines::MediaFoundationFirst);
    // Waits (at most 2 s) for released graphs to close their sessions before
    // Media Foundation shuts down.
    ~Win32MediaFactory() override;
    Win32MediaFactory(const Win32MediaFactory&) = delete;
    Win32MediaFactory& operator=(const Win32MediaFactory&) = delete;

    std::unique_ptr<player::MediaGraph> createGraph() override;

  private:
    std::shared_ptr<UiThreadCalls> ui_;
    bool mediaFoundationWanted_;  // and not tried yet
    std::shared_ptr<const MediaFoundation> mf_;
    DirectShowGraphFactory directShow_;
};

}  // namespace varnok::platform::win32
