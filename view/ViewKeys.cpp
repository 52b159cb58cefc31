#include "view/ViewKeys.h"

#include "res/Strings.h"
#include "view/PopupMenu.h"
#include "view/QuillmarkView.h"
#include "view/ViewLook.h"

#include <QHelpEvent>
#include <QShortcut>
#include <QToolTip>

namespace ViewKeys {

QList<QKeySequence> Sequences(const Binding &binding)
{
    QList<QKeySequence> sequences;
    for (const QKeyCombination key : binding.keys) {
        if (key.key() != Qt::Key_unknown)
            sequences.append(QKeySequence(key));
    }
    return sequences;
}

const Binding *BindingAt(int button, int mode)
{
    if (mode < 0 || mode > 2)
        return nullptr;
    for (const Binding &binding : kBindings) {
        if (binding.button[mode] == button)
            return &binding;
    }
    return nullptr;
}

QString KeyText(int button, int mode)
{
    QList<QKeySequence> keys;
    if (button == 0) {
        for (const PopupMenu::Entry &entry : PopupMenu::kEntries) {
            if (entry.command == Res::ID_APP_EXIT)
                keys.append(QKeySequence(entry.key));
        }
    } else if (const Binding *binding = BindingAt(button, mode)) {
        keys = Sequences(*binding);
    }
    QStringList texts;
    for (const QKeySequence &key : std::as_const(keys))
        texts.append(key.toString(QKeySequence::NativeText));
    return texts.join(QStringLiteral(", "));
}

} // namespace ViewKeys

void CQuillmarkView::CreateShortcuts()
{
    // Window-wide, so that they work whether the tree, the item table or
    // nothing has the focus; the dialogs are windows of their own. Holding a
    // key down does not repeat a command.
    const auto add = [this](const QKeySequence &key, auto run) {
        auto *shortcut = new QShortcut(key, this, run, Qt::WindowShortcut);
        shortcut->setAutoRepeat(false);
    };
    for (const ViewKeys::Binding &binding : ViewKeys::kBindings) {
        for (const QKeySequence &key : ViewKeys::Sequences(binding)) {
            add(key, [this, &binding] {
                const int button = binding.button[int(m_mode)];
                if (button >= 0)
                    PressButton(button, Trigger::Key);
            });
        }
    }
    for (const PopupMenu::Entry &entry : PopupMenu::kEntries) {
        if (entry.command != 0 && entry.key.key() != Qt::Key_unknown) {
            const int command = entry.command;
            add(QKeySequence(entry.key), [this, command] {
                if (m_bReady)
                    OnCommand(command);
            });
        }
    }
}

bool CQuillmarkView::event(QEvent *event)
{
    // A drawn button names itself and its keys when the pointer rests on it.
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        for (int button = 0; button < ViewLook::kButtonCount; ++button) {
            const QRect rect = ViewLook::ButtonRect(button, height());
            const int face = FaceAt(button);
            if (face != 0 && rect.contains(help->pos())) {
                QToolTip::showText(help->globalPos(), Str::ButtonTip(face, ViewKeys::KeyText(button, int(m_mode))),
                                   this, rect);
                return true;
            }
        }
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    return QWidget::event(event);
}
