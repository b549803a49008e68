#include "dokstate.h"

#include "tableview.h"
#include "vocabulary.h"

#include <string>
#include <string_view>
#include <vector>

namespace maps {
namespace {

// The stored rows of the DOK table with the columns the maps read.
class StoredDoks
{
public:
    explicit StoredDoks(const TableView &dok)
        : m_rows(dok.storedRows()), m_code(dok.columnIndex(vocab::table::dok)),
          m_special(dok.columnIndex(QStringLiteral("SPEC")))
    {
        for (const QString &cell : vocab::statusCells())
            m_states.push_back(dok.columnIndex(cell));
        m_states.push_back(dok.columnIndex(vocab::summaryCell));
    }

    template<typename Visit>
    void forEach(Visit visit) const
    {
        for (int row = 0; row < m_rows.rowCount(); ++row) {
            if (m_rows.isAlive(row))
                visit(row);
        }
    }

    QString code(int row) const
    {
        const std::string_view text = m_rows.text(row, m_code, m_scratch);
        return QString::fromUtf8(text.data(), qsizetype(text.size()));
    }
    bool isSpecial(int row) const { return !m_rows.text(row, m_special, m_scratch).empty(); }

    DokState state(int row) const
    {
        DokState state = DokState::NoQso;
        for (int column : m_states) {
            const std::string_view status = m_rows.text(row, column, m_scratch);
            if (status == m_accredited)
                return DokState::Accredited;
            if (status == m_confirmed)
                state = DokState::Worked;
        }
        return state;
    }

private:
    const RowStore &m_rows;
    int m_code;
    int m_special;
    std::vector<int> m_states;
    const std::string m_accredited = vocab::status::accredited.toStdString();
    const std::string m_confirmed = vocab::status::confirmed.toStdString();
    mutable std::string m_scratch;
};

} // namespace

QHash<QString, DokState> dokStates(const TableView &dok)
{
    const StoredDoks doks(dok);
    QHash<QString, DokState> states;
    doks.forEach([&](int row) { states.insert(doks.code(row).toUpper(), doks.state(row)); });
    return states;
}

std::map<QChar, DistrictShare> districtShares(const TableView &dok)
{
    const StoredDoks doks(dok);
    std::map<QChar, DistrictShare> shares;
    doks.forEach([&](int row) {
        const QString code = doks.code(row);
        if (code.isEmpty() || doks.isSpecial(row))
            return;
        DistrictShare &share = shares[code.at(0).toUpper()];
        ++share.total;
        if (doks.state(row) != DokState::NoQso)
            ++share.withQso;
    });
    return shares;
}

} // namespace maps
