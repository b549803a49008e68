// ModifyWindow: "Modify QSOs".
#include "modifywindow.h"

#include "accessiblenames.h"
#include "datamodule.h"
#include "engineguard.h"
#include "fieldkeys.h"
#include "fieldlink.h"
#include "focusfield.h"
#include "gridlink.h"
#include "returnview.h"
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

ModifyWindow::ModifyWindow(LogData &dm, ReturnView &returnView, QWidget *parent)
    : ButtonClosedDialog(parent), ui(std::make_unique<Ui::ModifyWindow>()), m_data(dm), m_returnView(returnView)
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
                          &m_data.log);
    PreparedTextDelegate::showIn(ui->DBGBand);
    ui->DBGBand->setColumnWidth(0, 70);
    ui->DBGBand->setColumnWidth(1, 110);
    ui->DBGBand->setColumnWidth(2, 55);
    ui->DBGBand->setColumnWidth(3, 60);
    ui->DBGBand->setColumnWidth(4, 95);
    ui->DBGBand->setColumnWidth(5, 35);
    ui->DBGBand->horizontalHeader()->setStretchLastSection(true);
    // The links go first: what the user typed is in the row before a check or a write-back runs.
    FieldLink::bind(ui->call, m_data.log, QStringLiteral("CALL"));
    FieldLink::bind(ui->dok, m_data.log, QStringLiteral("DOK"));
    FieldLink::bind(ui->mhz, m_data.log, QStringLiteral("BANDA"));
    FieldLink::bind(ui->modo, m_data.log, QStringLiteral("MODO"));
    FieldLink::bind(ui->loc, m_data.log, QStringLiteral("LOC"));
    FieldLink::bind(ui->status, m_data.log, QStringLiteral("CONF"));
    // The date fields are not bound; they follow the row the panel shows.
    connect(&m_data.log, &TableView::currentChanged, this, &ModifyWindow::showDate);

    m_savedNoteTimer = new QTimer(this);
    m_savedNoteTimer->setObjectName(QStringLiteral("Timer1"));
    m_savedNoteTimer->setInterval(1200);
    connect(m_savedNoteTimer, &QTimer::timeout, this, &ModifyWindow::hideSavedNote);

    for (QWidget *control : std::initializer_list<QWidget *>{ui->Edicall, ui->Edidok, ui->call, ui->dok, ui->mhz, ui->modo,
                                                             ui->Ged, ui->Med, ui->Aed, ui->loc, ui->status})
        control->installEventFilter(this);

    connect(ui->modCall, &QPushButton::clicked, this, [this] { chooseSearch(ui->modCall); });
    connect(ui->ModDOK, &QPushButton::clicked, this, [this] { chooseSearch(ui->ModDOK); });
    // The desktop's Find key starts the search by callsign, as it opened this window from the
    // main window's menu.
    auto *findByCall = new QShortcut(QKeySequence::Find, this);
    connect(findByCall, &QShortcut::activated, ui->modCall, &QPushButton::click);
    ui->modCall->setToolTip(findByCall->key().toString(QKeySequence::NativeText));
    connect(ui->Edicall, &QLineEdit::textChanged, this, &ModifyWindow::callSearchEdited);
    connect(ui->Edidok, &QLineEdit::textChanged, this, &ModifyWindow::dokSearchEdited);
    connect(ui->DBGBand, &QTableView::clicked, this, &ModifyWindow::qsoGridClicked);
    connect(ui->mhz->lineEdit(), &QLineEdit::textEdited, this, &ModifyWindow::bandEdited);
    connect(ui->modo->lineEdit(), &QLineEdit::textEdited, this, &ModifyWindow::modeEdited);
    connect(ui->status->lineEdit(), &QLineEdit::textEdited, this, &ModifyWindow::statusEdited);
    // An item chosen from the list is whole: the focus moves on as soon as the list has closed
    // and given the focus back, so that the box is left as a box.
    connect(ui->mhz, &QComboBox::activated, this, [this] { moveFocusTo(ui->modo); }, Qt::QueuedConnection);
    connect(ui->modo, &QComboBox::activated, this, [this] { moveFocusTo(ui->Ged); }, Qt::QueuedConnection);
    connect(ui->Ged, &QLineEdit::textChanged, this, &ModifyWindow::dayEdited);
    connect(ui->Med, &QLineEdit::textChanged, this, &ModifyWindow::monthEdited);
    connect(ui->Aed, &QLineEdit::textChanged, this, &ModifyWindow::yearEdited);
    connect(ui->SpeedButton1, &QPushButton::clicked, this, &ModifyWindow::returnToManagement);
    closeOnEscape({ui->SpeedButton1});
}

