#include "platform/win32/DirectShowGraph.h"

#include <windows.h>

#include <dshow.h>
#include <oleauto.h>

#include "platform/win32/SystemText.h"

namespace varnok::platform::win32 {

namespace {

template <typename Interface>
void release(Interface*& pointer) {
    if (pointer) pointer->Release();
    pointer = nullptr;
}

}  // namespace

DirectShowGraph::DirectShowGraph(IMediaControl* control) : control_(control) {
    control_->QueryInterface(IID_IMediaPosition, reinterpret_cast<void**>(&position_));
    control_->QueryInterface(IID_IBasicAudio, reinterpret_cast<void**>(&audio_));
}

DirectShowGraph::~DirectShowGraph() {
    control_->Stop();
    release(audio_);
    release(position_);
    release(control_);
}

bool DirectShowGraph::renderFile(const std::string& path) {
    const std::wstring wide = toWide(path);
    // A file that is not there cannot play. Asked anyway, the graph fails just
    // the same but, under Wine, leaves a thread behind each time, which a
    // playlist on a drive that is gone repeats thousands of times. Addresses
    // ("scheme://...") are the graph's own to judge.
    if (wide.find(L"://") == std::wstring::npos &&
        GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES)
        return false;
    BSTR file = SysAllocString(wide.c_str());
    if (!file) return false;
    const HRESULT result = control_->RenderFile(file);
    SysFreeString(file);
    return SUCCEEDED(result);
}

bool DirectShowGraph::run() {
    return SUCCEEDED(control_->Run());
}

bool DirectShowGraph::pause() {
    return SUCCEEDED(control_->Pause());
}

bool DirectShowGraph::stop() {
    return SUCCEEDED(control_->Stop());
}

std::optional<double> DirectShowGraph::duration() {
    REFTIME seconds = 0;
    if (!position_ || FAILED(position_->get_Duration(&seconds))) return std::nullopt;
    return seconds;
}

std::optional<double> DirectShowGraph::position() {
    REFTIME seconds = 0;
    if (!position_ || FAILED(position_->get_CurrentPosition(&seconds))) return std::nullopt;
    return seconds;
}

bool DirectShowGraph::setPosition(double seconds) {
    return position_ && SUCCEEDED(position_->put_CurrentPosition(seconds));
}

bool DirectShowGraph::setRate(double rate) {
    return position_ && SUCCEEDED(position_->put_Rate(rate));
}

bool DirectShowGraph::setVolume(long hundredthsDb) {
    return audio_ && SUCCEEDED(audio_->put_Volume(hundredthsDb));
}

std::optional<long> DirectShowGraph::volume() {
    long hundredths = 0;
    if (!audio_ || FAILED(audio_->get_Volume(&hundredths))) return std::nullopt;
    return hundredths;
}

std::unique_ptr<player::MediaGraph> DirectShowGraphFactory::createGraph() {
    IMediaControl* control = nullptr;
    const HRESULT result = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_IMediaControl, reinterpret_cast<void**>(&control));
    if (FAILED(result) || !control) return nullptr;
    return std::make_unique<DirectShowGraph>(control);
}

}  // namespace varnok::platform::win32
