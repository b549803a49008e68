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
class MainWindow;

// The QSO entry panel of the main window: one QSO at a time is typed here, looked up in the DOK
// list while it is typed, and saved.
class EntryPanel : public QWidget
{
    Q_OBJECT

public:
    EntryPanel(LogData &dm, MainWindow &mainWindow, QWidget *parent = nullptr);
    ~EntryPanel() override;

    void showClock(const QString &utc, const QString &local);

    // The panel's part of the main window's FormShow and of closing the panel with "Exit".
    void mainWindowShown();
    void leave();

    // Registra1, Speedreg and registra2, which are enabled and disabled together.
    void setSaveEnabled(bool enabled);
    QString dokText() const;
    // Empties the DOK field and puts the focus in it.
    void clearDok();

    void Nuovo1Click();
    void Registra1Click();
    void convertimodobanda();
    void logfilter();

    void dokEnter();
    void dokChange();
    void dokExit();
    // True when the key was swallowed.
    bool callKeyPress(QWidget *control, QKeyEvent *event);
    bool LOCKeyPress(QKeyEvent *event);
    void mhzEnter();
    void mhzChange();
    void modoChange();
    void GedChange();
    void MedChange();
    void AedChange();
    void DOKDBGCellClick(const QModelIndex &index);
    void DOKDBGDblClick();
    void DOKDBGExit();

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
    LogData &Dm;
    MainWindow &m_main;
    GridLink *m_dokGrid;
    GridLink *m_callGrid;
    // Off until the first "New"; while off, typing a DOK looks nothing up.
    bool m_logging = false;
    // Set when a complete DOK has moved the focus on to the band, until the next key or focus move.
    bool m_dokMovedOn = false;
    // Taken from mhz and modo whenever the focus enters either; a text not allowed is replaced by them.
    QString m_rememberedBand;
    QString m_rememberedMode;
    // The QSO's mode name and band suffix, as convertimodobanda works them out.
    QString m_mode;
    QString m_suffix;
};
