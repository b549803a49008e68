#pragma once

#include <QByteArray>
#include <QString>

// Reads a file to its end, whatever size it claims: a pipe claims none, and a file another
// program rewrites meanwhile may shrink or grow; what was read is what counts. Throws
// ExchangeError when the file cannot be opened or read.
QByteArray readWholeFile(const QString &path);
