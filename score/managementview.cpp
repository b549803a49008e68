// Panel2 of MainWindow: the DOK management view.
#include "managementview.h"

#include "columnfit.h"
#include "commandswitch.h"
#include "counttext.h"
#include "datamodule.h"
#include "dokmatrixcolumns.h"
#include "detailsquery.h"
#include "detailswindow.h"
#include "dokcoverage.h"
#include "engineguard.h"
#include "fieldlink.h"
#include "filter.h"
#include "gridlink.h"
#include "hint.h"
#include "prompter.h"
#include "services.h"
#include "statusdelegate.h"
#include "ui_managementview.h"
#include "vocabulary.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace {

const QString showDetailsCaption = QStringLiteral("Show Details");
const QString hideDetailsCaption = QStringLiteral("Hide Details");
const QString showDetailsHint = QStringLiteral("Click on the C cells | Show QSO data by band or mode");
const QString hideDetailsHint = QStringLiteral("Reset the window | Stop showing QSO data by band or mode");
const QString accreditedCaption = QStringLiteral("Accredited");
const QString confirmedCaption = QStringLiteral("Confirmed");

// Every row of a band or mode table but its placeholder row.
QString realRows()
{
    return QStringLiteral("dok<>") + Filter::quoted(vocab::placeholderDok);
}

std::vector<ViewModel::GridColumn> bandGridColumns()
{
    return {{QStringLiteral("DOK"), QStringLiteral("DOK")},   {QStringLiteral("CALL"), QStringLiteral("CALL")},
            {QStringLiteral("BANDA"), QStringLiteral("MHz")}, {QStringLiteral("MODO"), QStringLiteral("MODO")},
            {QStringLiteral("DATA"), QStringLiteral("DATE")}, {QStringLiteral("CONF"), QStringLiteral("Cf")},
            {QStringLiteral("LOC"), QStringLiteral("QTH")}};
}

// The DOK grid's header with the mode titles in blue on their own background.
class ModeTitleHeader : public QHeaderView
{
public:
    ModeTitleHeader(int firstModeSection, QWidget *parent)
        : QHeaderView(Qt::Horizontal, parent), m_firstModeSection(firstModeSection)
    {
    }

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override
    {
        if (logicalIndex < m_firstModeSection) {
            QHeaderView::paintSection(painter, rect, logicalIndex);
            return;
        }
        painter->save();
        painter->fillRect(rect, QColor(0xdc, 0xe6, 0xf8));
        painter->setPen(palette().color(QPalette::Mid));
        painter->drawRect(rect.adjusted(0, 0, -1, -1));
        painter->setPen(Qt::blue);
        painter->drawText(rect, Qt::AlignCenter, model()->headerData(logicalIndex, orientation()).toString());
        painter->restore();
    }

private:
    int m_firstModeSection;
};

} // namespace

ManagementView::ManagementView(LogData &dm, CommandSwitch &commands, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::ManagementView>()), m_data(dm), m_commands(commands)
{
    ui->setupUi(this);
    ui->DBGBand->setAccessibleName(tr("QSOs of the band or mode"));
    const int firstModeSection = 2 + int(vocab::matrixSuffixes().size());
    ui->DBGdok->setHorizontalHeader(new ModeTitleHeader(firstModeSection, ui->DBGdok));
    m_bandGrid = new GridLink(ui->DBGBand, bandGridColumns(), &m_data.logbanda);
    m_dokGrid = new GridLink(ui->DBGdok, dokMatrixColumns(ModeTitles::Upper), &m_data.dok);
    for (QTableView *grid : {ui->DBGBand, ui->DBGdok}) {
        grid->verticalHeader()->hide();
        StatusDelegate::showIn(grid);
    }
    ui->DBGdok->setColumnWidth(0, 62);

    FieldLink::bind(ui->DBText1, m_data.dok, QStringLiteral("DOK"));
    FieldLink::bind(ui->DBText3, m_data.dok, QStringLiteral("DESCR"));
    FieldLink::bind(ui->DBEdit1, m_data.logbanda, QStringLiteral("DOK"));
    ui->DBEdit1->hide();
    connect(ui->DBEdit1, &QLineEdit::textChanged, this, &ManagementView::findTypedDok);
    ui->DBGBand->viewport()->installEventFilter(this);
    connect(ui->DBGdok, &QTableView::clicked, this, &ManagementView::showDetailsOfCell);
    hint::set(ui->Button4, showDetailsHint);
    connectButtons();
    // The figures follow the log and the DOK list whoever changes them, once the change is done;
    // the band and mode tables change only with the log.
    for (TableView *table : {&m_data.log, &m_data.dok}) {
        connect(table, &TableView::rowsChanged, this, &ManagementView::recountLater);
        connect(table, &TableView::rowChanged, this, &ManagementView::recountLater);
    }
}

