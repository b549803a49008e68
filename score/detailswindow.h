#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class TForm7;
}
class TDm;

// The QSO details window: a small frameless window on top of the others that lists the QSOs of
// the LOG view behind a clicked cell of the DOK grid. It lives for the whole run.
class TForm7 : public QWidget
{
    Q_OBJECT

public:
    explicit TForm7(TDm &dm, QWidget *parent = nullptr);
    ~TForm7() override;

    void FormShow();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::TForm7> ui;
    TDm &Dm;
};
