// The table view on a log large enough for its value index to matter: whatever way a view finds
// its rows (through the index or by looking at every row), filters, Locate and the order must
// agree with a plain model of the rows kept by the test, through posts, deletes, filter and sort
// changes, a rollback and a view moved to another table.

#include "connection.h"
#include "engineerror.h"
#include "tableview.h"
#include "testdatabase.h"
#include "viewmodel.h"

#include <QSignalSpy>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <optional>

namespace {

struct Qso
{
    qint64 id;
    QString call;
    std::optional<QString> dok; // nullopt: null
    QString band;
    QString mode;
    qint64 mhz;
};

using Predicate = std::function<bool(const Qso &)>;

bool same(const std::optional<QString> &text, const char *value)
{
    return text && text->compare(QLatin1String(value), Qt::CaseInsensitive) == 0;
}

struct FilterCase
{
    const char *name;
    const char *filter;
    Predicate passes;
};

// Filters the index can answer, and some it cannot.
const std::vector<FilterCase> &filterCases()
{
    static const std::vector<FilterCase> cases{
        {"one code, two spellings", "dok='a01'", [](const Qso &q) { return same(q.dok, "A01"); }},
        {"rare code", "dok='D04X'", [](const Qso &q) { return same(q.dok, "d04x"); }},
        {"code and band", "dok='B02' and banda='14'",
         [](const Qso &q) { return same(q.dok, "B02") && q.band == QLatin1String("14"); }},
        {"band or mode of a code", "(dok='C03' and banda='7') or (dok='C03' and modo='cw')",
         [](const Qso &q) {
             return same(q.dok, "C03") && (q.band == QLatin1String("7") || q.mode == QLatin1String("CW"));
         }},
        {"two codes", "dok='Z99' or dok='d04'", [](const Qso &q) { return same(q.dok, "Z99") || same(q.dok, "D04"); }},
        {"empty text, not null", "dok=''", [](const Qso &q) { return q.dok && q.dok->isEmpty(); }},
        {"value no row holds", "dok='' and banda='433'", [](const Qso &) { return false; }},
        {"unknown code", "dok='QQ7'", [](const Qso &) { return false; }},
        {"null", "dok=null", [](const Qso &q) { return !q.dok; }},
        {"not equal", "dok<>'A01' and modo='FM'",
         [](const Qso &q) { return q.dok && !same(q.dok, "A01") && q.mode == QLatin1String("FM"); }},
        {"integer column", "mhz=144 and dok='B02'", [](const Qso &q) { return q.mhz == 144 && same(q.dok, "B02"); }},
        {"range", "mhz>7", [](const Qso &q) { return q.mhz > 7; }},
    };
    return cases;
}

const QStringList sorts{QString(), QStringLiteral("dok"), QStringLiteral("mhz,modo"), QStringLiteral("call"),
                        QStringLiteral("spec;dok")};

// Case-insensitive, null first.
int compareText(const std::optional<QString> &a, const std::optional<QString> &b)
{
    if (!a || !b)
        return a.has_value() == b.has_value() ? 0 : (a ? 1 : -1);
    return a->compare(*b, Qt::CaseInsensitive);
}

int compareBy(const QString &sort, const Qso &a, const Qso &b)
{
    if (sort == QLatin1String("dok") || sort == QLatin1String("spec;dok")) // spec is null in every row
        return compareText(a.dok, b.dok);
    if (sort == QLatin1String("call"))
        return a.call.compare(b.call, Qt::CaseInsensitive);
    if (sort == QLatin1String("mhz,modo")) {
        if (a.mhz != b.mhz)
            return a.mhz < b.mhz ? -1 : 1;
        return a.mode.compare(b.mode, Qt::CaseInsensitive);
    }
    return 0;
}

QStringList calls(TableView &view)
{
    QStringList out;
    for (int i = 0; i < view.recordCount(); ++i)
        out << view.textAt(i, view.columnIndex(QStringLiteral("call")));
    return out;
}

const char *const codes[] = {"A01", "a01", "B02", "b02", "C03", "Z99", "", "D04", "d04x", "C03"};
const char *const bands[] = {"14", "7", "3.5", "144", "28"};
const char *const modes[] = {"SSB", "CW", "FM"};

} // namespace

class EngineIndexTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<Connection> connection;
    std::unique_ptr<TableView> log;
    std::vector<Qso> model;

    QStringList expected(const Predicate &passes, const QString &sort) const
    {
        std::vector<Qso> rows;
        std::copy_if(model.begin(), model.end(), std::back_inserter(rows), passes);
        std::stable_sort(rows.begin(), rows.end(), [&](const Qso &a, const Qso &b) { return compareBy(sort, a, b) < 0; });
        QStringList out;
        for (const Qso &q : rows)
            out << q.call;
        return out;
    }

    Qso &inModel(const QString &call)
    {
        return *std::find_if(model.begin(), model.end(), [&](const Qso &q) { return q.call == call; });
    }

    void compareFilter(const char *filter, const Predicate &passes, const QString &sort)
    {
        log->setFilter(QString::fromLatin1(filter));
        const QStringList want = expected(passes, sort);
        QVERIFY2(calls(*log) == want, qPrintable(QStringLiteral("%1 sorted by \"%2\": %3 rows, expected %4")
                                                     .arg(QLatin1String(filter), sort)
                                                     .arg(log->recordCount())
                                                     .arg(want.size())));
    }

    void compareEveryFilter()
    {
        for (const FilterCase &c : filterCases()) {
            compareFilter(c.filter, c.passes, log->sort());
            if (QTest::currentTestFailed())
                return;
        }
    }

    void appendQso(const QString &call, const std::optional<QString> &dok, const QString &band, const QString &mode)
    {
        log->append();
        log->setText(QStringLiteral("call"), call);
        if (dok)
            log->setText(QStringLiteral("dok"), *dok);
        log->setText(QStringLiteral("banda"), band);
        log->setText(QStringLiteral("modo"), mode);
        log->setInteger(QStringLiteral("mhz"), band.toDouble() < 1 ? 0 : qint64(band.toDouble()));
        log->post();
    }

