// The chat commands that drive the music player: stop, pause, next, previous,
// volume, and play (resume a paused song, or find a song by part of its name);
// and the Play/Pause media key, made of them.
#include "commands/Commands.h"
#include "text/Text.h"

namespace varnok::commands {

namespace {

player::FrmPlay& playerOf(const CommandTurn& turn) {
    return turn.context.frmPlay;
}

// "Say the currently playing song": any state but unticked.
void announce(const CommandTurn& turn, const std::string& name) {
    if (playerOf(turn).Check1->value() != 0)
        turn.send("say ^4Currently playing: ^3" + console::outside(name));
}

// Only the line break follows "!play": the resume form, whose argument is empty.
bool playStandsAlone(const CommandTurn& turn) {
    const std::string spoken = turn.playerName + ": !play";
    return commandArgument(turn.newText, spoken, spoken.size()) == "";
}

void resume(const CommandTurn& turn) {
    player::FrmPlay& player = playerOf(turn);
    if (!player.PauseBb) return;
    player.play("");
    turn.wait(1.0f);
    turn.send("say ^1Playback Resumed");
}

// The first entry whose displayed name holds `search`, letter case ignored.
std::optional<int> findSong(const ui::ListBox& songs, const std::string& search) {
    for (int i = 0; i < songs.count(); ++i) {
        if (text::containsNoCase(songs.item(i), search)) return i;
    }
    return std::nullopt;
}

// The song that started is announced and stays selected: when the found entry
// cannot be played, the skip moves on (and echoes the song it reaches), and
// when nothing started nothing is said about playing.
void playFound(const CommandTurn& turn, int index) {
    player::FrmPlay& player = playerOf(turn);
    turn.wait(1.0f);
    player.mStop();
    const std::string started = player.playlist(static_cast<std::int16_t>(index));
    if (player.mPlaying) announce(turn, started);
}

}  // namespace

void stopCommand(const CommandTurn& turn) {
    player::FrmPlay& player = playerOf(turn);
    if (!player.mPlaying) return;
    player.mStop();
    turn.wait(1.0f);
    turn.send("say ^1Playback Stopped");
}

void nextCommand(const CommandTurn& turn) {
    const std::string name = playerOf(turn).nextSong();
    turn.wait(1.0f);
    announce(turn, name);
}

void playPauseCommand(const CommandTurn& turn) {
    player::FrmPlay& player = playerOf(turn);
    if (player.PauseBb) {
        resume(turn);
    } else if (player.mPlaying) {
        pauseCommand(turn);
    } else if (player.lstPlay->count() > 0) {
        const std::string name = player.playSelection();
        turn.wait(1.0f);
        announce(turn, name);
    }
}

void prevCommand(const CommandTurn& turn) {
    const std::string name = playerOf(turn).prevSong();
    turn.wait(1.0f);
    announce(turn, name);
}

void volCommand(const CommandTurn& turn) {
    const std::optional<std::string> argument = commandArgument(turn.newText, " !vol", 5);
    if (!argument) return;
    if (const std::optional<std::int16_t> volume = volumeArgument(*argument))
        playerOf(turn).volumetune(*volume);
}

void pauseCommand(const CommandTurn& turn) {
    player::FrmPlay& player = playerOf(turn);
    if (player.PauseBb || !player.mPlaying) return;
    player.Pause();
    turn.wait(1.0f);
    turn.send("say ^1Playback Paused");
}

void playCommand(const CommandTurn& turn) {
    if (playStandsAlone(turn)) {
        resume(turn);
        return;
    }
    // "!play" followed directly by letters: the search starts eight characters
    // after the marker all the same, so it drops the first of them.
    const std::string search = commandArgument(turn.newText, ": !play", 8).value_or("");
    if (const std::optional<int> found = findSong(*playerOf(turn).lstPlay, search)) {
        playFound(turn, *found);
        return;
    }
    turn.wait(1.0f);
    turn.send("say ^5No matches for " + console::outside(search));
}

}  // namespace varnok::commands
