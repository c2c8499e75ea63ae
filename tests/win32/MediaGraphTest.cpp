// The media graphs on their own, in this process: the ones Varnok.exe plays
// with (Media Foundation's session, DirectShow behind it) and DirectShow alone.
// A graph opens in the background and answers in a message this thread
// dispatches, never inside the call. Each format opens, reports its length,
// plays, moves, takes the volumes the slider maps to and ends with its
// position at its length (the rule the player's timer moves on by); a file no
// engine can play is reported, not hung on; a file Media Foundation refuses
// plays through DirectShow.

#include <gtest/gtest.h>
#include <windows.h>

#include <objbase.h>
#include <tlhelp32.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>

#include "Win32TestSupport.h"
#include "platform/win32/DirectShowGraph.h"
#include "platform/win32/FallbackGraph.h"
#include "platform/win32/MediaFoundationGraph.h"
#include "platform/win32/UiThreadCalls.h"
#include "platform/win32/Win32MediaFactory.h"
#include "player/Numbers.h"
#include "support/Paths.h"
#include "support/Process.h"
#include "support/TempFolder.h"
#include "support/TestAudio.h"

using namespace std::chrono_literals;
using varnok::platform::win32::DirectShowGraph;
using varnok::platform::win32::DirectShowGraphFactory;
using varnok::platform::win32::FallbackGraph;
using varnok::platform::win32::MediaFoundationGraph;
using varnok::platform::win32::UiThreadCalls;
using varnok::platform::win32::Win32MediaFactory;
using varnok::player::MediaGraph;
using Engines = Win32MediaFactory::Engines;

namespace {

int threadsOfThisProcess() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
    CloseHandle(snapshot);
    return count;
}

// Dispatches this thread's messages, as the toolkit's yield does, until
// `done` holds or `limit` has passed.
bool dispatchUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

std::string song(const std::string& name) {
    const std::string path = e2e::testAudioFolder() + "\\" + name;
    EXPECT_TRUE(e2e::fileExists(path)) << path << " (run scripts/make-test-audio.sh)";
    return path;
}

// The first engine of a fallback that never opens anything, as Media
// Foundation without a decoder for the file.
class RefusingGraph : public MediaGraph {
  public:
    explicit RefusingGraph(std::shared_ptr<UiThreadCalls> ui) : ui_(std::move(ui)) {}
    void open(const std::string&, Opened opened) override {
        ui_->post([opened] { opened(false); });
    }
    bool run() override { return false; }
    bool pause() override { return false; }
    bool stop() override { return false; }
    std::optional<double> duration() override { return std::nullopt; }
    std::optional<double> position() override { return std::nullopt; }
    bool setPosition(double) override { return false; }
    bool setRate(double) override { return false; }
    bool setVolume(long) override { return false; }

  private:
    std::shared_ptr<UiThreadCalls> ui_;
};

