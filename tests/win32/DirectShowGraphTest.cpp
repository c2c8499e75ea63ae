// The DirectShow media graph on its own, in this process: each song format
// renders, plays, reports its length and position, ends with its position at
// its length (the rule the player's timer moves on by), and takes the volumes
// the volume slider maps to.

#include <gtest/gtest.h>
#include <windows.h>

#include <objbase.h>
#include <tlhelp32.h>

#include <chrono>

#include "platform/win32/DirectShowGraph.h"
#include "player/Numbers.h"
#include "support/Paths.h"
#include "support/TempFolder.h"
#include "support/TestAudio.h"
#include "support/Windows.h"

using namespace std::chrono_literals;
using varnok::platform::win32::DirectShowGraph;
using varnok::platform::win32::DirectShowGraphFactory;

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

class DirectShow : public ::testing::Test {
  protected:
    void SetUp() override { com_ = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override {
        graph_.reset();
        if (SUCCEEDED(com_)) CoUninitialize();
    }

    // A new graph; the previous one is stopped and released.
    DirectShowGraph& open() {
        auto made = factory_.createGraph();
        graph_.reset(static_cast<DirectShowGraph*>(made.release()));
        return *graph_;
    }

    // Renders and plays `path` to its end; checks the position follows and
    // equals the duration exactly at the end.
    void playsToItsEnd(const std::string& path, double expectedSeconds) {
        ASSERT_TRUE(e2e::fileExists(path)) << path << " (run scripts/make-test-audio.sh)";
        DirectShowGraph& graph = open();
        ASSERT_TRUE(graph.renderFile(path)) << path;
        ASSERT_TRUE(graph.run());
        ASSERT_TRUE(graph.setRate(1.0));
        const std::optional<double> duration = graph.duration();
        ASSERT_TRUE(duration);
        EXPECT_NEAR(*duration, expectedSeconds, 0.2);
        EXPECT_TRUE(e2e::waitUntil([&] { return graph.position().value_or(0) > 0.5; }, 5s));
        EXPECT_TRUE(e2e::waitUntil([&] { return graph.position() == graph.duration(); }, 10s))
            << "position " << graph.position().value_or(-1) << " of " << *duration;
    }

    HRESULT com_ = E_FAIL;
    DirectShowGraphFactory factory_;
    std::unique_ptr<DirectShowGraph> graph_;
    e2e::TempFolder folder_;
};

TEST_F(DirectShow, AWavWrittenByTheTestPlaysToItsEnd) {
    const std::string wav = folder_.file("tone.wav");
    ASSERT_TRUE(e2e::writeWav(wav, 2.0));
    playsToItsEnd(wav, 2.0);
}

TEST_F(DirectShow, AnMp3PlaysToItsEnd) {
    playsToItsEnd(e2e::testAudioFolder() + "\\tone.mp3", 3.0);
}

TEST_F(DirectShow, AWmaPlaysToItsEnd) {
    playsToItsEnd(e2e::testAudioFolder() + "\\tone.wma", 3.0);
}

TEST_F(DirectShow, AFileThatIsNoSongDoesNotRender) {
    const std::string bogus = folder_.write("bogus.mp3", "this is not a song\r\n");
    EXPECT_FALSE(open().renderFile(bogus));
    EXPECT_FALSE(open().renderFile(folder_.file("absent.wav")));
}

// A playlist whose drive is gone tries thousands of missing files in a row:
// each failed graph must go without leaving a thread (and its handles) behind.
TEST_F(DirectShow, MissingFilesLeaveNothingBehind) {
    const int before = threadsOfThisProcess();
    for (int i = 0; i < 20; ++i) {
        EXPECT_FALSE(open().renderFile("Q:\\gone\\song" + std::to_string(i) + ".mp3"));
        EXPECT_FALSE(open().renderFile(folder_.file("absent.wav")));
    }
    graph_.reset();
    EXPECT_EQ(threadsOfThisProcess(), before);
}

TEST_F(DirectShow, TheVolumeSliderStepsReachTheRendererAsStatedDecibels) {
    const std::string wav = folder_.file("tone.wav");
    ASSERT_TRUE(e2e::writeWav(wav, 2.0));
    DirectShowGraph& graph = open();
    ASSERT_TRUE(graph.renderFile(wav));
    ASSERT_TRUE(graph.run());
    // Slider 0 (top) is 0 dB, 5 is -6.25 dB, 10 is -12.5 dB, 20 (bottom) is -25 dB.
    for (auto [slider, hundredths] : {std::pair{0, 0L}, {5, -625L}, {10, -1250L}, {20, -2500L}}) {
        ASSERT_TRUE(graph.setVolume(varnok::player::graphVolume(slider)));
        EXPECT_EQ(graph.volume(), hundredths) << "slider " << slider;
    }
}

TEST_F(DirectShow, SeekingMovesThePosition) {
    const std::string wav = folder_.file("tone.wav");
    ASSERT_TRUE(e2e::writeWav(wav, 4.0));
    DirectShowGraph& graph = open();
    ASSERT_TRUE(graph.renderFile(wav));
    ASSERT_TRUE(graph.pause());
    ASSERT_TRUE(graph.setPosition(3.0));
    EXPECT_NEAR(graph.position().value_or(-1), 3.0, 0.05);
}

}  // namespace
