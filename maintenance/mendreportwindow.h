#pragma once

#include <QDialog>
#include <QStringList>
#include <memory>

namespace Ui {
class MendReportWindow;
}

// menddb's window: what the repair did, and a button to close it.
class MendReportWindow : public QDialog
{
    Q_OBJECT

public:
    MendReportWindow(const QStringList &lines, bool success, QWidget *parent = nullptr);
    ~MendReportWindow() override;

private:
    std::unique_ptr<Ui::MendReportWindow> ui;
};
