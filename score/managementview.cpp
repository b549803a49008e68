// Panel2 of TForm4: the DOK management view.
#include "managementview.h"

#include "ui_managementview.h"

ManagementView::ManagementView(TDm &dm, TForm4 &mainWindow, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::ManagementView>()), Dm(dm), m_main(mainWindow)
{
    ui->setupUi(this);
}

ManagementView::~ManagementView() = default;

void ManagementView::showDokTotal(int total)
{
    ui->all->setText(QString::number(total));
}
