#include "uppercasetext.h"

#include <QList>

QString upperCasedInPlace(const QString &text)
{
    // Callsigns, DOKs and places are nearly always plain ASCII, often upper case already.
    bool ascii = !text.isEmpty();
    bool lower = false;
    for (const QChar c : text) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
        lower = lower || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
    }
    if (ascii) {
        if (!lower)
            return text;
        QString upper = text;
        for (QChar &c : upper) {
            if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
                c = QChar(c.unicode() - 'a' + 'A');
        }
        return upper;
    }
    // The simple case mapping of a code point is one code point; the full mapping of QString
    // would let "ß" grow into "SS".
    QList<uint> codePoints = text.toUcs4();
    for (uint &codePoint : codePoints)
        codePoint = QChar::toUpper(char32_t(codePoint));
    return QString::fromUcs4(reinterpret_cast<const char32_t *>(codePoints.constData()), codePoints.size());
}
