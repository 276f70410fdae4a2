#include "platform/embedded/EmbeddedDatabase.h"

#include "platform/automation/ComponentError.h"
#include "platform/embedded/EmbeddedSchema.h"
#include "platform/embedded/SqlExec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QUuid>

namespace oruhr::embedded {

QString EmbeddedDatabase::connectionString(const QString &file)
{
    return QStringLiteral("Provider=SQLite;Data Source=") + file;
}

void EmbeddedDatabase::create(const QString &file)
{
    QDir().mkpath(QFileInfo(file).absolutePath());
    for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(file + suffix);

    const QString name = QStringLiteral("oruhr-create-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        database.setDatabaseName(file);
        if (!database.open()) {
            const QString message = database.lastError().text();
            database = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            throw ComponentError(ComponentError::ConnectionFailed, message);
        }
        try {
            // WAL lets a reader and a writer on one file work side by side.
            exec(database, QStringLiteral("PRAGMA journal_mode=WAL"));
            EmbeddedSchema::create(database);
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
