#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TForm12;
}
class EntryPanel;
class TDm;

// "Add new DOK": appends a DOK that the reference list lacks, with an empty status row.
class TForm12 : public QDialog
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
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::unique_ptr<Ui::TForm12> ui;
    TDm &Dm;
    EntryPanel &m_entryPanel;
};
