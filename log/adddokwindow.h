#pragma once

#include "buttonclosedialog.h"

#include <memory>

namespace Ui {
class AddDokWindow;
}
class EntryPanel;
class LogData;

// "Add new DOK": appends a DOK that the reference list lacks, with an empty status row.
class AddDokWindow : public ButtonClosedDialog
{
    Q_OBJECT

public:
    AddDokWindow(LogData &dm, EntryPanel &entryPanel, QWidget *parent = nullptr);
    ~AddDokWindow() override;

    void FormShow();
    void Button1Click();
    void Button2Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::AddDokWindow> ui;
    LogData &Dm;
    EntryPanel &m_entryPanel;
};
