#pragma once

#include <QString>
#include <QStringList>

// Bands, modes, status codes and the names built from them. Every other file takes these names
// from here.
namespace vocab {

// Band texts as the user chooses them, lowest first.
const QStringList &bands();
// "1.8" -> "1", "3.5" -> "3", any other text unchanged.
QString bandSuffix(const QString &band);
// "1" -> "1.8", "3" -> "3.5", any other text unchanged.
QString bandOfSuffix(const QString &suffix);
// Band suffixes in the order of the status matrix: 50, 28, 24, 21, 18, 14, 10, 7, 3, 1, 144, 433.
const QStringList &matrixSuffixes();
bool isBand(const QString &band);

const QStringList &modes();
bool isMode(const QString &mode);
// Grids and buttons title RTTY "TTY"; the stored name is always RTTY.
inline const QString rttyTitle = QStringLiteral("TTY");
QString modeOfTitle(const QString &title);

namespace status {
inline const QString none = QStringLiteral("*");
inline const QString confirmed = QStringLiteral("C");
inline const QString accredited = QStringLiteral("A");
inline const QString special = QStringLiteral("S");
} // namespace status

// Award marks of Diplome.
namespace award {
inline const QString notReached = QStringLiteral("*");
inline const QString toClaim = QStringLiteral("To claim");
inline const QString claimed = QStringLiteral("Claimed");
} // namespace award

QString bandCell(const QString &suffix);                      // "T14"
QString pairCell(const QString &mode, const QString &suffix);  // "SSB14"
inline QString modeCell(const QString &mode) { return mode; }  // "SSB"
inline const QString summaryCell = QStringLiteral("CONF");
// The 77 status cells in the column order of DOK: band cells, pair cells mode by mode, mode cells.
const QStringList &statusCells();

// RIEP counters: "C" counts DOKs whose cell is C or A, "A" those whose cell is A.
QString confirmedCounter(const QString &cell);
QString accreditedCounter(const QString &cell);

QString bandTable(const QString &suffix);  // "LOG14"
QString modeTable(const QString &mode);    // "LOGSSB"
// The band or mode table of an award named by its band or mode ("14", "1.8", "cw", "TTY"), or
// an empty text when it names none.
QString awardTable(const QString &award);

namespace table {
inline const QString log = QStringLiteral("LOG");
inline const QString dok = QStringLiteral("DOK");
inline const QString riep = QStringLiteral("RIEP");
inline const QString info = QStringLiteral("INFO");
inline const QString dxcc = QStringLiteral("DXCC");
inline const QString diplome = QStringLiteral("Diplome");
} // namespace table

// The placeholder row of an empty band or mode table carries this DOK.
inline const QString placeholderDok = QStringLiteral("*");

} // namespace vocab
