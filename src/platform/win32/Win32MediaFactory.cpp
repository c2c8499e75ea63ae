#include "platform/win32/Win32MediaFactory.h"

#include <windows.h>

#include "platform/win32/FallbackGraph.h"
#include "platform/win32/MediaFoundation.h"
#include "platform/win32/MediaFoundationGraph.h"
#include "platform/win32/UiThreadCalls.h"

namespace varnok::platform::win32 {

Win32MediaFactory::Win32MediaFactory(Engines engines)
    : ui_(std::make_shared<UiThreadCalls>()),
      mediaFoundationWanted_(engines == Engines::MediaFoundationFirst),
      directShow_(ui_) {}

// A session still alive then waits for an answer that never comes (Wine's
// resolver on a damaged file): Media Foundation is left running for it, since
// shutting it down under that session brings the process down at its exit.
Win32MediaFactory::~Win32MediaFactory() {
    const ULONGLONG until = GetTickCount64() + 2000;
    while (mf_ && MediaFoundationGraph::sessionsAlive() > 0 && GetTickCount64() < until) {
        ui_->runQueued();
        Sleep(10);
    }
    if (mf_ && MediaFoundationGraph::sessionsAlive() > 0)
        new std::shared_ptr<const MediaFoundation>(mf_);  // never shut down
}

std::unique_ptr<player::MediaGraph> Win32MediaFactory::createGraph() {
    if (mediaFoundationWanted_) {
        mediaFoundationWanted_ = false;
        mf_ = MediaFoundation::start();
    }
    if (!mf_) return directShow_.createGraph();
    return std::make_unique<FallbackGraph>(std::make_unique<MediaFoundationGraph>(*mf_, ui_),
                                           [this] { return directShow_.createGraph(); });
}

}  // namespace varnok::platform::win32
