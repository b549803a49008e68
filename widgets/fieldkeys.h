#pragma once

#include <QFocusEvent>
#include <QKeyEvent>

// How the entry and modify windows read the keys and focus moves of their fields.

inline bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// True for a typed character that a digits-only field refuses; alsoAllowed names the other
// characters it takes (a band field takes the "." of "1.8"). Shortcuts such as Ctrl+A are no
// typing and pass.
inline bool isTypedNonDigit(const QKeyEvent *event, QStringView alsoAllowed = {})
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    if (text.isEmpty() || !text.at(0).isPrint() || alsoAllowed.contains(text.at(0)))
        return false;
    return text.at(0) < QLatin1Char('0') || text.at(0) > QLatin1Char('9');
}

// What a band field takes besides digits.
inline constexpr QStringView bandCharacters = u".";

inline bool isTab(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier);
}

// Focus that moves because another window (a message box, a list's popup) comes and goes is no
// entering or leaving of a field.
inline bool movedWithinWindow(const QEvent *event)
{
    const Qt::FocusReason reason = static_cast<const QFocusEvent *>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}
