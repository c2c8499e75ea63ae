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
void announce(const CommandContext& context, const std::string& name) {
    if (context.frmPlay.Check1->value() != 0)
        context.console.SendConsoleCommand("say ^4Currently playing: ^3" + console::outside(name));
}

// A song a command starts opens in the background, during the command's pause
// and after it; it is said once it plays, inside a later yield. With nothing
// to start the empty name is said after the pause.
void startAnnounced(const CommandTurn& turn,
                    bool (player::FrmPlay::*start)(player::FrmPlay::Started)) {
    const CommandContext& context = turn.context;
    const bool starting =
        (playerOf(turn).*start)([&context](const std::string& name) { announce(context, name); });
    turn.wait(1.0f);
    if (!starting) announce(context, "");
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
// cannot be played, the walk moves on (and echoes the song it reaches), and
// when nothing started nothing is said about playing. The song opens during
// the pause, so the answer waits for the pause or the opening, not both.
void playFound(const CommandTurn& turn, int index) {
    player::FrmPlay& player = playerOf(turn);
    player.mStop();
    const CommandContext& context = turn.context;
    player.playlist(static_cast<std::int16_t>(index), [&context](const std::string& name) {
        if (context.frmPlay.mPlaying) announce(context, name);
    });
    turn.wait(1.0f);
}

}  // namespace

// A song still opening is stopped too.
void stopCommand(const CommandTurn& turn) {
    player::FrmPlay& player = playerOf(turn);
    if (!player.mPlaying && !player.opening()) return;
    player.mStop();
    turn.wait(1.0f);
    turn.send("say ^1Playback Stopped");
}

void nextCommand(const CommandTurn& turn) {
    startAnnounced(turn, &player::FrmPlay::nextSong);
}

void playPauseCommand(const CommandTurn& turn) {
    player::FrmPlay& player = playerOf(turn);
    if (player.PauseBb) {
        resume(turn);
    } else if (player.mPlaying) {
        pauseCommand(turn);
    } else if (player.lstPlay->count() > 0) {
        startAnnounced(turn, &player::FrmPlay::playSelection);
    }
}

void prevCommand(const CommandTurn& turn) {
    startAnnounced(turn, &player::FrmPlay::prevSong);
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
