#pragma once

#include <QString>
#include <QTemporaryDir>

// A database file in a temporary folder that disappears with the object: either a copy of the
// delivered database, or an empty one (every table, no reference data) for small hand-made cases.
class TestDatabase
{
public:
    enum class Content { Delivered, Empty };

    explicit TestDatabase(Content content = Content::Delivered);
    const QString &path() const { return m_path; }
    QString folder() const { return m_dir.path(); }
    // Runs SQL on the file through a connection of its own.
    void execute(const QString &sql) const;
    // Reads one value with SQL (first column of the first row), as text.
    QString value(const QString &sql) const;

    static QString templatePath();

private:
    QTemporaryDir m_dir;
    QString m_path;
};
