#include "platform/embedded/EmbeddedDatabase.h"

#include "platform/automation/ComponentError.h"
#include "platform/database/Connection.h"
#include "platform/embedded/DatabaseAdministration.h"
#include "platform/embedded/EmbeddedLog.h"
#include "platform/embedded/EmbeddedSchema.h"
#include "platform/embedded/SqlExec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

    withSqliteFile(file, [](QSqlDatabase &database) {
        // WAL lets a reader and a writer on one file work side by side.
        exec(database, QStringLiteral("PRAGMA journal_mode=WAL"));
    });
    db::Connection connection;
    connection.setConnectionString(connectionString(file));
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

} // namespace oruhr::embedded
