// MendReportWindow: the report of the repair program.
#include "mendreportwindow.h"

#include "ui_mendreportwindow.h"

#include <QCoreApplication>
#include <QPushButton>

MendReportWindow::MendReportWindow(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::MendReportWindow>())
{
    ui->setupUi(this);
    ui->Outcome->setText(tr("Mending log.mdb…"));
    ui->Close->setEnabled(false);
    connect(ui->Close, &QPushButton::clicked, this, &QDialog::accept);
}

MendReportWindow::~MendReportWindow() = default;

void MendReportWindow::addLine(const QString &line)
{
    ui->Report->appendPlainText(line);
    QCoreApplication::processEvents();
}

void MendReportWindow::showProgress(const QString &line)
{
    ui->Outcome->setText(tr("Mending log.mdb… ") + line);
    QCoreApplication::processEvents();
}

void MendReportWindow::finish(bool success)
{
    m_finished = true;
    ui->Outcome->setText(success ? tr("log.mdb has been checked and compacted.")
                                 : tr("log.mdb could not be mended."));
    ui->Close->setEnabled(true);
    ui->Close->setFocus();
}

// Escape or the title bar's close button cannot end the program in the middle of a repair.
void MendReportWindow::reject()
{
    if (m_finished)
        QDialog::reject();
}
