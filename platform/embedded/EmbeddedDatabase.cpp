#include "platform/embedded/EmbeddedDatabase.h"

#include "platform/automation/ComponentError.h"
#include "platform/database/Connection.h"
#include "platform/database/StatementCache.h"
#include "platform/embedded/DatabaseAdministration.h"
#include "platform/embedded/EmbeddedLog.h"
#include "platform/embedded/EmbeddedSchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace oruhr::embedded {

QString EmbeddedDatabase::connectionString(const QString &file)
{
    return QStringLiteral("Provider=SQLite;Data Source=") + file;
}

void EmbeddedDatabase::create(const QString &file)
{
    if (QFileInfo::exists(file))
        throw ComponentError(ComponentError::CommandFailed,
                             QStringLiteral("فايل %1 از پيش هست و جايگزين نمي شود.").arg(file));
    QDir().mkpath(QFileInfo(file).absolutePath());
    // SQLite gives the -wal and -shm files the database file's mode: an empty file made
    // private first is an empty database that passes that on.
    QFile empty(file);
    if (empty.open(QIODevice::NewOnly | QIODevice::WriteOnly))
        empty.close();
    empty.setPermissions(QFile::ReadOwner | QFile::WriteOwner);

    db::Connection connection;
    connection.setConnectionString(connectionString(file));
    // WAL lets a reader and a writer on one file work side by side.
    connection.statements().execute(QStringLiteral("PRAGMA journal_mode=WAL"));
    EmbeddedSchema::create(connection);
}

bool EmbeddedDatabase::isCurrent(const QString &file)
{
    if (!QFileInfo::exists(file))
        return false;
    db::Connection connection;
    connection.setConnectionString(connectionString(file));
    try {
        return DatabaseAdministration(connection).inspect().version == EmbeddedSchema::Version;
    } catch (const ComponentError &error) {
        qCInfo(lcEmbedded) << "not a current database:" << file << error.description();
        return false;
    }
}

QString EmbeddedDatabase::whyNotCurrent(const QString &file)
{
    db::Connection connection;
    connection.setConnectionString(connectionString(file));
    try {
        const DatabaseAdministration::State state = DatabaseAdministration(connection).inspect();
        return state.version == EmbeddedSchema::Version ? QString() : state.problems.join(QLatin1Char(' '));
    } catch (const ComponentError &error) {
        return QStringLiteral("پايگاه داده SQLite نيست يا خوانده نمي شود (") + error.description() + QLatin1Char(')');
    }
}

void EmbeddedDatabase::makeNewFilesPrivate()
{
    ::umask(S_IRWXG | S_IRWXO);
}

} // namespace oruhr::embedded
