#include "dokcoverage.h"

#include "tableview.h"
#include "textcompare.h"

#include <string>
#include <unordered_set>
#include <vector>

namespace {

// The distinct codes of one column over the stored rows, folded to lower case.
std::unordered_set<std::string> codesOf(const TableView &view, int column)
{
    const RowStore &rows = view.storedRows();
    std::unordered_set<std::string> codes;
    std::string scratch;
    if (rows.isCoded(column)) {
        // Each distinct text once: the log repeats its DOKs many times over.
        std::vector<bool> used(rows.dictionary(column).size(), false);
        for (int row = 0; row < rows.rowCount(); ++row) {
            if (rows.isAlive(row))
                used[rows.code(row, column)] = true;
        }
        for (uint32_t code = 1; code < used.size(); ++code) {
            if (used[code])
                codes.insert(textcompare::lowerAscii(rows.dictionary(column).text(code)));
        }
        return codes;
    }
    for (int row = 0; row < rows.rowCount(); ++row) {
        if (rows.isAlive(row) && !rows.isNull(row, column))
            codes.insert(textcompare::lowerAscii(rows.text(row, column, scratch)));
    }
    return codes;
}

} // namespace

DokCoverage DokCoverage::of(const TableView &dok, const TableView &log)
{
    std::unordered_set<std::string> logged = codesOf(log, log.columnIndex(QStringLiteral("dok")));
    const RowStore &rows = dok.storedRows();
    const int code = dok.columnIndex(QStringLiteral("dok"));
    DokCoverage coverage;
    std::string scratch;
    for (int row = 0; row < rows.rowCount(); ++row) {
        if (!rows.isAlive(row))
            continue;
        ++coverage.total;
        // Erased once counted, so a code listed twice counts once.
        if (!rows.isNull(row, code) && logged.erase(textcompare::lowerAscii(rows.text(row, code, scratch))) > 0)
            ++coverage.withQso;
    }
    return coverage;
}