class MediaGraphs : public ::testing::Test {
  protected:
    void SetUp() override { com_ = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override {
        graph_.reset();
        factory_.reset();
        if (SUCCEEDED(com_)) CoUninitialize();
    }

    // A new graph of the factory's engines, the previous one released.
    MediaGraph& make(Engines engines) {
        if (!factory_) factory_ = std::make_unique<Win32MediaFactory>(engines);
        graph_ = factory_->createGraph();
        return *graph_;
    }
    // Opens `path` in `graph`: the answer once dispatched, nothing when none
    // came within 20 s (each engine gives up after 5 and 10 s).
    static std::optional<bool> open(MediaGraph& graph, const std::string& path) {
        std::optional<bool> answer;
        graph.open(path, [&](bool playable) { answer = playable; });
        EXPECT_FALSE(answer) << "answered inside open()";
        dispatchUntil([&] { return answer.has_value(); }, 20s);
        return answer;
    }
    std::optional<bool> open(const std::string& path, Engines engines) {
        return open(make(engines), path);
    }
    MediaGraph& graph() { return *graph_; }

    // Plays the open graph: it runs, its position follows, a move back is
    // made, and it ends with the position exactly at the duration.
    void playsMovesAndEnds(double expectedSeconds) {
        ASSERT_TRUE(graph().run());
        ASSERT_TRUE(graph().setRate(1.0));
        const std::optional<double> duration = graph().duration();
        ASSERT_TRUE(duration);
        EXPECT_NEAR(*duration, expectedSeconds, 0.2);
        EXPECT_TRUE(dispatchUntil([&] { return graph().position().value_or(0) > 1.0; }, 5s));
        ASSERT_TRUE(graph().setPosition(0.2));
        EXPECT_LT(graph().position().value_or(-1), 0.5);
        EXPECT_TRUE(dispatchUntil([&] { return graph().position() == graph().duration(); }, 10s))
            << "position " << graph().position().value_or(-1) << " of " << *duration;
    }

    HRESULT com_ = E_FAIL;
    std::unique_ptr<Win32MediaFactory> factory_;
    std::unique_ptr<MediaGraph> graph_;
    e2e::TempFolder folder_;
};

// Slider 0 (top) is 0 dB, 5 is -6.25 dB, 10 is -12.5 dB, 20 (bottom) is -25 dB.
constexpr std::pair<int, long> kSliderVolumes[] = {{0, 0L}, {5, -625L}, {10, -1250L}, {20, -2500L}};

class EachFormat : public MediaGraphs, public ::testing::WithParamInterface<const char*> {};

TEST_P(EachFormat, OpensThroughMediaFoundationPlaysMovesTakesTheVolumeAndEnds) {
    ASSERT_EQ(open(song(GetParam()), Engines::MediaFoundationFirst), true);
    auto& fallback = dynamic_cast<FallbackGraph&>(graph());
    EXPECT_FALSE(fallback.fellBack());
    auto& session = dynamic_cast<MediaFoundationGraph&>(fallback.engine());
    ASSERT_TRUE(graph().run());
    for (auto [slider, hundredths] : kSliderVolumes) {
        ASSERT_TRUE(graph().setVolume(varnok::player::graphVolume(slider)));
        EXPECT_EQ(session.volume(), hundredths) << "slider " << slider;
    }
    playsMovesAndEnds(3.0);
}

INSTANTIATE_TEST_SUITE_P(Songs, EachFormat,
                         ::testing::Values("tone.wav", "tone.mp3", "tone.wma", "tone.m4a",
                                           "tone-alac.m4a", "tone.aac", "tone.flac", "tone.ogg",
                                           "tone.oga", "tone.opus"));

// A pause holds the position; a move made while paused is where the run goes
// on from.
TEST_F(MediaGraphs, AMediaFoundationSongPausedAndMovedGoesOnFromThere) {
    ASSERT_EQ(open(song("tone.flac"), Engines::MediaFoundationFirst), true);
    ASSERT_TRUE(graph().run());
    ASSERT_TRUE(dispatchUntil([&] { return graph().position().value_or(0) > 0.5; }, 5s));
    ASSERT_TRUE(graph().pause());
    dispatchUntil([] { return false; }, 300ms);
    const std::optional<double> paused = graph().position();
    dispatchUntil([] { return false; }, 300ms);
    EXPECT_EQ(graph().position(), paused);
    ASSERT_TRUE(graph().setPosition(2.5));
    EXPECT_EQ(graph().position(), 2.5);
    ASSERT_TRUE(graph().run());
    EXPECT_TRUE(dispatchUntil([&] { return graph().position() == graph().duration(); }, 5s));
}

// Reported by both engines in turn, within their limits, whatever Wine's
// GStreamer does with it: for damaged.m4a it sometimes never answers, and a
// process left with such a pipeline crashes at its exit, so each open runs in
// a child process of its own (this program with --open-song).
TEST_F(MediaGraphs, ADamagedFileOrOneThatIsNoSongIsReportedNotHungOn) {
    const std::string bogus = folder_.write("bogus.ogg", "this is not a song\r\n");
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof(self));
    for (const std::string& path : {song("damaged.m4a"), bogus}) {
        for (const char* engines : {"mf", "ds"}) {
            const std::string answer = folder_.file(std::string("answer-") + engines);
            e2e::ChildProcess child;
            ASSERT_TRUE(child.start(self, {"--open-song", path, engines, answer}, folder_.text()))
                << child.lastError();
            EXPECT_TRUE(child.waitForExit(40000));
            EXPECT_EQ(e2e::readFile(answer), "no") << path << " " << engines;
        }
    }
}

