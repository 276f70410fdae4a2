#include "platform/embedded/EmbeddedDatabase.h"

#include "platform/automation/ComponentError.h"
#include "platform/database/Connection.h"
#include "platform/embedded/EmbeddedSchema.h"
#include "platform/embedded/SqlExec.h"

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
    QDir().mkpath(QFileInfo(file).absolutePath());
    for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(file + suffix);
    // SQLite gives the -wal and -shm files the database file's mode: an empty file made
    // private first is an empty database that passes that on.
    QFile empty(file);
    if (empty.open(QIODevice::NewOnly | QIODevice::WriteOnly))
        empty.close();
    empty.setPermissions(QFile::ReadOwner | QFile::WriteOwner);

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
    bool current = false;
    withSqliteFile(file, [&current](QSqlDatabase &database) {
        current = scalar(database, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN "
                                                  "('tblHRNumbering', 'tblHRPayrollRule')"))
                      .toInt()
                  == 2;
    });
    return current;
}

QString EmbeddedDatabase::whyNotCurrent(const QString &file)
{
    try {
        if (isCurrent(file))
            return {};
    } catch (const ComponentError &error) {
        return QStringLiteral("پايگاه داده SQLite نيست يا خوانده نمي شود (") + error.description() + QLatin1Char(')');
    }
    return QStringLiteral("جدول هاي اين نسخه از برنامه را ندارد");
}

void EmbeddedDatabase::makeNewFilesPrivate()
{
    ::umask(S_IRWXG | S_IRWXO);
}

} // namespace oruhr::embedded
