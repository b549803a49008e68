// TForm8: "Modify QSOs".
#include "modifywindow.h"

#include "accessiblenames.h"
#include "datamodule.h"
#include "engineguard.h"
#include "fieldkeys.h"
#include "fieldlink.h"
#include "focusfield.h"
#include "gridlink.h"
#include "managementview.h"
#include "prefixsearch.h"
#include "preparedtextdelegate.h"
#include "prompter.h"
#include "qsodate.h"
#include "services.h"
#include "soundplayer.h"
#include "ui_modifywindow.h"
#include "uppercase.h"
#include "vocabulary.h"

#include <QApplication>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>

namespace {

void setText(QComboBox *box, const QString &text)
{
    const QSignalBlocker blocker(box);
    box->setEditText(text);
}

void setText(QLineEdit *field, const QString &text)
{
    const QSignalBlocker blocker(field);
    field->setText(text);
}

QStringList itemsBegunBy(const QComboBox *box, const QString &text)
{
    QStringList begun;
    for (int i = 0; i < box->count(); ++i) {
        if (box->itemText(i).startsWith(text))
            begun << box->itemText(i);
    }
    return begun;
}

bool isItem(const QComboBox *box, const QString &text)
{
    return !text.isEmpty() && box->findText(text, Qt::MatchExactly) >= 0;
}

// The active search field is white, the inactive one silver.
void showSearchActive(QLineEdit *field, bool active)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, active ? QColor(Qt::white) : QColor(0xc0, 0xc0, 0xc0));
    field->setPalette(palette);
    field->setEnabled(active);
}

} // namespace

