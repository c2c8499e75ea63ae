#pragma once
// The application with the player window at hand: songs are added through the
// "Add File" dialog and made playable in the fake media with their lengths.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/AppFixture.h"

namespace varnok::fakes {

struct PlayerFixture : ::testing::Test, AppFixture {
    player::FrmPlay& player() { return app->frmPlay; }
    FakeListBox& list() { return fake<FakeListBox>(app->frmPlay.lstPlay); }
    FakeSlider& position() { return fake<FakeSlider>(app->frmPlay.Slider3); }
    FakeSlider& volume() { return fake<FakeSlider>(app->frmPlay.sldVol); }
    FakeLabel& lengthLabel() { return fake<FakeLabel>(app->frmPlay.lblLength); }
    FakeTimer& musicTimer() { return fake<FakeTimer>(app->frmPlay.tmrMusic); }
    FakeDialogs& dialogs() { return toolkit.fakeDialogs(); }

    // Adds `path` through the dialog; playable for `seconds` unless negative.
    void addSong(const std::string& path, double seconds = 100.0) {
        if (seconds >= 0) media.playable[path] = seconds;
        dialogs().openFileAnswers.push_back(path);
        player().cmdAddFile_Click();
    }
    // Songs "C:\Music\<n>.mp3" for each name, playable for 100 s.
    void addSongs(const std::vector<std::string>& names) {
        for (const auto& n : names) addSong(songPath(n));
    }
    static std::string songPath(const std::string& name) { return "C:\\Music\\" + name + ".mp3"; }

    // Plays entry `index` the way a click on it and "Play" would, and lets
    // the opening end.
    std::string playEntry(int index) {
        list().setListIndex(index);
        player().cmdPlay_Click();
        settle();
        return player().mFile;
    }
    FakeGraph& graph() { return *media.current; }
    // Starts the application with songs `names` and plays entry `index`.
    void startPlaying(const std::vector<std::string>& names, int index = 0) {
        startUp();
        addSongs(names);
        playEntry(index);
    }
};

}  // namespace varnok::fakes
