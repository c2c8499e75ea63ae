#pragma once
// Typing into the game's console window: the line goes into the input line
// (WM_SETTEXT) and a carriage return (WM_CHAR) makes the game run it.

#include "console/Mouth.h"
#include "ports/WindowManager.h"

namespace varnok::console {

// The most characters a typed line may hold: the game copies each line into a
// 256-byte buffer, and a longer one overruns it.
inline constexpr std::size_t kMostTypedCharacters = 255;

class WindowMouth : public Mouth {
  public:
    explicit WindowMouth(WindowManager& windows) : windows_(windows) {}

    // The console window typed into from now on; 0: none.
    void aim(WindowHandle console) { console_ = console; }

    std::size_t mostCharacters() const override { return kMostTypedCharacters; }
    Delivery type(const std::string& line) override;
    bool answers() override;

  private:
    // Delivers the pending command to an input line with an empty caption and
    // answers whether the enumeration goes on.
    bool ConsoleChildProc(WindowHandle child);
    void note(Delivery delivery);

    WindowManager& windows_;
    WindowHandle console_ = 0;
    std::string PendingCommand;
    Delivery delivered_ = Delivery::Delivered;
};

}  // namespace varnok::console
