#pragma once
// The keyboard's media keys drive the player from anywhere, the game in front
// included, each doing what its chat command does, answers and pauses too.

#include "ports/Toolkit.h"

namespace varnok::commands {

struct CommandContext;

// Next Track is "!next", Previous Track "!prev", Stop "!stop". Play/Pause is
// "!pause" while a song plays and "!play" alone while it is paused; while
// stopped it plays the selected entry (the first when none is selected),
// announced as "!next" announces its song.
void mediaKeyPressed(const CommandContext& context, ui::MediaKey key);

}  // namespace varnok::commands
