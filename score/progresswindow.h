#pragma once

#include "buttonclosedialog.h"
#include "dokprogress.h"

#include <memory>

namespace Ui {
class TFormProgress;
}
class QChartView;
class TDm;

// The Progress window: how many different DOKs were confirmed over time, for the whole log or
// one band or mode, against the award levels, with the date each level was reached. The log is
// read once when the window opens.
class TFormProgress : public ButtonClosedDialog
{
    Q_OBJECT

public:
    explicit TFormProgress(TDm &dm, QWidget *parent = nullptr);
    ~TFormProgress() override;

    // Shows the curve of the chosen entry of the Selection box.
    void SelectionChange();
    const DokProgress::Curve &shownCurve() const { return m_curve; }

private:
    void readLog();
    void showChart();
    void showLevels();

    std::unique_ptr<Ui::TFormProgress> ui;
    TDm &Dm;
    DokProgress m_progress;
    DokProgress::Curve m_curve;
    QChartView *m_chartView;
};
