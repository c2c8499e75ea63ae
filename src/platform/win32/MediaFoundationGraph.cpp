#include "platform/win32/MediaFoundationGraph.h"

#include <windows.h>

#include <mfapi.h>
#include <mferror.h>
#include <mfidl.h>
#include <wrl/client.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>
#include <mutex>

#include "platform/win32/MediaFoundation.h"
#include "platform/win32/SystemText.h"
#include "platform/win32/UiThreadCalls.h"

using Microsoft::WRL::ComPtr;

namespace varnok::platform::win32 {

namespace {

constexpr double kTicksPerSecond = 1e7;  // Media Foundation's 100-nanosecond units
// Wine's resolver sometimes never answers for a damaged file: after this long
// the file counts as one Media Foundation cannot open. A first song of a fresh
// machine that is merely slow then plays through DirectShow.
constexpr unsigned kOpenLimitMs = 5000;

std::atomic<int> liveSessions{0};

LONGLONG ticksOf(double seconds) {
    return static_cast<LONGLONG>(std::llround(seconds * kTicksPerSecond));
}

// An IMFAsyncCallback that hands itself and the result to a function, on
// whichever of Media Foundation's threads finished the work. The function
// holds the session; forget() lets it go once no more calls are wanted, since
// Wine's source resolver keeps its callbacks for as long as the process.
class AsyncCallback final : public IMFAsyncCallback {
  public:
    using Handler = std::function<void(IMFAsyncCallback* self, IMFAsyncResult* result)>;
    static ComPtr<IMFAsyncCallback> make(Handler handler) {
        ComPtr<IMFAsyncCallback> made;
        made.Attach(new AsyncCallback(std::move(handler)));
        return made;
    }

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid != IID_IUnknown && iid != IID_IMFAsyncCallback) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IMFAsyncCallback*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&references_); }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return left;
    }
    STDMETHODIMP GetParameters(DWORD*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(IMFAsyncResult* result) override {
        const Handler handler = handler_;  // forget() may drop the member meanwhile
        if (handler) handler(this, result);
        return S_OK;
    }
    // From inside the function only.
    static void forget(IMFAsyncCallback* self) {
        static_cast<AsyncCallback*>(self)->handler_ = nullptr;
    }

  private:
    explicit AsyncCallback(Handler handler) : handler_(std::move(handler)) {}
    ~AsyncCallback() = default;
    LONG references_ = 1;
    Handler handler_;
};

}  // namespace

// Lives while Media Foundation may still call it: the callbacks of the source
// resolver and of the session's events hold it, so a released graph's session
// is closed and shut down here, on Media Foundation's threads, once it says it
// has closed. What both sides touch is guarded by `lock_`; the transport state
// is the user-interface thread's alone.
class MediaFoundationGraph::Session : public std::enable_shared_from_this<Session> {
  public:
    Session(const MediaFoundation& mf, std::shared_ptr<UiThreadCalls> ui)
        : mf_(mf), ui_(std::move(ui)) {
        ++liveSessions;
    }
    ~Session() { --liveSessions; }

    // --- The user-interface thread ---

    void open(const std::wstring& path, Opened opened) {
        opened_ = std::move(opened);
        std::lock_guard<std::mutex> lock(lock_);
        // A file that is not there cannot play; addresses are the resolver's.
        const bool missing = path.find(L"://") == std::wstring::npos &&
                             GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
        HRESULT result = missing ? E_FAIL : mf_.createSourceResolver(&resolver_);
        if (SUCCEEDED(result)) {
            auto resolved = AsyncCallback::make(
                [self = shared_from_this()](IMFAsyncCallback* me, IMFAsyncResult* done) {
                    self->sourceResolved(done);
                    AsyncCallback::forget(me);
                });
            // The content decides, not the ending: an ".oga" or a mislabelled
            // file is tried with every handler.
            result = resolver_->BeginCreateObjectFromURL(
                path.c_str(),
                MF_RESOLUTION_MEDIASOURCE |
                    MF_RESOLUTION_CONTENT_DOES_NOT_HAVE_TO_MATCH_EXTENSION_OR_MIME_TYPE,
                nullptr, nullptr, resolved.Get(), nullptr);
        }
        if (FAILED(result)) {
            resolver_.Reset();
            answer(false);
            return;
        }
        ui_->after(kOpenLimitMs, [weak = weak_from_this()] {
            if (const std::shared_ptr<Session> self = weak.lock()) {
                std::lock_guard<std::mutex> lock(self->lock_);
                self->answer(false);
            }
        });
    }

