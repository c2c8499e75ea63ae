// The media keys as system-wide hot keys: RegisterHotKey on the owner window,
// WM_HOTKEY routed to the handler from inside the yield. MOD_NOREPEAT keeps a
// held key from firing again and again; a key that another program has
// registered first fails to register and simply stays with that program.

#include <algorithm>
#include <array>

#include "platform/win32/Win32Forms.h"
#include "platform/win32/Win32Toolkit.h"

namespace varnok::platform::win32 {

namespace {

struct MediaKeyBinding {
    ui::MediaKey key;
    UINT virtualKey;
};

constexpr std::array<MediaKeyBinding, 4> kMediaKeys = {{
    {ui::MediaKey::NextTrack, VK_MEDIA_NEXT_TRACK},
    {ui::MediaKey::PrevTrack, VK_MEDIA_PREV_TRACK},
    {ui::MediaKey::PlayPause, VK_MEDIA_PLAY_PAUSE},
    {ui::MediaKey::Stop, VK_MEDIA_STOP},
}};

// Hot-key ids of an application lie in 0x0000..0xBFFF; 1 up keeps 0 unused.
int hotKeyId(std::size_t index) {
    return static_cast<int>(index) + 1;
}

}  // namespace

void Win32Toolkit::takeMediaKeys(ui::Window& owner, ui::MediaKeyHandler pressed) {
    releaseMediaKeys();
    ToolkitState& toolkit = *impl_;
    toolkit.mediaKeyOwner = formStateOf(owner).hwnd;
    toolkit.onMediaKey = std::move(pressed);
    for (std::size_t i = 0; i < kMediaKeys.size(); ++i) {
        if (RegisterHotKey(toolkit.mediaKeyOwner, hotKeyId(i), MOD_NOREPEAT,
                           kMediaKeys[i].virtualKey))
            toolkit.mediaKeyIds.push_back(hotKeyId(i));
    }
}

void Win32Toolkit::releaseMediaKeys() {
    ToolkitState& toolkit = *impl_;
    for (int id : toolkit.mediaKeyIds) UnregisterHotKey(toolkit.mediaKeyOwner, id);
    toolkit.mediaKeyIds.clear();
}

void mediaKeyHotKey(ToolkitState& toolkit, int id) {
    const std::vector<int>& held = toolkit.mediaKeyIds;
    if (std::find(held.begin(), held.end(), id) == held.end() || !toolkit.onMediaKey) return;
    const ui::MediaKey key = kMediaKeys[static_cast<std::size_t>(id - 1)].key;
    runHandler([&] { toolkit.onMediaKey(key); });
}

}  // namespace varnok::platform::win32
