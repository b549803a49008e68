#pragma once

#include "buttonclosedialog.h"

#include <memory>

namespace Ui {
class TForm6;
}
class QTextBrowser;

// TForm6: the award's rules in five languages, one text in front at a time.
class TForm6 : public ButtonClosedDialog
{
    Q_OBJECT

public:
    explicit TForm6(QWidget *parent = nullptr);
    ~TForm6() override;

    void FormShow();
    void ITimClick();
    void ENimClick();
    void DAimClick();
    void FRimClick();
    void EAimClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void bringToFront(QTextBrowser *text);

    std::unique_ptr<Ui::TForm6> ui;
};
