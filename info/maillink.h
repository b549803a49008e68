#pragma once

#include <QString>
#include <QUrl>

// The link that opens a mail to the author: "Da " and the user's callsign as subject, the
// greeting as body, both percent-encoded so no character of the callsign can break the link.
QUrl mailLink(const QString &userCall);
