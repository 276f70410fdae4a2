#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

#include <functional>

namespace oruhr::embedded {

// Runs one statement with positional values; throws ComponentError with the database's message.
QSqlQuery exec(QSqlDatabase &database, const QString &sql, const QVariantList &values = {});
// The first column of the first row, or an invalid QVariant when there is no row.
QVariant scalar(QSqlDatabase &database, const QString &sql, const QVariantList &values = {});

// Runs work on a private connection to a SQLite file (created when missing), closed
// afterwards whether or not work throws; throws ComponentError when it cannot be opened.
void withSqliteFile(const QString &file, const std::function<void(QSqlDatabase &)> &work);

} // namespace oruhr::embedded
