// How long a song takes to open, and how long the thread that opens it (the
// loop's thread in Varnok.exe) is held meanwhile, with each way of playing:
//   varnok_media_bench FOLDER before|directshow|mediafoundation ROUNDS
// "before" is the synchronous open Varnok made until Media Foundation came:
// a DirectShow filter graph built with RenderFile on the calling thread, then
// Run, the rate, the duration and the volume. "directshow" and
// "mediafoundation" are Varnok's graphs (DirectShow alone, and Media
// Foundation with DirectShow behind it): open() returns at once and the
// answer is dispatched later; the start sequence runs in the answer, as the
// player runs it. Each song of FOLDER (tone.* as scripts/make-test-audio.sh
// writes them) is opened ROUNDS times, each kept playing 300 ms, the previous
// one released first; then a file that is no song. Prints one line a format:
// the first open of the process, the median and the longest open, the median
// and the longest time the thread was held in one stretch (making the graph
// and the open call, the answer with the start sequence, or the release of
// the song before), and how many opens fell back to DirectShow.
#include <windows.h>

#include <dshow.h>
#include <objbase.h>
#include <oleauto.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/FallbackGraph.h"
#include "platform/win32/Win32MediaFactory.h"
#include "player/Numbers.h"

using Clock = std::chrono::steady_clock;
using varnok::platform::win32::FallbackGraph;
using varnok::platform::win32::Win32MediaFactory;
using varnok::player::MediaGraph;

namespace {

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void dispatchFor(double ms, const std::optional<bool>* until = nullptr) {
    const auto start = Clock::now();
    while (msSince(start) < ms && !(until && until->has_value())) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

struct Open {
    double openMs = 0;  // from the call to the song running (or refused)
    double heldMs = 0;  // the longest stretch the thread spent in the graph's calls
    bool playable = false;
    bool fellBack = false;
};

// Varnok's graphs: the answer comes in a dispatched message.
class Player {
  public:
    explicit Player(Win32MediaFactory::Engines engines) : factory_(engines) {}

    Open open(const std::string& path) {
        Open result;
        auto stretch = Clock::now();
        if (graph_) graph_->stop();  // the song before, stopped and released, as the player does
        graph_.reset();
        double held = msSince(stretch);
        const auto start = Clock::now();
        std::optional<bool> answer;
        stretch = Clock::now();
        graph_ = factory_.createGraph();  // the first starts Media Foundation
        graph_->open(path, [&](bool playable) {
            const auto inAnswer = Clock::now();
            answer = playable && graph_->run() && graph_->setRate(1.0) && graph_->duration() &&
                     graph_->setVolume(varnok::player::graphVolume(5));
            held = std::max(held, msSince(inAnswer));
        });
        held = std::max(held, msSince(stretch));
        dispatchFor(30000, &answer);
        result.openMs = msSince(start);
        result.heldMs = held;
        result.playable = answer.value_or(false);
        if (auto* fallback = dynamic_cast<FallbackGraph*>(graph_.get()))
            result.fellBack = fallback->fellBack();
        return result;
    }

  private:
    Win32MediaFactory factory_;
    std::unique_ptr<MediaGraph> graph_;
};

template <typename Interface>
void release(Interface*& pointer) {
    if (pointer) pointer->Release();
    pointer = nullptr;
}

// The open as it was: everything on the calling thread, in one stretch.
class SynchronousDirectShow {
  public:
    ~SynchronousDirectShow() { drop(); }

    Open open(const std::string& path) {
        const auto start = Clock::now();
        drop();
        const std::wstring wide(path.begin(), path.end());
        BSTR file = SysAllocString(wide.c_str());
        Open result;
        if (SUCCEEDED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IMediaControl, reinterpret_cast<void**>(&control_)))) {
            control_->QueryInterface(IID_IMediaPosition, reinterpret_cast<void**>(&position_));
            control_->QueryInterface(IID_IBasicAudio, reinterpret_cast<void**>(&audio_));
            REFTIME length = 0;
            result.playable = SUCCEEDED(control_->RenderFile(file)) && SUCCEEDED(control_->Run()) &&
                              SUCCEEDED(position_->put_Rate(1.0)) &&
                              SUCCEEDED(position_->get_Duration(&length)) &&
                              SUCCEEDED(audio_->put_Volume(varnok::player::graphVolume(5)));
        }
        SysFreeString(file);
        result.openMs = result.heldMs = msSince(start);
        return result;
    }

  private:
    void drop() {
        if (control_) control_->Stop();
        release(audio_);
        release(position_);
        release(control_);
    }
    IMediaControl* control_ = nullptr;
    IMediaPosition* position_ = nullptr;
    IBasicAudio* audio_ = nullptr;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s FOLDER before|directshow|mediafoundation ROUNDS\n",
                     argv[0]);
        return 2;
    }
    const std::string folder = argv[1], way = argv[2];
    const int rounds = std::max(1, std::atoi(argv[3]));
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::unique_ptr<Player> player;
    std::unique_ptr<SynchronousDirectShow> before;
    if (way == "before")
        before = std::make_unique<SynchronousDirectShow>();
    else
        player = std::make_unique<Player>(way == "directshow"
                                              ? Win32MediaFactory::Engines::DirectShowOnly
                                              : Win32MediaFactory::Engines::MediaFoundationFirst);
    const auto open = [&](const std::string& path) {
        Open result = before ? before->open(path) : player->open(path);
        dispatchFor(300);
        return result;
    };

    const std::string noSong = folder + "\\no-song.flac";
    std::ofstream(noSong, std::ios::binary) << std::string(4000, 'Z');
    std::printf("%-16s %-14s %10s %8s %8s %8s %8s %9s\n", "way", "song", "first/held", "open",
                "max", "held", "max", "fell back");
    bool first = true;
    for (const char* name :
         {"tone.mp3", "tone.wav", "tone.wma", "tone.m4a", "tone-alac.m4a", "tone.aac", "tone.flac",
          "tone.ogg", "tone.oga", "tone.opus", "no-song.flac"}) {
        const std::string path = folder + "\\" + name;
        std::vector<double> opens, helds;
        double firstMs = 0, firstHeldMs = 0;
        int fellBack = 0, refused = 0;
        for (int round = 0; round < rounds + (first ? 1 : 0); ++round) {
            const Open result = open(path);
            if (first) {  // the process's first open: loading, GStreamer's start
                firstMs = result.openMs;
                firstHeldMs = result.heldMs;
                first = false;
                continue;
            }
            opens.push_back(result.openMs);
            helds.push_back(result.heldMs);
            fellBack += result.fellBack ? 1 : 0;
            refused += result.playable ? 0 : 1;
        }
        char firstText[24] = "";
        if (firstMs > 0)
            std::snprintf(firstText, sizeof firstText, "%.0f/%.0f", firstMs, firstHeldMs);
        std::printf("%-16s %-14s %10s %8.0f %8.0f %8.1f %8.1f %5d/%-3d%s\n", way.c_str(), name,
                    firstText, median(opens), *std::max_element(opens.begin(), opens.end()),
                    median(helds), *std::max_element(helds.begin(), helds.end()), fellBack, rounds,
                    refused ? " (not played)" : "");
        std::fflush(stdout);
    }
    player.reset();
    before.reset();
    DeleteFileA(noSong.c_str());
    return 0;
}