ManagementView::~ManagementView() = default;

void ManagementView::connectButtons()
{
    for (QAbstractButton *button : bandModeButtons()) {
        connect(button, &QAbstractButton::pressed, this, &ManagementView::raiseFilterButtons);
        connect(button, &QAbstractButton::clicked, this, [this, button] {
            pressInItsGroup(button);
            const QString key = button->objectName().mid(1);
            if (vocab::isMode(key))
                showModeTable(key);
            else
                showBandTable(key);
        });
    }
    for (QAbstractButton *button : filterButtons()) {
        connect(button, &QAbstractButton::pressed, this, &ManagementView::raiseBandModeButtons);
        connect(button, &QAbstractButton::clicked, this, [this, button] { pressInItsGroup(button); });
    }
    connect(ui->Button1, &QAbstractButton::clicked, this, [this] { showDoksWithQso(ui->Button1); });
    connect(ui->Button3, &QAbstractButton::clicked, this, &ManagementView::showDoksWithoutQso);
    connect(ui->Button2, &QAbstractButton::clicked, this, &ManagementView::showAllDoks);
    connect(ui->Button4, &QAbstractButton::clicked, this, &ManagementView::toggleDetails);
    connect(ui->SpeedButton1, &QAbstractButton::clicked, this, &ManagementView::toggleAccredited);
}

QList<QAbstractButton *> ManagementView::bandModeButtons() const
{
    return ui->Panel5->findChildren<QAbstractButton *>();
}

QList<QAbstractButton *> ManagementView::filterButtons() const
{
    return {ui->Button1, ui->Button3, ui->Button2};
}

void ManagementView::setDetailsWindow(DetailsWindow *window)
{
    m_details = window;
    if (m_details)
        m_details->setAnchor(ui->DBGdok);
}

void ManagementView::showDokTotal(int total)
{
    ui->all->setText(QString::number(total));
}

// The filter buttons and the band and mode buttons are one set of toggle buttons of which at
// most one is down. Pressing a button of one kind raises every button of the other kind; within
// its kind a button that goes down raises the one that was down, and clicking the button that
// is down raises it.
void ManagementView::raiseBandModeButtons()
{
    raise(bandModeButtons());
}

void ManagementView::raiseFilterButtons()
{
    raise(filterButtons());
}

void ManagementView::raise(const QList<QAbstractButton *> &buttons, const QAbstractButton *except)
{
    for (QAbstractButton *button : buttons) {
        if (button != except)
            button->setChecked(false);
    }
}

void ManagementView::pressInItsGroup(QAbstractButton *button)
{
    if (button->isChecked())
        raise(filterButtons().contains(button) ? filterButtons() : bandModeButtons(), button);
}

void ManagementView::pressBandButton(const QString &bandSuffix)
{
    const QString name = QStringLiteral("b") + bandSuffix;
    for (QAbstractButton *button : bandModeButtons()) {
        if (button->objectName().compare(name, Qt::CaseInsensitive) == 0) {
            button->setChecked(true);
            raise(bandModeButtons(), button);
        }
    }
}

void ManagementView::showModifiedBand(const QString &bandSuffix)
{
    // With an empty log no QSO has a band: the list of confirmed DOKs is shown instead.
    if (vocab::isBand(vocab::bandOfSuffix(bandSuffix))) {
        showBandTable(bandSuffix);
        pressBandButton(bandSuffix);
    } else {
        showDoksWithQso(nullptr);
    }
}

