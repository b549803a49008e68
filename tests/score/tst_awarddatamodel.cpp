// Random sequences of what users do to a log (save, save anyway, modify, delete, refresh,
// import, confirmations that arrive later), run through the classes the windows call, against a small model of the log kept
// here. After every step the log, the band and mode tables must agree with the model; after
// every refresh the status matrix, the counters and the award marks must be the model's.

#include "adifreader.h"
#include "datamodule.h"
#include "engineerror.h"
#include "logcheck.h"
#include "qsodeletion.h"
#include "qsoconfirmation.h"
#include "qsoimporter.h"
#include "qsosaver.h"
#include "qsotables.h"
#include "qsowriteback.h"
#include "recalculation.h"
#include "scorefixture.h"
#include "scriptedservices.h"
#include "statement.h"
#include "vocabulary.h"

#include <QRandomGenerator>
#include <QtTest>
#include <map>

namespace {

const QStringList doks = {QStringLiteral("A01"), QStringLiteral("A02"), QStringLiteral("B05"), QStringLiteral("C10")};
const QStringList bands = {QStringLiteral("1.8"), QStringLiteral("3.5"), QStringLiteral("14")};
const QStringList modes = {QStringLiteral("SSB"), QStringLiteral("CW")};
const QStringList calls = {QStringLiteral("DL1ABC"), QStringLiteral("DK2XY")};
const QStringList days = {QStringLiteral("5"), QStringLiteral("17")};
// So many DOKs have a QSO on 14 MHz SSB before the sequence starts that the random QSOs decide
// whether the first award level (100 DOKs) is reached.
constexpr int workedBefore = 98;

const QHash<QString, QByteArray> adifBands = {{QStringLiteral("1.8"), "160m"}, {QStringLiteral("3.5"), "80m"},
                                              {QStringLiteral("14"), "20m"}};

struct Qso
{
    QString dok;
    QString band;
    QString mode;
    QString conf;
    QString call;
    QString date; // as LOG stores it
};

QString statusOf(const QString &conf)
{
    return conf == vocab::status::accredited || conf == vocab::status::confirmed ? conf : vocab::status::none;
}

// The log as the user expects it to be: the QSOs by id, and what a refresh derives from them.
class Model
{
public:
    std::map<qint64, Qso> qsos;

    bool logged(const QString &dok, const QString &column, const QString &value) const
    {
        for (const auto &[id, qso] : qsos) {
            if (qso.dok == dok && (column == QLatin1String("banda") ? qso.band : qso.mode) == value)
                return true;
        }
        return false;
    }

    // A refresh: "A" stays, otherwise the latest QSO decides; CONF "C" for a DOK with any QSO.
    std::map<QString, QString> cellsOf(const QString &dok) const
    {
        std::map<QString, QString> cells;
        for (const QString &cell : vocab::statusCells())
            cells[cell] = vocab::status::none;
        cells[vocab::summaryCell] = vocab::status::none;
        for (const auto &[id, qso] : qsos) {
            if (qso.dok != dok)
                continue;
            const QString suffix = vocab::bandSuffix(qso.band);
            for (const QString &cell : {vocab::bandCell(suffix), vocab::pairCell(qso.mode, suffix), vocab::modeCell(qso.mode)}) {
                if (cells[cell] != vocab::status::accredited)
                    cells[cell] = statusOf(qso.conf);
            }
            cells[vocab::summaryCell] = vocab::status::confirmed;
        }
        return cells;
    }
};

class Sequence
{
public:
    Sequence(quint32 seed) : m_random(seed)
    {
        QStringList all = doks;
        QStringList before;
        for (int n = 1; n <= workedBefore; ++n)
            before << QStringLiteral("X%1").arg(n, 3, 10, QLatin1Char('0'));
        m_data.addDoks(all + before);
        m_data.db().execute(QStringLiteral(
            "INSERT INTO LOG (call, loc, data, banda, modo, dok, conf, mhz) SELECT 'DL1ABC', 'BERLIN', '05/03/2004', "
            "'14', 'SSB', DOK, 'C', 14 FROM DOK WHERE DOK LIKE 'X%' ORDER BY DOK;"
            "DELETE FROM LOG14; DELETE FROM LOGSSB;"
            "INSERT INTO LOG14 (call, loc, data, banda, modo, dok, conf, spec, num) "
            "SELECT call, loc, data, banda, modo, dok, conf, spec, id FROM LOG;"
            "INSERT INTO LOGSSB (call, loc, data, banda, modo, dok, conf, spec, num) "
            "SELECT call, loc, data, banda, modo, dok, conf, spec, id FROM LOG"));
        m_data.open();
        Recalculation(m_data.dm()).run();
        afterRefreshWindow();
        Statement rows(m_data.dm().ADOconn, QStringLiteral("SELECT id, dok FROM LOG"));
        while (rows.next()) {
            m_model.qsos[rows.integer(0)] = {rows.text(1), QStringLiteral("14"), QStringLiteral("SSB"),
                                             QStringLiteral("C"), QStringLiteral("DL1ABC"), QStringLiteral("05/03/2004")};
        }
        m_allDoks = all + before;
    }

