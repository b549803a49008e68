#pragma once

#include <QString>
#include <stdexcept>

// A file that cannot be read or written, or whose content is broken: the text is meant for the
// user as it stands.
class ExchangeError : public std::runtime_error
{
public:
    explicit ExchangeError(const QString &text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString &text() const { return m_text; }

private:
    QString m_text;
};
