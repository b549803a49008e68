#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TForm39;
}

// TForm39: what is new in this version. Created at start and shown as often as asked.
class TForm39 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm39(QWidget *parent = nullptr);
    ~TForm39() override;

private:
    std::unique_ptr<Ui::TForm39> ui;
};
