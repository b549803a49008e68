#pragma once

#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class MendReportWindow;
}

// menddb's window: it follows the repair while it runs (each line of the report as it comes,
// the latest progress line in the heading) and closes with its button once the repair is over.
class MendReportWindow : public QDialog
{
    Q_OBJECT

public:
    explicit MendReportWindow(QWidget *parent = nullptr);
    ~MendReportWindow() override;

    void addLine(const QString &line);
    void showProgress(const QString &line);
    // The repair is over: the heading says how it ended and the window may be closed.
    void finish(bool success);

protected:
    void reject() override;

private:
    std::unique_ptr<Ui::MendReportWindow> ui;
    bool m_finished = false;
};
