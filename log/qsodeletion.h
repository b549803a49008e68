#pragma once

#include <QString>
#include <functional>
#include <optional>

class LogData;

// The QSO selected in the band view, as its band-table row shows it.
struct SelectedQso
{
    qint64 id = 0; // in LOG
    QString dok;
    QString call;
    QString band;
    QString mode;
    QString date;
};

// Deletes a QSO from LOG and from its band and mode tables, and gives the space back by
// compacting the database file. The status matrix is left for the refresh.
class QsoDeletion
{
public:
    // Writes a compacted copy of source into destination (which does not exist yet), keeping the password.
    using Compactor = std::function<void(const QString &source, const QString &destination, const QString &password)>;

    explicit QsoDeletion(LogData &dm, Compactor compactor = {});

    // The selected row of the band view; nothing when the view shows no row.
    std::optional<SelectedQso> selected() const;
    // Names the QSO, so that the user sees which one goes.
    static QString question(const SelectedQso &qso);

    // One transaction: LOG's row and the QSO's rows in its band and mode tables (another QSO of
    // its DOK there takes the row over; a table that would lose its last row keeps the placeholder). A QSO missing from LOG deletes nothing.
    void remove(const SelectedQso &qso);

    // Compacts log.mdb into temp.mdb in its folder, checks that the copy opens with the password
    // and puts it in place of log.mdb with one rename. The connection and every view are open
    // again afterwards; after a failure they work on log.mdb as it was, and the error is thrown.
    void compact();

private:
    void replaceByCompactedCopy(const QString &database, const QString &copy);
    void reopen();

    LogData &m_data;
    Compactor m_compactor;
};
