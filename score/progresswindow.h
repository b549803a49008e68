#pragma once

#include "buttonclosedialog.h"
#include "dokprogress.h"

#include <memory>

namespace Ui {
class ProgressWindow;
}
class QChartView;
class LogData;

// The Progress window: how many different DOKs were confirmed over time, for the whole log or
// one band or mode, against the award levels, with the date each level was reached. The log is
// read once when the window opens.
class ProgressWindow : public ButtonClosedDialog
{
    Q_OBJECT

public:
    explicit ProgressWindow(LogData &dm, QWidget *parent = nullptr);
    ~ProgressWindow() override;

    // Shows the curve of the chosen entry of the Selection box.
    void showSelectedProgress();
    const DokProgress::Curve &shownCurve() const { return m_curve; }

private:
    void readLog();
    void showChart();
    void showLevels();

    std::unique_ptr<Ui::ProgressWindow> ui;
    LogData &m_data;
    DokProgress m_progress;
    DokProgress::Curve m_curve;
    QChartView *m_chartView;
};
