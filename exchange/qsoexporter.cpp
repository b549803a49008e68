#include "qsoexporter.h"

#include "adifmapping.h"
#include "adifreader.h"
#include "datamodule.h"
#include "exchangeerror.h"
#include "qsorecord.h"
#include "statement.h"
#include "tables.h"
#include "vocabulary.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

const QString columns = QStringLiteral("l.call, l.data, l.banda, l.modo, l.dok, l.loc, l.conf, f.fields");

constexpr QByteArrayView qslReceived = "QSL_RCVD";

// One row of the log as the fields of a record, in UTF-8 straight from the database: a million
// QSOs go out without a text decoded for them.
class RecordOfRow
{
public:
    std::span<const FieldBytes> read(const Statement &row)
    {
        m_fields.clear();
        add("CALL", row.utf8(0));
        addDate(row.utf8(1));
        add("BAND", adif::nameOfBand(row.utf8(2)));
        add("MODE", row.utf8(3));
        add("DARC_DOK", row.utf8(4));
        add("QTH", row.utf8(5));
        readStatus(row.utf8(6));
        splitKept(row.utf8(7));
        addKeptWithQsl();
        return m_fields;
    }

private:
    void add(QByteArrayView name, QByteArrayView value)
    {
        if (!value.isEmpty())
            m_fields.push_back({name, value});
    }
    void addDate(QByteArrayView stored)
    {
        if (adif::qsoDateInto(stored, m_qsoDate)) {
            add("QSO_DATE", QByteArrayView(m_qsoDate, 8));
            return;
        }
        m_otherDate = adif::qsoDateOf(QString::fromUtf8(stored)).toLatin1();
        add("QSO_DATE", m_otherDate);
    }
    // The status in upper case without spaces around it, as the rest of the log compares it.
    void readStatus(QByteArrayView conf)
    {
        const QByteArrayView trimmed = conf.trimmed();
        if (isAscii(trimmed)) {
            m_status.resize(trimmed.size());
            std::transform(trimmed.begin(), trimmed.end(), m_status.begin(),
                           [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
        } else {
            m_status = QString::fromUtf8(conf).trimmed().toUpper().toUtf8();
        }
        static const QByteArray confirmedMark = vocab::status::confirmed.toLatin1();
        static const QByteArray accreditedMark = vocab::status::accredited.toLatin1();
        m_confirmed = m_status == confirmedMark || m_status == accreditedMark;
    }
    void splitKept(QByteArrayView kept)
    {
        if (adif::splitKeptText(kept, m_kept))
            return;
        // Text the import did not write itself is read field by field and written anew.
        m_rewrittenKept = adif::keptText(adif::keptFields(QString::fromUtf8(kept))).toUtf8();
        adif::splitKeptText(m_rewrittenKept, m_kept);
    }
    // The QSL fields other loggers read: as the QSO came with them, so that a QSO confirmed only
    // through LoTW stays without a paper card. The program's own status speaks where the QSO
    // came with no QSL status, and where the user changed the status since (in the modify
    // window).
    void addKeptWithQsl()
    {
        bool cameWithQsl = false, cameConfirmed = false;
        for (const FieldBytes &field : m_kept) {
            if (adif::isQslStatusField(field.name)) {
                cameWithQsl = true;
                cameConfirmed = cameConfirmed || adif::saysConfirmed(field.value);
            }
        }
        if (!cameWithQsl && m_confirmed)
            add(qslReceived, "Y");
        add(adif::statusField, m_status);
        bool qslChanged = cameWithQsl && cameConfirmed != m_confirmed;
        const QByteArrayView qslNow = m_confirmed ? "Y" : "N";
        for (const FieldBytes &field : m_kept) {
            if (qslChanged && field.name == qslReceived) {
                m_fields.push_back({field.name, qslNow});
                qslChanged = false;
            } else {
                m_fields.push_back(field);
            }
        }
        if (qslChanged)
            m_fields.push_back({qslReceived, qslNow});
    }

    std::vector<FieldBytes> m_fields;
    std::vector<FieldBytes> m_kept;
    char m_qsoDate[8];
    QByteArray m_otherDate;
    QByteArray m_status;
    bool m_confirmed = false;
    QByteArray m_rewrittenKept;
};

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
        throw ExchangeError(QCoreApplication::translate("ExchangeFile", "There is no award \"%1\": name a band (1.8 ... 433) or a mode (%2).")
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
    RecordOfRow record;
    while (rows.next()) {
        writer.writeFields(record.read(rows));
        ++written;
    }
    writer.finish();
    return written;
}
