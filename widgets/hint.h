#pragma once

#include <QString>

class QAction;
class QObject;
class QWidget;

// A hint is "short|long": the short part becomes the tool tip, the long part the status tip,
// which the main window shows in the first panel of its status bar. A hint without "|" uses
// its whole text for both.
namespace hint {

void set(QAction *action, const QString &text);
void set(QWidget *widget, const QString &text);
QString of(const QObject *object);

} // namespace hint
