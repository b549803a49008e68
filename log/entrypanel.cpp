// Panel1 of TForm4: the QSO entry panel.
#include "entrypanel.h"

#include "ui_entrypanel.h"

EntryPanel::EntryPanel(TDm &dm, TForm4 &mainWindow, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::EntryPanel>()), Dm(dm), m_main(mainWindow)
{
    ui->setupUi(this);
}

EntryPanel::~EntryPanel() = default;

void EntryPanel::showClock(const QString &utc, const QString &local)
{
    ui->LabelUTC->setText(utc);
    ui->LabelLOC->setText(local);
}
