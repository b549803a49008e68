#pragma once

#include "buttonclosedialog.h"

#include <memory>
#include <vector>

namespace Ui {
class RefreshWindow;
}
class QGroupBox;
class QLabel;
class QTimer;
class LogData;

// The refresh window: the recalculation on its refresh panel, and the summary of the counters
// by band and mode on its summary panel. Created for one opening and shown modally.
class RefreshWindow : public ButtonClosedDialog
{
    Q_OBJECT

public:
    // clock is the main window's clock timer, which a recalculation stops.
    RefreshWindow(LogData &dm, QTimer *clock, QWidget *parent = nullptr);
    ~RefreshWindow() override;

    // What the main window does before showing the window.
    void showRefreshPanel();
    void showSummaryPanel();

    void prepareOnShow();
    void runRefresh(); // "&Go"
    void switchToSummary(); // "&Summary"
    void closeWindow(); // "E&xit" of the refresh panel
    void closeSummary(); // "E&xit" of the summary panel

    bool isRecalculating() const { return m_running; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // One counter label of the summary with the grey "*" shown instead of it while it is 0.
    struct CounterLabel
    {
        QGroupBox *box;
        QLabel *label;
        QString column;
        QLabel *zeroMark = nullptr;
    };

    void bindCounters();
    void alignCounterColumns();
    void setModeCaptions();
    void createZeroMarks();
    void applyZeroMarks();
    void setButtonsEnabled(bool enabled);
    void showStamp();

    std::unique_ptr<Ui::RefreshWindow> ui;
    LogData &m_data;
    QTimer *m_clock;
    std::vector<CounterLabel> m_counters;
    bool m_running = false;
};