    // The graph is released: no answer any more, and the session closes.
    void close() {
        opened_ = nullptr;
        std::lock_guard<std::mutex> lock(lock_);
        stage_ = Stage::Closed;
        if (!session_ || FAILED(session_->Close())) shutDown();
    }

    bool run() {
        ComPtr<IMFMediaSession> session = openSession();
        if (!session) return false;
        PROPVARIANT from;
        PropVariantInit(&from);  // VT_EMPTY: from where it is
        if (startAt_) {
            from.vt = VT_I8;
            from.hVal.QuadPart = ticksOf(*startAt_);
        }
        // Before the start: its MESessionStarted may come before Start returns.
        if (startAt_) seekingTo(*startAt_);
        if (FAILED(session->Start(&GUID_NULL, &from))) {
            seeking_ = false;
            return false;
        }
        startAt_.reset();
        transport_ = Transport::Running;
        return true;
    }

    // From a stop there is nothing to pause: the next run starts.
    bool pause() {
        ComPtr<IMFMediaSession> session = openSession();
        if (!session) return false;
        if (transport_ == Transport::Running && FAILED(session->Pause())) return false;
        if (transport_ == Transport::Running) transport_ = Transport::Paused;
        return true;
    }

    bool stop() {
        ComPtr<IMFMediaSession> session = openSession();
        if (!session) return false;
        if (transport_ != Transport::Stopped && FAILED(session->Stop())) return false;
        transport_ = Transport::Stopped;
        return true;
    }

    std::optional<double> duration() {
        if (!openSession()) return std::nullopt;
        return static_cast<double>(duration_) / kTicksPerSecond;
    }

    // A move not yet made counts as made; once the session has said it
    // ended, the position is the duration.
    std::optional<double> position() {
        if (!openSession()) return std::nullopt;
        const double length = static_cast<double>(duration_) / kTicksPerSecond;
        if (ended_) return length;
        if (startAt_) return *startAt_;
        if (seeking_) return seekTarget_;
        ComPtr<IMFPresentationClock> clock = presentationClock();
        MFTIME now = 0;
        if (!clock || FAILED(clock->GetTime(&now))) return std::nullopt;
        return std::min(static_cast<double>(now) / kTicksPerSecond, length);
    }

    // While running the session moves at once; otherwise the next run starts there.
    bool setPosition(double seconds) {
        ComPtr<IMFMediaSession> session = openSession();
        if (!session) return false;
        ended_ = false;
        if (transport_ != Transport::Running) {
            startAt_ = seconds;
            return true;
        }
        PROPVARIANT from;
        PropVariantInit(&from);
        from.vt = VT_I8;
        from.hVal.QuadPart = ticksOf(seconds);
        seekingTo(seconds);
        if (FAILED(session->Start(&GUID_NULL, &from))) {
            seeking_ = false;
            return false;
        }
        return true;
    }

    bool setRate(double rate) {
        ComPtr<IMFMediaSession> session = openSession();
        ComPtr<IMFRateControl> control;
        if (!session ||
            FAILED(mf_.getService(session.Get(), MF_RATE_CONTROL_SERVICE, IID_PPV_ARGS(&control))))
            return false;
        BOOL thinned = FALSE;
        float now = 0;
        if (SUCCEEDED(control->GetRate(&thinned, &now)) && !thinned && now == rate) return true;
        return SUCCEEDED(control->SetRate(FALSE, static_cast<float>(rate)));
    }