TForm8::TForm8(TDm &dm, ManagementView &managementView, QWidget *parent)
    : ButtonClosedDialog(parent), ui(std::make_unique<Ui::TForm8>()), Dm(dm), m_management(managementView)
{
    ui->setupUi(this);
    ui->Edicall->setAccessibleName(tr("Callsign to modify"));
    ui->Edidok->setAccessibleName(tr("DOK to modify"));
    ui->DBGBand->setAccessibleName(tr("QSOs"));
    ui->Med->setAccessibleName(tr("Month"));
    ui->Aed->setAccessibleName(tr("Year"));
    nameEditParts(*this);
    for (QLineEdit *field : {ui->Edicall, ui->Edidok, ui->call, ui->dok, ui->loc})
        makeUpperCase(field);
    for (QComboBox *box : {ui->mhz, ui->modo, ui->status}) {
        makeUpperCase(box);
        // The list check works on exactly what is typed; completion would fill in an item unasked.
        box->setCompleter(nullptr);
    }
    m_grid = new GridLink(ui->DBGBand,
                          {{QStringLiteral("DOK"), QStringLiteral("DOK")},
                           {QStringLiteral("CALL"), QStringLiteral("CALL")},
                           {QStringLiteral("BANDA"), QStringLiteral("MHz")},
                           {QStringLiteral("MODO"), QStringLiteral("MODO")},
                           {QStringLiteral("DATA"), QStringLiteral("DATE")},
                           {QStringLiteral("CONF"), QStringLiteral("Cf")},
                           {QStringLiteral("LOC"), QStringLiteral("LOC")}},
                          &Dm.log);
    PreparedTextDelegate::showIn(ui->DBGBand);
    ui->DBGBand->setColumnWidth(0, 70);
    ui->DBGBand->setColumnWidth(1, 110);
    ui->DBGBand->setColumnWidth(2, 55);
    ui->DBGBand->setColumnWidth(3, 60);
    ui->DBGBand->setColumnWidth(4, 95);
    ui->DBGBand->setColumnWidth(5, 35);
    ui->DBGBand->horizontalHeader()->setStretchLastSection(true);
    // The links go first: what the user typed is in the row before a check or a write-back runs.
    FieldLink::bind(ui->call, Dm.log, QStringLiteral("CALL"));
    FieldLink::bind(ui->dok, Dm.log, QStringLiteral("DOK"));
    FieldLink::bind(ui->mhz, Dm.log, QStringLiteral("BANDA"));
    FieldLink::bind(ui->modo, Dm.log, QStringLiteral("MODO"));
    FieldLink::bind(ui->loc, Dm.log, QStringLiteral("LOC"));
    FieldLink::bind(ui->status, Dm.log, QStringLiteral("CONF"));
    // The date fields are not bound; they follow the row the panel shows.
    connect(&Dm.log, &TableView::currentChanged, this, &TForm8::showDate);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1200);
    connect(Timer1, &QTimer::timeout, this, &TForm8::Timer1Timer);

    for (QWidget *control : std::initializer_list<QWidget *>{ui->Edicall, ui->Edidok, ui->call, ui->dok, ui->mhz, ui->modo,
                                                             ui->Ged, ui->Med, ui->Aed, ui->loc, ui->status})
        control->installEventFilter(this);

    connect(ui->modCall, &QPushButton::clicked, this, [this] { modCallClick(ui->modCall); });
    connect(ui->ModDOK, &QPushButton::clicked, this, [this] { modCallClick(ui->ModDOK); });
    // The desktop's Find key starts the search by callsign, as it opened this window from the
    // main window's menu.
    auto *findByCall = new QShortcut(QKeySequence::Find, this);
    connect(findByCall, &QShortcut::activated, ui->modCall, &QPushButton::click);
    ui->modCall->setToolTip(findByCall->key().toString(QKeySequence::NativeText));
    connect(ui->Edicall, &QLineEdit::textChanged, this, &TForm8::EdicallChange);
    connect(ui->Edidok, &QLineEdit::textChanged, this, &TForm8::EdidokChange);
    connect(ui->DBGBand, &QTableView::clicked, this, &TForm8::DBGBandCellClick);
    connect(ui->mhz->lineEdit(), &QLineEdit::textEdited, this, &TForm8::mhzChange);
    connect(ui->modo->lineEdit(), &QLineEdit::textEdited, this, &TForm8::modoChange);
    connect(ui->status->lineEdit(), &QLineEdit::textEdited, this, &TForm8::statusChange);
    // An item chosen from the list is whole: the focus moves on as soon as the list has closed
    // and given the focus back, so that the box is left as a box.
    connect(ui->mhz, &QComboBox::activated, this, [this] { moveFocusTo(ui->modo); }, Qt::QueuedConnection);
    connect(ui->modo, &QComboBox::activated, this, [this] { moveFocusTo(ui->Ged); }, Qt::QueuedConnection);
    connect(ui->Ged, &QLineEdit::textChanged, this, &TForm8::GedChange);
    connect(ui->Med, &QLineEdit::textChanged, this, &TForm8::MedChange);
    connect(ui->Aed, &QLineEdit::textChanged, this, &TForm8::AedChange);
    connect(ui->SpeedButton1, &QPushButton::clicked, this, &TForm8::SpeedButton1Click);
    closeOnEscape({ui->SpeedButton1});
}

TForm8::~TForm8() = default;

