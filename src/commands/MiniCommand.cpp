// "!mini": takes the player out of the game at once. The game's main window is
// hidden and Varnok's main window is maximised and restored, which brings it
// to the front with the focus. "Back to Game" shows the game window again.
//
// The taskbar is left alone: repositioning it to 0, 0 with a size of 0 by 0
// would only ever shrink or misplace the user's taskbar. The 0.6 s pause that
// came between its two moves stays, before the main window is restored: the
// hidden game has let go of the screen by then.
#include "commands/Commands.h"

namespace varnok::commands {

void miniCommand(const CommandTurn& turn) {
    const CommandContext& context = turn.context;
    const console::WindowHandle game = context.game.gameWindow();
    ui::Window& main = context.host.mainWindow();
    main.setState(ui::WindowState::Maximized);
    context.windows.show(game, console::ShowCommand::Hide);
    turn.wait(0.6f);
    main.setState(ui::WindowState::Normal);
    main.focus();
    turn.wait(1.0f);
    turn.send("say ^1Minimized");
}

}  // namespace varnok::commands
