#pragma once

class TableView;

// How many DOKs of the reference list have at least one QSO in the log, whatever its status.
// Both tables are read as they are stored, whatever filter a window left on their views, so the
// figures follow every save, change, deletion and import at once, refreshed or not. Codes match
// ignoring case; a code listed twice counts once, on its first row, as the refresh marks it.
struct DokCoverage
{
    int total = 0; // rows of the DOK table
    int withQso = 0;

    int withoutQso() const { return total - withQso; }

    static DokCoverage of(const TableView &dok, const TableView &log);
};
