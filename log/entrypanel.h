#pragma once

#include "qsosaver.h"

#include <QWidget>
#include <memory>

namespace Ui {
class EntryPanel;
}
class GridLink;
class QComboBox;
class QKeyEvent;
class QLineEdit;
class QModelIndex;
class LogData;
class CommandSwitch;

// The QSO entry panel of the main window: one QSO at a time is typed here, looked up in the DOK
// list while it is typed, and saved.
class EntryPanel : public QWidget
{
    Q_OBJECT

public:
    EntryPanel(LogData &dm, CommandSwitch &commands, QWidget *parent = nullptr);
    ~EntryPanel() override;

    void showClock(const QString &utc, const QString &local);

    // The panel's part of the main window's prepareOnShow and of closing the panel with "Exit".
    void mainWindowShown();
    void leave();

    // Registra1, Speedreg and registra2, which are enabled and disabled together.
    void setSaveEnabled(bool enabled);
    QString dokText() const;
    // Empties the DOK field and puts the focus in it.
    void clearDok();

    void startNewQso();
    void saveQso();
    void takeModeAndBand();
    void showWhetherDokIsNew();

    void dokEntered();
    void dokEdited();
    void dokLeft();
    // True when the key was swallowed.
    bool fieldKeyPressed(QWidget *control, QKeyEvent *event);
    bool locatorKeyPressed(QKeyEvent *event);
    void rememberBandAndMode();
    void bandEdited();
    void modeEdited();
    void dayEdited();
    void monthEdited();
    void yearEdited();
    void takeClickedDok(const QModelIndex &index);
    void allowDokGridEditing();
    void endDokGridEditing();

signals:
    // A DOK added while logging has made the DOK list longer.
    void dokTotalChanged(int total);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QsoEntry typedQso() const;
    void focusField(QsoSaver::Field field);
    void showBandColumn();
    void showModeColumn();
    void checkListValue(QComboBox *box, const QString &remembered, void (EntryPanel::*showColumn)());
    void checkTwoDigits(QLineEdit *field, int highest, const QString &message, QWidget *next);
    void play(const QString &sound);
    bool inDokGrid(const QWidget *widget) const;
    void selectFocusedText();

    std::unique_ptr<Ui::EntryPanel> ui;
    LogData &m_data;
    CommandSwitch &m_commands;
    GridLink *m_dokGrid;
    GridLink *m_callGrid;
    // Off until the first "New"; while off, typing a DOK looks nothing up.
    bool m_logging = false;
    // Set when a complete DOK has moved the focus on to the band, until the next key or focus move.
    bool m_dokMovedOn = false;
    // Taken from mhz and modo whenever the focus enters either; a text not allowed is replaced by them.
    QString m_rememberedBand;
    QString m_rememberedMode;
    // The QSO's mode name and band suffix, as takeModeAndBand works them out.
    QString m_mode;
    QString m_suffix;
};
