#pragma once

#include "returnview.h"

#include <QPointer>
#include <QWidget>
#include <memory>

namespace Ui {
class ManagementView;
}
class GridLink;
class QAbstractButton;
class QModelIndex;
class LogData;
class CommandSwitch;
class DetailsWindow;
class TableView;
struct DokCoverage;

// The DOK management view of the main window: the status matrix of the DOK table filtered on
// whether a DOK has QSOs, one band or mode table at a time with its count and share of all DOKs,
// and the details mode in which a click on a cell of the matrix lists the QSOs behind it.
class ManagementView : public QWidget, public ReturnView
{
    Q_OBJECT

public:
    ManagementView(LogData &dm, CommandSwitch &commands, QWidget *parent = nullptr);
    ~ManagementView() override;

    // The number of DOKs of the reference list, under "All records".
    void showDokTotal(int total);
    void setDetailsWindow(DetailsWindow *window);

    void openManagement();
    // Shows the band table of a band suffix; also for the modify window when it closes.
    void showBandTable(const QString &bandSuffix);
    void showModeTable(const QString &mode);
    void toggleAccredited();
    // The confirmed filter; "Show Details" is enabled only when sender is Button1 itself.
    void showDoksWithQso(const QObject *sender);
    void showDoksWithoutQso();
    void showAllDoks();
    void toggleDetails();
    void showDetailsOfCell(const QModelIndex &index);
    void findTypedDok();
    void rememberBandUnderMouse();
    void raiseBandModeButtons();
    void raiseFilterButtons();

    void showModifiedBand(const QString &bandSuffix) override;
    // Presses the band button of a band suffix ("b" + suffix, in any case), raising the others.
    void pressBandButton(const QString &bandSuffix);
    // What the main window's Exit does to this view before hiding it.
    void leave();

    // The band suffix of the last row released under the mouse in the band and mode grid.
    const QString &rememberedBand() const { return m_rememberedBand; }
    // The number of DOKs, taken when the view opens: the denominator of every percentage.
    int dokTotal() const { return m_dokTotal; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void storeConfirmedCounts(const DokCoverage &coverage);
    DokCoverage showCounts();
    void recountLater();
    void connectButtons();
    QList<QAbstractButton *> bandModeButtons() const;
    QList<QAbstractButton *> filterButtons() const;
    void raise(const QList<QAbstractButton *> &buttons, const QAbstractButton *except = nullptr);
    void pressInItsGroup(QAbstractButton *button);
    void pointView(TableView &view, const QString &table);
    // What the middle panel of the status bar counts.
    enum class TableCount { None, Band, Accredited, Mode };
    void showTableCount(TableCount which);
    void clearCount();
    void showDokGrid();
    void setDokGridDetails(bool details);
    void setModifyAndDeleteEnabled(bool enabled);
    void resetDetailsButton();
    void hideDetailsWindow();

    std::unique_ptr<Ui::ManagementView> ui;
    LogData &m_data;
    CommandSwitch &m_commands;
    QPointer<DetailsWindow> m_details;
    GridLink *m_bandGrid;
    GridLink *m_dokGrid;
    int m_dokTotal = 0;
    bool m_recountPending = false;
    QString m_shownBand;      // the band Label2 names
    QString m_shownMode;      // the mode Label2 names
    TableCount m_tableCount = TableCount::None;
    QString m_rememberedBand; // for the modify window
};
