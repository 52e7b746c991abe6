#include "KeyEvents.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>

namespace plat {

KeyEvents::KeyEvents(QObject* target) : QObject(target), m_target(target)
{
    target->installEventFilter(this);
}

char16_t KeyEvents::TypedCharacter(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Backspace: return u'\b';
    case Qt::Key_Return:
    case Qt::Key_Enter: return u'\r';
    case Qt::Key_Escape: return 0x1B;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete: return 0;
    default: break;
    }
    if (event.matches(QKeySequence::Paste))
        return 0x16;
    if (event.matches(QKeySequence::Cut))
        return 0x18;
    const QString text = event.text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return 0;
    return text.at(0).unicode();
}

bool KeyEvents::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_target || m_delivering || event->type() != QEvent::KeyPress)
        return false;
    auto* keyEvent = static_cast<QKeyEvent*>(event);

    int key = keyEvent->key();
    OnKeyDown(key, keyEvent->modifiers());
    if (key == 0)
        return true;
    if (key != keyEvent->key()) {
        // The replacement types no character of its own.
        QKeyEvent replacement(QEvent::KeyPress, key, keyEvent->modifiers());
        m_delivering = true;
        QCoreApplication::sendEvent(m_target, &replacement);
        m_delivering = false;
        return true;
    }

    char16_t typed = TypedCharacter(*keyEvent);
    if (typed == 0)
        return false;
    const char16_t original = typed;
    OnKeyPress(typed);
    if (typed == 0)
        return true;
    if (typed != original) {
        QKeyEvent replacement(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(typed)));
        m_delivering = true;
        QCoreApplication::sendEvent(m_target, &replacement);
        m_delivering = false;
        return true;
    }
    return false;
}

} // namespace plat
