#include "player/FrmPlay.h"

#include "player/FrmPlayLayout.h"

#include <utility>

namespace varnok::player {

namespace pl = playlayout;

namespace {
constexpr unsigned kMusicTimerMs = 100;
}

FrmPlay::FrmPlay(ui::Toolkit& toolkit, MediaGraphFactory& media, console::ConsoleLink& console,
                 std::filesystem::path savesFolder, FrmPickFolder& picker)
    : toolkit_(toolkit),
      media_(media),
      console_(console),
      savesFolder_(std::move(savesFolder)),
      picker_(picker) {
    ui::Toolkit& tk = toolkit_;
    window = tk.createWindow(pl::window());
    ui::Window& w = *window;

    lblLength = tk.createLabel(w, pl::grey("lblLength", "Position:", {720, 360, 2655, 375}));
    Slider3 = tk.createSlider(
        w, {.control = {.name = "Slider3", .rect = {720, 720, 2655, 375}, .background = pl::kGrey},
            .orientation = ui::Orientation::Horizontal,
            .min = 0,
            .max = 10,
            .smallStep = 1,
            .largeStep = 5});
    lstPlay = tk.createListBox(w, {.name = "lstPlay", .rect = {360, 1200, 3495, 2985}});
    cmdPlay = tk.createButton(w, pl::grey("cmdPlay", "Play", {3960, 1200, 1095, 495}));
    cmdStop = tk.createButton(w, pl::grey("cmdStop", "Stop", {3960, 1800, 1095, 495}));
    cmdPause = tk.createButton(w, pl::grey("cmdPause", "Pause", {3960, 2400, 1095, 495}));
    cmdOpenList =
        tk.createButton(w, pl::grey("cmdOpenList", "Open Playlist", {3960, 3000, 1095, 495}));
    cmdSave = tk.createButton(w, pl::grey("cmdSave", "Save Playlist", {3960, 3600, 1095, 495}));
    Label1 = tk.createLabel(w, pl::grey("Label1", "Volume:", {5400, 1440, 855, 375}));
    sldVol = tk.createSlider(
        w, {.control = {.name = "sldVol", .rect = {5580, 1800, 495, 2055}, .background = pl::kGrey},
            .orientation = ui::Orientation::Vertical,
            .min = 0,
            .max = 20,
            .smallStep = 1,
            .largeStep = 2});
    cmdDir = tk.createButton(w, pl::grey("cmdDir", "Add Folder", {840, 4440, 1095, 375}));
    cmdRemove = tk.createButton(w, pl::grey("cmdRemove", "Remove", {2040, 4440, 1095, 375}));
    cmdAddFile = tk.createButton(w, pl::grey("cmdAddFile", "Add File", {840, 4920, 1095, 375}));
    cmdClear = tk.createButton(w, pl::grey("cmdClear", "Clear", {2040, 4920, 1095, 375}));
    Check1 = tk.createCheckBox(w, pl::grey("Check1", "Say the currently playing song",
                                           {3600, 4440, 2535, 375}, ui::Align::Left));
    Check1->setValue(1);

    cmdPlay->onClick([this] { cmdPlay_Click(); });
    cmdStop->onClick([this] { cmdStop_Click(); });
    cmdPause->onClick([this] { cmdPause_Click(); });
    cmdOpenList->onClick([this] { cmdOpenList_Click(); });
    cmdSave->onClick([this] { cmdSave_Click(); });
    cmdDir->onClick([this] { cmdDir_Click(); });
    cmdRemove->onClick([this] { cmdRemove_Click(); });
    cmdAddFile->onClick([this] { cmdAddFile_Click(); });
    cmdClear->onClick([this] { cmdClear_Click(); });
    sldVol->onUserMove([this] { sldVol_Moved(); });
    Slider3->onUserMove([this] { Slider3_Moved(); });

    tmrMusic = tk.createTimer(w, kMusicTimerMs, false, [this] { tmrMusic_Timer(); });
}

FrmPlay::~FrmPlay() = default;

// No volume goes to the platform here: the first started song takes it from
// the slider.
void FrmPlay::Form_Load() {
    loadPlaylist();
    sldVol->setValue(5);
}

}  // namespace varnok::player
