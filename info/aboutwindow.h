#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TForm5;
}
class TDm;

// TForm5: the about box. The author's address is a link to a mail to the author.
class TForm5 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm5(TDm &dm, QWidget *parent = nullptr);
    ~TForm5() override;

    void Label7Click();
    void Label7MouseMove();
    void Panel1MouseMove();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setLinkColour(const QColor &colour);

    std::unique_ptr<Ui::TForm5> ui;
    TDm &Dm;
};
