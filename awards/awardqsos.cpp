#include "awardqsos.h"

#include "awardentry.h"
#include "datamodule.h"
#include "filter.h"
#include "vocabulary.h"

AwardQsos::AwardQsos(const QString &entry)
    : m_band(awardentry::isBandEntry(entry)),
      m_subject(awardentry::subject(entry)),
      m_level(awardentry::level(entry).toInt())
{
    const QString text = m_subject.left(4);
    m_suffix = m_band ? vocab::bandSuffix(text) : vocab::modeOfTitle(text);
}

QString AwardQsos::tableName() const
{
    return m_band ? vocab::bandTable(m_suffix) : vocab::modeTable(m_suffix);
}

QString AwardQsos::accreditedCounter() const
{
    return vocab::accreditedCounter(m_band ? vocab::bandCell(m_suffix) : vocab::modeCell(m_suffix));
}

QString AwardQsos::confirmedCounter() const
{
    return vocab::confirmedCounter(m_band ? vocab::bandCell(m_suffix) : vocab::modeCell(m_suffix));
}

TableView &AwardQsos::view(LogData &dm) const
{
    return m_band ? dm.logbanda : dm.logmodo;
}

TableView &AwardQsos::select(LogData &dm) const
{
    TableView &qsos = view(dm);
    qsos.setFiltered(false);
    qsos.close();
    qsos.setTableName(tableName());
    qsos.open();
    qsos.setFiltered(true);
    qsos.setFilter(QStringLiteral("conf=") + Filter::quoted(vocab::status::confirmed));
    return qsos;
}