    // The renderer's level is an amplitude factor: -6 dB is one half.
    bool setVolume(long hundredthsDb) {
        ComPtr<IMFSimpleAudioVolume> volume = audioVolume();
        if (!volume) return false;
        const float level = hundredthsDb <= -10000
                                ? 0.0f
                                : static_cast<float>(std::pow(10.0, hundredthsDb / 2000.0));
        return SUCCEEDED(volume->SetMasterVolume(std::clamp(level, 0.0f, 1.0f)));
    }

    std::optional<long> volume() {
        ComPtr<IMFSimpleAudioVolume> volume = audioVolume();
        float level = 0;
        if (!volume || FAILED(volume->GetMasterVolume(&level))) return std::nullopt;
        if (level <= 0.00001f) return -10000L;
        return std::lround(2000.0 * std::log10(level));
    }

  private:
    enum class Stage { Opening, Open, Failed, Closed };
    enum class Transport { Stopped, Running, Paused };

    // --- Media Foundation's threads ---

    // The resolver goes once it has answered: it holds the callback, which
    // holds this session.
    void sourceResolved(IMFAsyncResult* done) {
        MF_OBJECT_TYPE type = MF_OBJECT_INVALID;
        ComPtr<IUnknown> object;
        ComPtr<IMFMediaSource> source;
        ComPtr<IMFSourceResolver> resolver;
        {
            std::lock_guard<std::mutex> lock(lock_);
            resolver.Swap(resolver_);
        }
        HRESULT result = resolver->EndCreateObjectFromURL(done, &type, &object);
        resolver.Reset();
        if (SUCCEEDED(result)) result = object.As(&source);
        std::lock_guard<std::mutex> lock(lock_);
        if (stage_ != Stage::Opening) {  // released meanwhile
            if (source) source->Shutdown();
            return;
        }
        source_ = source;
        if (FAILED(result) || FAILED(connect())) {
            shutDown();
            answer(false);
        }
    }

    // The first audio stream to the audio renderer, every other stream (a
    // cover picture is a video stream) left out, in a new session that
    // resolves the topology; its events say how that went.
    HRESULT connect() {
        ComPtr<IMFPresentationDescriptor> presentation;
        HRESULT result = source_->CreatePresentationDescriptor(&presentation);
        UINT64 length = 0;
        if (SUCCEEDED(result)) result = presentation->GetUINT64(MF_PD_DURATION, &length);
        if (SUCCEEDED(result) && length == 0) result = MF_E_NOT_FOUND;
        duration_ = static_cast<LONGLONG>(length);
        ComPtr<IMFTopology> topology;
        if (SUCCEEDED(result)) result = mf_.createTopology(&topology);
        DWORD streams = 0;
        if (SUCCEEDED(result)) result = presentation->GetStreamDescriptorCount(&streams);
        bool connected = false;
        for (DWORD i = 0; SUCCEEDED(result) && i < streams; ++i) {
            BOOL selected = FALSE;
            ComPtr<IMFStreamDescriptor> stream;
            result = presentation->GetStreamDescriptorByIndex(i, &selected, &stream);
            if (FAILED(result)) break;
            if (connected || !isAudio(stream.Get())) {
                result = presentation->DeselectStream(i);
                continue;
            }
            result = presentation->SelectStream(i);
            if (SUCCEEDED(result))
                result = connectStream(topology.Get(), presentation.Get(), stream.Get());
            connected = SUCCEEDED(result);
        }
        if (SUCCEEDED(result) && !connected) result = MF_E_INVALIDSTREAMNUMBER;
        if (SUCCEEDED(result)) result = mf_.createMediaSession(nullptr, &session_);
        if (FAILED(result)) return result;
        auto events = AsyncCallback::make(
            [self = shared_from_this()](IMFAsyncCallback* again, IMFAsyncResult* done) {
                self->sessionEvent(again, done);
            });
        result = session_->BeginGetEvent(events.Get(), nullptr);
        if (SUCCEEDED(result)) result = session_->SetTopology(0, topology.Get());
        return result;
    }

