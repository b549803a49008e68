#pragma once

#include "buttonclosedialog.h"

#include <memory>

namespace Ui {
class TForm38;
}
class QAbstractButton;

// TForm38: the help window, three pages of which one is in front.
class TForm38 : public ButtonClosedDialog
{
    Q_OBJECT

public:
    explicit TForm38(QWidget *parent = nullptr);
    ~TForm38() override;

    void FormShow();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void pageButtonClicked(QAbstractButton *button);

    std::unique_ptr<Ui::TForm38> ui;
};
