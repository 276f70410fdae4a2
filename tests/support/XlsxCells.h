#pragma once

#include <QMap>
#include <QString>

namespace oruhr::test {

// The filled cells of an .xlsx file's first worksheet, by reference ("A1") to their text,
// read back from the file itself; empty when the file cannot be read.
QMap<QString, QString> readXlsxCells(const QString &file);

} // namespace oruhr::test
