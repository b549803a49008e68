#pragma once

#include <QChar>

class QString;
class QWidget;

// What the working panels of the main window (the QSO entry panel and the DOK management view)
// ask of the frame that holds them: its commands switched on and off, the hint of its Exit
// command, the count panel of its status bar, the other panels hidden, and the marker of what
// the window is busy with. The frame implements it and hands it to the panels.
class CommandSwitch
{
public:
    // Commands whose menu item and tool button are always enabled and disabled together;
    // Compact has a menu item only.
    enum class Command { New, Modify, Delete, Save, Management, Request, Rules, Refresh, Summary, UserData, Backup, Restore, Compact, Exit };

    virtual ~CommandSwitch() = default;

    virtual void setCommandEnabled(Command command, bool enabled) = 0;
    virtual void setExitHint(const QString &text) = 0;
    // The middle panel of the status bar: a count shown raised, or nothing, sunken.
    virtual void showCount(const QString &text) = 0;
    virtual void clearCount() = 0;
    // Hides every working panel but the one given.
    virtual void hideOtherPanels(const QWidget &shown) = 0;

    // 'N' normal, 'S' while the management view shows QSO details, 'D' while awards print.
    virtual QChar viewMarker() const = 0;
    virtual void setViewMarker(QChar marker) = 0;
};