void ManagementView::openManagement()
{
    m_commands.setCommandEnabled(CommandSwitch::Command::Compact, false);
    raiseFilterButtons();
    for (int column = 1; column < m_dokGrid->model().columnCount(); ++column)
        columnfit::setAtLeast(ui->DBGdok, column, 26, QStringLiteral("C"));
    m_commands.setViewMarker(QLatin1Char('N'));
    reportEngineErrors([&] {
        if (m_data.log.recordCount() == 0) {
            services::prompter().message(QStringLiteral("No DOKs confirmed in the LOG !"));
            return;
        }
        m_commands.setCommandEnabled(CommandSwitch::Command::Backup, true);
        m_commands.setCommandEnabled(CommandSwitch::Command::Restore, true);
        setDokGridDetails(false);
        // The band of the current QSO; a QSO without a known band opens 14 MHz.
        QString band = m_data.log.text(QStringLiteral("banda")).left(3).trimmed();
        if (!vocab::isBand(band))
            band = QStringLiteral("14");
        const QString suffix = vocab::bandSuffix(band);
        m_commands.setExitHint(QStringLiteral("Close | Exit DOK management"));
        m_commands.setCommandEnabled(CommandSwitch::Command::New, false);
        m_commands.setCommandEnabled(CommandSwitch::Command::Refresh, false);
        m_commands.setCommandEnabled(CommandSwitch::Command::Save, false);
        setModifyAndDeleteEnabled(true);
        for (QAbstractButton *button : filterButtons())
            button->setEnabled(true);
        m_commands.hideOtherPanels(*this);
        hideDetailsWindow();
        show();
        ui->Panel5->show();
        ui->Button4->setEnabled(false);
        resetDetailsButton();
        m_data.dok.setFilter(QString());
        showCounts();
        ui->Label8->show();
        m_bandGrid->setView(&m_data.logbanda);
        ui->Grids->setCurrentWidget(ui->DBGBand);
        pointView(m_data.logbanda, vocab::bandTable(suffix));
        pressBandButton(suffix);
        m_shownBand = band;
        ui->Label2->setText(QStringLiteral("DOK on ") + band + QStringLiteral(" MHz"));
        ui->Label2->show();
        showTableCount(TableCount::Band);
        ui->Panel4->show();
    });
}

void ManagementView::showBandTable(const QString &bandSuffix)
{
    ui->SpeedButton1->setText(accreditedCaption);
    ui->SpeedButton1->show();
    m_bandGrid->setView(&m_data.logbanda);
    ui->Button4->setEnabled(false);
    setModifyAndDeleteEnabled(true);
    ui->Grids->setCurrentWidget(ui->DBGBand);
    reportEngineErrors([&] {
        showCounts();
        pointView(m_data.logbanda, vocab::bandTable(bandSuffix));
        m_shownBand = vocab::bandOfSuffix(bandSuffix);
        ui->Label2->setText(QStringLiteral("DOK on ") + m_shownBand + QStringLiteral(" MHz"));
        ui->Label2->show();
        ui->Panel4->show();
        if (m_data.logbanda.recordCount() > 0) {
            showTableCount(TableCount::Band);
        } else {
            clearCount();
            ui->Panel4->hide();
            services::prompter().message(QStringLiteral("No DOKs confirmed on this band !"));
        }
    });
    setDokGridDetails(false);
}

void ManagementView::showModeTable(const QString &mode)
{
    ui->SpeedButton1->hide();
    // Details mode starts from the DOK list of "&Confirmed all band/mode", not from a mode table.
    ui->Button4->setEnabled(false);
    setModifyAndDeleteEnabled(false);
    m_bandGrid->setView(&m_data.logmodo);
    ui->Grids->setCurrentWidget(ui->DBGBand);
    reportEngineErrors([&] {
        showCounts();
        pointView(m_data.logmodo, vocab::modeTable(mode));
        ui->Label2->setText(QStringLiteral("DOK on ") + mode + QStringLiteral(" mode"));
        ui->Label2->show();
        ui->Panel4->show();
        if (m_data.logmodo.recordCount() == 0) {
            clearCount();
            ui->Panel4->hide();
            services::prompter().message(QStringLiteral("No DOKs confirmed on this mode !"));
            return;
        }
        m_shownMode = mode;
        showTableCount(TableCount::Mode);
    });
}

void ManagementView::toggleAccredited()
{
    reportEngineErrors([&] {
        if (ui->SpeedButton1->text() == accreditedCaption) {
            m_data.logbanda.setFilter(QStringLiteral("conf=") + Filter::quoted(vocab::status::accredited));
            ui->SpeedButton1->setText(confirmedCaption);
            showTableCount(TableCount::Accredited);
        } else {
            m_data.logbanda.setFilter(realRows());
            ui->SpeedButton1->setText(accreditedCaption);
            showTableCount(TableCount::Band);
        }
    });
}

