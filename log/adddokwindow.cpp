// TForm12: the add-DOK window.
#include "adddokwindow.h"

#include "accessiblenames.h"
#include "datamodule.h"
#include "engineguard.h"
#include "entrypanel.h"
#include "ui_adddokwindow.h"
#include "uppercase.h"
#include "vocabulary.h"

#include <QShowEvent>

TForm12::TForm12(TDm &dm, EntryPanel &entryPanel, QWidget *parent)
    : ButtonClosedDialog(parent), ui(std::make_unique<Ui::TForm12>()), Dm(dm), m_entryPanel(entryPanel)
{
    ui->setupUi(this);
    nameEditParts(*this);
    makeUpperCase(ui->dok);
    makeUpperCase(ui->LOC);
    ui->ComboBox1->setCompleter(nullptr);
    moveFocusOnEnter({ui->dok, ui->ComboBox1, ui->LOC});
    connect(ui->Button1, &QPushButton::clicked, this, &TForm12::Button1Click);
    connect(ui->Button2, &QPushButton::clicked, this, &TForm12::Button2Click);
    closeOnEscape({ui->Button2});
}

TForm12::~TForm12() = default;

void TForm12::showEvent(QShowEvent *event)
{
    ButtonClosedDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm12::FormShow()
{
    ui->dok->setText(m_entryPanel.dokText());
}

void TForm12::Button1Click()
{
    const bool stored = reportEngineErrors([&] {
        try {
            Dm.dok.append();
            Dm.dok.setText(vocab::table::dok, ui->dok->text());
            const QString special = ui->ComboBox1->currentText();
            if (special == QLatin1String("Y") || special == vocab::status::special)
                Dm.dok.setText(QStringLiteral("SPEC"), vocab::status::special);
            if (!ui->LOC->text().isEmpty())
                Dm.dok.setText(QStringLiteral("DESCR"), ui->LOC->text());
            for (const QString &cell : vocab::statusCells())
                Dm.dok.setText(cell, vocab::status::none);
            Dm.dok.setText(vocab::summaryCell, vocab::status::none);
            Dm.dok.post();
        } catch (...) {
            Dm.dok.cancel();
            throw;
        }
    });
    if (!stored)
        return;
    m_entryPanel.setSaveEnabled(true);
    accept();
}

void TForm12::Button2Click()
{
    m_entryPanel.clearDok();
    reject();
}
