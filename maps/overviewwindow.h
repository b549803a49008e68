#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TForm13;
}
class QAction;
class TDm;

// TForm13, "DOK Map: click to enlarge": the overview of the 24 districts; a click on a district
// opens its district window.
class TForm13 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm13(TDm &dm, QWidget *parent = nullptr);
    ~TForm13() override;

    // The clickable area of a district (imaA, ImaB, ...), carrying its hint.
    QAction *area(QChar letter) const;
    // The one click handler of all areas: opens the clicked area's district window.
    void ImaMClick(const QAction *clicked);

protected:
    void hideEvent(QHideEvent *event) override;

private:
    void showShares();
    void showHint(QChar letter);

    std::unique_ptr<Ui::TForm13> ui;
    TDm &Dm;
};
