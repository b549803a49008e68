#pragma once

#include <QKeyEvent>

// True for a typed character that a digits-only field refuses. Shortcuts such as Ctrl+A are no
// typing and pass.
inline bool isTypedNonDigit(const QKeyEvent *event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint()
        && (text.at(0) < QLatin1Char('0') || text.at(0) > QLatin1Char('9'));
}
