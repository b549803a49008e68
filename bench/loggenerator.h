#pragma once

#include <QString>

// Fills a database (normally a copy of the delivered one) with a log of realistic QSOs for
// benchmarks: DOKs of its DOK table with a skewed frequency, the usual bands and modes, mostly
// confirmed QSOs with some accredited and some unconfirmed. The band and mode tables get the
// first QSO of each DOK, as saving does; the status matrix is left for the recalculation.
namespace benchlog {

void generate(const QString &databasePath, int qsoCount, unsigned seed = 1);
// A copy of the delivered database named log.mdb in the folder, filled with qsoCount QSOs.
// Returns its path.
QString createDatabase(const QString &folder, int qsoCount, unsigned seed = 1);

} // namespace benchlog
