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

    void prepareOnShow();
    void addDok();
    void discardDok();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::AddDokWindow> ui;
    LogData &m_data;
    EntryPanel &m_entryPanel;
};
