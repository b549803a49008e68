#include "uppercasetext.h"

#include <QList>

QString upperCasedInPlace(const QString &text)
{
    // The simple case mapping of a code point is one code point; the full mapping of QString
    // would let "ß" grow into "SS".
    QList<uint> codePoints = text.toUcs4();
    for (uint &codePoint : codePoints)
        codePoint = QChar::toUpper(char32_t(codePoint));
    return QString::fromUcs4(reinterpret_cast<const char32_t *>(codePoints.constData()), codePoints.size());
}