ModifyWindow::~ModifyWindow() = default;

void ModifyWindow::showEvent(QShowEvent *event)
{
    ButtonClosedDialog::showEvent(event);
    if (!event->spontaneous())
        prepareOnShow();
}

void ModifyWindow::prepareOnShow()
{
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    m_dateArmed = false;
    for (QLabel *label : {ui->Labsaved, ui->Labcall, ui->Labdok})
        label->hide();
    m_savedNoteTimer->stop();
    ui->DBGBand->setEnabled(false);
    setPanelEnabled(false);
    showDate();
    m_oldBand = ui->mhz->currentText();
    m_oldMode = ui->modo->currentText();
    reportEngineErrors([&] {
        m_data.log.setSort(QStringLiteral("call"));
        for (TableView *view : {&m_data.log, &m_data.logbanda, &m_data.logmodo})
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

void ModifyWindow::chooseSearch(const QObject *sender)
{
    const bool byCall = sender == ui->modCall;
    m_search = byCall ? Search::ByCall : Search::ByDok;
    showSearchActive(ui->Edicall, byCall);
    showSearchActive(ui->Edidok, !byCall);
    ui->Labcall->setVisible(byCall);
    ui->Labdok->setVisible(!byCall);
    moveFocusTo(byCall ? ui->Edicall : ui->Edidok);
    reportEngineErrors([&] {
        if (m_data.log.recordCount() > 0)
            m_data.log.first();
    });
    setPanelEnabled(false);
    ui->DBGBand->setEnabled(true);
    ui->Edicall->clear();
    ui->Edidok->clear();
}

void ModifyWindow::callSearchEntered()
{
    enterSearch(QStringLiteral("call"));
}

void ModifyWindow::dokSearchEntered()
{
    enterSearch(QStringLiteral("dok"));
}

void ModifyWindow::enterSearch(const QString &order)
{
    m_savedNoteTimer->stop();
    reportEngineErrors([&] {
        m_data.log.setSort(order);
        for (TableView *view : {&m_data.log, &m_data.logbanda, &m_data.logmodo})
            view->setFiltered(false);
    });
}

void ModifyWindow::callSearchEdited()
{
    lookUp(ui->Edicall, QStringLiteral("call"));
}

void ModifyWindow::dokSearchEdited()
{
    lookUp(ui->Edidok, QStringLiteral("dok"));
}

void ModifyWindow::lookUp(const QLineEdit *field, const QString &column)
{
    const QString text = field->text();
    reportEngineErrors([&] {
        if (text.trimmed().isEmpty()) {
            if (m_data.log.recordCount() > 0)
                m_data.log.first();
            setPanelEnabled(false);
            return;
        }
        if (!locatePrefix(m_data.log, column, text)) {
            setPanelEnabled(false);
            return;
        }
        takeModeAndBand();
        m_oldBand = ui->mhz->currentText();
        m_oldMode = ui->modo->currentText();
        setPanelEnabled(true);
    });
}

void ModifyWindow::qsoGridClicked(const QModelIndex &index)
{
    m_savedNoteTimer->stop();
    if (m_search == Search::None || !index.isValid())
        return;
    const int clicked = index.row();
    reportEngineErrors([&] {
        const QString column = m_search == Search::ByCall ? QStringLiteral("call") : QStringLiteral("dok");
        const QString key = m_data.log.textAt(clicked, m_data.log.columnIndex(column));
        ui->Edicall->clear();
        ui->Edidok->clear();
        m_data.log.moveTo(clicked);
        (m_search == Search::ByCall ? ui->Edicall : ui->Edidok)->setText(key);
        m_data.log.moveTo(clicked);
        takeModeAndBand();
        m_oldBand = ui->mhz->currentText();
        m_oldMode = ui->modo->currentText();
        setPanelEnabled(true);
    });
}

bool ModifyWindow::fieldKeyPressed(QWidget *control, QKeyEvent *event)
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

bool ModifyWindow::statusKeyPressed(QKeyEvent *event)
{
    if (!isEnter(event))
        return false;
    moveFocusTo(ui->call);
    return true;
}

void ModifyWindow::bandEdited()
{
    checkListValue(ui->mhz, m_oldBand, ui->modo);
}

void ModifyWindow::modeEdited()
{
    checkListValue(ui->modo, m_oldMode, ui->Ged);
}

void ModifyWindow::statusEdited()
{
    checkListValue(ui->status, m_oldStatus, nullptr);
}

void ModifyWindow::checkListValue(QComboBox *box, const QString &onEntry, QWidget *next)
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

void ModifyWindow::settleListValue(QComboBox *box, const QString &onEntry)
{
    const QString text = box->currentText();
    if (isItem(box, text))
        return;
    const QStringList begun = text.isEmpty() ? QStringList() : itemsBegunBy(box, text);
    setText(box, begun.size() == 1 ? begun.first() : onEntry);
}

void ModifyWindow::dayEdited()
{
    if (m_dateArmed)
        checkTwoDigits(ui->Ged, 31, QStringLiteral("Invalid Day!"), ui->Med);
}

void ModifyWindow::monthEdited()
{
    if (m_dateArmed)
        checkTwoDigits(ui->Med, 12, QStringLiteral("Invalid Month!"), ui->Aed);
}

void ModifyWindow::yearEdited()
{
    if (m_dateArmed && ui->Aed->text().size() == 4)
        moveFocusTo(ui->loc);
}

void ModifyWindow::checkTwoDigits(QLineEdit *field, int highest, const QString &message, QWidget *next)
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

void ModifyWindow::fieldEntered(QWidget *field)
{
    if (field == ui->call)
        m_oldCall = ui->call->text();
    else if (field == ui->dok)
        m_oldDok = ui->dok->text();
    else if (field == ui->mhz || field == ui->modo) {
        m_oldBand = ui->mhz->currentText();
        m_oldMode = ui->modo->currentText();
    } else if (field == ui->loc)
        m_oldLocator = ui->loc->text();
    else if (field == ui->status)
        m_oldStatus = ui->status->currentText();
    else {
        m_oldDate = dateText();
        m_dateArmed = true;
    }
}

void ModifyWindow::fieldLeft(QWidget *field)
{
    const bool isDate = isDateField(field);
    if (isDate && refuseImpossibleDate())
        return;
    if (field == ui->status)
        settleListValue(ui->status, m_oldStatus);
    const auto [now, onEntry] = [&]() -> std::pair<QString, QString> {
        if (field == ui->call)
            return {ui->call->text(), m_oldCall};
        if (field == ui->dok)
            return {ui->dok->text(), m_oldDok};
        if (field == ui->loc)
            return {ui->loc->text(), m_oldLocator};
        if (field == ui->status)
            return {ui->status->currentText(), m_oldStatus};
        return {dateText(), m_oldDate};
    }();
    if (now != onEntry)
        writeBack();
    else
        discardUnwrittenEdit();
    if (isDate)
        m_dateArmed = false;
}

void ModifyWindow::listLeft(QWidget *box)
{
    auto *list = static_cast<QComboBox *>(box);
    const QString &onEntry = list == ui->mhz ? m_oldBand : m_oldMode;
    settleListValue(list, onEntry);
    if (list->currentText() != onEntry)
        writeBackOnOtherTables();
    else
        discardUnwrittenEdit();
}

// A field left unchanged, or put back to its value on entry, must not leave its typing in the
// row: the next move of the log would store it.
void ModifyWindow::discardUnwrittenEdit()
{
    if (m_data.log.state() == TableView::State::Edit)
        m_data.log.cancel();
}

void ModifyWindow::writeBack()
{
    takeModeAndBand();
    const QsoChange qso = shownQso();
    if (reportEngineErrors([&] { QsoWriteBack(m_data).write(qso); }))
        showSaved();
}

void ModifyWindow::writeBackOnOtherTables()
{
    takeModeAndBand();
    const QsoChange qso = shownQso();
    if (reportEngineErrors([&] { QsoWriteBack(m_data).move(qso, m_oldBand, m_oldMode); }))
        showSaved();
}

void ModifyWindow::takeModeAndBand()
{
    m_mode = ui->modo->currentText();
    m_bandSuffix = vocab::bandSuffix(ui->mhz->currentText());
}

void ModifyWindow::showSaved()
{
    ui->Labsaved->show();
    m_savedNoteTimer->start();
    if (m_data.soundOn)
        services::sound().play(QStringLiteral("saved.wav"));
}

void ModifyWindow::hideSavedNote()
{
    ui->Labsaved->hide();
    m_savedNoteTimer->stop();
}

void ModifyWindow::returnToManagement()
{
    if (ui->Panel6->isEnabled())
        ui->Panel6->setFocus(Qt::OtherFocusReason);
    m_savedNoteTimer->stop();
    takeModeAndBand();
    m_returnView.showModifiedBand(m_bandSuffix);
    reportEngineErrors([&] {
        m_data.log.setSort(QStringLiteral("dok"));
        for (TableView *view : {&m_data.log, &m_data.logbanda, &m_data.logmodo})
            view->setFiltered(true);
    });
    accept();
}

void ModifyWindow::setPanelEnabled(bool enabled)
{
    ui->Panel6->setEnabled(enabled);
}

void ModifyWindow::showDate()
{
    const QString date = m_data.log.isOpen() && m_data.log.recordCount() > 0 && !m_data.log.eof()
        ? m_data.log.text(QStringLiteral("data"))
        : QString();
    setText(ui->Ged, date.mid(0, 2));
    setText(ui->Med, date.mid(3, 2));
    setText(ui->Aed, date.mid(6, 4));
}

QString ModifyWindow::dateText() const
{
    return ui->Ged->text() + ui->Med->text() + ui->Aed->text();
}

bool ModifyWindow::isDateField(const QWidget *field) const
{
    return field && (field == ui->Ged || field == ui->Med || field == ui->Aed);
}

// A changed date that names no day of the calendar is not written. While the focus moves on
// within the date the user may still be correcting it; when it leaves the date, the user is
// told and taken back. An impossible date stored earlier is left for the user to correct.
bool ModifyWindow::refuseImpossibleDate()
{
    const auto problem = checkQsoDate(ui->Ged->text(), ui->Med->text(), ui->Aed->text());
    const QString stored = m_data.log.isOpen() && m_data.log.recordCount() > 0 && !m_data.log.eof()
        ? m_data.log.text(QStringLiteral("data")).remove(QLatin1Char('/'))
        : QString();
    if (!problem || dateText() == stored)
        return false;
    m_dateArmed = false;
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

QsoChange ModifyWindow::shownQso() const
{
    return {ui->call->text(),  ui->dok->text(), ui->mhz->currentText(), ui->modo->currentText(),
            ui->Ged->text(),   ui->Med->text(), ui->Aed->text(),        ui->loc->text(),
            ui->status->currentText()};
}

void ModifyWindow::moveFocusTo(QWidget *field)
{
    focusAndSelect(field, Qt::TabFocusReason);
}

bool ModifyWindow::eventFilter(QObject *watched, QEvent *event)
{
    auto *control = static_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (control == ui->status ? statusKeyPressed(key) : fieldKeyPressed(control, key))
            return true;
        break;
    }
    case QEvent::FocusIn:
        if (!movedWithinWindow(event))
            break;
        if (control == ui->Edicall)
            callSearchEntered();
        else if (control == ui->Edidok)
            dokSearchEntered();
        else
            fieldEntered(control);
        break;
    case QEvent::FocusOut:
        if (!movedWithinWindow(event) || control == ui->Edicall || control == ui->Edidok)
            break;
        if (control == ui->mhz || control == ui->modo)
            listLeft(control);
        else
            fieldLeft(control);
        break;
    default:
        break;
    }
    return ButtonClosedDialog::eventFilter(watched, event);
}
