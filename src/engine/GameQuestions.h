#pragma once
// Varnok's questions to the game, each a local console command typed alone so
// that each answer is a line of its own: "name" (the player's name) at
// start-up, and "/name" at most once a second while the name is unknown (the
// game answers on a later frame); with the first name query of a game found
// and after an engine load (at most once in 5 s), also the questions of the
// game's language and folders (GameLanguage) and whatever the link wants to
// know to choose its ear.

#include "console/ConsoleLink.h"
#include "console/GameLink.h"
#include "console/Pacer.h"
#include "ports/Clock.h"

namespace varnok::engine {

class GameQuestions {
  public:
    GameQuestions(console::ConsoleLink& console, console::GameLink& link, Clock& clock)
        : console_(console), link_(link), clock_(clock) {}

    // Sends the name query `command` and, at a game found or after an engine
    // load, the questions of the game's language and folders.
    void askName(const char* command, bool engineLoaded = false);
    // A turn with the game there: "/name" while the name is unknown.
    void keepAsking(bool nameKnown);
    // When the name is asked again; nothing while it is known.
    std::optional<TimePoint> nextNameQuery(bool nameKnown) const;
    // Another game: it is asked everything at once.
    void forget();

  private:
    console::ConsoleLink& console_;
    console::GameLink& link_;
    Clock& clock_;
    console::Pacer nameQueries_{std::chrono::seconds(1)};
    // The questions of the game's language and folders went to this game;
    // after an engine load they go again, once for the several lines of one.
    bool gameAsked_ = false;
    console::Pacer gameQuestions_{std::chrono::seconds(5)};
};

}  // namespace varnok::engine
