#pragma once

#include <QString>
#include <QtGlobal>

// The fixed details the information screens and the mail link show, in one place.
namespace infotext {

inline const QString productName = QStringLiteral("WZP Logbook");
inline const QString awardFullName = QStringLiteral("Worked German DOKs Award");
inline const char *const releaseMonth = QT_TRANSLATE_NOOP("WhatsNewWindow", "December 2026");
inline const QString releaseYear = QStringLiteral("2026");

inline const QString authorName = QStringLiteral("Max Mustermann");
inline const QString authorFirstName = QStringLiteral("Max");
inline const QString authorCall = QStringLiteral("N0CALL");
inline const QString authorMail = QStringLiteral("wzplog@example.org");
// The mail body: a greeting to the author by first name and callsign.
inline const QString greeting = QStringLiteral("Hello Max (N0CALL),");

inline const QString webSite = QStringLiteral("https://wzplog.example.org/");
inline const QString officialPage = QStringLiteral("https://wzp-award.example.org/");

inline const char *const mapCredit =
    QT_TRANSLATE_NOOP("AboutWindow", "Map borders approximate: GeoNames (CC BY 4.0), Digital Chart of the World");

// Where the award's rules send applications and fees.
inline const QString awardManagerAddress =
    QStringLiteral("WZP Award Manager, Postfach 11 22, 34000 Musterstadt, Germany");
inline const QString awardBankDetails =
    QStringLiteral("Musterbank, IBAN DE00 0000 0000 0000 0000 00, BIC MUSTDEXXXX");

} // namespace infotext
