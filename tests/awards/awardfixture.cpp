#include "awardfixture.h"

#include "awardwindow.h"
#include "controls.h"
#include "mainwindow.h"

#include <QTableWidget>
#include <QListWidget>
#include <QTimer>
#include <QtTest>

AwardFixture::AwardFixture()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    services.clock.current = QDateTime(QDate(2026, 12, 9), QTime(12, 0));
    data.db().execute("UPDATE INFO SET CALL='DK9XYZ', NOME='Hans', COGN='Meier', INDIR='Hauptstrasse 5', "
                      "CITTA='Bonn', ZIP='53111', PROV='NRW', stato='Germany', EMAIL='dk9xyz@example.org'");
}

AwardFixture::~AwardFixture()
{
    m_window.reset();
    m_main.reset();
}

void AwardFixture::setMark(int level, const QString &column, const QString &text)
{
    data.db().execute(QStringLiteral("UPDATE Diplome SET \"%1\"='%2' WHERE id=%3").arg(column, text).arg(level / 100));
}

void AwardFixture::setCounter(const QString &column, int value)
{
    data.db().execute(QStringLiteral("UPDATE RIEP SET %1=%2").arg(column).arg(value));
}

void AwardFixture::addRows(const QString &table, int count, const QString &conf, bool special, int firstNumber)
{
    QStringList rows;
    for (int i = firstNumber; i < firstNumber + count; ++i) {
        const QString dok = (special ? QStringLiteral("S") : QStringLiteral("A")) + QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0'));
        rows << QStringLiteral("('DL%1AB', 'QTH %1', '05/03/2004', '14', 'SSB', '%2', '%3', %4, %1)")
                    .arg(i)
                    .arg(dok, conf, special ? QStringLiteral("'S'") : QStringLiteral("NULL"));
    }
    data.db().execute(QStringLiteral("DELETE FROM %1 WHERE dok='*'").arg(table));
    data.db().execute(QStringLiteral("INSERT INTO %1 (call, loc, data, banda, modo, dok, conf, spec, num) VALUES %2")
                          .arg(table, rows.join(QLatin1Char(','))));
}

AwardWindow &AwardFixture::openWindow()
{
    LogData &dm = data.open();
    m_main = std::make_unique<MainWindow>(dm, nullptr);
    m_window = std::make_unique<AwardWindow>(dm, *m_main);
    m_window->setPreviewRunner([this, &dm](const report::Layout &layout, const QString &entry) {
        printouts.push_back(Printout{layout, entry, dm.logbanda.tableName(), dm.logmodo.tableName(),
                                     dm.logbanda.filter(), dm.logmodo.filter(), m_main->clockTimer()->isActive(),
                                     m_main->viewMarker()});
    });
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get()))
        qWarning("the award window was not exposed");
    return *m_window;
}

int AwardFixture::gridColumn(const QString &header) const
{
    auto *grid = child<QTableWidget>(*m_window, "Grid");
    for (int column = 1; column < grid->columnCount(); ++column) {
        if (grid->item(0, column)->text() == header)
            return column;
    }
    qFatal("no grid column %s", qPrintable(header));
}

void AwardFixture::clickCell(int level, const QString &header)
{
    clickCell(level / 100, gridColumn(header));
}

void AwardFixture::clickCell(int row, int column)
{
    auto *grid = child<QTableWidget>(*m_window, "Grid");
    const QRect rect = grid->visualRect(grid->model()->index(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
}

QString AwardFixture::cell(int row, int column) const
{
    return child<QTableWidget>(*m_window, "Grid")->item(row, column)->text();
}

QStringList AwardFixture::entries() const
{
    auto *list = child<QListWidget>(*m_window, "ListBox1");
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

int countOnPages(const report::Layout &layout, const QString &name)
{
    int count = 0;
    for (const report::Page &page : layout.pages)
        count += int(page.all(name).size());
    return count;
}