    static bool isAudio(IMFStreamDescriptor* stream) {
        ComPtr<IMFMediaTypeHandler> handler;
        GUID major = GUID_NULL;
        return SUCCEEDED(stream->GetMediaTypeHandler(&handler)) &&
               SUCCEEDED(handler->GetMajorType(&major)) && major == MFMediaType_Audio;
    }

    HRESULT connectStream(IMFTopology* topology, IMFPresentationDescriptor* presentation,
                          IMFStreamDescriptor* stream) {
        ComPtr<IMFTopologyNode> from, to;
        ComPtr<IMFActivate> renderer;
        HRESULT result = mf_.createTopologyNode(MF_TOPOLOGY_SOURCESTREAM_NODE, &from);
        if (SUCCEEDED(result)) result = from->SetUnknown(MF_TOPONODE_SOURCE, source_.Get());
        if (SUCCEEDED(result))
            result = from->SetUnknown(MF_TOPONODE_PRESENTATION_DESCRIPTOR, presentation);
        if (SUCCEEDED(result)) result = from->SetUnknown(MF_TOPONODE_STREAM_DESCRIPTOR, stream);
        if (SUCCEEDED(result)) result = topology->AddNode(from.Get());
        if (SUCCEEDED(result)) result = mf_.createAudioRendererActivate(&renderer);
        if (SUCCEEDED(result)) result = mf_.createTopologyNode(MF_TOPOLOGY_OUTPUT_NODE, &to);
        if (SUCCEEDED(result)) result = to->SetObject(renderer.Get());
        if (SUCCEEDED(result)) result = topology->AddNode(to.Get());
        if (SUCCEEDED(result)) result = from->ConnectOutput(0, to.Get(), 0);
        return result;
    }

    void sessionEvent(IMFAsyncCallback* again, IMFAsyncResult* done) {
        ComPtr<IMFMediaSession> session;
        {
            std::lock_guard<std::mutex> lock(lock_);
            session = session_;
        }
        ComPtr<IMFMediaEvent> event;
        if (!session || FAILED(session->EndGetEvent(done, &event))) {  // shut down
            AsyncCallback::forget(again);
            return;
        }
        MediaEventType type = MEUnknown;
        HRESULT status = S_OK;
        event->GetType(&type);
        event->GetStatus(&status);
        std::lock_guard<std::mutex> lock(lock_);
        switch (type) {
            case MESessionTopologyStatus: {
                UINT32 topologyStatus = 0;
                event->GetUINT32(MF_EVENT_TOPOLOGY_STATUS, &topologyStatus);
                if (FAILED(status)) answer(false);
                if (SUCCEEDED(status) && topologyStatus == MF_TOPOSTATUS_READY) answer(true);
                break;
            }
            case MESessionTopologySet:
                if (FAILED(status)) answer(false);
                break;
            case MESessionStarted:
                seeking_ = false;
                if (FAILED(status)) ended_ = true;
                break;
            // A song that breaks off while it plays has ended.
            case MEError:
                if (stage_ == Stage::Opening) answer(false);
                ended_ = true;
                break;
            case MESessionEnded:
                ended_ = true;
                break;
            // Shut down on the user-interface thread: shutting the session down
            // inside its own event's callback frees what Wine's event queue
            // still uses after the callback (the heap breaks soon after).
            case MESessionClosed:
                AsyncCallback::forget(again);
                ui_->post([self = shared_from_this()] {
                    std::lock_guard<std::mutex> lock(self->lock_);
                    self->shutDown();
                });
                return;  // no more events
            default:
                break;
        }
        if (session_) session_->BeginGetEvent(again, nullptr);
    }