// The counts are kept in the summary row too; a log opened read-only only shows them.
void ManagementView::storeConfirmedCounts(const DokCoverage &coverage)
{
    if (m_data.ADOconn.isReadOnly())
        return;
    m_data.riep.edit();
    m_data.riep.setInteger(QStringLiteral("conf"), coverage.withQso);
    m_data.riep.setInteger(QStringLiteral("nconf"), coverage.withoutQso());
    m_data.riep.post();
}

void ManagementView::showDoksWithQso(const QObject *sender)
{
    showDokGrid();
    ui->Button4->setEnabled(sender == ui->Button1);
    reportEngineErrors([&] {
        m_data.dok.setFilter(QStringLiteral("conf<>") + Filter::quoted(vocab::status::none));
        m_data.dok.setFiltered(true);
        storeConfirmedCounts(showCounts());
    });
}

void ManagementView::showDoksWithoutQso()
{
    showDokGrid();
    ui->Button4->setEnabled(false);
    reportEngineErrors([&] {
        m_data.dok.setFilter(QStringLiteral("conf=") + Filter::quoted(vocab::status::none));
        m_data.dok.setFiltered(true);
        storeConfirmedCounts(showCounts());
    });
}

void ManagementView::showAllDoks()
{
    showDokGrid();
    ui->Button4->setEnabled(false);
    reportEngineErrors([&] {
        m_data.dok.setFilter(QString());
        showCounts();
    });
}

void ManagementView::toggleDetails()
{
    setModifyAndDeleteEnabled(false);
    ui->SpeedButton1->hide();
    if (ui->Button4->text() == showDetailsCaption) {
        ui->Button4->setText(hideDetailsCaption);
        hint::set(ui->Button4, hideDetailsHint);
        ui->Label2->hide();
        for (QAbstractButton *button : filterButtons())
            button->setEnabled(false);
        ui->Panel5->hide();
        m_commands.setViewMarker(QLatin1Char('S'));
        reportEngineErrors([&] { m_data.log.setSort(QStringLiteral("mhz,modo")); });
        setDokGridDetails(true);
    } else {
        for (QAbstractButton *button : filterButtons())
            button->setEnabled(true);
        ui->Panel5->show();
        m_commands.setViewMarker(QLatin1Char('N'));
        hideDetailsWindow();
        // The grid shows all DOKs again, which is what "All records" stands for.
        ui->Button2->setChecked(true);
        raise(filterButtons(), ui->Button2);
        reportEngineErrors([&] {
            m_data.dok.setFilter(QString());
            m_data.log.setSort(QStringLiteral("dok"));
        });
        setDokGridDetails(false);
        resetDetailsButton();
    }
}

void ManagementView::showDetailsOfCell(const QModelIndex &index)
{
    if (ui->DBGdok->editTriggers() == QAbstractItemView::NoEditTriggers || !index.isValid())
        return;
    reportEngineErrors([&] {
        const QString dok = m_data.dok.textAt(index.row(), m_data.dok.columnIndex(QStringLiteral("DOK")));
        const auto query = detailsQuery(dok, m_dokGrid->model().column(index.column()).field, index.data().toString());
        if (!query) {
            hideDetailsWindow();
            return;
        }
        m_data.log.setFilter(query->filter);
        m_data.log.setFiltered(true);
        if (m_details) {
            m_details->setWindowTitle(query->title);
            m_details->show();
        }
    });
}

void ManagementView::findTypedDok()
{
    const QString dok = ui->DBEdit1->text();
    if (dok.isEmpty() || !m_data.dok.isOpen() || m_commands.viewMarker() != QLatin1Char('N'))
        return;
    reportEngineErrors([&] { m_data.dok.locate(QStringLiteral("DOK"), {dok}); });
}

void ManagementView::rememberBandUnderMouse()
{
    TableView *view = m_bandGrid->view();
    if (!view || !view->isOpen())
        return;
    reportEngineErrors([&] { m_rememberedBand = vocab::bandSuffix(view->text(QStringLiteral("banda")).left(3)); });
}

