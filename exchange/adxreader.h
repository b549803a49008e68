#pragma once

#include "qsorecord.h"

#include <QByteArray>
#include <memory>

class QXmlStreamReader;

// Reads ADX files, ADIF's XML form (UTF-8): <ADX><HEADER>…</HEADER><RECORDS><RECORD>
// <CALL>DL1ABC</CALL>…</RECORD>…</RECORDS></ADX>. An application's field
// <APP PROGRAMID="X" FIELDNAME="Y"> comes as APP_X_Y and a user-defined one
// <USERDEF FIELDNAME="Y"> as Y, so that records read as those of an ADIF text file. Element
// names may be in any case. The file is read whole when the reader is made.
class AdxReader : public QsoReader
{
public:
    // Throws ExchangeError when the file cannot be opened.
    explicit AdxReader(const QString &path);
    explicit AdxReader(QByteArray bytes);
    ~AdxReader() override;

    bool next(QsoRecord &record) override;
    void rewind() override;
    qint64 position() const override;
    qint64 size() const override { return m_bytes.size(); }

private:
    [[noreturn]] void fail(const QString &what) const;
    QByteArray fieldName() const;

    QByteArray m_bytes;
    std::unique_ptr<QXmlStreamReader> m_xml;
    int m_records = 0;
    bool m_inDocument = false;
};
