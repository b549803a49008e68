#pragma once

#include <QKeyEvent>

// Alt with a letter that reaches a field is the shortcut of a command that is disabled: an
// enabled command takes its shortcut before the field sees the key. Such a key is dropped, never
// typed. Ctrl+Alt stays a typing key (AltGr on some systems).
inline bool isUnclaimedShortcut(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    return modifiers.testFlag(Qt::AltModifier) && !modifiers.testFlag(Qt::ControlModifier)
        && !event->text().isEmpty();
}
