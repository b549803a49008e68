#include "qsoexporter.h"

#include "adifmapping.h"
#include "adifreader.h"
#include "datamodule.h"
#include "exchangeerror.h"
#include "qsorecord.h"
#include "statement.h"
#include "tables.h"
#include "vocabulary.h"

namespace {

const QString columns = QStringLiteral("l.call, l.data, l.banda, l.modo, l.dok, l.loc, l.conf, f.fields");

void add(QsoRecord &record, const char *name, const QString &value)
{
    if (!value.isEmpty())
        record.fields.push_back({QByteArray(name), value});
}

// The kept fields are stored as ADIF text; reading them back checks them as well.
void addKept(QsoRecord &record, const QString &kept)
{
    if (kept.isEmpty())
        return;
    AdifReader reader(kept.toUtf8() + "<EOR>");
    QsoRecord fields;
    if (reader.next(fields)) {
        for (QsoField &field : fields.fields)
            record.fields.push_back(std::move(field));
    }
}

} // namespace

QsoExporter::QsoExporter(TDm &dm) : Dm(dm)
{
}

int QsoExporter::exportLog(QsoWriter &writer)
{
    return write(writer, QStringLiteral("SELECT %1 FROM LOG l LEFT JOIN %2 f ON f.num = l.id ORDER BY l.id")
                             .arg(columns, schema::adifFieldsTable));
}

int QsoExporter::exportAward(QsoWriter &writer, const QString &award)
{
    const QString table = awardTable(award);
    if (table.isEmpty())
        throw ExchangeError(QStringLiteral("There is no award \"%1\": name a band (1.8 ... 433) or a mode (%2).")
                                .arg(award, vocab::modes().join(QStringLiteral(", "))));
    return write(writer, QStringLiteral("SELECT %1 FROM \"%2\" b JOIN LOG l ON l.id = b.num LEFT JOIN %3 f ON f.num = l.id "
                                        "WHERE upper(b.conf) = 'C' AND b.dok <> '*' ORDER BY b.spec, upper(b.dok)")
                             .arg(columns, table, schema::adifFieldsTable));
}

QString QsoExporter::awardTable(const QString &award)
{
    const QString text = award.trimmed().toUpper();
    if (vocab::isBand(text))
        return vocab::bandTable(vocab::bandSuffix(text));
    const QString mode = vocab::modeOfTitle(text);
    if (vocab::isMode(mode))
        return vocab::modeTable(mode);
    return {};
}

int QsoExporter::write(QsoWriter &writer, const QString &sql)
{
    schema::upgrade(Dm.ADOconn);
    Statement rows(Dm.ADOconn, sql);
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
        add(record, "QSL_RCVD", conf == vocab::status::none || conf.isEmpty() ? QStringLiteral("N") : QStringLiteral("Y"));
        add(record, adif::statusField.constData(), conf);
        addKept(record, rows.text(7));
        writer.write(record);
        ++written;
    }
    writer.finish();
    return written;
}
