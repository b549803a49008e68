#pragma once

#include "qsorecord.h"

#include <QString>
#include <memory>

// The log file formats, chosen by the file's extension: ".adx" is ADIF's XML form, anything
// else ADIF's text form (.adi).
namespace logfiles {

bool isXml(const QString &path);
// Throw ExchangeError when the file cannot be opened or created.
std::unique_ptr<QsoReader> openReader(const QString &path);
std::unique_ptr<QsoWriter> createWriter(const QString &path);
// For file dialogs.
inline const char *const dialogFilter = QT_TRANSLATE_NOOP("ExchangeCommands", "ADIF files (*.adi *.adif *.adx);;All files (*)");

} // namespace logfiles
