#pragma once

// Bitmap ids, named once. A bitmap's number is also the name of its file in
// res/art ("149.png").
namespace Res {

// Bitmaps
constexpr int IDB_BANNER = 130;      // 240 x 25 title artwork
constexpr int IDB_ICONSTRIP = 133;   // 832 x 16: 52 icons, magenta background
constexpr int IDB_TICK = 144;        // 14 x 13 blue tick of the detail pane
constexpr int IDB_VIEW = 146;        // magnifier
constexpr int IDB_EXIT = 147;        // cross
constexpr int IDB_ADD = 148;         // plus (round, on white)
constexpr int IDB_EDIT = 149;        // pencil (round, on white)
constexpr int IDB_MENU = 150;        // letter M
constexpr int IDB_DONE = 153;        // tick
constexpr int IDB_HANDOVER = 155;    // arrow into a device: the hand-over
constexpr int IDB_BACK = 170;        // up arrow
constexpr int IDB_REMOVE = 176;      // minus (round, on white)
constexpr int IDB_CHECKS = 177;      // 80 x 16: boxes and the group icon
constexpr int IDI_PROGRAM = 128;     // the program icon

// Image list: the five images of IDB_CHECKS, then the 52 icons of the strip.
// Of the check images the tree shows the unchecked and checked boxes and the
// group icon; the two greyed boxes between them are never shown.
constexpr int kImageSize = 16;
constexpr int kCheckImageCount = 5;
constexpr int kStripImageCount = 52;
constexpr int kImageCount = kCheckImageCount + kStripImageCount; // 57
constexpr int kImageUnchecked = 0;
constexpr int kImageChecked = 1;
constexpr int kImageGroup = 4;
constexpr int kFirstStripImage = 5;
constexpr int kChooserIconCount = 46; // the icon choosers offer strip images 0..45

} // namespace Res
