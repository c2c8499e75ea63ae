#include "commands/MediaKeys.h"

#include "commands/Commands.h"

namespace varnok::commands {

void mediaKeyPressed(ui::Application& app, ui::MediaKey key) {
    CommandTurn turn(app);
    turn.spacesSays = true;
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