bool ManagementView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->DBGBand->viewport() && event->type() == QEvent::MouseButtonRelease)
        rememberBandUnderMouse();
    return QWidget::eventFilter(watched, event);
}

void ManagementView::leave()
{
    setDokGridDetails(false);
    resetDetailsButton();
    hideDetailsWindow();
    ui->Panel5->show();
}

void ManagementView::pointView(TableView &view, const QString &table)
{
    view.setFiltered(false);
    view.close();
    view.setTableName(table);
    view.open();
    view.setFilter(realRows());
    view.setFiltered(true);
}

void ManagementView::showTableCount(TableCount which)
{
    m_tableCount = which;
    QString text;
    switch (which) {
    case TableCount::None: break;
    case TableCount::Band: text = counttext::band(m_data.logbanda.recordCount(), m_shownBand, m_dokTotal); break;
    case TableCount::Accredited:
        text = counttext::accredited(m_data.logbanda.recordCount(), m_shownBand, m_dokTotal);
        break;
    case TableCount::Mode: text = counttext::mode(m_data.logmodo.recordCount(), m_shownMode, m_dokTotal); break;
    }
    if (text.isEmpty()) {
        clearCount();
        return;
    }
    m_commands.showCount(text);
}

void ManagementView::clearCount()
{
    m_tableCount = TableCount::None;
    m_commands.clearCount();
}

// Counted afresh from the log and the DOK list each time, so no figure is left from before a
// save, a deletion or a refresh.
DokCoverage ManagementView::showCounts()
{
    const DokCoverage coverage = DokCoverage::of(m_data.dok, m_data.log);
    m_dokTotal = coverage.total;
    showDokTotal(coverage.total);
    ui->DBconf->setText(QString::number(coverage.withQso));
    ui->DBnconf->setText(QString::number(coverage.withoutQso()));
    ui->Label8->setText(counttext::percentage(coverage.withQso, coverage.total) + QStringLiteral(" %"));
    return coverage;
}

void ManagementView::recountLater()
{
    if (m_recountPending || !isVisible())
        return;
    m_recountPending = true;
    QTimer::singleShot(0, this, [this] {
        m_recountPending = false;
        if (!isVisible() || !m_data.dok.isOpen() || !m_data.log.isOpen())
            return;
        reportEngineErrors([&] {
            showCounts();
            // The table shown may have changed, and the share of every count with the DOK total.
            // A view another window has pointed elsewhere for a moment is left to that window.
            const bool mode = m_tableCount == TableCount::Mode;
            const TableView &table = mode ? m_data.logmodo : m_data.logbanda;
            const QString shown = mode ? vocab::modeTable(m_shownMode) : vocab::bandTable(vocab::bandSuffix(m_shownBand));
            if (m_tableCount != TableCount::None && table.isOpen()
                && table.tableName().compare(shown, Qt::CaseInsensitive) == 0)
                showTableCount(table.recordCount() > 0 ? m_tableCount : TableCount::None);
        });
    });
}

void ManagementView::showDokGrid()
{
    // The count of the status bar belongs to the band or mode table, which is no longer shown.
    clearCount();
    ui->Label2->hide();
    ui->SpeedButton1->hide();
    setModifyAndDeleteEnabled(false);
    ui->Grids->setCurrentWidget(ui->DBGdok);
    setDokGridDetails(false);
}

// In details mode the grid selects single cells and its edit triggers are on: that is the switch
// the cell click reads. The grid's model is read-only, so nothing can be typed into the matrix.
void ManagementView::setDokGridDetails(bool details)
{
    ui->DBGdok->setSelectionBehavior(details ? QAbstractItemView::SelectItems : QAbstractItemView::SelectRows);
    ui->DBGdok->setEditTriggers(details ? QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
                                        : QAbstractItemView::NoEditTriggers);
}

void ManagementView::setModifyAndDeleteEnabled(bool enabled)
{
    m_commands.setCommandEnabled(CommandSwitch::Command::Modify, enabled);
    m_commands.setCommandEnabled(CommandSwitch::Command::Delete, enabled);
}

void ManagementView::resetDetailsButton()
{
    hint::set(ui->Button4, showDetailsHint);
    ui->Button4->setText(showDetailsCaption);
}

void ManagementView::hideDetailsWindow()
{
    if (m_details)
        m_details->hide();
}
