#include "commands/MediaKeys.h"

#include "commands/Commands.h"

namespace varnok::commands {

// A key is no chat line: its actions read neither a line nor the player's name.
void mediaKeyPressed(const CommandContext& context, ui::MediaKey key) {
    const CommandTurn turn(context, "", "");
    switch (key) {
        case ui::MediaKey::NextTrack:
            nextCommand(turn);
            break;
        case ui::MediaKey::PrevTrack:
            prevCommand(turn);
            break;
        case ui::MediaKey::PlayPause:
            playPauseCommand(turn);
            break;
        case ui::MediaKey::Stop:
            stopCommand(turn);
            break;
    }
}

}  // namespace varnok::commands
