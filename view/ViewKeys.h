#pragma once

#include <QKeyCombination>
#include <QKeySequence>
#include <QList>

// The keyboard's way to the drawn buttons. Each key stands for a button as it
// acts in a mode: Enter is the magnifier, so it opens in the tree and the item
// table but does nothing on the item screen, where that place holds the tick.
// A key runs exactly what a tap on its button runs (CQuillmarkView::PressButton).
// The cross is reached through "Exit" and its key (PopupMenu::kEntries).
namespace ViewKeys {

struct Binding
{
    // Its keys; Qt::Key_unknown pads the list.
    QKeyCombination keys[3];
    // The button (0 to 5, left to right) it presses in modeTree, modeItem
    // and modeItems; -1 where that button is a different one or none.
    int button[3];
};

// The "M" button, the pencil, the magnifier, the tick, the arrow into the
// handheld, the up arrow.
inline constexpr Binding kBindings[] = {
        {{Qt::Key_Menu, Qt::SHIFT | Qt::Key_F10, Qt::ALT | Qt::Key_M}, {1, 1, 1}},
        {{Qt::Key_F2, Qt::CTRL | Qt::Key_E}, {2, 2, 2}},
        {{Qt::Key_Return, Qt::Key_Enter}, {3, -1, 3}},
        {{Qt::CTRL | Qt::Key_D}, {-1, 3, -1}},
        {{Qt::CTRL | Qt::Key_T}, {-1, 4, -1}},
        {{Qt::Key_Backspace, Qt::ALT | Qt::Key_Left, Qt::ALT | Qt::Key_Up}, {-1, 5, 4}},
};

// The keys of a binding as sequences, without the padding.
QList<QKeySequence> Sequences(const Binding &binding);
// The binding whose button lies at `button` in `mode`, or nullptr.
const Binding *BindingAt(int button, int mode);
// The keys of a button in a mode (the cross's are those of "Exit"), as text
// for the tool tip: "F2, Ctrl+E"; empty when it has none.
QString KeyText(int button, int mode);

} // namespace ViewKeys
