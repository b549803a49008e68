#pragma once

#include "buttonclosedialog.h"
#include "qsowriteback.h"

#include <memory>

namespace Ui {
class ModifyWindow;
}
class GridLink;
class ReturnView;
class QComboBox;
class QKeyEvent;
class QLineEdit;
class QModelIndex;
class QTimer;
class LogData;

// "Modify QSOs": finds a stored QSO by callsign or DOK while the search text is typed, or by a
// click in the grid, and writes every changed item back the moment its field is left.
class ModifyWindow : public ButtonClosedDialog
{
    Q_OBJECT

public:
    ModifyWindow(LogData &dm, ReturnView &returnView, QWidget *parent = nullptr);
    ~ModifyWindow() override;

    void prepareOnShow();
    void chooseSearch(const QObject *sender);
    void callSearchEntered();
    void dokSearchEntered();
    void callSearchEdited();
    void dokSearchEdited();
    void qsoGridClicked(const QModelIndex &index);
    // True when the key was swallowed.
    bool fieldKeyPressed(QWidget *control, QKeyEvent *event);
    bool statusKeyPressed(QKeyEvent *event);
    void bandEdited();
    void modeEdited();
    void statusEdited();
    void dayEdited();
    void monthEdited();
    void yearEdited();
    void fieldEntered(QWidget *field);
    void fieldLeft(QWidget *field);
    void listLeft(QWidget *box);
    void writeBack();
    void writeBackOnOtherTables();
    void takeModeAndBand();
    void hideSavedNote();
    void returnToManagement();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Search { None, ByCall, ByDok };

    void enterSearch(const QString &order);
    void lookUp(const QLineEdit *field, const QString &column);
    void setPanelEnabled(bool enabled);
    void showDate();
    QString dateText() const;
    bool isDateField(const QWidget *field) const;
    bool refuseImpossibleDate();
    QsoChange shownQso() const;
    // While typed: a text that begins no item is refused; one that begins a single item is
    // completed to it and the focus moves on.
    void checkListValue(QComboBox *box, const QString &onEntry, QWidget *next);
    // On leaving: only whole items stay; anything else goes back to the value on entry.
    void settleListValue(QComboBox *box, const QString &onEntry);
    void checkTwoDigits(QLineEdit *field, int highest, const QString &message, QWidget *next);
    void moveFocusTo(QWidget *field);
    void discardUnwrittenEdit();
    void showSaved();

    std::unique_ptr<Ui::ModifyWindow> ui;
    LogData &m_data;
    ReturnView &m_returnView;
    GridLink *m_grid;
    QTimer *m_savedNoteTimer;
    Search m_search = Search::None;
    QString m_mode;
    QString m_bandSuffix;
    bool m_dateArmed = false;
    // The fields' values on entry.
    QString m_oldCall;
    QString m_oldDok;
    QString m_oldBand;
    QString m_oldMode;
    QString m_oldDate;
    QString m_oldLocator;
    QString m_oldStatus;
};
