#pragma once

#include "buttonclosedialog.h"

#include <memory>

namespace Ui {
class TForm3;
}
class TDm;

// The user data window: edits the one row of INFO (callsign, name, address, country...).
class TForm3 : public ButtonClosedDialog
{
    Q_OBJECT

public:
    explicit TForm3(TDm &dm, QWidget *parent = nullptr);
    ~TForm3() override;

    void FormShow();
    void combobox1Change();
    void SpeedButton1Click();
    // True when every field holds something; otherwise the first empty one gets the focus.
    bool FormClose();

signals:
    void mainWindowRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // At the first start the window stands alone and is left only through "Save and exit";
    // opened from the main window it is modal, and Escape saves and exits as the button does.
    bool escapeCloses() const override { return isModal(); }

private:
    std::unique_ptr<Ui::TForm3> ui;
    TDm &Dm;
};
