#include "dokstate.h"

#include "tableview.h"
#include "vocabulary.h"

#include <vector>

namespace maps {
namespace {

std::vector<int> stateColumns(const TableView &dok)
{
    std::vector<int> columns;
    for (const QString &cell : vocab::statusCells())
        columns.push_back(dok.columnIndex(cell));
    columns.push_back(dok.columnIndex(vocab::summaryCell));
    return columns;
}

DokState stateAt(const TableView &dok, int position, const std::vector<int> &columns)
{
    DokState state = DokState::NoQso;
    for (int column : columns) {
        const QString status = dok.textAt(position, column);
        if (status == vocab::status::accredited)
            return DokState::Accredited;
        if (status == vocab::status::confirmed)
            state = DokState::Worked;
    }
    return state;
}

} // namespace

QHash<QString, DokState> dokStates(const TableView &dok)
{
    const std::vector<int> columns = stateColumns(dok);
    const int code = dok.columnIndex(vocab::table::dok);
    QHash<QString, DokState> states;
    for (int position = 0; position < dok.recordCount(); ++position)
        states.insert(dok.textAt(position, code).toUpper(), stateAt(dok, position, columns));
    return states;
}

std::map<QChar, DistrictShare> districtShares(const TableView &dok)
{
    const std::vector<int> columns = stateColumns(dok);
    const int code = dok.columnIndex(vocab::table::dok);
    const int special = dok.columnIndex(QStringLiteral("SPEC"));
    std::map<QChar, DistrictShare> shares;
    for (int position = 0; position < dok.recordCount(); ++position) {
        const QString text = dok.textAt(position, code);
        if (text.isEmpty() || !dok.textAt(position, special).isEmpty())
            continue;
        DistrictShare &share = shares[text.at(0).toUpper()];
        ++share.total;
        if (stateAt(dok, position, columns) != DokState::NoQso)
            ++share.withQso;
    }
    return shares;
}

} // namespace maps