    // Runs one random step; false with the reason when an invariant broke.
    bool step()
    {
        const int kind = int(m_random.bounded(100));
        try {
            if (kind < 35)
                save();
            else if (kind < 50)
                modifyStatus();
            else if (kind < 56)
                move();
            else if (kind < 62)
                changeDok();
            else if (kind < 77)
                remove();
            else if (kind < 84)
                import();
            else if (kind < 90)
                confirm();
            else
                refresh();
        } catch (const EngineError &error) {
            failure = QStringLiteral("the step threw: ") + error.text();
            return false;
        } catch (const std::exception &error) {
            failure = QStringLiteral("the step threw: ") + QString::fromUtf8(error.what());
            return false;
        }
        return check();
    }

    QStringList steps;
    QString failure;

private:
    template<typename T>
    T pick(const QList<T> &list)
    {
        return list.at(qsizetype(m_random.bounded(quint32(list.size()))));
    }
    // One of the QSOs of the random DOKs, or none.
    std::optional<qint64> pickQso()
    {
        std::vector<qint64> ids;
        for (const auto &[id, qso] : m_model.qsos) {
            if (doks.contains(qso.dok))
                ids.push_back(id);
        }
        if (ids.empty())
            return std::nullopt;
        return ids[m_random.bounded(quint32(ids.size()))];
    }

    void save()
    {
        QsoEntry entry{pick(calls), pick(doks), pick(bands), pick(modes), pick(days),
                       QStringLiteral("3"), QStringLiteral("2009"), QStringLiteral("BONN")};
        const bool anyway = m_random.bounded(2) == 1;
        steps << QStringLiteral("save %1 %2 %3 %4 (anyway: %5)")
                     .arg(entry.dok, entry.band, entry.mode, entry.call, anyway ? "yes" : "no");
        LogData &dm = m_data.dm();
        dm.dok.setFiltered(true); // as the entry panel has it
        const QsoSaver::Outcome outcome = QsoSaver(dm).save(entry, [&] { return anyway; });
        if (outcome == QsoSaver::Outcome::Saved || outcome == QsoSaver::Outcome::SavedAgain)
            m_model.qsos[newestId()] = {entry.dok, entry.band, entry.mode, vocab::status::confirmed, entry.call, entry.date()};
        steps.last() += QStringLiteral(" -> outcome %1").arg(int(outcome));
    }

    void modifyStatus()
    {
        const auto id = pickQso();
        if (!id)
            return;
        Qso &qso = m_model.qsos[*id];
        qso.conf = pick(QStringList{vocab::status::none, vocab::status::confirmed, vocab::status::accredited});
        steps << QStringLiteral("status of QSO %1 -> %2").arg(*id).arg(qso.conf);
        standOn(*id);
        QsoWriteBack(m_data.dm()).write(changeOf(qso));
    }

    void move()
    {
        const auto id = pickQso();
        if (!id)
            return;
        Qso &qso = m_model.qsos[*id];
        const QString oldBand = qso.band;
        const QString oldMode = qso.mode;
        if (m_random.bounded(2) == 1)
            qso.band = pick(bands);
        else
            qso.mode = pick(modes);
        steps << QStringLiteral("move QSO %1 from %2 %3 to %4 %5").arg(*id).arg(oldBand, oldMode, qso.band, qso.mode);
        standOn(*id);
        QsoWriteBack(m_data.dm()).move(changeOf(qso), oldBand, oldMode);
    }

