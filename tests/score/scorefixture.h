#pragma once

#include "datamodule.h"
#include "testdatabase.h"

#include <QStringList>
#include <memory>

// A small hand-made database for the scoring tests: an empty store plus the DOKs and QSOs a
// test adds, and the data module opened on it the way start-up opens it.
class ScoreFixture
{
public:
    ScoreFixture();

    // Reference rows with a blank status matrix ("*" everywhere).
    void addDoks(const QStringList &codes, bool special = false);
    // Appends a QSO to LOG; ids grow in call order.
    void addQso(const QString &dok, const QString &band, const QString &mode, const QString &conf = QStringLiteral("C"));
    // As saving does: also puts the QSO into its band and mode tables when it is the first of its
    // DOK there, replacing a placeholder row.
    void addSavedQso(const QString &dok, const QString &band, const QString &mode, const QString &conf = QStringLiteral("C"));

    // Connects and opens every view; views opened earlier re-read their tables.
    LogData &open();
    LogData &dm() { return *m_dm; }
    TestDatabase &db() { return m_db; }

    // One value from disk.
    QString value(const QString &sql) const { return m_db.value(sql); }

private:
    TestDatabase m_db;
    std::unique_ptr<LogData> m_dm;
};
