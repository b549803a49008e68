#include "uppercase.h"
#include "uppercasetext.h"

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

void makeUpperCase(QLineEdit *edit)
{
    edit->setValidator(new UpperCaseValidator(edit));
}

void makeUpperCase(QComboBox *box)
{
    if (box->lineEdit())
        makeUpperCase(box->lineEdit());
}
