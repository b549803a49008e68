#pragma once

#include "commandswitch.h"
#include "printingpause.h"

#include <QMainWindow>
#include <memory>

namespace Ui {
class MainWindow;
}
class EntryPanel;
class InfoMenu;
class MaintenanceMenu;
class ManagementView;
class QDialog;
class QLabel;
class QTimer;
class LogData;

// The main window: menus, tool bar, clock, status bar, and the two working panels of which at
// most one is shown (the QSO entry panel and the DOK management view).
class MainWindow : public QMainWindow, public CommandSwitch, public PrintingPause
{
    Q_OBJECT

public:
    MainWindow(LogData &dm, QDialog *userDataWindow, QWidget *parent = nullptr);
    ~MainWindow() override;

    void setCommandEnabled(Command command, bool enabled) override;
    void setExitHint(const QString &text) override;
    void showCount(const QString &text) override;
    void clearCount() override;
    void hideOtherPanels(const QWidget &shown) override;
    QChar viewMarker() const override { return m_viewMarker; }
    void setViewMarker(QChar marker) override { m_viewMarker = marker; }

    QAction *action(const QString &name) const;
    // The status bar's three panels: hint, count text of the management view, memory load.
    QLabel *statusPanel(int index) const;
    QTimer *clockTimer() const { return m_clock; }
    void beginPrinting() override;
    void endPrinting() override;

    // The what's-new window, created at start, shown by the Help menu.
    void setWhatsNewWindow(QDialog *window);

    EntryPanel *entryPanel() const { return m_entryPanel; }
    ManagementView *managementView() const { return m_managementView; }

    void prepareOnShow();
    void tickClock();
    void closePanelOrExit();
    void toggleSound();
    void openUserData();
    // Opens the refresh window on its refresh panel when sender is Calcolo1 or Calcolo2, on its
    // summary otherwise.
    void openRefresh(const QObject *sender);
    // The Progress window: DOKs confirmed over time.
    void openProgress();
    void openOverviewMap();
    // Imports an ADIF file and offers the refresh afterwards.
    void importAdif();
    void importConfirmations();
    void openModify();
    // Deletes the QSO selected in the band table; the menu item Delete1 runs it too.
    void deleteSelectedQso();
    void openAward();

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

    std::unique_ptr<Ui::MainWindow> ui;
    LogData &m_data;
    QDialog *m_userData;
    EntryPanel *m_entryPanel;
    ManagementView *m_managementView;
    QTimer *m_clock;
    MaintenanceMenu *m_maintenance;
    InfoMenu *m_info;
    QLabel *m_statusPanels[3] = {};
    QChar m_viewMarker = QLatin1Char('N');
};
