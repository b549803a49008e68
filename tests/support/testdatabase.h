#pragma once

#include <QString>
#include <QStringList>
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
    // One table as it is on disk, a line per row in rowid order, for comparing before and after.
    QString table(const QString &name, const QStringList &skipColumns = {}) const;
    // Every table, each headed by its name.
    QString content() const;
    // The same of any database file.
    static QString contentOf(const QString &path);

    static QString templatePath();
    // The bytes of any file, empty when it cannot be read: to show a file was left untouched.
    static QByteArray fileBytes(const QString &path);

private:
    QTemporaryDir m_dir;
    QString m_path;
};
