#include "platform/win32/MediaFoundation.h"

#include <string>

namespace varnok::platform::win32 {

namespace {

// From the system folder only, never from beside the exe.
HMODULE loadSystemLibrary(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    return LoadLibraryW((std::wstring(folder, length) + L"\\" + name).c_str());
}

template <typename Function>
bool find(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return function != nullptr;
}

}  // namespace

std::shared_ptr<const MediaFoundation> MediaFoundation::start() {
    std::shared_ptr<MediaFoundation> mf(new MediaFoundation);
    mf->mfplat_ = loadSystemLibrary(L"mfplat.dll");
    mf->mf_ = loadSystemLibrary(L"mf.dll");
    if (!mf->mfplat_ || !mf->mf_) return nullptr;
    decltype(&::MFStartup) startup = nullptr;
    const bool found =
        find(mf->mfplat_, "MFStartup", startup) && find(mf->mfplat_, "MFShutdown", mf->shutdown_) &&
        find(mf->mf_, "MFCreateSourceResolver", mf->createSourceResolver) &&
        find(mf->mf_, "MFCreateTopology", mf->createTopology) &&
        find(mf->mf_, "MFCreateTopologyNode", mf->createTopologyNode) &&
        find(mf->mf_, "MFCreateMediaSession", mf->createMediaSession) &&
        find(mf->mf_, "MFCreateAudioRendererActivate", mf->createAudioRendererActivate) &&
        find(mf->mf_, "MFGetService", mf->getService);
    if (!found) return nullptr;
    if (FAILED(startup(MF_VERSION, MFSTARTUP_FULL))) {
        mf->shutdown_ = nullptr;  // not started: nothing to shut down
        return nullptr;
    }
    return mf;
}

MediaFoundation::~MediaFoundation() {
    if (shutdown_) shutdown_();
    if (mf_) FreeLibrary(mf_);
    if (mfplat_) FreeLibrary(mfplat_);
}

}  // namespace varnok::platform::win32
