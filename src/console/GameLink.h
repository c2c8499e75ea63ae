#pragma once
// The game Varnok works with, found anew or kept on each turn, with the ear
// that hears it and the mouth that types into it. A game with a console window
// (the retail game) is heard through its output pane or its log file
// (EarChoice) and typed into through its input line (WindowMouth). A
// community client Varnok started itself (StartedGame) has no console window:
// it is heard through its log and, when it reads commands, typed into through
// the console it shares with Varnok (ConsoleInputMouth). The loop asks the
// link whether the game is there, listens to its ear and hands the chat layer
// its mouth; it never asks which ear or mouth it is.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "console/ConsoleLink.h"
#include "console/ConsoleWindows.h"
#include "console/EarChoice.h"
#include "console/PaneEar.h"
#include "console/StartedGame.h"
#include "console/WindowMouth.h"
#include "ports/Clock.h"
#include "ports/ConsoleInput.h"
#include "ports/GameStarter.h"
#include "ports/Wakeups.h"
#include "ports/WindowManager.h"

namespace varnok::console {

struct GameLinkContext {
    WindowManager& windows;
    ConsoleLink& chat;
    engine::Wakeups& wakeups;
    GameStarter& starter;
    ConsoleInput& input;
    engine::Clock& clock;
    // Runs the window system inside a listen; false when the program ended meanwhile.
    std::function<bool()> yield;
    // Never the game's log, only its console window's pane ("--pane").
    bool paneOnly = false;
};

class GameLink {
  public:
    explicit GameLink(const GameLinkContext& context);

    // Starts `exe` with `arguments` (and "+set logfile 2": its log from the
    // start), in its own folder, on Varnok's console; the game is found on
    // the next turns. An empty text, or why it did not start.
    std::string start(const std::filesystem::path& exe, std::vector<std::string> arguments);

    struct Look {
        bool present = false;  // the game is there
        bool fresh = false;    // another game than at the last look (or the first)
    };
    // Looks for the game: a game started here whose log began, or a console
    // window by the configured class and title (an empty class matches any),
    // the one found last kept while it is vouched for.
    Look find(const std::string& windowClass, const std::string& title);
    bool present() const { return onStarted_ || console_ != 0; }
    // The game present reads no typed commands: nothing can answer in it.
    bool takesNoCommands() const { return onStarted_ && started_->mouth() == nullptr; }
    // The game went away: nothing of it is kept.
    void drop();

    // The ear of the game found; listen to it only while it is present.
    Ear& ear();
    // What a listen found out about the game being there. True when it is
    // gone: the link dropped it.
    bool note(Presence presence);

    // The game's main window ("Back to Game", "!mini"): a started game's by
    // its process, whatever its class; 0 when it is not running.
    WindowHandle gameWindow();

    // The console variables the link wants answered, asked once a game.
    std::vector<std::string_view> questions() const;
    // They went out; those whose answers may have been lost are given by
    // unanswered(), to go once more.
    void asked();
    std::vector<std::string_view> unanswered() const;
    // The game's answer to the console variable `name`.
    void answered(std::string_view name, const std::string& value, TimePoint now);
    // Before the program ends: what Varnok changed in the game is undone.
    void leaveGameAsFound();

    // For checks of the reading: the console window's ears.
    const PaneEar& paneEar() const { return pane_; }
    const EarChoice& earChoice() const { return ears_; }

  private:
    // The started game, while it runs; true when it is the game now. While it
    // is, whether it still runs is asked only once its process ended.
    bool followStarted(bool processEnded);
    void dropConsole();

    GameLinkContext ctx_;
    ConsoleWindows windows_;
    PaneEar pane_;
    EarChoice ears_;
    WindowMouth mouth_;
    WindowHandle console_ = 0;
    std::unique_ptr<StartedGame> started_;
    bool onStarted_ = false;  // the started game (not a console window) is the game
};

}  // namespace varnok::console
