#pragma once
// Key-down and key-press notifications for a Qt edit, in the two steps the engine's handlers expect:
// OnKeyDown sees every key first and may replace it (or drop it with key 0); OnKeyPress then sees the
// character the key types (Backspace, Enter, Ctrl+V and Ctrl+X count as characters) and may drop it
// with 0. A replaced key is delivered to the edit in place of the original.

#include "platform/core/Hook.h"

#include <QObject>

class QKeyEvent;

namespace plat {

class KeyEvents : public QObject {
    Q_OBJECT
public:
    // Watches target's key presses; owned by target.
    explicit KeyEvents(QObject* target);

    Hook<int&, Qt::KeyboardModifiers> OnKeyDown; // Qt key code
    Hook<char16_t&> OnKeyPress;

    // The character a key event types, or 0 when it types none (arrows, Delete, Tab, function keys).
    static char16_t TypedCharacter(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QObject* m_target;
    bool m_delivering = false;
};

} // namespace plat
