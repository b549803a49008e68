#pragma once

#include <QString>
#include <stdexcept>

// Every failure of the database layer: the text is meant for the user as it stands.
class EngineError : public std::runtime_error
{
public:
    explicit EngineError(const QString &text)
        : std::runtime_error(text.toStdString()), m_text(text)
    {
    }
    const QString &text() const { return m_text; }

private:
    QString m_text;
};
