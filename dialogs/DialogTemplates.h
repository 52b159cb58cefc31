#pragma once

#include "dialogs/DialogUnits.h"

// The control rectangles of the About box and the list editing dialogs, in
// dialog units. Pixels come from DialogUnits::Place; TemplateFit then makes
// room where the user's font needs more.
namespace DialogTemplates {

using DialogUnits::DluRect;

// "About Quillmark": the dialog's own size, the program icon, the version
// text and the margin kept right of it.
namespace About {
constexpr DluRect kDialog{0, 0, 125, 106};
constexpr DluRect kIcon{13, 8, 20, 20};
constexpr DluRect kVersion{40, 10, 78, 8};
constexpr int kRightMargin = 7;
} // namespace About

// "New Item"
namespace NewItem {
constexpr DluRect kName{30, 9, 51, 13};
constexpr DluRect kDesc{30, 24, 51, 30};
constexpr DluRect kPrice{30, 56, 51, 13};
constexpr DluRect kDate{45, 82, 57, 15};
constexpr DluRect kTime{45, 101, 57, 15};
constexpr DluRect kIcons{84, 9, 38, 60};
constexpr DluRect kDated{10, 70, 31, 11};
constexpr DluRect kDateFrame{7, 71, 118, 52};
constexpr DluRect kOK{30, 125, 33, 14};
constexpr DluRect kCancel{68, 125, 33, 14};
constexpr DluRect kNameLabel{8, 9, 20, 10};
constexpr DluRect kDescLabel{11, 24, 17, 10};
constexpr DluRect kPriceLabel{8, 56, 20, 11};
constexpr DluRect kDateLabel{19, 86, 21, 10};
constexpr DluRect kTimeLabel{19, 104, 17, 10};
} // namespace NewItem

// "New List"
namespace NewList {
constexpr DluRect kName{40, 9, 51, 14};
constexpr DluRect kOK{30, 92, 33, 14};
constexpr DluRect kCancel{68, 92, 33, 14};
constexpr DluRect kNameLabel{14, 9, 20, 10};
constexpr DluRect kIcons{46, 29, 38, 55};
} // namespace NewList

// "List Setup"
namespace ListSetup {
constexpr DluRect kListGroup{7, 8, 118, 26};
constexpr DluRect kLists{15, 18, 102, 34}; // the height includes the drop-down part
constexpr DluRect kItemsGroup{7, 48, 118, 56};
constexpr DluRect kItems{12, 58, 108, 43};
constexpr DluRect kOK{30, 123, 33, 14};
constexpr DluRect kCancel{68, 123, 33, 14};
} // namespace ListSetup

} // namespace DialogTemplates
