#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <initializer_list>
#include <utility>

// ADIF text for tests: fields with their byte lengths counted, records, a file on disk.
namespace adiftext {

inline QByteArray field(const QByteArray &name, const QByteArray &value)
{
    return '<' + name + ':' + QByteArray::number(value.size()) + '>' + value + ' ';
}

inline QByteArray record(std::initializer_list<std::pair<const char *, const char *>> fields)
{
    QByteArray text;
    for (const auto &[name, value] : fields)
        text += field(name, value);
    return text + "<EOR>\n";
}

// A confirmed QSO as most loggers write it.
inline QByteArray qso(const char *call, const char *dok, const char *band, const char *mode,
                      const char *date = "20090305", const char *qsl = "Y")
{
    return record({{"CALL", call}, {"QSO_DATE", date}, {"BAND", band}, {"MODE", mode}, {"DARC_DOK", dok},
                   {"QSL_RCVD", qsl}});
}

inline QByteArray file(const QByteArray &records)
{
    return "Test log\n<ADIF_VER:5>3.1.4 <PROGRAMID:4>TEST <EOH>\n" + records;
}

inline void write(const QString &path, const QByteArray &bytes)
{
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace adiftext
