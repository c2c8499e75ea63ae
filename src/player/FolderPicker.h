#pragma once
// The folder picker as the player window opens it ("Add Folder"): it shows
// itself without waiting, and its "Ok" hands the chosen folder back.

namespace varnok::player {

class FolderPicker {
  public:
    virtual ~FolderPicker() = default;
    virtual void open() = 0;
};

}  // namespace varnok::player
