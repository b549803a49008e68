#pragma once

#include "buttonclosedialog.h"

#include <memory>

namespace Ui {
class TForm12;
}
class EntryPanel;
class TDm;

// "Add new DOK": appends a DOK that the reference list lacks, with an empty status row.
class TForm12 : public ButtonClosedDialog
{
    Q_OBJECT

public:
    TForm12(TDm &dm, EntryPanel &entryPanel, QWidget *parent = nullptr);
    ~TForm12() override;

    void FormShow();
    void Button1Click();
    void Button2Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::TForm12> ui;
    TDm &Dm;
    EntryPanel &m_entryPanel;
};
