#pragma once

#include <QFont>
#include <QRect>

// The view's fixed geometry and fonts, shared by the painting and the tap
// test so that a button is hit exactly where it is drawn.
namespace ViewLook {

// Where the tree and the item table lie.
constexpr QRect kChildRect{8, 30, 222, 210}; // left 8, top 30, right 230, bottom 240

// The button bar: 20 x 20 faces, their top 25 pixels above the bottom edge.
constexpr int kButtonSize = 20;
constexpr int kButtonBarRise = 25;
constexpr int kButtonLefts[6] = {8, 33, 58, 83, 108, 133};
constexpr int kButtonCount = 6;

inline QRect ButtonRect(int slot, int viewHeight)
{
    return QRect(kButtonLefts[slot], viewHeight - kButtonBarRise, kButtonSize, kButtonSize);
}

// The detail pane.
constexpr QPoint kItemIconAt{8, 30};
constexpr QPoint kItemNameAt{28, 30};
constexpr int kTickFromRight = 17;
constexpr QRect kTickSource{0, 0, 12, 13};
constexpr int kBannerWidth = 240;
constexpr int kBannerHeight = 25;

// The platform's sans-serif at the handheld's pixel heights.
QFont ValueFont(); // 11, normal: values, the total
QFont LabelFont(); // 11, bold: "Date", "Price", "Description", "Total: "
QFont TitleFont(); // 17, bold: the item's name

} // namespace ViewLook
