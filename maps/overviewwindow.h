#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class OverviewMapWindow;
}
class QAction;
class LogData;

// OverviewMapWindow, "DOK Map: click to enlarge": the overview of the 24 districts; a click on a district
// opens its district window.
class OverviewMapWindow : public QDialog
{
    Q_OBJECT

public:
    explicit OverviewMapWindow(LogData &dm, QWidget *parent = nullptr);
    ~OverviewMapWindow() override;

    // The clickable area of a district (imaA, ImaB, ...), carrying its hint.
    QAction *area(QChar letter) const;
    // The one click handler of all areas: opens the clicked area's district window.
    void openDistrict(const QAction *clicked);

protected:
    void hideEvent(QHideEvent *event) override;

private:
    void showShares();
    void showHint(QChar letter);

    std::unique_ptr<Ui::OverviewMapWindow> ui;
    LogData &m_data;
};
