// MendReportWindow: the report of the repair program.
#include "mendreportwindow.h"

#include "ui_mendreportwindow.h"

#include <QPushButton>

MendReportWindow::MendReportWindow(const QStringList &lines, bool success, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::MendReportWindow>())
{
    ui->setupUi(this);
    ui->Outcome->setText(success ? QStringLiteral("log.mdb has been checked and compacted.")
                                 : QStringLiteral("log.mdb could not be mended."));
    ui->Report->setPlainText(lines.join(QLatin1Char('\n')));
    connect(ui->Close, &QPushButton::clicked, this, &QDialog::accept);
}

MendReportWindow::~MendReportWindow() = default;
