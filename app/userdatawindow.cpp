// TForm3: the user data window.
#include "userdatawindow.h"

#include "accessiblenames.h"
#include "datamodule.h"
#include "engineguard.h"
#include "fieldlink.h"
#include "focusfield.h"
#include "ui_userdatawindow.h"
#include "uppercase.h"

#include <QCloseEvent>
#include <QSignalBlocker>

TForm3::TForm3(TDm &dm, QWidget *parent) : ButtonClosedDialog(parent), ui(std::make_unique<Ui::TForm3>()), Dm(dm)
{
    ui->setupUi(this);
    nameEditParts(*this);
    ui->Label16->hide();
    ui->combobox1->lineEdit()->setMaxLength(40);
    ui->combobox1->setInsertPolicy(QComboBox::NoInsert);

    const std::pair<QLineEdit *, const char *> edits[] = {
        {ui->DBEdit1, "CALL"}, {ui->DBEdit2, "NOME"}, {ui->DBEdit3, "COGN"},
        {ui->DBEdit4, "INDIR"}, {ui->DBEdit5, "CITTA"}, {ui->DBEdit6, "ZIP"},
        {ui->DBEdit7, "PROV"}, {ui->DBEdit8, "LOCATOR"}, {ui->DBEdit9, "EMAIL"},
    };
    for (const auto &[edit, column] : edits) {
        FieldLink::bind(edit, Dm.info, QString::fromLatin1(column));
        if (edit != ui->DBEdit9)
            makeUpperCase(edit);
    }
    FieldLink::bind(ui->DBComboBox1, Dm.info, QStringLiteral("OM"));
    for (QComboBox *box : {ui->DBComboBox1, ui->combobox1}) {
        makeUpperCase(box);
    }
    moveFocusOnEnter({ui->DBEdit1, ui->DBComboBox1, ui->DBEdit2, ui->DBEdit3, ui->DBEdit4, ui->DBEdit5, ui->DBEdit6,
                      ui->DBEdit7, ui->combobox1, ui->DBEdit8, ui->DBEdit9});
    connect(ui->combobox1, &QComboBox::editTextChanged, this, &TForm3::combobox1Change);
    connect(ui->SpeedButton1, &QPushButton::clicked, this, &TForm3::SpeedButton1Click);
    closeOnEscape({ui->SpeedButton1});
}

TForm3::~TForm3() = default;

void TForm3::showEvent(QShowEvent *event)
{
    ButtonClosedDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm3::FormShow()
{
    reportEngineErrors([&] { Dm.info.open(); });
    ui->Label16->hide();
    reportEngineErrors([&] {
        const QSignalBlocker blocker(ui->combobox1);
        const QString state = Dm.info.text(QStringLiteral("stato"));
        QStringList countries;
        Dm.dxcc.first();
        for (int i = 0; i < Dm.dxcc.recordCount(); ++i) {
            countries << Dm.dxcc.text(QStringLiteral("coun"));
            Dm.dxcc.next();
        }
        countries.sort(Qt::CaseInsensitive);
        ui->combobox1->clear();
        ui->combobox1->addItems(countries);
        ui->combobox1->setCurrentIndex(ui->combobox1->findText(state));
        ui->combobox1->setEditText(state);
    });
    combobox1Change();
    focusAndSelect(ui->DBEdit1);
}

void TForm3::combobox1Change()
{
    const QString state = ui->combobox1->currentText();
    if (state.trimmed().isEmpty())
        return;
    reportEngineErrors([&] {
        Dm.info.edit();
        Dm.info.setText(QStringLiteral("stato"), state);
        Dm.info.post();
        Dm.info.refresh();
    });
}

void TForm3::SpeedButton1Click()
{
    reportEngineErrors([&] {
        Dm.info.edit();
        Dm.info.post();
    });
    // The main window comes up only once this window may close, so it never hides the request
    // to fill every field.
    if (!FormClose())
        return;
    emit mainWindowRequested();
    close();
}

bool TForm3::FormClose()
{
    for (QLineEdit *edit : {ui->DBEdit1, ui->DBEdit2, ui->DBEdit3, ui->DBEdit4, ui->DBEdit5, ui->DBEdit6,
                            ui->DBEdit7, ui->DBEdit8, ui->DBEdit9}) {
        if (edit->text().isEmpty()) {
            edit->setFocus();
            ui->Label16->show();
            return false;
        }
    }
    for (QComboBox *box : {ui->DBComboBox1, ui->combobox1}) {
        if (box->currentText().trimmed().isEmpty()) {
            focusAndSelect(box);
            ui->Label16->show();
            return false;
        }
    }
    return true;
}

void TForm3::closeEvent(QCloseEvent *event)
{
    if (!FormClose()) {
        event->ignore();
        return;
    }
    ButtonClosedDialog::closeEvent(event);
}
