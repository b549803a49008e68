#include "awardaccreditation.h"

#include "connection.h"
#include "datamodule.h"
#include "logrows.h"
#include "statement.h"
#include "vocabulary.h"

#include <QSet>

AwardAccreditation::AwardAccreditation(LogData &dm) : m_data(dm)
{
}

int AwardAccreditation::accredit(const QStringList &awards)
{
    Connection &connection = m_data.ADOconn;
    int accredited = 0;
    {
        Transaction transaction(connection);
        DokCells doks(connection);
        QSet<qint64> done;
        Statement setLog(connection, QStringLiteral("UPDATE LOG SET conf = 'A' WHERE id = ?"));
        for (const QString &award : awards) {
            const QString table = vocab::awardTable(award);
            if (table.isEmpty())
                continue;
            // The rows the printout lists: confirmed, one per DOK.
            std::vector<qint64> ids;
            {
                Statement rows(connection, QStringLiteral("SELECT num FROM \"%1\" WHERE upper(conf) = 'C' AND dok <> '*' "
                                                          "AND num IS NOT NULL")
                                               .arg(table));
                while (rows.next())
                    ids.push_back(rows.integer(0));
            }
            for (const qint64 id : ids) {
                if (done.contains(id))
                    continue;
                done.insert(id);
                Statement read(connection, QStringLiteral("SELECT call, dok, banda, modo, data, loc FROM LOG WHERE id = ?"));
                read.bind(1, id);
                if (!read.next())
                    continue; // a row that lost its QSO
                const LoggedQso qso{read.text(0), read.text(1), read.text(2), read.text(3), read.text(4), read.text(5),
                                    vocab::status::accredited};
                setLog.bind(1, id).run();
                if (vocab::isBand(qso.band) && vocab::isMode(qso.mode)) {
                    for (const QString &copies : {vocab::bandTable(vocab::bandSuffix(qso.band)), vocab::modeTable(qso.mode)})
                        Statement(connection, QStringLiteral("UPDATE \"%1\" SET conf = 'A' WHERE num = ?").arg(copies))
                            .bind(1, id)
                            .run();
                    if (const int dok = doks.find(qso.dok); dok >= 0)
                        doks.mark(dok, qso);
                }
                ++accredited;
            }
        }
        doks.writeChanges();
        transaction.commit();
    }
    for (TableView *view : {&m_data.dok, &m_data.log, &m_data.logbanda, &m_data.logmodo}) {
        if (view->isOpen())
            view->refresh();
    }
    return accredited;
}
