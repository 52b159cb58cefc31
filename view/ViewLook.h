#pragma once

#include <QFont>
#include <QRect>

// The view's geometry and fonts, shared by the painting, the layout of its
// controls and buttons (and the tests), so that a change of the layout is
// made here alone. At its smallest the view is the default size of the window; what
// it grows by goes to the tree or the table, the detail pane and the
// banner's band, and the buttons and the total keep to the bottom corners.
namespace ViewLook {

// Where the tree and the item table lie: at the smallest size left 8, top
// 30, right 230, bottom 240.
constexpr QRect ChildRect(QSize view)
{
    return QRect(8, 30, view.width() - 18, view.height() - 58);
}

// The banner's title art at the top left; its band goes on to the right edge.
constexpr QRect kBannerRect{0, 0, 240, 25};

// The button bar: 20 x 20 faces, their top 25 pixels above the bottom edge.
constexpr int kButtonSize = 20;
constexpr int kButtonBarRise = 25;
constexpr int kButtonLefts[6] = {8, 33, 58, 83, 108, 133};
constexpr int kButtonCount = 6;

constexpr QRect ButtonRect(int slot, int viewHeight)
{
    return QRect(kButtonLefts[slot], viewHeight - kButtonBarRise, kButtonSize, kButtonSize);
}

// The detail pane: the icon and the name on one line, the tick at its right
// end (only the top left of its picture), a rule under the name, then the
// sections, each label and value kGap below the one before.
constexpr QPoint kItemIconAt{8, 30};
constexpr QPoint kItemNameAt{28, 30};
constexpr int kTickFromRight = 17;
constexpr QRect kTickSource{0, 0, 12, 13};
constexpr int kRuleBelowName = 5; // from the bottom of the name
constexpr int kRuleInset = 4;     // from the left and right edges
constexpr int kSectionLeft = 8;
constexpr int kGap = 5;
// The description's box: right and bottom are insets from the view's edges;
// what does not fit is cut.
constexpr int kDescriptionLeft = 18;
constexpr int kDescriptionRightInset = 5;
constexpr int kDescriptionBottomInset = 27;

// The total of a list's prices, framed at the bottom right: the amount's
// right end and bottom are insets from the view's edges, the frame kFramePad
// around it and reaching kFrameRightInset from the right edge, the label
// kGap before the amount.
constexpr int kTotalRightInset = 15;
constexpr int kTotalBottomInset = 10;
constexpr int kFramePad = 2;
constexpr int kFrameRightInset = 10;
// What is drawn beside the total keeps this far right of the buttons; in a
// wider window what is left to pay ends kLeftBeforeTotal before the label.
constexpr int kTotalClearOfButtons = 3;
constexpr int kLeftBeforeTotal = 15;

// The platform's sans-serif at the program's pixel heights, grown or shrunk
// as the desktop's font is against the 9 points they were made for.
QFont ValueFont(); // 11, normal: values, the total
QFont LabelFont(); // 11, bold: "Date", "Price", "Description", "Total: "
QFont TitleFont(); // 17, bold: the item's name

} // namespace ViewLook