    void changeDok()
    {
        const auto id = pickQso();
        if (!id)
            return;
        Qso &qso = m_model.qsos[*id];
        const QString oldDok = qso.dok;
        qso.dok = pick(doks);
        steps << QStringLiteral("DOK of QSO %1 from %2 to %3").arg(*id).arg(oldDok, qso.dok);
        standOn(*id);
        QsoWriteBack(m_data.dm()).write(changeOf(qso));
    }

    // As the management view deletes: the QSO selected in its band's table.
    void remove()
    {
        const auto id = pickQso();
        if (!id)
            return;
        const Qso qso = m_model.qsos[*id];
        steps << QStringLiteral("delete QSO %1 (%2 %3 %4)").arg(*id).arg(qso.dok, qso.band, qso.mode);
        LogData &dm = m_data.dm();
        qsotables::pointAt(dm.logbanda, vocab::bandTable(vocab::bandSuffix(qso.band)));
        QsoDeletion(dm).remove({*id, qso.dok, qso.call, qso.band, qso.mode, qso.date});
        m_model.qsos.erase(*id);
    }

    void import()
    {
        const QString dok = pick(doks);
        const QString band = pick(bands);
        const QString mode = pick(modes);
        const QString call = pick(calls);
        const QString day = pick(days);
        const bool confirmed = m_random.bounded(2) == 1;
        steps << QStringLiteral("import %1 %2 %3 %4 day %5 (%6)")
                     .arg(dok, band, mode, call, day, confirmed ? "confirmed" : "not confirmed");
        const QString date = QStringLiteral("%1/03/2009").arg(day.rightJustified(2, QLatin1Char('0')));
        // The earliest QSO of the same call, DOK, band, mode and date makes the record a duplicate;
        // a confirmed record confirms it when it is unconfirmed.
        Qso *duplicate = nullptr;
        for (auto &[id, qso] : m_model.qsos) {
            if (!duplicate && qso.dok == dok && qso.band == band && qso.mode == mode && qso.call == call && qso.date == date)
                duplicate = &qso;
        }
        const bool confirmsDuplicate = duplicate && confirmed && duplicate->conf == vocab::status::none;
        const QByteArray adif = "<EOH>\n<CALL:" + QByteArray::number(call.size()) + '>' + call.toLatin1()
            + " <QSO_DATE:8>200903" + day.rightJustified(2, QLatin1Char('0')).toLatin1()
            + " <BAND:" + QByteArray::number(adifBands.value(band).size()) + '>' + adifBands.value(band)
            + " <MODE:" + QByteArray::number(mode.size()) + '>' + mode.toLatin1()
            + " <DARC_DOK:" + QByteArray::number(dok.size()) + '>' + dok.toLatin1()
            + " <QSL_RCVD:1>" + (confirmed ? "Y" : "N") + " <EOR>\n";
        AdifReader reader(adif);
        const ImportReport report = QsoImporter(m_data.dm()).run(reader);
        if (report.imported == 1)
            m_model.qsos[newestId()] = {dok, band, mode, confirmed ? vocab::status::confirmed : vocab::status::none, call, date};
        if (confirmsDuplicate)
            duplicate->conf = vocab::status::confirmed;
        steps.last() += QStringLiteral(" -> imported %1, expected %2, confirmed %3, expected %4")
                            .arg(report.imported)
                            .arg(duplicate ? 0 : 1)
                            .arg(report.confirmedByFile.count)
                            .arg(confirmsDuplicate ? 1 : 0);
        if (report.imported != (duplicate ? 0 : 1))
            failure = QStringLiteral("the import of a QSO %1 a duplicate").arg(duplicate ? "that is" : "that is not");
        if (report.confirmedByFile.count != (confirmsDuplicate ? 1 : 0))
            failure = QStringLiteral("the import of a confirmed duplicate");
    }

