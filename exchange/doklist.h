#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class LogData;

// One DOK of a DOK list file; the name is empty when the file gives none.
struct DokListEntry
{
    QString code;
    QString name;
    bool special = false;
};

// One of the DOK list formats in use.
class DokListFormat
{
public:
    virtual ~DokListFormat() = default;
    // Whether the first line of the list (comments and empty lines left out) is of this format.
    virtual bool recognises(const QString &firstLine) const = 0;
    // The DOKs of the lines; lines that name no DOK are counted in ignored.
    virtual std::vector<DokListEntry> read(const QStringList &lines, int &ignored) const = 0;
};

// One code a line; a line "NM" separates the ordinary DOKs (before it) from special ones.
class PlainDokList : public DokListFormat
{
public:
    bool recognises(const QString &firstLine) const override;
    std::vector<DokListEntry> read(const QStringList &lines, int &ignored) const override;
};

// "DOK;District;Name", with or without that header line.
class DistrictDokList : public DokListFormat
{
public:
    bool recognises(const QString &firstLine) const override;
    std::vector<DokListEntry> read(const QStringList &lines, int &ignored) const override;
};

// The club's special-DOK list: DOK;purpose;callsign;valid from;valid to;sponsoring DOK, no
// header; a DOK may repeat, its last line gives the name.
class SpecialDokList : public DokListFormat
{
public:
    bool recognises(const QString &firstLine) const override;
    std::vector<DokListEntry> read(const QStringList &lines, int &ignored) const override;
};

struct DokList
{
    std::vector<DokListEntry> entries;
    int ignoredLines = 0;
};

// A DOK code: letters, digits and the odd "-" or "/", at most ten characters, in upper case.
bool isDokCode(const QString &code);

// Reads a DOK list file in any of the formats, in UTF-8 or, when its bytes are not valid
// UTF-8, ISO 8859-1. Throws ExchangeError when it cannot be read or names no DOK.
DokList readDokList(const QString &path);
DokList parseDokList(const QByteArray &bytes);

struct DokListReport
{
    int added = 0;
    int renamed = 0;
    int unchanged = 0;
    int ignoredLines = 0;
    QString text() const;
};

// Brings the DOK table up to a list: adds missing codes (special ones with SPEC "S"), every
// status cell and CONF "*"; gives an existing DOK the list's name where the list has one; never
// deletes a DOK. One transaction.
class DokListUpdate
{
public:
    explicit DokListUpdate(LogData &dm);
    DokListReport run(const DokList &list);

private:
    LogData &m_data;
};
