#pragma once
// Starting a game and typing into the console it shares with Varnok, in
// memory. No game starts here (the started game's route runs end to end
// against the stand-in); the console's input buffer holds what was written
// until the game reads it.

#include <deque>
#include <string>
#include <vector>

#include "ports/ConsoleInput.h"
#include "ports/GameStarter.h"

namespace varnok::fakes {

class FakeGameStarter : public console::GameStarter {
  public:
    StartedGame start(const std::filesystem::path&, const std::vector<std::string>&) override {
        return {0, "no game starts in memory"};
    }
    bool running(std::uint32_t) override { return false; }
    std::optional<std::filesystem::path> documentsFolder() override { return std::nullopt; }
};

// The buffer: each write is one line; the game takes the lines waiting
// (`read`), as a client does once a frame.
class FakeConsoleInput : public console::ConsoleInput {
  public:
    std::optional<std::size_t> waiting() override {
        if (!present) return std::nullopt;
        std::size_t records = 0;
        for (const std::string& line : buffer) records += line.size() + 1;
        return records;
    }
    bool write(std::string_view line) override {
        if (!present) return false;
        buffer.emplace_back(line);
        written.emplace_back(line);
        return true;
    }
    void read() { buffer.clear(); }

    bool present = true;
    std::deque<std::string> buffer;    // written, not yet read by the game
    std::vector<std::string> written;  // every line written, in order
};

}  // namespace varnok::fakes
