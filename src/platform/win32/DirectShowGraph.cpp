#include "platform/win32/DirectShowGraph.h"

#include <windows.h>

#include <dshow.h>
#include <oleauto.h>

#include <atomic>
#include <thread>

#include "platform/win32/SystemText.h"

namespace varnok::platform::win32 {

namespace {

constexpr unsigned kRenderLimitMs = 10000;

template <typename Interface>
void release(Interface*& pointer) {
    if (pointer) pointer->Release();
    pointer = nullptr;
}

}  // namespace

// What the graph shares with the thread that renders its file.
struct DirectShowGraph::Render {
    std::atomic<bool> answered{false};  // by the render or by the limit
    std::atomic<bool> finished{false};  // RenderFile has returned
};

DirectShowGraph::DirectShowGraph(IMediaControl* control, std::shared_ptr<UiThreadCalls> ui)
    : ui_(std::move(ui)), control_(control) {
    control_->QueryInterface(IID_IMediaPosition, reinterpret_cast<void**>(&position_));
    control_->QueryInterface(IID_IBasicAudio, reinterpret_cast<void**>(&audio_));
}

// A graph still rendering is only let go: its own calls would wait for the
// render, which may never end.
DirectShowGraph::~DirectShowGraph() {
    if (!render_ || render_->finished) control_->Stop();
    release(audio_);
    release(position_);
    release(control_);
}

void DirectShowGraph::open(const std::string& path, Opened opened) {
    opened_ = std::move(opened);
    const std::wstring wide = toWide(path);
    // A file that is not there cannot play. Asked anyway, the graph fails just
    // the same but, under Wine, leaves a thread behind each time, which a
    // playlist on a drive that is gone repeats thousands of times. Addresses
    // ("scheme://...") are the graph's own to judge.
    if (wide.find(L"://") == std::wstring::npos &&
        GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES) {
        ui_->post(whileAlive(alive_, [this] { answer(false); }));
        return;
    }
    render_ = std::make_shared<Render>();
    control_->AddRef();  // the thread's own, released when RenderFile returns
    std::thread([control = control_, render = render_, ui = ui_, wide,
                 answer = whileAlive(alive_, [this] { answer(true); }),
                 refuse = whileAlive(alive_, [this] { answer(false); })] {
        const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        BSTR file = SysAllocString(wide.c_str());
        const bool playable = file && SUCCEEDED(control->RenderFile(file));
        SysFreeString(file);
        render->finished = true;
        control->Release();
        if (SUCCEEDED(com)) CoUninitialize();
        if (!render->answered.exchange(true)) ui->post(playable ? answer : refuse);
    }).detach();
    ui_->after(kRenderLimitMs, whileAlive(alive_, [this, render = render_] {
                   if (!render->answered.exchange(true)) answer(false);
               }));
}

void DirectShowGraph::answer(bool playable) {
    ready_ = playable;
    Opened opened = std::move(opened_);
    opened_ = nullptr;
    if (opened) opened(playable);
}

bool DirectShowGraph::run() {
    return ready() && SUCCEEDED(control_->Run());
}

bool DirectShowGraph::pause() {
    return ready() && SUCCEEDED(control_->Pause());
}

bool DirectShowGraph::stop() {
    return ready() && SUCCEEDED(control_->Stop());
}

std::optional<double> DirectShowGraph::duration() {
    REFTIME seconds = 0;
    if (!ready() || !position_ || FAILED(position_->get_Duration(&seconds))) return std::nullopt;
    return seconds;
}

std::optional<double> DirectShowGraph::position() {
    REFTIME seconds = 0;
    if (!ready() || !position_ || FAILED(position_->get_CurrentPosition(&seconds)))
        return std::nullopt;
    return seconds;
}

bool DirectShowGraph::setPosition(double seconds) {
    return ready() && position_ && SUCCEEDED(position_->put_CurrentPosition(seconds));
}

bool DirectShowGraph::setRate(double rate) {
    return ready() && position_ && SUCCEEDED(position_->put_Rate(rate));
}

bool DirectShowGraph::setVolume(long hundredthsDb) {
    return ready() && audio_ && SUCCEEDED(audio_->put_Volume(hundredthsDb));
}

std::optional<long> DirectShowGraph::volume() {
    long hundredths = 0;
    if (!ready() || !audio_ || FAILED(audio_->get_Volume(&hundredths))) return std::nullopt;
    return hundredths;
}

std::unique_ptr<player::MediaGraph> DirectShowGraphFactory::createGraph() {
    IMediaControl* control = nullptr;
    const HRESULT result = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_IMediaControl, reinterpret_cast<void**>(&control));
    if (FAILED(result) || !control) return nullptr;
    return std::make_unique<DirectShowGraph>(control, ui_);
}

}  // namespace varnok::platform::win32
