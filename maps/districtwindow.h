#pragma once

#include "buttonclosedialog.h"

#include <memory>
#include <vector>

namespace Ui {
class DistrictWindow;
}
namespace maps {
struct DistrictEntry;
struct DistrictShape;
}
class QLabel;
class LogData;

// A district map window. The 24 district windows (TForm14 ... TForm37) are this one class with
// the data of their district; the window carries its class name as its object name.
class DistrictWindow : public ButtonClosedDialog
{
    Q_OBJECT

public:
    DistrictWindow(LogData &dm, const maps::DistrictEntry &district, QWidget *parent = nullptr);
    ~DistrictWindow() override;

    void prepareOnShow();
    // The shared hover handler of the DOK areas.
    void showDokUnderMouse(const QString &code);
    void closeWindow();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildResultLabels();
    void clearResults();

    std::unique_ptr<Ui::DistrictWindow> ui;
    LogData &m_data;
    const maps::DistrictEntry &m_district;
    std::vector<QLabel *> m_results;
};

// The district window registered under a class name (TForm14 ... TForm37); null for any other name.
std::unique_ptr<DistrictWindow> createDistrictWindow(const QString &windowClass, LogData &dm, QWidget *parent = nullptr);
