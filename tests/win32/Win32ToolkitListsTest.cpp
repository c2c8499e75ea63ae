// The toolkit's list boxes, sliders, drive lists and folder lists against
// real controls.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Win32TestSupport.h"
#include "common/TempFolder.h"
#include "ports/ControlIds.h"

namespace {

using namespace varnok;
using win32test::controlNamed;
using Lists = win32test::ToolkitForm;

TEST_F(Lists, AListBoxKeepsItsItemsInTheirOrder) {
    auto list =
        toolkit.createListBox(*window, {.name = "lstPlay", .rect = {360, 1200, 3495, 2985}});
    EXPECT_TRUE(list->count() == 0 && list->listIndex() == -1);
    list->addItem("Zebra");
    list->addItem("apple");
    list->addItem("Mango");
    EXPECT_EQ(list->count(), 3);
    EXPECT_TRUE(list->item(0) == "Zebra" && list->item(1) == "apple");  // not sorted
    EXPECT_TRUE(list->item(3).empty() && list->item(-1).empty());
    list->setListIndex(2);
    EXPECT_EQ(list->listIndex(), 2);
    list->removeItem(0);
    EXPECT_TRUE(list->count() == 2 && list->item(0) == "apple");
    list->setListIndex(9);
    EXPECT_EQ(list->listIndex(), -1);
    list->clear();
    EXPECT_EQ(list->count(), 0);
}

TEST_F(Lists, ASliderReportsUserMovesOnceAGestureAndNotChangesFromCode) {
    int moves = 0;
    auto slider = toolkit.createSlider(
        *window, {.control = {.name = "Slider3", .rect = {720, 720, 2655, 375}, .tabIndex = 1},
                  .min = 0,
                  .max = 10,
                  .smallStep = 1,
                  .largeStep = 5});
    slider->onUserMove([&] { ++moves; });
    HWND track = controlNamed(form, "Slider3");
    EXPECT_TRUE(slider->min() == 0 && slider->max() == 10 && slider->value() == 0);
    EXPECT_EQ(SendMessageA(track, TBM_GETPAGESIZE, 0, 0), 5);
    EXPECT_EQ(SendMessageA(track, TBM_GETLINESIZE, 0, 0), 1);
    EXPECT_FALSE(slider->setValue(11));
    EXPECT_FALSE(slider->setValue(-1));
    EXPECT_EQ(slider->value(), 0);
    EXPECT_TRUE(slider->setValue(7));
    EXPECT_EQ(slider->value(), 7);
    slider->setMax(5);
    EXPECT_TRUE(slider->max() == 5 && slider->value() == 5);
    slider->setMax(215);
    EXPECT_TRUE(slider->setValue(100));
    toolkit.yield();
    EXPECT_EQ(moves, 0);  // changes from code are no user moves

    auto scroll = [&](int code, int position) {
        SendMessageA(track, TBM_SETPOS, TRUE, position);
        PostMessageA(form, WM_HSCROLL, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(track));
        toolkit.yield();
    };
    // Scroll messages with the thumb at their place, and the moves seen after each.
    const struct {
        int code, position, moves;
    } gestures[] = {
        {TB_THUMBTRACK, 101, 0},    {TB_THUMBTRACK, 102, 0},  // no seek for every pixel of a drag
        {TB_THUMBPOSITION, 102, 1}, {TB_ENDTRACK, 102, 1},    // the end of the same gesture
        {TB_PAGEDOWN, 107, 2},      {TB_ENDTRACK, 107, 2},
        {TB_LINEUP, 106, 3},  // the mouse wheel sends no TB_ENDTRACK
    };
    for (auto [code, position, expected] : gestures) {
        scroll(code, position);
        EXPECT_EQ(moves, expected) << code << " at " << position;
    }
    EXPECT_TRUE(slider->setValue(106));
    scroll(TB_ENDTRACK, 106);
    EXPECT_EQ(moves, 4);  // after a change from code the same place is news again

    // A real key press on the trackbar: one move for TB_LINEDOWN + TB_ENDTRACK.
    slider->setValue(0);
    moves = 0;
    PostMessageA(track, WM_KEYDOWN, VK_RIGHT, 0);
    PostMessageA(track, WM_KEYUP, VK_RIGHT, 0xC0000001);
    toolkit.yield();
    EXPECT_EQ(slider->value(), 1);
    EXPECT_EQ(moves, 1);

    auto upright = toolkit.createSlider(
        *window, {.control = {.name = "sldVol", .rect = {5580, 1800, 495, 2055}},
                  .orientation = ui::Orientation::Vertical,
                  .min = 0,
                  .max = 20,
                  .smallStep = 1,
                  .largeStep = 2});
    EXPECT_NE(GetWindowLongPtrA(controlNamed(form, "sldVol"), GWL_STYLE) & TBS_VERT, 0);
    EXPECT_TRUE(upright->setValue(5) && upright->value() == 5);
}

TEST_F(Lists, DriveAndFolderListsShowTheDisksAndWalkTheFolders) {
    int driveChanges = 0;
    auto drives = toolkit.createDriveList(*window, {.name = "drv", .rect = {480, 120, 3015, 315}});
    drives->onChange([&] { ++driveChanges; });
    EXPECT_GE(drives->count(), 1);
    bool hasC = false, wellFormed = true;
    for (int i = 0; i < drives->count(); ++i) {
        std::string drive = drives->drive(i);
        hasC = hasC || drive == "c:";
        wellFormed = wellFormed && drive.size() == 2 && drive[1] == ':' && drive[0] >= 'a' &&
                     drive[0] <= 'z';
    }
    EXPECT_TRUE(hasC && wellFormed);
    EXPECT_GE(drives->listIndex(), 0);
    HWND combo = controlNamed(form, "drv");
    PostMessageA(form, WM_COMMAND, MAKEWPARAM(ui::controlId("drv"), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    toolkit.yield();
    EXPECT_EQ(driveChanges, 1);

    namespace fs = std::filesystem;
    testsupport::TempFolder temporary;
    const std::string root = temporary.text();
    fs::create_directories(temporary.path() / "beta");
    fs::create_directories(temporary.path() / "Alpha" / "inner");
    // Named in Unicode on disk, in the code page (0xFA) in the program.
    fs::create_directories(temporary.path() / L"m\u00FAsica");
    std::string current = fs::current_path().string();

    auto folders =
        toolkit.createFolderList(*window, {.name = "Dir", .rect = {480, 480, 3015, 3015}});
    HWND folderHwnd = controlNamed(form, "Dir");
    folders->setPath(root + "\\");
    EXPECT_EQ(folders->path(), root);
    std::vector<std::string> rows;
    int rowCount = static_cast<int>(SendMessageA(folderHwnd, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < rowCount; ++i) {
        char row[MAX_PATH * 2] = {};
        SendMessageA(folderHwnd, LB_GETTEXT, i, reinterpret_cast<LPARAM>(row));
        rows.push_back(row);
    }
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_TRUE(rows[1] == "[..]" && rows[2] == "[Alpha]" && rows[3] == "[beta]" &&
                rows[4] == "[m\xFAsica]");
    SendMessageA(folderHwnd, LB_SETCURSEL, 2, 0);
    PostMessageA(form, WM_COMMAND, MAKEWPARAM(ui::controlId("Dir"), LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(folderHwnd));
    toolkit.yield();
    EXPECT_EQ(folders->path(), root + "\\Alpha");
    SendMessageA(folderHwnd, LB_SETCURSEL, 1, 0);  // "[..]"
    PostMessageA(form, WM_COMMAND, MAKEWPARAM(ui::controlId("Dir"), LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(folderHwnd));
    toolkit.yield();
    EXPECT_EQ(folders->path(), root);
    folders->setPath(root + "\\m\xFAsica");
    EXPECT_EQ(folders->path(), root + "\\m\xFAsica");
    folders->setPath(root);
    folders->setPath(root + "\\no such folder");
    EXPECT_EQ(folders->path(), root);
    folders->setPath("c:\\");
    EXPECT_TRUE(folders->path() == "c:\\" || folders->path() == "C:\\");
    EXPECT_EQ(fs::current_path().string(), current);  // listing never moves the current folder
}

}  // namespace
