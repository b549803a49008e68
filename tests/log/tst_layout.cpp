// How the main windows lay out at the small and the large screen size and at 125 % text
// scaling: texts whole, columns that fit, fields that stay together. With WZP_SCREENSHOTS set to
// a folder, every case also leaves a picture of the screen there to look at.
#include "controls.h"
#include "detailswindow.h"
#include "logbook.h"
#include "managementview.h"
#include "progresswindow.h"
#include "recalculation.h"
#include "refreshwindow.h"

#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QtTest>

namespace {

const char *const someQsos =
    "INSERT INTO LOG (call, loc, data, banda, modo, dok, conf, mhz) VALUES"
    " ('DL1ABC/P', 'GROSSENHAIN', '05/03/2009', '14', 'SSB', 'M01', 'C', 14),"
    " ('DK9XYZ', 'KIEL', '06/03/2009', '144', 'RTTY', 'M01', 'A', 144),"
    " ('DL2BB', 'BERLIN', '07/03/2009', '7', 'CW', 'D01', 'C', 7)";

void shoot(const QString &name)
{
    const QString folder = qEnvironmentVariable("WZP_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QApplication::processEvents();
    QGuiApplication::primaryScreen()->grabWindow(0).save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

QString headerText(const QTableView *grid, int column)
{
    return grid->model()->headerData(column, Qt::Horizontal).toString();
}

// Every title of a grid fits its column.
void checkTitlesFit(const QTableView *grid)
{
    const QFontMetrics metrics = grid->horizontalHeader()->fontMetrics();
    for (int c = 0; c < grid->model()->columnCount(); ++c) {
        if (grid->isColumnHidden(c) || headerText(grid, c).isEmpty())
            continue;
        QVERIFY2(grid->columnWidth(c) >= metrics.horizontalAdvance(headerText(grid, c)) + 4,
                 qPrintable(grid->objectName() + QLatin1Char(' ') + headerText(grid, c)));
    }
}

// Every column lies inside the grid's visible width.
void checkColumnsVisible(const QTableView *grid)
{
    const int last = grid->model()->columnCount() - 1;
    QVERIFY2(grid->horizontalHeader()->sectionViewportPosition(last) + grid->columnWidth(last)
                 <= grid->viewport()->width(),
             qPrintable(grid->objectName()));
}

void checkTextWhole(const QLabel *label)
{
    QString shown = label->text();
    if (label->buddy())
        shown.remove(QLatin1Char('&'));
    for (const QString &line : shown.split(QLatin1Char('\n')))
        QVERIFY2(label->width() >= label->fontMetrics().horizontalAdvance(line), qPrintable(label->objectName()));
}

} // namespace

class LayoutTest : public QObject
{
    Q_OBJECT

private:
    QFont m_font;

    // A window laid out for a screen larger than the one at hand is squeezed by the window system.
    static bool screenHolds(const QSize &size)
    {
        return QGuiApplication::primaryScreen()->availableGeometry().contains(QRect(QPoint(0, 0), size));
    }

    void scaleText(double scale)
    {
        QFont font = m_font;
        font.setPointSizeF(m_font.pointSizeF() * scale);
        QApplication::setFont(font);
    }

private slots:
    void initTestCase() { m_font = QApplication::font(); }
    void cleanup() { QApplication::setFont(m_font); }

    void sizes_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<double>("scale");
        QTest::newRow("1024x768") << QSize(1024, 740) << 1.0;
        QTest::newRow("1600x1000") << QSize(1600, 970) << 1.0;
        QTest::newRow("1024x768 at 125 %") << QSize(1024, 740) << 1.25;
    }

    void theEntryPanelFits_data() { sizes_data(); }
    void theEntryPanelFits()
    {
        QFETCH(QSize, size);
        QFETCH(double, scale);
        scaleText(scale);
        Logbook book(someQsos);
        book.main->move(0, 0);
        book.main->resize(size);
        EntryForm form(book);
        book.main->action("Nuovo1")->trigger();
        QTest::keyClicks(form.dok, "M01");
        QApplication::processEvents();
        const int gridTop = form.DOKDBG->mapTo(book.main.get(), QPoint(0, 0)).y();
        QVERIFY(form.conferm->isVisible() || form.nuovo->isVisible());
        shoot(QStringLiteral("entry-") + QTest::currentDataTag());

        checkTitlesFit(form.callDBG);
        checkColumnsVisible(form.callDBG);
        checkTitlesFit(form.DOKDBG);
        checkColumnsVisible(form.DOKDBG);
        // The DOK's name is shown whole, and the grid leaves no empty room beside its columns.
        const QString name = form.DOKDBG->model()->index(form.DOKDBG->currentIndex().row(), 2).data().toString();
        QVERIFY(!name.isEmpty());
        QVERIFY2(form.DOKDBG->columnWidth(2) >= form.DOKDBG->fontMetrics().horizontalAdvance(name), qPrintable(name));
        // The date fields keep to their separators.
        const int dayEnd = form.Ged->geometry().right();
        const int monthStart = form.Med->geometry().left();
        QVERIFY(monthStart - dayEnd < form.Ged->fontMetrics().horizontalAdvance(QStringLiteral("/")) + 16);
        auto *dateLabel = book.control<QLabel>("dateLabel");
        auto *locLabel = book.control<QLabel>("locLabel");
        checkTextWhole(dateLabel);
        QVERIFY(dateLabel->geometry().right() < locLabel->geometry().left());
        // The messages at the foot of the fields come and go without moving the grid.
        form.conferm->hide();
        form.nuovo->hide();
        QApplication::processEvents();
        QCOMPARE(form.DOKDBG->mapTo(book.main.get(), QPoint(0, 0)).y(), gridTop);
    }

    void theRefreshWindowFits_data() { sizes_data(); }
    void theRefreshWindowFits()
    {
        QFETCH(QSize, size);
        QFETCH(double, scale);
        if (!screenHolds(size))
            QSKIP("The screen is smaller than this case");
        scaleText(scale);
        Logbook book(QString::fromLatin1(someQsos) + QStringLiteral("; UPDATE RIEP SET dataagg='2010-11-25 11:05:00'"));
        book.main->resize(size);
        RefreshWindow window(*book.dm, book.main->clockTimer(), book.main.get());
        window.showRefreshPanel();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        shoot(QStringLiteral("refresh-") + QTest::currentDataTag());
        auto *grid = child<QTableView>(window, "DBGdok");
        checkTitlesFit(grid);
        checkColumnsVisible(grid);
        auto *stamp = child<QLabel>(window, "Lab2");
        // The time stamp is never broken before "AM": one line, or the time on a line of its own.
        checkTextWhole(stamp);
        QVERIFY(stamp->text().split(QLatin1Char('\n')).last().contains(QStringLiteral("at  11:05 AM")));

        window.showSummaryPanel();
        QApplication::processEvents();
        shoot(QStringLiteral("summary-") + QTest::currentDataTag());
        // "Acc" heads its column: the accredited counters start under the word.
        auto *box = child<QGroupBox>(window, "GroupBox1");
        auto *confirmed = child<QLabel>(window, "CSSB14");
        auto *accredited = child<QLabel>(window, "ASSB14");
        const QFontMetrics metrics = box->fontMetrics();
        const int accAt = metrics.horizontalAdvance(box->title().left(box->title().indexOf(QStringLiteral("Acc"))));
        const int confAt = accredited->x() - confirmed->x();
        QVERIFY2(qAbs(confAt - accAt) <= 4, qPrintable(QStringLiteral("%1 %2").arg(confAt).arg(accAt)));
    }

    void theProgressWindowFits_data() { sizes_data(); }
    void theProgressWindowFits()
    {
        QFETCH(QSize, size);
        QFETCH(double, scale);
        if (!screenHolds(size))
            QSKIP("The screen is smaller than this case");
        scaleText(scale);
        Logbook book(someQsos);
        book.main->resize(size);
        ProgressWindow window(*book.dm, book.main.get());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        shoot(QStringLiteral("progress-") + QTest::currentDataTag());
        QVERIFY(window.frameGeometry().width() <= size.width());
        auto *levels = child<QLabel>(window, "Levels");
        QVERIFY(levels->width() >= levels->sizeHint().width());
        QVERIFY(levels->height() >= levels->sizeHint().height());
    }

    void theDetailsWindowLeavesMenusAndMatrixFree_data() { sizes_data(); }
    void theDetailsWindowLeavesMenusAndMatrixFree()
    {
        QFETCH(QSize, size);
        QFETCH(double, scale);
        if (!screenHolds(size))
            QSKIP("The screen is smaller than this case");
        scaleText(scale);
        Logbook book(someQsos);
        Recalculation(*book.dm).run();
        DetailsWindow details(*book.dm);
        book.main->managementView()->setDetailsWindow(&details);
        book.main->move(0, 0);
        book.main->resize(size);
        book.main->action("Management1")->trigger();
        auto *view = book.main->managementView();
        child<QPushButton>(*view, "Button1")->click();
        child<QPushButton>(*view, "Button4")->click();
        auto *matrix = child<QTableView>(*view, "DBGdok");
        checkTitlesFit(matrix);
        const QRect cell = matrix->visualRect(matrix->model()->index(0, 1));
        QTest::mouseClick(matrix->viewport(), Qt::LeftButton, {}, cell.center());
        QVERIFY(details.isVisible());
        QApplication::processEvents();
        shoot(QStringLiteral("details-") + QTest::currentDataTag());
        const QRect cells(matrix->viewport()->mapToGlobal(QPoint(0, 0)),
                          QSize(matrix->horizontalHeader()->length(), matrix->viewport()->height()));
        QVERIFY(!details.frameGeometry().intersects(cells));
        QVERIFY(details.y() >= matrix->mapToGlobal(QPoint(0, 0)).y());
        QVERIFY(details.screen()->availableGeometry().contains(details.frameGeometry()));
        checkTitlesFit(child<QTableView>(details, "DBGBand"));
    }
};

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
