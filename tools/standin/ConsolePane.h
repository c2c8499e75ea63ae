#pragma once
// The console's output pane (a read-only multi-line edit control) and how
// prints reach it: converted by the print rule, inserted at the current
// selection (the caret is never moved to the end first), and, once the
// characters printed since the last reset pass the reset count, replacing the
// whole pane. The Copy and Clear buttons act on it too.

#include <windows.h>

#include <string>

#include "PaneText.h"
#include "Records.h"

namespace standin {

class ConsolePane {
  public:
    explicit ConsolePane(Records& records) : records_(records) {}

    // A new pane (0: none); a new pane starts a new count.
    void attach(HWND pane);
    HWND window() const { return pane_; }

    // One print of the game.
    void print(const std::string& printed);
    // Copy: selects everything and copies it, leaving it selected.
    void copy();
    // Clear: empties the pane; the count goes on.
    void clear();
    // Makes the pane hold exactly `count` characters (filler appended, or the
    // pane emptied first when it holds more), the caret at the end and the
    // count at `count`, as if a long game had printed them.
    void fill(long count);

  private:
    void replaceSelection(const std::string& paneText);

    Records& records_;
    HWND pane_ = nullptr;
    PrintCount count_;
};

}  // namespace standin
