#include "doklist.h"

#include "adifreader.h"
#include "connection.h"
#include "datamodule.h"
#include "exchangeerror.h"
#include "referencedata.h"
#include "statement.h"
#include "vocabulary.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>

bool isDokCode(const QString &code)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Z0-9][A-Z0-9/-]{0,9}$"));
    return pattern.match(code).hasMatch();
}

namespace {

const QString separator = QStringLiteral("NM");

QString codeOf(const QString &field)
{
    return field.trimmed().toUpper();
}

int fieldCount(const QString &line)
{
    return int(line.count(QLatin1Char(';'))) + 1;
}

} // namespace

bool PlainDokList::recognises(const QString &firstLine) const
{
    return !firstLine.contains(QLatin1Char(';'));
}

std::vector<DokListEntry> PlainDokList::read(const QStringList &lines, int &ignored) const
{
    std::vector<DokListEntry> entries;
    bool special = false;
    for (const QString &line : lines) {
        const QString code = codeOf(line);
        if (code == separator) {
            special = true;
        } else if (isDokCode(code)) {
            entries.push_back({code, {}, special || !reference::isOrdinaryDok(code)});
        } else {
            ++ignored;
        }
    }
    return entries;
}

bool DistrictDokList::recognises(const QString &firstLine) const
{
    return fieldCount(firstLine) == 3;
}

std::vector<DokListEntry> DistrictDokList::read(const QStringList &lines, int &ignored) const
{
    std::vector<DokListEntry> entries;
    for (const QString &line : lines) {
        const QStringList fields = line.split(QLatin1Char(';'));
        const QString code = codeOf(fields.value(0));
        if (code == QLatin1String("DOK") && entries.empty())
            continue; // the header line
        if (fields.size() != 3 || !isDokCode(code)) {
            ++ignored;
            continue;
        }
        const QString name = fields[2].trimmed().isEmpty() ? fields[1].trimmed() : fields[2].trimmed();
        entries.push_back({code, name, !reference::isOrdinaryDok(code)});
    }
    return entries;
}

bool SpecialDokList::recognises(const QString &firstLine) const
{
    return fieldCount(firstLine) == 6;
}

std::vector<DokListEntry> SpecialDokList::read(const QStringList &lines, int &ignored) const
{
    std::vector<DokListEntry> entries;
    QHash<QString, size_t> seen;
    for (const QString &line : lines) {
        const QStringList fields = line.split(QLatin1Char(';'));
        const QString code = codeOf(fields.value(0));
        if (fields.size() != 6 || !isDokCode(code)) {
            ++ignored;
            continue;
        }
        const DokListEntry entry{code, fields[1].trimmed(), true};
        const auto found = seen.constFind(code);
        if (found != seen.constEnd()) {
            entries[*found] = entry;
        } else {
            seen.insert(code, entries.size());
            entries.push_back(entry);
        }
    }
    return entries;
}

DokList parseDokList(const QByteArray &bytes)
{
    const QString text = isValidUtf8(bytes.constData(), bytes.size()) ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
    QStringList lines;
    for (const QString &line : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith(QLatin1Char('#')))
            lines << trimmed;
    }
    DokList list;
    if (lines.isEmpty())
        throw ExchangeError(QStringLiteral("The DOK list is empty."));
    static const PlainDokList plain;
    static const DistrictDokList districts;
    static const SpecialDokList specials;
    for (const DokListFormat *format : std::initializer_list<const DokListFormat *>{&plain, &districts, &specials}) {
        if (format->recognises(lines.first())) {
            list.entries = format->read(lines, list.ignoredLines);
            break;
        }
    }
    if (list.entries.empty())
        throw ExchangeError(QStringLiteral("The file is no DOK list: it names no DOK."));
    return list;
}

DokList readDokList(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ExchangeError(QStringLiteral("Cannot open %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    return parseDokList(file.readAll());
}

QString DokListReport::text() const
{
    QString text = QStringLiteral("DOKs added: %1\nDOKs renamed: %2\nDOKs unchanged: %3").arg(added).arg(renamed).arg(unchanged);
    if (ignoredLines > 0)
        text += QStringLiteral("\nLines not understood: %1").arg(ignoredLines);
    return text;
}

DokListUpdate::DokListUpdate(LogData &dm) : m_data(dm)
{
}

DokListReport DokListUpdate::run(const DokList &list)
{
    Connection &connection = m_data.ADOconn;
    DokListReport report;
    report.ignoredLines = list.ignoredLines;
    {
        Transaction transaction(connection);
        struct Known
        {
            qint64 id;
            QString name;
        };
        QHash<QString, Known> known;
        {
            Statement rows(connection, QStringLiteral("SELECT id, DOK, DESCR FROM DOK ORDER BY id"));
            while (rows.next()) {
                const QString code = rows.text(1).toUpper();
                if (!known.contains(code))
                    known.insert(code, {rows.integer(0), rows.text(2)});
            }
        }
        QStringList columns{QStringLiteral("DOK"), QStringLiteral("DESCR"), QStringLiteral("SPEC")};
        QStringList marks{QStringLiteral("?"), QStringLiteral("?"), QStringLiteral("?")};
        for (const QString &cell : vocab::statusCells() + QStringList{vocab::summaryCell}) {
            columns << QLatin1Char('"') + cell + QLatin1Char('"');
            marks << QStringLiteral("'*'");
        }
        Statement insert(connection, QStringLiteral("INSERT INTO DOK (%1) VALUES (%2)")
                                         .arg(columns.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
        Statement rename(connection, QStringLiteral("UPDATE DOK SET DESCR=? WHERE id=?"));
        for (const DokListEntry &entry : list.entries) {
            const auto found = known.find(entry.code);
            if (found == known.end()) {
                insert.bind(1, entry.code)
                    .bind(2, entry.name, true)
                    .bind(3, entry.special ? vocab::status::special : QString(), true)
                    .run();
                known.insert(entry.code, {insert.lastInsertId(), entry.name});
                ++report.added;
            } else if (!entry.name.isEmpty() && entry.name != found->name) {
                rename.bind(1, entry.name).bind(2, found->id).run();
                found->name = entry.name;
                ++report.renamed;
            } else {
                ++report.unchanged;
            }
        }
        transaction.commit();
    }
    if (m_data.dok.isOpen())
        m_data.dok.refresh();
    return report;
}
