#include "qsoexporter.h"

#include "adifmapping.h"
#include "datamodule.h"
#include "exchangeerror.h"
#include "qsorecord.h"
#include "statement.h"
#include "tables.h"
#include "vocabulary.h"

#include <algorithm>

namespace {

const QString columns = QStringLiteral("l.call, l.data, l.banda, l.modo, l.dok, l.loc, l.conf, f.fields");

void add(QsoRecord &record, const char *name, const QString &value)
{
    if (!value.isEmpty())
        record.fields.push_back({QByteArray(name), value});
}

// The QSL fields other loggers read: as the QSO came with them, so that a QSO confirmed only
// through LoTW stays without a paper card. The program's own status speaks where the QSO came
// with no QSL status, and where the user changed the status since (in the modify window).
void addKeptWithQsl(QsoRecord &record, const QString &kept, const QString &conf)
{
    std::vector<QsoField> fields = adif::keptFields(kept);
    const bool confirmed = conf == vocab::status::confirmed || conf == vocab::status::accredited;
    const bool cameWithQsl = std::any_of(fields.begin(), fields.end(),
                                         [](const QsoField &field) { return adif::isQslStatusField(field.name); });
    if (!cameWithQsl) {
        if (confirmed)
            add(record, "QSL_RCVD", QStringLiteral("Y"));
    } else if (adif::isConfirmed(fields) != confirmed) {
        adif::putFields(fields, {{QByteArrayLiteral("QSL_RCVD"), confirmed ? QStringLiteral("Y") : QStringLiteral("N")}});
    }
    add(record, adif::statusField.constData(), conf);
    for (QsoField &field : fields)
        record.fields.push_back(std::move(field));
}

} // namespace

QsoExporter::QsoExporter(LogData &dm) : m_data(dm)
{
}

int QsoExporter::exportLog(QsoWriter &writer)
{
    return write(writer, QStringLiteral("SELECT %1 FROM LOG l LEFT JOIN %2 f ON f.num = l.id ORDER BY l.id")
                             .arg(columns, schema::adifFieldsTable));
}

int QsoExporter::exportAward(QsoWriter &writer, const QString &award)
{
    const QString table = vocab::awardTable(award);
    if (table.isEmpty())
        throw ExchangeError(QStringLiteral("There is no award \"%1\": name a band (1.8 ... 433) or a mode (%2).")
                                .arg(award, vocab::modes().join(QStringLiteral(", "))));
    return write(writer, QStringLiteral("SELECT %1 FROM \"%2\" b JOIN LOG l ON l.id = b.num LEFT JOIN %3 f ON f.num = l.id "
                                        "WHERE upper(b.conf) = 'C' AND b.dok <> '*' ORDER BY b.spec, upper(b.dok)")
                             .arg(columns, table, schema::adifFieldsTable));
}

int QsoExporter::write(QsoWriter &writer, const QString &sql)
{
    schema::upgrade(m_data.ADOconn);
    Statement rows(m_data.ADOconn, sql);
    int written = 0;
    QsoRecord record;
    while (rows.next()) {
        record.fields.clear();
        const QString conf = rows.text(6).trimmed().toUpper();
        add(record, "CALL", rows.text(0));
        add(record, "QSO_DATE", adif::qsoDateOf(rows.text(1)));
        add(record, "BAND", adif::nameOfBand(rows.text(2)));
        add(record, "MODE", rows.text(3));
        add(record, "DARC_DOK", rows.text(4));
        add(record, "QTH", rows.text(5));
        addKeptWithQsl(record, rows.text(7), conf);
        writer.write(record);
        ++written;
    }
    writer.finish();
    return written;
}
