#include "uppercase.h"

#include <QComboBox>
#include <QLineEdit>
#include <QValidator>

namespace {

class UpperCaseValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &position) const override
    {
        const qsizetype before = input.size();
        input = upperCasedInPlace(input);
        if (input.size() != before)
            position = int(std::min<qsizetype>(position, input.size()));
        return Acceptable;
    }
};

} // namespace

QString upperCasedInPlace(const QString &text)
{
    // The simple case mapping of a code point is one code point; the full mapping of QString
    // would let "ß" grow into "SS".
    QList<uint> codePoints = text.toUcs4();
    for (uint &codePoint : codePoints)
        codePoint = QChar::toUpper(char32_t(codePoint));
    return QString::fromUcs4(reinterpret_cast<const char32_t *>(codePoints.constData()), codePoints.size());
}

void makeUpperCase(QLineEdit *edit)
{
    edit->setValidator(new UpperCaseValidator(edit));
}

void makeUpperCase(QComboBox *box)
{
    if (box->lineEdit())
        makeUpperCase(box->lineEdit());
}
