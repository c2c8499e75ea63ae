#pragma once
// Starting a game and typing into the console it shares with Varnok, in
// memory: the starter records what it started and which games still run; the
// console's input buffer holds what was written until the game reads it.

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ports/ConsoleInput.h"
#include "ports/GameStarter.h"

namespace varnok::fakes {

class FakeGameStarter : public console::GameStarter {
  public:
    StartedGame start(const std::filesystem::path& exe,
                      const std::vector<std::string>& arguments) override {
        starts.push_back({exe, arguments});
        if (!failure.empty()) return {0, failure};
        running_.insert(nextProcess);
        if (onStart) onStart();
        return {nextProcess++, ""};
    }
    bool running(std::uint32_t process) override { return running_.count(process) != 0; }
    std::optional<std::filesystem::path> documentsFolder() override { return documents; }
    void end(std::uint32_t process) { running_.erase(process); }

    struct Start {
        std::filesystem::path exe;
        std::vector<std::string> arguments;
    };
    std::vector<Start> starts;
    std::string failure;  // non-empty: no game starts, for this reason
    std::optional<std::filesystem::path> documents;
    std::function<void()> onStart;  // the game's first steps
    std::uint32_t nextProcess = 700;

  private:
    std::set<std::uint32_t> running_;
};

// The buffer: each write is one line; the game takes the lines waiting
// (`read`), as a client does once a frame.
class FakeConsoleInput : public console::ConsoleInput {
  public:
    std::optional<std::size_t> waiting() override {
        ++looks;
        if (!present) return std::nullopt;
        if (onLook) onLook();
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
    // The game reads what waits.
    std::vector<std::string> read() {
        std::vector<std::string> lines(buffer.begin(), buffer.end());
        buffer.clear();
        return lines;
    }

    bool present = true;
    std::deque<std::string> buffer;    // written, not yet read by the game
    std::vector<std::string> written;  // every line written, in order
    int looks = 0;
    std::function<void()> onLook;  // runs at each look, before the answer
};

}  // namespace varnok::fakes