TEST_F(MediaGraphs, AFileMediaFoundationRefusesPlaysThroughDirectShow) {
    auto ui = std::make_shared<UiThreadCalls>();
    DirectShowGraphFactory directShow(ui);
    bool secondMade = false;
    graph_ = std::make_unique<FallbackGraph>(std::make_unique<RefusingGraph>(ui), [&] {
        secondMade = true;
        return directShow.createGraph();
    });
    ASSERT_EQ(open(graph(), song("tone.mp3")), true);
    EXPECT_TRUE(secondMade);
    EXPECT_TRUE(dynamic_cast<FallbackGraph&>(graph()).fellBack());
    playsMovesAndEnds(3.0);
}

// --- DirectShow alone: a Windows without Media Foundation --------------------

struct DirectShow : MediaGraphs {
    DirectShowGraph& directShow() { return dynamic_cast<DirectShowGraph&>(graph()); }
};

// Moved while paused, then run at each volume the slider gives, to its end.
TEST_F(DirectShow, AWavAnMp3AndAWmaPlayToTheirEndsAndTheWavTakesMovesAndVolumes) {
    const std::string wav = folder_.file("tone.wav");
    ASSERT_TRUE(e2e::writeWav(wav, 2.0));
    ASSERT_EQ(open(wav, Engines::DirectShowOnly), true);
    ASSERT_TRUE(graph().pause());
    ASSERT_TRUE(graph().setPosition(1.5));
    EXPECT_NEAR(graph().position().value_or(-1), 1.5, 0.05);
    ASSERT_TRUE(graph().run());
    for (auto [slider, hundredths] : kSliderVolumes) {
        ASSERT_TRUE(graph().setVolume(varnok::player::graphVolume(slider)));
        EXPECT_EQ(directShow().volume(), hundredths) << "slider " << slider;
    }
    playsMovesAndEnds(2.0);
    for (const char* name : {"tone.mp3", "tone.wma"}) {
        ASSERT_EQ(open(song(name), Engines::DirectShowOnly), true) << name;
        playsMovesAndEnds(3.0);
    }
}

// A playlist whose drive is gone tries thousands of missing files in a row:
// each failed graph must go without leaving a thread (and its handles) behind.
TEST_F(DirectShow, MissingFilesLeaveNothingBehind) {
    const int before = threadsOfThisProcess();
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(open("Q:\\gone\\song" + std::to_string(i) + ".mp3", Engines::DirectShowOnly),
                  false);
        EXPECT_EQ(open(folder_.file("absent.wav"), Engines::DirectShowOnly), false);
    }
    graph_.reset();
    EXPECT_EQ(threadsOfThisProcess(), before);
}

}  // namespace

int win32test::runOpenSong(const char* path, const char* engines, const char* answerFile) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Win32MediaFactory factory(std::strcmp(engines, "ds") == 0 ? Engines::DirectShowOnly
                                                              : Engines::MediaFoundationFirst);
    std::unique_ptr<MediaGraph> graph = factory.createGraph();
    std::optional<bool> answer;
    if (graph) {
        graph->open(path, [&](bool playable) { answer = playable; });
        dispatchUntil([&] { return answer.has_value(); }, 20s);
    }
    std::ofstream(answerFile, std::ios::binary) << (!answer ? "none" : *answer ? "yes" : "no");
    return 0;
}
