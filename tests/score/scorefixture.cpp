#include "scorefixture.h"

#include "tableview.h"
#include "vocabulary.h"


namespace {

QString quoted(const QString &text)
{
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
}

} // namespace

ScoreFixture::ScoreFixture() : m_db(TestDatabase::Content::Empty)
{
}

void ScoreFixture::addDoks(const QStringList &codes, bool special)
{
    QStringList columns{QStringLiteral("DOK"), QStringLiteral("DESCR"), QStringLiteral("SPEC")};
    columns << vocab::statusCells() << vocab::summaryCell;
    QStringList rows;
    for (const QString &code : codes) {
        QStringList values{quoted(code), quoted(QStringLiteral("Ortsverband ") + code),
                           special ? quoted(vocab::status::special) : QStringLiteral("NULL")};
        for (int i = 0; i < vocab::statusCells().size() + 1; ++i)
            values << quoted(vocab::status::none);
        rows << QLatin1Char('(') + values.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    m_db.execute(QStringLiteral("INSERT INTO DOK (\"%1\") VALUES %2")
                     .arg(columns.join(QStringLiteral("\",\"")), rows.join(QLatin1Char(','))));
}

void ScoreFixture::addQso(const QString &dok, const QString &band, const QString &mode, const QString &conf)
{
    m_db.execute(QStringLiteral("INSERT INTO LOG (call, loc, data, banda, modo, dok, conf, mhz) "
                                "VALUES ('DL1ABC', 'BERLIN', '05/03/2004', %1, %2, %3, %4, %5)")
                     .arg(quoted(band), quoted(mode), quoted(dok), quoted(conf),
                          QString::number(vocab::bandSuffix(band).toInt())));
}

void ScoreFixture::addSavedQso(const QString &dok, const QString &band, const QString &mode, const QString &conf)
{
    addQso(dok, band, mode, conf);
    for (const QString &table : {vocab::bandTable(vocab::bandSuffix(band)), vocab::modeTable(mode)}) {
        m_db.execute(QStringLiteral("DELETE FROM %1 WHERE dok='*'").arg(table));
        m_db.execute(QStringLiteral("INSERT INTO %1 (call, loc, data, banda, modo, dok, conf, spec, num) "
                                    "SELECT call, loc, data, banda, modo, dok, conf, spec, id FROM LOG "
                                    "WHERE id = (SELECT max(id) FROM LOG) "
                                    "AND NOT EXISTS (SELECT 1 FROM %1 WHERE dok = %2)")
                         .arg(table, quoted(dok)));
    }
}

LogData &ScoreFixture::open()
{
    if (!m_dm) {
        m_dm = std::make_unique<LogData>(m_db.path());
        m_dm->ADOconn.connect();
    }
    for (TableView *view : {&m_dm->log, &m_dm->logbanda, &m_dm->logmodo, &m_dm->info, &m_dm->dxcc,
                            &m_dm->riep, &m_dm->dok, &m_dm->Dipl}) {
        if (view->isOpen())
            view->refresh();
        else
            view->open();
    }
    return *m_dm;
}
