#pragma once
// Media Foundation, found at run time: the functions the media session graph
// uses, looked up in mf.dll and mfplat.dll, and the platform started. A
// Windows without Media Foundation (the N editions without their media pack)
// has neither DLL; Varnok.exe, which would not even start with them imported,
// plays through DirectShow alone there.

#include <mfapi.h>
#include <mfidl.h>

#include <memory>

namespace varnok::platform::win32 {

class MediaFoundation {
  public:
    // Loads and starts Media Foundation; null when this Windows has none or it
    // does not start.
    static std::shared_ptr<const MediaFoundation> start();
    // Shuts the platform down.
    ~MediaFoundation();
    MediaFoundation(const MediaFoundation&) = delete;
    MediaFoundation& operator=(const MediaFoundation&) = delete;

    decltype(&::MFCreateSourceResolver) createSourceResolver = nullptr;
    decltype(&::MFCreateTopology) createTopology = nullptr;
    decltype(&::MFCreateTopologyNode) createTopologyNode = nullptr;
    decltype(&::MFCreateMediaSession) createMediaSession = nullptr;
    decltype(&::MFCreateAudioRendererActivate) createAudioRendererActivate = nullptr;
    decltype(&::MFGetService) getService = nullptr;

  private:
    MediaFoundation() = default;
    HMODULE mf_ = nullptr;
    HMODULE mfplat_ = nullptr;
    decltype(&::MFShutdown) shutdown_ = nullptr;
};

}  // namespace varnok::platform::win32