void TForm8::showEvent(QShowEvent *event)
{
    ButtonClosedDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm8::FormShow()
{
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    dateArmed = false;
    for (QLabel *label : {ui->Labsaved, ui->Labcall, ui->Labdok})
        label->hide();
    Timer1->stop();
    ui->DBGBand->setEnabled(false);
    setPanelEnabled(false);
    showDate();
    oldMhz = ui->mhz->currentText();
    oldModo = ui->modo->currentText();
    reportEngineErrors([&] {
        Dm.log.setSort(QStringLiteral("call"));
        for (TableView *view : {&Dm.log, &Dm.logbanda, &Dm.logmodo})
            view->setFiltered(false);
    });
    for (QLineEdit *field : {ui->Edicall, ui->Edidok}) {
        setText(field, QString());
        showSearchActive(field, false);
    }
    ui->modCall->setEnabled(true);
    ui->ModDOK->setEnabled(true);
    m_search = Search::None;
}

void TForm8::modCallClick(const QObject *sender)
{
    const bool byCall = sender == ui->modCall;
    m_search = byCall ? Search::ByCall : Search::ByDok;
    showSearchActive(ui->Edicall, byCall);
    showSearchActive(ui->Edidok, !byCall);
    ui->Labcall->setVisible(byCall);
    ui->Labdok->setVisible(!byCall);
    moveFocusTo(byCall ? ui->Edicall : ui->Edidok);
    reportEngineErrors([&] {
        if (Dm.log.recordCount() > 0)
            Dm.log.first();
    });
    setPanelEnabled(false);
    ui->DBGBand->setEnabled(true);
    ui->Edicall->clear();
    ui->Edidok->clear();
}

void TForm8::EdicallEnter()
{
    enterSearch(QStringLiteral("call"));
}

void TForm8::EdidokEnter()
{
    enterSearch(QStringLiteral("dok"));
}

void TForm8::enterSearch(const QString &order)
{
    Timer1->stop();
    reportEngineErrors([&] {
        Dm.log.setSort(order);
        for (TableView *view : {&Dm.log, &Dm.logbanda, &Dm.logmodo})
            view->setFiltered(false);
    });
}

void TForm8::EdicallChange()
{
    lookUp(ui->Edicall, QStringLiteral("call"));
}

void TForm8::EdidokChange()
{
    lookUp(ui->Edidok, QStringLiteral("dok"));
}

void TForm8::lookUp(const QLineEdit *field, const QString &column)
{
    const QString text = field->text();
    reportEngineErrors([&] {
        if (text.trimmed().isEmpty()) {
            if (Dm.log.recordCount() > 0)
                Dm.log.first();
            setPanelEnabled(false);
            return;
        }
        if (!locatePrefix(Dm.log, column, text)) {
            setPanelEnabled(false);
            return;
        }
        convertimodobanda();
        oldMhz = ui->mhz->currentText();
        oldModo = ui->modo->currentText();
        setPanelEnabled(true);
    });
}

void TForm8::DBGBandCellClick(const QModelIndex &index)
{
    Timer1->stop();
    if (m_search == Search::None || !index.isValid())
        return;
    const int clicked = index.row();
    reportEngineErrors([&] {
        const QString column = m_search == Search::ByCall ? QStringLiteral("call") : QStringLiteral("dok");
        const QString key = Dm.log.textAt(clicked, Dm.log.columnIndex(column));
        ui->Edicall->clear();
        ui->Edidok->clear();
        Dm.log.moveTo(clicked);
        (m_search == Search::ByCall ? ui->Edicall : ui->Edidok)->setText(key);
        Dm.log.moveTo(clicked);
        convertimodobanda();
        oldMhz = ui->mhz->currentText();
        oldModo = ui->modo->currentText();
        setPanelEnabled(true);
    });
}

bool TForm8::EdicallKeyPress(QWidget *control, QKeyEvent *event)
{
    if (isEnter(event)) {
        focusNextChild();
        return true;
    }
    const bool digitsOnly = control == ui->mhz || control == ui->Ged || control == ui->Med || control == ui->Aed;
    if (digitsOnly && isTypedNonDigit(event, control == ui->mhz ? bandCharacters : QStringView())) {
        services::prompter().beep();
        return true;
    }
    return false;
}

bool TForm8::statusKeyPress(QKeyEvent *event)
{
    if (!isEnter(event))
        return false;
    moveFocusTo(ui->call);
    return true;
}

void TForm8::mhzChange()
{
    checkListValue(ui->mhz, oldMhz, ui->modo);
}

void TForm8::modoChange()
{
    checkListValue(ui->modo, oldModo, ui->Ged);
}

void TForm8::statusChange()
{
    checkListValue(ui->status, oldStatus, nullptr);
}

void TForm8::checkListValue(QComboBox *box, const QString &onEntry, QWidget *next)
{
    const QString text = box->currentText();
    if (text.isEmpty())
        return;
    const QStringList begun = itemsBegunBy(box, text);
    if (begun.isEmpty()) {
        services::prompter().message(QStringLiteral("The value ") + text + QStringLiteral(" is not allowed!"));
        setText(box, onEntry);
        return;
    }
    if (begun.size() > 1)
        return; // "1" may still become "1.8", "10", "14" or "144"
    if (begun.first() != text)
        setText(box, begun.first());
    if (next)
        moveFocusTo(next);
}

void TForm8::settleListValue(QComboBox *box, const QString &onEntry)
{
    const QString text = box->currentText();
    if (isItem(box, text))
        return;
    const QStringList begun = text.isEmpty() ? QStringList() : itemsBegunBy(box, text);
    setText(box, begun.size() == 1 ? begun.first() : onEntry);
}

void TForm8::GedChange()
{
    if (dateArmed)
        checkTwoDigits(ui->Ged, 31, QStringLiteral("Invalid Day!"), ui->Med);
}

void TForm8::MedChange()
{
    if (dateArmed)
        checkTwoDigits(ui->Med, 12, QStringLiteral("Invalid Month!"), ui->Aed);
}

void TForm8::AedChange()
{
    if (dateArmed && ui->Aed->text().size() == 4)
        moveFocusTo(ui->loc);
}

void TForm8::checkTwoDigits(QLineEdit *field, int highest, const QString &message, QWidget *next)
{
    if (field->text().size() != 2)
        return;
    const int value = field->text().toInt();
    if (value >= 1 && value <= highest) {
        moveFocusTo(next);
        return;
    }
    services::prompter().beep();
    services::prompter().message(message);
    field->clear();
}

void TForm8::callEnter(QWidget *field)
{
    if (field == ui->call)
        oldCall = ui->call->text();
    else if (field == ui->dok)
        oldDok = ui->dok->text();
    else if (field == ui->mhz || field == ui->modo) {
        oldMhz = ui->mhz->currentText();
        oldModo = ui->modo->currentText();
    } else if (field == ui->loc)
        oldLoc = ui->loc->text();
    else if (field == ui->status)
        oldStatus = ui->status->currentText();
    else {
        oldData = dateText();
        dateArmed = true;
    }
}

void TForm8::callExit(QWidget *field)
{
    const bool isDate = isDateField(field);
    if (isDate && refuseImpossibleDate())
        return;
    if (field == ui->status)
        settleListValue(ui->status, oldStatus);
    const auto [now, onEntry] = [&]() -> std::pair<QString, QString> {
        if (field == ui->call)
            return {ui->call->text(), oldCall};
        if (field == ui->dok)
            return {ui->dok->text(), oldDok};
        if (field == ui->loc)
            return {ui->loc->text(), oldLoc};
        if (field == ui->status)
            return {ui->status->currentText(), oldStatus};
        return {dateText(), oldData};
    }();
    if (now != onEntry)
        labshow();
    else
        discardUnwrittenEdit();
    if (isDate)
        dateArmed = false;
}

void TForm8::mhzExit(QWidget *box)
{
    auto *list = static_cast<QComboBox *>(box);
    const QString &onEntry = list == ui->mhz ? oldMhz : oldModo;
    settleListValue(list, onEntry);
    if (list->currentText() != onEntry)
        labshow1();
    else
        discardUnwrittenEdit();
}

// A field left unchanged, or put back to its value on entry, must not leave its typing in the
// row: the next move of the log would store it.
void TForm8::discardUnwrittenEdit()
{
    if (Dm.log.state() == TableView::State::Edit)
        Dm.log.cancel();
}

void TForm8::labshow()
{
    convertimodobanda();
    const QsoChange qso = shownQso();
    if (reportEngineErrors([&] { QsoWriteBack(Dm).write(qso); }))
        showSaved();
}

void TForm8::labshow1()
{
    convertimodobanda();
    const QsoChange qso = shownQso();
    if (reportEngineErrors([&] { QsoWriteBack(Dm).move(qso, oldMhz, oldModo); }))
        showSaved();
}

void TForm8::convertimodobanda()
{
    curModo = ui->modo->currentText();
    curBanda = vocab::bandSuffix(ui->mhz->currentText());
}

void TForm8::showSaved()
{
    ui->Labsaved->show();
    Timer1->start();
    if (Dm.soundOn)
        services::sound().play(QStringLiteral("saved.wav"));
}

void TForm8::Timer1Timer()
{
    ui->Labsaved->hide();
    Timer1->stop();
}

void TForm8::SpeedButton1Click()
{
    if (ui->Panel6->isEnabled())
        ui->Panel6->setFocus(Qt::OtherFocusReason);
    Timer1->stop();
    convertimodobanda();
    // With an empty log no QSO has a band: the list of confirmed DOKs is shown instead.
    if (vocab::isBand(vocab::bandOfSuffix(curBanda))) {
        m_management.B14Click(curBanda);
        m_management.pressBandButton(curBanda);
    } else {
        m_management.Button1Click(nullptr);
    }
    reportEngineErrors([&] {
        Dm.log.setSort(QStringLiteral("dok"));
        for (TableView *view : {&Dm.log, &Dm.logbanda, &Dm.logmodo})
            view->setFiltered(true);
    });
    accept();
}

void TForm8::setPanelEnabled(bool enabled)
{
    ui->Panel6->setEnabled(enabled);
}

void TForm8::showDate()
{
    const QString date = Dm.log.isOpen() && Dm.log.recordCount() > 0 && !Dm.log.eof()
        ? Dm.log.text(QStringLiteral("data"))
        : QString();
    setText(ui->Ged, date.mid(0, 2));
    setText(ui->Med, date.mid(3, 2));
    setText(ui->Aed, date.mid(6, 4));
}

QString TForm8::dateText() const
{
    return ui->Ged->text() + ui->Med->text() + ui->Aed->text();
}

bool TForm8::isDateField(const QWidget *field) const
{
    return field && (field == ui->Ged || field == ui->Med || field == ui->Aed);
}

// A changed date that names no day of the calendar is not written. While the focus moves on
// within the date the user may still be correcting it; when it leaves the date, the user is
// told and taken back. An impossible date stored earlier is left for the user to correct.
bool TForm8::refuseImpossibleDate()
{
    const auto problem = checkQsoDate(ui->Ged->text(), ui->Med->text(), ui->Aed->text());
    const QString stored = Dm.log.isOpen() && Dm.log.recordCount() > 0 && !Dm.log.eof()
        ? Dm.log.text(QStringLiteral("data")).remove(QLatin1Char('/'))
        : QString();
    if (!problem || dateText() == stored)
        return false;
    dateArmed = false;
    if (isDateField(QApplication::focusWidget()))
        return true;
    QWidget *const field = problem->field == QsoDateProblem::Field::Year ? ui->Aed : ui->Ged;
    const QString message = problem->message;
    // Not while the focus is still on its way: the message box would take it.
    QMetaObject::invokeMethod(
        this,
        [this, field, message] {
            services::prompter().message(message);
            moveFocusTo(field);
        },
        Qt::QueuedConnection);
    return true;
}

QsoChange TForm8::shownQso() const
{
    return {ui->call->text(),  ui->dok->text(), ui->mhz->currentText(), ui->modo->currentText(),
            ui->Ged->text(),   ui->Med->text(), ui->Aed->text(),        ui->loc->text(),
            ui->status->currentText()};
}

void TForm8::moveFocusTo(QWidget *field)
{
    focusAndSelect(field, Qt::TabFocusReason);
}

bool TForm8::eventFilter(QObject *watched, QEvent *event)
{
    auto *control = static_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (control == ui->status ? statusKeyPress(key) : EdicallKeyPress(control, key))
            return true;
        break;
    }
    case QEvent::FocusIn:
        if (!movedWithinWindow(event))
            break;
        if (control == ui->Edicall)
            EdicallEnter();
        else if (control == ui->Edidok)
            EdidokEnter();
        else
            callEnter(control);
        break;
    case QEvent::FocusOut:
        if (!movedWithinWindow(event) || control == ui->Edicall || control == ui->Edidok)
            break;
        if (control == ui->mhz || control == ui->modo)
            mhzExit(control);
        else
            callExit(control);
        break;
    default:
        break;
    }
    return ButtonClosedDialog::eventFilter(watched, event);
}