    // A confirmation as LoTW sends it (no DOK, no time): it confirms the one QSO of its call,
    // band, mode and date when that is unconfirmed; two such QSOs are ambiguous.
    void confirm()
    {
        const QString band = pick(bands);
        const QString mode = pick(modes);
        const QString call = pick(calls);
        const QString day = pick(days);
        steps << QStringLiteral("confirm %1 %2 %3 day %4").arg(band, mode, call, day);
        const QString date = QStringLiteral("%1/03/2009").arg(day.rightJustified(2, QLatin1Char('0')));
        std::vector<Qso *> matches;
        for (auto &[id, qso] : m_model.qsos) {
            if (qso.band == band && qso.mode == mode && qso.call == call && qso.date == date)
                matches.push_back(&qso);
        }
        const bool confirms = matches.size() == 1 && matches.front()->conf == vocab::status::none;
        const QByteArray adif = "<EOH>\n<CALL:" + QByteArray::number(call.size()) + '>' + call.toLatin1()
            + " <QSO_DATE:8>200903" + day.rightJustified(2, QLatin1Char('0')).toLatin1()
            + " <BAND:" + QByteArray::number(adifBands.value(band).size()) + '>' + adifBands.value(band)
            + " <MODE:" + QByteArray::number(mode.size()) + '>' + mode.toLatin1() + " <LOTW_QSL_RCVD:1>Y <EOR>\n";
        AdifReader reader(adif);
        const ConfirmationReport report = QsoConfirmation(m_data.dm()).run(reader);
        if (confirms)
            matches.front()->conf = vocab::status::confirmed;
        steps.last() += QStringLiteral(" -> confirmed %1, ambiguous %2").arg(report.confirmedNow.count).arg(report.ambiguous.count);
        if (report.confirmedNow.count != (confirms ? 1 : 0) || report.ambiguous.count != (matches.size() > 1 ? 1 : 0))
            failure = QStringLiteral("the confirmation found other QSOs than expected");
    }

    void refresh()
    {
        steps << QStringLiteral("refresh");
        Recalculation(m_data.dm()).run();
        afterRefreshWindow();
        m_refreshed = true;
    }

    // The refresh window leaves the views unfiltered when it closes.
    void afterRefreshWindow()
    {
        for (TableView *view : {&m_data.dm().dok, &m_data.dm().log}) {
            view->setFiltered(false);
            view->setFilter(QString());
        }
    }

    // The modify window writes back the QSO LOG stands on.
    void standOn(qint64 id)
    {
        LogData &dm = m_data.dm();
        dm.log.setFiltered(false);
        if (!dm.log.locate(QStringLiteral("id"), {QString::number(id)}))
            failure = QStringLiteral("QSO %1 is not in the LOG view").arg(id);
    }

    static QsoChange changeOf(const Qso &qso)
    {
        return {qso.call, qso.dok, qso.band, qso.mode, qso.date.mid(0, 2), qso.date.mid(3, 2), qso.date.mid(6),
                QStringLiteral("BONN"), qso.conf};
    }

    qint64 newestId() { return read(QStringLiteral("SELECT max(id) FROM LOG")).toLongLong(); }

    // Reads through the program's own connection: a connection per value would take minutes.
    QString read(const QString &sql)
    {
        Statement statement(m_data.dm().ADOconn, sql);
        return statement.next() ? statement.text(0) : QString();
    }

    bool check()
    {
        if (!failure.isEmpty())
            return false;
        QStringList logged;
        for (const auto &[id, qso] : m_model.qsos)
            logged << QStringLiteral("%1 %2 %3 %4 %5").arg(id).arg(qso.dok, qso.band, qso.mode, qso.conf);
        const QString stored = read(QStringLiteral("SELECT group_concat(line, '|') FROM (SELECT id || ' ' || dok || ' ' "
                                                   "|| banda || ' ' || modo || ' ' || conf AS line FROM LOG ORDER BY id)"));
        if (stored != logged.join(QLatin1Char('|'))) {
            failure = QStringLiteral("LOG holds %1\nexpected %2").arg(stored, logged.join(QLatin1Char('|')));
            return false;
        }
        const QStringList problems = checkLog(m_data.dm().ADOconn);
        if (!problems.isEmpty()) {
            failure = QStringLiteral("band and mode tables: ") + problems.join(QStringLiteral("; "));
            return false;
        }
        if (m_refreshed) {
            m_refreshed = false;
            return checkDerived();
        }
        return true;
    }

