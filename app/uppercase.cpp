#include "uppercase.h"

#include <QComboBox>
#include <QLineEdit>
#include <QValidator>

namespace {

class UpperCaseValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = input.toUpper();
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
