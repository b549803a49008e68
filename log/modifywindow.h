#pragma once

#include "buttonclosedialog.h"
#include "qsowriteback.h"

#include <memory>

namespace Ui {
class ModifyWindow;
}
class GridLink;
class ManagementView;
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
    ModifyWindow(LogData &dm, ManagementView &managementView, QWidget *parent = nullptr);
    ~ModifyWindow() override;

    void FormShow();
    void modCallClick(const QObject *sender);
    void EdicallEnter();
    void EdidokEnter();
    void EdicallChange();
    void EdidokChange();
    void DBGBandCellClick(const QModelIndex &index);
    // True when the key was swallowed.
    bool EdicallKeyPress(QWidget *control, QKeyEvent *event);
    bool statusKeyPress(QKeyEvent *event);
    void mhzChange();
    void modoChange();
    void statusChange();
    void GedChange();
    void MedChange();
    void AedChange();
    void callEnter(QWidget *field);
    void callExit(QWidget *field);
    void mhzExit(QWidget *box);
    void labshow();
    void labshow1();
    void convertimodobanda();
    void Timer1Timer();
    void SpeedButton1Click();

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
    LogData &Dm;
    ManagementView &m_management;
    GridLink *m_grid;
    QTimer *Timer1;
    Search m_search = Search::None;
    QString curModo;
    QString curBanda;
    bool dateArmed = false;
    // The fields' values on entry.
    QString oldCall;
    QString oldDok;
    QString oldMhz;
    QString oldModo;
    QString oldData;
    QString oldLoc;
    QString oldStatus;
};