    // With `lock_` held. The answer runs in the user-interface thread's next
    // yield, once.
    void answer(bool playable) {
        if (stage_ != Stage::Opening) return;
        stage_ = playable ? Stage::Open : Stage::Failed;
        ui_->post([self = shared_from_this(), playable] { self->deliver(playable); });
    }

    // With `lock_` held.
    void shutDown() {
        if (source_) source_->Shutdown();
        if (session_) session_->Shutdown();
        source_.Reset();
        session_.Reset();
        clock_.Reset();
        volume_.Reset();
    }

    // --- The user-interface thread ---

    void deliver(bool playable) {
        Opened opened = std::move(opened_);
        opened_ = nullptr;
        if (opened) opened(playable);
    }

    ComPtr<IMFMediaSession> openSession() {
        std::lock_guard<std::mutex> lock(lock_);
        return stage_ == Stage::Open ? session_ : nullptr;
    }

    ComPtr<IMFPresentationClock> presentationClock() {
        std::lock_guard<std::mutex> lock(lock_);
        if (!clock_ && session_) {
            ComPtr<IMFClock> clock;
            if (SUCCEEDED(session_->GetClock(&clock))) clock.As(&clock_);
        }
        return clock_;
    }

    ComPtr<IMFSimpleAudioVolume> audioVolume() {
        std::lock_guard<std::mutex> lock(lock_);
        if (!volume_ && session_ && stage_ == Stage::Open)
            mf_.getService(session_.Get(), MR_POLICY_VOLUME_SERVICE, IID_PPV_ARGS(&volume_));
        return volume_;
    }

    void seekingTo(double seconds) {
        seekTarget_ = seconds;
        seeking_ = true;
    }

    const MediaFoundation& mf_;
    const std::shared_ptr<UiThreadCalls> ui_;

    std::mutex lock_;
    Stage stage_ = Stage::Opening;
    ComPtr<IMFSourceResolver> resolver_;  // while it resolves
    ComPtr<IMFMediaSource> source_;
    ComPtr<IMFMediaSession> session_;
    ComPtr<IMFPresentationClock> clock_;
    ComPtr<IMFSimpleAudioVolume> volume_;
    LONGLONG duration_ = 0;  // set before the answer, read after it
    std::atomic<bool> ended_{false};
    std::atomic<bool> seeking_{false};  // a move asked of the running session, not yet made

    // The user-interface thread's.
    Opened opened_;
    Transport transport_ = Transport::Stopped;
    std::optional<double> startAt_;  // where the next run starts
    double seekTarget_ = 0;
};

MediaFoundationGraph::MediaFoundationGraph(const MediaFoundation& mf,
                                           std::shared_ptr<UiThreadCalls> ui)
    : session_(std::make_shared<Session>(mf, std::move(ui))) {}

MediaFoundationGraph::~MediaFoundationGraph() {
    session_->close();
}

void MediaFoundationGraph::open(const std::string& path, Opened opened) {
    session_->open(toWide(path), std::move(opened));
}

bool MediaFoundationGraph::run() {
    return session_->run();
}

bool MediaFoundationGraph::pause() {
    return session_->pause();
}

bool MediaFoundationGraph::stop() {
    return session_->stop();
}

std::optional<double> MediaFoundationGraph::duration() {
    return session_->duration();
}

std::optional<double> MediaFoundationGraph::position() {
    return session_->position();
}

bool MediaFoundationGraph::setPosition(double seconds) {
    return session_->setPosition(seconds);
}

bool MediaFoundationGraph::setRate(double rate) {
    return session_->setRate(rate);
}

bool MediaFoundationGraph::setVolume(long hundredthsDb) {
    return session_->setVolume(hundredthsDb);
}

std::optional<long> MediaFoundationGraph::volume() {
    return session_->volume();
}

int MediaFoundationGraph::sessionsAlive() {
    return liveSessions;
}

}  // namespace varnok::platform::win32