    bool checkDerived()
    {
        std::map<QString, qint64> counters;
        QStringList cellNames = vocab::statusCells();
        cellNames << vocab::summaryCell;
        for (const QString &dok : m_allDoks) {
            const std::map<QString, QString> cells = m_model.cellsOf(dok);
            Statement row(m_data.dm().ADOconn,
                          QStringLiteral("SELECT \"%1\" FROM DOK WHERE DOK=?").arg(cellNames.join(QStringLiteral("\",\""))));
            row.bind(1, dok);
            if (!row.next()) {
                failure = QStringLiteral("DOK %1 is gone").arg(dok);
                return false;
            }
            for (const auto &[cell, expected] : cells) {
                const QString stored = row.text(int(cellNames.indexOf(cell)));
                if (stored != expected) {
                    failure = QStringLiteral("DOK %1 %2 is %3, expected %4").arg(dok, cell, stored, expected);
                    return false;
                }
                if (cell == vocab::summaryCell)
                    continue;
                counters[vocab::confirmedCounter(cell)] += expected != vocab::status::none ? 1 : 0;
                counters[vocab::accreditedCounter(cell)] += expected == vocab::status::accredited ? 1 : 0;
            }
        }
        for (const auto &[name, expected] : counters) {
            const QString stored = read(QStringLiteral("SELECT \"%1\" FROM RIEP").arg(name));
            if (stored != QString::number(expected)) {
                failure = QStringLiteral("counter %1 is %2, expected %3").arg(name, stored).arg(expected);
                return false;
            }
        }
        for (int level = 1; level <= 10; ++level) {
            for (const QString &column : {QStringLiteral("14"), QStringLiteral("1"), QStringLiteral("SSB"), QStringLiteral("CW")}) {
                const QString counter = vocab::isMode(column) ? vocab::confirmedCounter(column)
                                                              : vocab::confirmedCounter(vocab::bandCell(column));
                const QString expected = counters[counter] >= level * 100 ? vocab::award::toClaim : vocab::award::notReached;
                const QString stored = read(QStringLiteral("SELECT \"%1\" FROM Diplome WHERE id=%2").arg(column).arg(level));
                if (stored != expected) {
                    failure = QStringLiteral("award %1 of level %2 is %3, expected %4").arg(column).arg(level).arg(stored, expected);
                    return false;
                }
            }
        }
        return true;
    }

    QRandomGenerator m_random;
    ScoreFixture m_data;
    Model m_model;
    QStringList m_allDoks;
    bool m_refreshed = false;
};

} // namespace

class AwardDataModelTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_services = std::make_unique<ScriptedServices>(); }
    void cleanupTestCase() { m_services.reset(); }

    void randomSequencesKeepTheAwardDataRight_data()
    {
        QTest::addColumn<quint32>("firstSeed");
        for (quint32 block = 0; block < 10; ++block)
            QTest::newRow(qPrintable(QStringLiteral("seeds %1 to %2").arg(block * 20 + 1).arg(block * 20 + 20)))
                << block * 20 + 1;
    }

    void randomSequencesKeepTheAwardDataRight()
    {
        QFETCH(quint32, firstSeed);
        for (quint32 seed = firstSeed; seed < firstSeed + 20; ++seed) {
            Sequence sequence(seed);
            QRandomGenerator lengths(seed);
            const int length = 20 + int(lengths.bounded(31));
            for (int n = 0; n < length; ++n) {
                if (!sequence.step()) {
                    QFAIL(qPrintable(QStringLiteral("seed %1, after these steps:\n  %2\n%3")
                                         .arg(seed)
                                         .arg(sequence.steps.join(QStringLiteral("\n  ")), sequence.failure)));
                }
            }
        }
    }

private:
    std::unique_ptr<ScriptedServices> m_services;
};

QTEST_MAIN(AwardDataModelTest)
#include "tst_awarddatamodel.moc"
