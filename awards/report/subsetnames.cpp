#include "subsetnames.h"

#include <QHash>
#include <QRegularExpression>
#include <vector>

namespace report {

QByteArray withSubsetFontNames(const QByteArray &pdf)
{
    const QString text = QString::fromLatin1(pdf);
    QHash<QString, QString> tagged; // "LiberationSans" -> "QXAAAA+LiberationSans"
    static const QRegularExpression descriptorName(QStringLiteral(R"(/FontName /([A-Z]{6}\+([^\s/<>\[\]()]+)))"));
    for (auto it = descriptorName.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        tagged.insert(match.captured(2), match.captured(1));
    }
    if (tagged.isEmpty())
        return pdf;

    // Copy the file, tagging the base font names; remember where bytes were inserted.
    struct Insertion
    {
        qsizetype at;
        qsizetype length;
    };
    std::vector<Insertion> insertions;
    QByteArray out;
    out.reserve(pdf.size() + 256);
    static const QRegularExpression baseFont(QStringLiteral(R"(/BaseFont /([^\s/<>\[\]()]+))"));
    qsizetype copied = 0;
    for (auto it = baseFont.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        const auto name = tagged.constFind(match.captured(1));
        if (name == tagged.constEnd())
            continue;
        const qsizetype nameStart = match.capturedStart(1);
        out += pdf.mid(copied, nameStart - copied);
        const QByteArray tag = name->left(7).toLatin1();
        out += tag;
        insertions.push_back({nameStart, tag.size()});
        copied = nameStart;
    }
    out += pdf.mid(copied);
    if (insertions.empty())
        return pdf;
    const auto moved = [&](qsizetype offset) {
        qsizetype shift = 0;
        for (const Insertion &insertion : insertions) {
            if (insertion.at < offset)
                shift += insertion.length;
        }
        return offset + shift;
    };

    // Every offset of the cross-reference table keeps its ten digits, so the table keeps its place
    // relative to what follows it; the pointer to the table is written anew.
    const qsizetype startxref = out.lastIndexOf("startxref");
    if (startxref < 0)
        return pdf;
    static const QRegularExpression pointer(QStringLiteral(R"(startxref\s+(\d+))"));
    const QString tail = QString::fromLatin1(out.mid(startxref));
    const auto pointerMatch = pointer.match(tail);
    if (!pointerMatch.hasMatch())
        return pdf;
    const qsizetype oldTable = pointerMatch.captured(1).toLongLong();
    const qsizetype table = moved(oldTable);
    if (!out.mid(table).startsWith("xref"))
        return pdf;
    static const QRegularExpression entry(QStringLiteral(R"((\d{10}) (\d{5}) n)"));
    const QString tableText = QString::fromLatin1(out.mid(table, startxref - table));
    for (auto it = entry.globalMatch(tableText); it.hasNext();) {
        const auto match = it.next();
        const QByteArray offset = QByteArray::number(moved(match.captured(1).toLongLong())).rightJustified(10, '0');
        out.replace(table + match.capturedStart(1), 10, offset);
    }
    out.replace(startxref + pointerMatch.capturedStart(1), pointerMatch.capturedLength(1), QByteArray::number(table));
    return out;
}

} // namespace report
