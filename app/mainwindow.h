#pragma once

#include "printingpause.h"

#include <QMainWindow>
#include <memory>

namespace Ui {
class TForm4;
}
class EntryPanel;
class InfoMenu;
class MaintenanceMenu;
class ManagementView;
class QDialog;
class QLabel;
class QTimer;
class TDm;

// The main window: menus, tool bar, clock, status bar, and the two working panels of which at
// most one is shown (the QSO entry panel and the DOK management view).
class TForm4 : public QMainWindow, public PrintingPause
{
    Q_OBJECT

public:
    // Commands whose menu item and tool button are always enabled and disabled together.
    enum class Command { New, Modify, Delete, Save, Management, Request, Rules, Refresh, Summary, UserData, Backup, Restore, Exit };

    TForm4(TDm &dm, QDialog *userDataWindow, QWidget *parent = nullptr);
    ~TForm4() override;

    void setCommandEnabled(Command command, bool enabled);
    QAction *action(const QString &name) const;
    // The status bar's three panels: hint, count text of the management view, memory load.
    QLabel *statusPanel(int index) const;
    void setStatusPanelRaised(int index, bool raised);
    void setExitHint(const QString &text);
    QTimer *clockTimer() const { return Timer1; }
    void beginPrinting() override;
    void endPrinting() override;

    // The what's-new window, created at start, shown by the Help menu.
    void setWhatsNewWindow(QDialog *window);

    EntryPanel *entryPanel() const { return Panel1; }
    ManagementView *managementView() const { return Panel2; }

    // "N" normal, "S" while the management view shows QSO details, "D" while awards print.
    QChar viewMarker = QLatin1Char('N');

    void FormShow();
    void Timer1Timer();
    void Esci1Click();
    void Sound1Click();
    void UserData1Click();
    // Opens the refresh window on its refresh panel when sender is Calcolo1 or Calcolo2, on its
    // summary otherwise.
    void Calcolo1Click(const QObject *sender);
    // The Progress window: DOKs confirmed over time.
    void Progress1Click();
    void MaP1Click();
    // Imports an ADIF file and offers the refresh afterwards.
    void ImportAdif1Click();
    void ImportConfirmations1Click();
    void Modifica1Click();
    // Deletes the QSO selected in the band table; the menu item Delete1 runs it too.
    void SpeeddelClick();
    // Opens the award application window.
    void SpeedButton2Click();

signals:
    void terminateRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    // Flips the sound switch and its caption; returns whether sounds are now on.
    bool flipSoundSwitch();
    void setHints();
    void setIcons();
    void setShortcuts();
    void connectHandlers();
    void buildStatusBar();
    void showLastRefresh();
    void terminate();

    std::unique_ptr<Ui::TForm4> ui;
    TDm &Dm;
    QDialog *m_userData;
    EntryPanel *Panel1;
    ManagementView *Panel2;
    QTimer *Timer1;
    MaintenanceMenu *m_maintenance;
    InfoMenu *m_info;
    QLabel *m_statusPanels[3] = {};
};
