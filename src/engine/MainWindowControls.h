#pragma once
// The main window as the engine sees it: the controls a turn reads and writes
// (the console's title and class in the hidden fields Text1 and Text2, the
// status line lblPlatform, the latest console text ChatText, "Back to Game"
// cmdBack), the three duel templates, the reply messages, and the docking of
// the player window. The main window implements it.

#include <string>

#include "ports/Toolkit.h"
#include "replies/ReplyMessages.h"

namespace varnok::engine {

class MainWindowControls {
  public:
    virtual ~MainWindowControls() = default;

    // The main window itself: the player window is docked again when it moved.
    virtual ui::Window& mainWindow() = 0;
    // Docks the player window to the main window ("chkPlaylist_Click").
    virtual void dockPlayer() = 0;

    virtual std::string consoleTitle() = 0;  // Text1
    virtual std::string consoleClass() = 0;  // Text2
    virtual ui::Label& statusLine() = 0;     // lblPlatform
    virtual ui::Label& chatText() = 0;       // ChatText
    virtual ui::Button& backButton() = 0;    // cmdBack

    virtual std::string duelEngage() = 0;  // txtDuelEngage
    virtual std::string duelWon() = 0;     // txtDuelWon
    virtual std::string duelLost() = 0;    // txtDuelLost
    virtual replies::ReplyMessages& replyMessages() = 0;
};

}  // namespace varnok::engine