private slots:
    void init()
    {
        db = std::make_unique<TestDatabase>(TestDatabase::Content::Empty);
        model.clear();
        QStringList values;
        for (int i = 0; i < 600; ++i) {
            Qso q{i + 1, QStringLiteral("C%1").arg(i, 3, 10, QLatin1Char('0')), QString::fromLatin1(codes[(i * 7) % 10]),
                  QString::fromLatin1(bands[(i * 3) % 5]), QString::fromLatin1(modes[(i / 2) % 3]), 0};
            if (i % 53 == 0)
                q.dok.reset();
            q.mhz = qint64(q.band.toDouble());
            values << QStringLiteral("('%1', %2, '%3', '%4', %5)")
                          .arg(q.call, q.dok ? QLatin1Char('\'') + *q.dok + QLatin1Char('\'') : QStringLiteral("NULL"),
                               q.band, q.mode)
                          .arg(q.mhz);
            model.push_back(q);
        }
        db->execute(QStringLiteral("INSERT INTO LOG (call, dok, banda, modo, mhz) VALUES ") + values.join(QLatin1Char(',')));
        connection = std::make_unique<Connection>(db->path(), QStringLiteral("vqt38KX"));
        log = std::make_unique<TableView>(*connection, QStringLiteral("LOG"));
        log->setFiltered(true);
        log->open();
    }

    void cleanup()
    {
        log.reset();
        connection.reset();
        db.reset();
    }

    void filtersAgreeWithTheRows_data()
    {
        QTest::addColumn<QString>("sort");
        for (const QString &sort : sorts)
            QTest::newRow(sort.isEmpty() ? "storage order" : qPrintable(sort)) << sort;
    }

    void filtersAgreeWithTheRows()
    {
        QFETCH(QString, sort);
        log->setSort(sort);
        compareEveryFilter();
    }

    void sortChangesKeepTheFilteredRowsInOrder()
    {
        const FilterCase &c = filterCases()[3];
        log->setFilter(QString::fromLatin1(c.filter));
        for (const QString &sort : sorts) {
            log->setSort(sort);
            QCOMPARE(calls(*log), expected(c.passes, sort));
        }
    }

    void filterSwitchAndTextChanges()
    {
        log->setSort(QStringLiteral("dok"));
        compareFilter("dok='B02'", [](const Qso &q) { return same(q.dok, "B02"); }, log->sort());
        log->setFiltered(false);
        QCOMPARE(log->recordCount(), int(model.size()));
        log->setFilter(QStringLiteral("dok='Z99'"));
        QCOMPARE(log->recordCount(), int(model.size()));
        log->setFiltered(true);
        QCOMPARE(calls(*log), expected([](const Qso &q) { return same(q.dok, "Z99"); }, log->sort()));
    }

    void exactLocate_data()
    {
        QTest::addColumn<QString>("sort");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("columns");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("one column") << "dok" << "" << "dok" << QStringList{"b02"};
        QTest::newRow("one column, by call") << "call" << "" << "dok" << QStringList{"D04X"};
        QTest::newRow("three columns") << "mhz,modo" << "" << "dok;banda;modo" << QStringList{"c03", "7", "cw"};
        QTest::newRow("passing rows only") << "dok" << "modo='FM'" << "dok;banda" << QStringList{"A01", "3.5"};
        QTest::newRow("no such row") << "" << "" << "dok;banda" << QStringList{"D04X", "433"};
        QTest::newRow("empty text") << "call" << "" << "dok" << QStringList{""};
    }

    void exactLocate()
    {
        QFETCH(QString, sort);
        QFETCH(QString, filter);
        QFETCH(QString, columns);
        QFETCH(QStringList, values);
        log->setSort(sort);
        log->setFilter(filter);
        const QStringList rows = calls(*log);
        // The first passing row in view order that matches every column, looked for by hand.
        QString want;
        for (int i = 0; i < log->recordCount() && want.isEmpty(); ++i) {
            bool all = true;
            const QStringList names = columns.split(QLatin1Char(';'));
            for (int c = 0; c < names.size(); ++c)
                all = all && log->textAt(i, log->columnIndex(names[c])).compare(values[c], Qt::CaseInsensitive) == 0;
            if (all)
                want = rows[i];
        }
        log->moveTo(log->recordCount() - 1);
        const QString before = log->text(QStringLiteral("call"));
        QCOMPARE(log->locate(columns, values), !want.isEmpty());
        QCOMPARE(log->text(QStringLiteral("call")), want.isEmpty() ? before : want);
    }

    void indexFollowsPostsAndDeletes()
    {
        log->setSort(QStringLiteral("dok"));
        compareEveryFilter(); // every index is built now
        // A row takes a rare code, which filters find through the index.
        log->setFilter(QString());
        QVERIFY(log->locate(QStringLiteral("call"), {QStringLiteral("C013")}));
        const std::optional<QString> old = inModel(QStringLiteral("C013")).dok;
        log->edit();
        log->setText(QStringLiteral("dok"), QStringLiteral("D04x"));
        log->post();
        inModel(QStringLiteral("C013")).dok = QStringLiteral("D04x");
        QVERIFY(old && !same(old, "D04X"));
        compareEveryFilter();
        // A new row with a code no row had, and one with a known code.
        appendQso(QStringLiteral("N001"), QStringLiteral("NEW"), QStringLiteral("14"), QStringLiteral("SSB"));
        appendQso(QStringLiteral("N002"), QStringLiteral("B02"), QStringLiteral("14"), QStringLiteral("CW"));
        model.push_back({0, QStringLiteral("N001"), QStringLiteral("NEW"), QStringLiteral("14"), QStringLiteral("SSB"), 14});
        model.push_back({0, QStringLiteral("N002"), QStringLiteral("B02"), QStringLiteral("14"), QStringLiteral("CW"), 14});
        compareEveryFilter();
        compareFilter("dok='new'", [](const Qso &q) { return same(q.dok, "NEW"); }, log->sort());
        log->setFilter(QString());
        QVERIFY(log->locate(QStringLiteral("dok"), {QStringLiteral("New")}));
        QCOMPARE(log->text(QStringLiteral("call")), QStringLiteral("N001"));
        // Deleted rows are gone from the index.
        log->remove();
        QVERIFY(log->locate(QStringLiteral("call"), {QStringLiteral("C002")}));
        log->remove();
        model.erase(std::remove_if(model.begin(), model.end(),
                                   [](const Qso &q) { return q.call == QLatin1String("N001") || q.call == QLatin1String("C002"); }),
                    model.end());
        QVERIFY(!log->locate(QStringLiteral("dok"), {QStringLiteral("NEW")}));
        compareEveryFilter();
        compareFilter("dok='new'", [](const Qso &) { return false; }, log->sort());
        // The disk holds what the view shows.
        QCOMPARE(db->value(QStringLiteral("SELECT count(*) FROM LOG WHERE dok='NEW'")), QStringLiteral("0"));
        QCOMPARE(db->value(QStringLiteral("SELECT dok FROM LOG WHERE call='C013'")), QStringLiteral("D04x"));
    }

    void rollbackLeavesTheIndexAsTheDisk()
    {
        log->setSort(QStringLiteral("dok"));
        compareEveryFilter();
        try {
            Transaction transaction(*connection);
            appendQso(QStringLiteral("GHOST"), QStringLiteral("A01"), QStringLiteral("14"), QStringLiteral("SSB"));
            QVERIFY(log->locate(QStringLiteral("call"), {QStringLiteral("C001")}));
            log->edit();
            log->setText(QStringLiteral("dok"), QStringLiteral("A01"));
            log->post();
            log->remove();
            throw EngineError(QStringLiteral("disk full"));
        } catch (const EngineError &) {
        }
        compareEveryFilter();
        log->setFilter(QString());
        QVERIFY(!log->locate(QStringLiteral("call"), {QStringLiteral("GHOST")}));
        QVERIFY(log->locate(QStringLiteral("call"), {QStringLiteral("C001")}));
        QCOMPARE(log->text(QStringLiteral("dok")), *inModel(QStringLiteral("C001")).dok);
    }

    void viewMovedToAnotherTable()
    {
        db->execute(QStringLiteral("INSERT INTO LOG14 (call, dok, banda, modo, num) VALUES "
                                   "('B1', 'A01', '14', 'SSB', 1), ('B2', 'b02', '14', 'CW', 2), ('B3', 'a01', '14', 'CW', 3)"));
        log->setSort(QStringLiteral("dok"));
        compareEveryFilter();
        log->setFilter(QStringLiteral("dok='A01'"));
        log->close();
        log->setTableName(QStringLiteral("LOG14"));
        log->open();
        QCOMPARE(calls(*log), (QStringList{"B1", "B3"}));
        log->setFilter(QString());
        QVERIFY(log->locate(QStringLiteral("dok"), {QStringLiteral("B02")}));
        QCOMPARE(log->text(QStringLiteral("call")), QStringLiteral("B2"));
        log->setFilter(QStringLiteral("dok='D04X'"));
        QCOMPARE(log->recordCount(), 0);
        log->close();
        log->setTableName(QStringLiteral("LOG"));
        log->open();
        compareEveryFilter();
    }

    void integerColumnHoldingATextKeepsEveryValue()
    {
        db->execute(QStringLiteral("INSERT INTO LOG (call, dok, mhz) VALUES ('X1', 'A01', 'about 7')"));
        log->refresh();
        log->setFilter(QStringLiteral("call='X1' or call='C001'"));
        QCOMPARE(log->recordCount(), 2);
        QVERIFY(log->locate(QStringLiteral("call"), {QStringLiteral("X1")}));
        QCOMPARE(log->text(QStringLiteral("mhz")), QStringLiteral("about 7"));
        QVERIFY(log->locate(QStringLiteral("call"), {QStringLiteral("C001")}));
        QCOMPARE(log->integer(QStringLiteral("mhz")), inModel(QStringLiteral("C001")).mhz);
        log->setFilter(QStringLiteral("mhz>7 and call<'C010'"));
        QCOMPARE(calls(*log), expected([](const Qso &q) { return q.mhz > 7 && q.call < QLatin1String("C010"); }, QString()));
    }

    void updateSendsOneResetAtTheEnd()
    {
        ViewModel grid;
        grid.setView(log.get());
        grid.setColumns({{QStringLiteral("dok"), QStringLiteral("DOK")}});
        QSignalSpy resets(&grid, &QAbstractItemModel::modelReset);
        QSignalSpy cells(&grid, &QAbstractItemModel::dataChanged);
        QSignalSpy current(log.get(), &TableView::currentChanged);
        {
            const ViewUpdate update(*log);
            for (int row = 0; row < 20; ++row) {
                log->moveTo(row);
                log->edit();
                log->setText(QStringLiteral("dok"), QStringLiteral("W%1").arg(row));
                log->post();
            }
            QCOMPARE(current.count(), 0);
        }
        QCOMPARE(resets.count(), 1);
        QCOMPARE(cells.count(), 0);
        QCOMPARE(current.count(), 1);
        QCOMPARE(grid.rowCount(), int(model.size()));
        QCOMPARE(grid.data(grid.index(19, 0), Qt::DisplayRole).toString(), QStringLiteral("W19"));
        QCOMPARE(db->value(QStringLiteral("SELECT dok FROM LOG WHERE id=20")), QStringLiteral("W19"));
        log->moveTo(0);
        QCOMPARE(current.count(), 2);
    }
};

QTEST_GUILESS_MAIN(EngineIndexTest)
#include "tst_engineindex.moc"
