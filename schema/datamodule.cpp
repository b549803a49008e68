#include "datamodule.h"

#include "tables.h"
#include "vocabulary.h"

LogData::LogData(const QString &databasePath, QObject *parent)
    : QObject(parent),
      ADOconn(databasePath, schema::databasePassword),
      dok(ADOconn, vocab::table::dok),
      dxcc(ADOconn, vocab::table::dxcc),
      info(ADOconn, vocab::table::info),
      log(ADOconn, vocab::table::log),
      riep(ADOconn, vocab::table::riep),
      logbanda(ADOconn, vocab::bandTable(QStringLiteral("14"))),
      logmodo(ADOconn, vocab::modeTable(QStringLiteral("SSB"))),
      Dipl(ADOconn, vocab::table::diplome)
{
    setObjectName(QStringLiteral("TDm"));
    dok.setFiltered(true);
    dok.setSort(QStringLiteral("SPEC;DOK"));
    log.setFiltered(true);
    log.setSort(QStringLiteral("DOK"));
    logbanda.setFiltered(true);
    logbanda.setSort(QStringLiteral("SPEC,DOK"));
    logmodo.setFiltered(true);
    logmodo.setSort(QStringLiteral("SPEC,DOK"));
    Dipl.setFiltered(true);
}
