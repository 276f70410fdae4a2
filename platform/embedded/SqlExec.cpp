#include "platform/embedded/SqlExec.h"

#include "platform/automation/ComponentError.h"

#include <QSqlError>
#include <QUuid>

namespace oruhr::embedded {
namespace {

[[noreturn]] void fail(const QSqlError &error)
{
    throw ComponentError(ComponentError::CommandFailed, error.text());
}

} // namespace

QSqlQuery exec(QSqlDatabase &database, const QString &sql, const QVariantList &values)
{
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (values.isEmpty()) {
        if (!query.exec(sql))
            fail(query.lastError());
        return query;
    }
    if (!query.prepare(sql))
        fail(query.lastError());
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec())
        fail(query.lastError());
    return query;
}

QVariant scalar(QSqlDatabase &database, const QString &sql, const QVariantList &values)
{
    QSqlQuery query = exec(database, sql, values);
    return query.next() ? query.value(0) : QVariant();
}

void withSqliteFile(const QString &file, const std::function<void(QSqlDatabase &)> &work)
{
    const QString name = QStringLiteral("oruhr-file-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        database.setDatabaseName(file);
        try {
            if (!database.open())
                fail(database.lastError());
            work(database);
        } catch (...) {
            database.close();
            database = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            throw;
        }
        database.close();
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace oruhr::embedded
