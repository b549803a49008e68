// AddDokWindow: the add-DOK window.
#include "adddokwindow.h"

#include "accessiblenames.h"
#include "datamodule.h"
#include "engineguard.h"
#include "entrypanel.h"
#include "ui_adddokwindow.h"
#include "uppercase.h"
#include "vocabulary.h"

#include <QShowEvent>

AddDokWindow::AddDokWindow(LogData &dm, EntryPanel &entryPanel, QWidget *parent)
    : ButtonClosedDialog(parent), ui(std::make_unique<Ui::AddDokWindow>()), m_data(dm), m_entryPanel(entryPanel)
{
    ui->setupUi(this);
    nameEditParts(*this);
    makeUpperCase(ui->dok);
    makeUpperCase(ui->LOC);
    ui->ComboBox1->setCompleter(nullptr);
    moveFocusOnEnter({ui->dok, ui->ComboBox1, ui->LOC});
    connect(ui->Button1, &QPushButton::clicked, this, &AddDokWindow::addDok);
    connect(ui->Button2, &QPushButton::clicked, this, &AddDokWindow::discardDok);
    closeOnEscape({ui->Button2});
}

AddDokWindow::~AddDokWindow() = default;

void AddDokWindow::showEvent(QShowEvent *event)
{
    ButtonClosedDialog::showEvent(event);
    if (!event->spontaneous())
        prepareOnShow();
}

void AddDokWindow::prepareOnShow()
{
    ui->dok->setText(m_entryPanel.dokText());
}

void AddDokWindow::addDok()
{
    const bool stored = reportEngineErrors([&] {
        try {
            m_data.dok.append();
            m_data.dok.setText(vocab::table::dok, ui->dok->text());
            const QString special = ui->ComboBox1->currentText();
            if (special == QLatin1String("Y") || special == vocab::status::special)
                m_data.dok.setText(QStringLiteral("SPEC"), vocab::status::special);
            if (!ui->LOC->text().isEmpty())
                m_data.dok.setText(QStringLiteral("DESCR"), ui->LOC->text());
            for (const QString &cell : vocab::statusCells())
                m_data.dok.setText(cell, vocab::status::none);
            m_data.dok.setText(vocab::summaryCell, vocab::status::none);
            m_data.dok.post();
        } catch (...) {
            m_data.dok.cancel();
            throw;
        }
    });
    if (!stored)
        return;
    m_entryPanel.setSaveEnabled(true);
    accept();
}

void AddDokWindow::discardDok()
{
    m_entryPanel.clearDok();
    reject();
}
