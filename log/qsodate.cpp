#include "qsodate.h"

#include <QCoreApplication>
#include <QDate>

std::optional<QsoDateProblem> checkQsoDate(const QString &day, const QString &month, const QString &year)
{
    bool yearIsNumber = false;
    const int yearValue = year.toInt(&yearIsNumber);
    if (year.size() != 4 || !yearIsNumber)
        return QsoDateProblem{QsoDateProblem::Field::Year,
                              QCoreApplication::translate("QsoDate", "The year of the Date needs four digits (dd/mm/yyyy).")};
    if (!QDate(yearValue, month.toInt(), day.toInt()).isValid())
        return QsoDateProblem{QsoDateProblem::Field::Day,
                              QCoreApplication::translate("QsoDate", "The Date %1/%2/%3 does not exist: please correct the day or the month.")
                                  .arg(day, month, year)};
    return std::nullopt;
}
