#pragma once

#include <QString>
#include <optional>

// Why the day, month and year typed into a QSO's date fields name no day of the calendar.
struct QsoDateProblem
{
    enum class Field { Day, Year };
    Field field; // where the user corrects it
    QString message;
};

// Nothing when the date exists and its year has four digits; a one-digit day or month is fine.
std::optional<QsoDateProblem> checkQsoDate(const QString &day, const QString &month, const QString &year);
