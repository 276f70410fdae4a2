#pragma once

#include "platform/database/Connection.h"
#include "platform/database/Recordset.h"
#include "platform/database/StatementCache.h"
#include "platform/embedded/EmbeddedDatabase.h"
#include "platform/embedded/EmbeddedSchema.h"
#include "platform/embedded/ServerDatabase.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

#include <stdexcept>

namespace oruhr::bench {

// A PostgreSQL server of the benchmark's own, as the tests start one but writing to the
// disk as a production server does, on a Unix socket; stopped when it goes.
class BenchServer {
public:
    BenchServer()
    {
        QProcess start;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ORUHR_PG_DURABLE"), QStringLiteral("1"));
        start.setProcessEnvironment(environment);
        start.start(script(QStringLiteral("start-server")), {m_state});
        if (!start.waitForFinished(120000) || start.exitCode() != 0)
            throw std::runtime_error("the benchmark's PostgreSQL did not start");
        QFile state(m_state);
        state.open(QIODevice::ReadOnly);
        m_folder = QString::fromLocal8Bit(state.readAll()).trimmed();
    }
    ~BenchServer() { stop(); }

    void stop() { QProcess::execute(script(QStringLiteral("stop-server")), {m_state}); }

    QString connectionString(const QString &database) const
    {
        return QStringLiteral("Provider=PostgreSQL;Data Source=%1;Initial Catalog=%2;User ID=postgres").arg(m_folder, database);
    }

    // A new database holding what the template holds, on the server's own copy of its files;
    // with durable false, its commits do not wait for the disk, as an administrator may choose.
    void copy(const QString &from, const QString &to, bool durable = true) const
    {
        db::Connection maintenance;
        maintenance.setConnectionString(connectionString(QStringLiteral("postgres")));
        maintenance.statements().execute(QStringLiteral("CREATE DATABASE %1 TEMPLATE %2").arg(to, from));
        if (!durable)
            maintenance.statements().execute(QStringLiteral("ALTER DATABASE %1 SET synchronous_commit = off").arg(to));
    }

    // A new database with the rows of an embedded database file: its tables copied over in
    // one transaction.
    void copyFromFile(const QString &file, const QString &database) const
    {
        const QString target = connectionString(database);
        embedded::ServerDatabase::create(target);
        db::Connection from, to;
        from.setConnectionString(embedded::EmbeddedDatabase::connectionString(file));
        to.setConnectionString(target);
        to.database().transaction();
        QStringList tables;
        for (db::StatementRows rows = from.statements().run(
                 QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%'"));
             rows.next();)
            tables << rows.value(0).toString();
        // The new schema's own rows (statutory rules, numbering, version) give way to the copy's.
        for (const QString &table : tables) {
            to.statements().execute(QStringLiteral("DELETE FROM ") + table);
            copyTable(from, to, table);
        }
        embedded::EmbeddedSchema::continueKeys(to);
        to.database().commit();
        to.statements().execute(QStringLiteral("ANALYZE"));
    }

private:
    static void copyTable(db::Connection &from, db::Connection &to, const QString &table)
    {
        db::Recordset rows(from);
        rows.open(QStringLiteral("SELECT * FROM ") + table);
        const QStringList columns = rows.fieldNames();
        const QStringList marks(columns.size(), QStringLiteral("?"));
        const QString insert = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                   .arg(table, columns.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
        for (rows.moveFirst(); !rows.eof(); rows.moveNext()) {
            QVariantList values;
            for (int c = 0; c < columns.size(); ++c)
                values << rows.field(c);
            to.statements().execute(insert, values);
        }
    }

    static QString script(const QString &name) { return QStringLiteral(ORUHR_SOURCE_DIR "/tests/postgres/") + name; }

    QTemporaryDir m_dir;
    QString m_state = m_dir.filePath(QStringLiteral("server"));
    QString m_folder;
};

} // namespace oruhr::bench
