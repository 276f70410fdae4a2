#include "platform/embedded/DatabaseAdministration.h"

#include "platform/automation/ComponentError.h"
#include "platform/database/BackendTarget.h"
#include "platform/database/Connection.h"
#include "platform/database/StatementCache.h"
#include "platform/database/Transaction.h"
#include "platform/embedded/EmbeddedSchema.h"
#include "platform/embedded/SchemaUpgrade.h"
#include "payroll/storage/StatutoryRules.h"

#include <QDate>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QUuid>

#include <algorithm>
#include <map>

namespace oruhr::embedded {
namespace {

[[noreturn]] void refuse(const QString &message)
{
    throw ComponentError(ComponentError::CommandFailed, message);
}

// The product's tables or views, in the order the schema makes them.
QStringList productObjects(const char *kind, db::SqlDialect dialect)
{
    const QRegularExpression made(QStringLiteral("^CREATE %1 (\\w+) ").arg(QLatin1String(kind)));
    QStringList names;
    for (const QString &statement : EmbeddedSchema::statements(dialect)) {
        const QRegularExpressionMatch match = made.match(statement);
        if (match.hasMatch())
            names << match.captured(1);
    }
    return names;
}

// Every table's columns as this release makes them, read off a schema made in memory.
std::map<QString, QStringList> currentColumns()
{
    std::map<QString, QStringList> columns;
    const QString name = QStringLiteral("oruhr-reference-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    {
        QSqlDatabase reference = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        reference.setDatabaseName(QStringLiteral(":memory:"));
        reference.open();
        db::StatementCache statements(reference);
        for (const QString &statement : EmbeddedSchema::statements(db::SqlDialect::SQLite))
            statements.execute(statement);
        for (const QString &table : productObjects("TABLE", db::SqlDialect::SQLite)) {
            const QSqlRecord record = reference.record(table);
            for (int i = 0; i < record.count(); ++i)
                columns[table] << record.fieldName(i).toLower();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return columns;
}

// Only what the windows and procedures write; everything else of the product is read.
const char *const written[] = {"tblHRMonthlySalary",       "tblHRMonthlySalaryDetail", "tblHRMonthlyPaiedLoan",
                               "tblHRMonthlyPaiedBox",     "tblAccountDocument",       "tblAccountDocumentDetail",
                               "tblHRMonthlySalaryPosting"};
const char *const finalisedDocuments[] = {"tblHROrdinance", "tblHRLoan", "tblHRBox", "tblHRExceptionBatch"};

} // namespace

DatabaseAdministration::DatabaseAdministration(db::Connection &connection)
    : m_connection(connection)
{
}

bool DatabaseAdministration::tableExists(const QString &table) const
{
    const bool server = m_connection.dialect() == db::SqlDialect::PostgreSQL;
    return m_connection.statements()
               .scalar(server ? QStringLiteral("SELECT count(*) FROM information_schema.tables WHERE table_schema = "
                                               "current_schema() AND table_name = lower(?)")
                              : QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type IN ('table', 'view') "
                                               "AND lower(name) = lower(?)"),
                       {table})
               .toInt()
           > 0;
}

DatabaseAdministration::State DatabaseAdministration::inspect() const
{
    State state;
    db::StatementCache &sql = m_connection.statements();
    if (tableExists(QStringLiteral("tblPelikSchemaVersion")))
        state.version = sql.scalar(QStringLiteral("SELECT max(Version) FROM tblPelikSchemaVersion")).toInt();
    else if (tableExists(QStringLiteral("tblHRMonthlySalaryPosting")))
        state.version = 1;
    else if (tableExists(QStringLiteral("tblEmployee")))
        state.version = -1;
    if (tableExists(QStringLiteral("tblEmployee")))
        state.hasEmployees = sql.scalar(QStringLiteral("SELECT count(*) FROM tblEmployee")).toInt() > 0;

    if (state.version == 0) {
        state.problems << QStringLiteral("جداول برنامه در اين پايگاه داده نيست (oruhr-admin init).");
    } else if (state.version < 0) {
        state.problems << QStringLiteral("جداول برنامه از نسخه اي ناشناخته اند و ارتقا داده نمي شوند.");
    } else if (state.version < EmbeddedSchema::Version) {
        state.problems << QStringLiteral("نسخه جداول %1 است و اين برنامه نسخه %2 را مي خواهد (oruhr-admin upgrade).")
                              .arg(state.version)
                              .arg(EmbeddedSchema::Version);
    } else if (state.version > EmbeddedSchema::Version) {
        state.problems << QStringLiteral("نسخه جداول %1 از اين برنامه (نسخه %2) تازه تر است.")
                              .arg(state.version)
                              .arg(EmbeddedSchema::Version);
    } else {
        const bool server = m_connection.dialect() == db::SqlDialect::PostgreSQL;
        const std::map<QString, QStringList> columns = currentColumns();
        for (const QString &table : productObjects("TABLE", m_connection.dialect())) {
            if (!tableExists(table)) {
                state.problems << QStringLiteral("جدول %1 نيست.").arg(table);
                continue;
            }
            const QSqlRecord record = m_connection.database().record(server ? table.toLower() : table);
            const auto expected = columns.find(table);
            for (const QString &column : expected == columns.end() ? QStringList() : expected->second)
                if (record.indexOf(column) < 0)
                    state.problems << QStringLiteral("ستون %1 در جدول %2 نيست.").arg(column, table);
        }
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        for (const char *table : {"tblHRInsuranceCeiling", "tblHRPayrollRule", "tblHRTaxBracket"})
            if (sql.scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE ? BETWEEN BeginDate AND EndDate")
                               .arg(QLatin1String(table)),
                           {today})
                    .toInt()
                == 0)
                state.problems << QStringLiteral("جدول %1 براي امروز رديفي ندارد؛ فيش ها رد مي شوند.")
                                      .arg(QLatin1String(table));
    }
    return state;
}

void DatabaseAdministration::init() const
{
    if (inspect().version != 0)
        refuse(QStringLiteral("اين پايگاه داده از پيش جداول برنامه را دارد؛ براي نسخه تازه oruhr-admin upgrade."));
    EmbeddedSchema::create(m_connection);
}

void DatabaseAdministration::upgrade() const
{
    const State state = inspect();
    if (state.version <= 0 || state.version > EmbeddedSchema::Version)
        refuse(state.problems.join(QLatin1Char(' ')));
    db::StatementCache &sql = m_connection.statements();
    db::Transaction transaction(m_connection);
    // Codes given twice by an earlier release stop the unique indexes: the administrator
    // settles them first.
    if (state.version < 2) {
        QStringList repeated;
        for (const char *table : {"tblHRMonthlySalary", "tblAccountDocument"}) {
            db::StatementRows rows = sql.run(QStringLiteral("SELECT Code FROM %1 WHERE Code IS NOT NULL GROUP BY Code "
                                                            "HAVING count(*) > 1")
                                                 .arg(QLatin1String(table)));
            while (rows.next())
                repeated << QStringLiteral("%1: %2").arg(QLatin1String(table), rows.value(0).toString());
        }
        if (!repeated.isEmpty())
            refuse(QStringLiteral("اين شماره ها بيش از يک بار داده شده اند و بايد پيش از ارتقا يکتا شوند: %1")
                       .arg(repeated.join(QStringLiteral("، "))));
    }
    for (int version = state.version; version < EmbeddedSchema::Version; ++version)
        for (const QString &statement : SchemaUpgrade::from(version, m_connection.dialect()))
            sql.execute(statement);
    if (sql.scalar(QStringLiteral("SELECT count(*) FROM tblHRTaxBracket")).toInt() == 0)
        payroll::StatutoryRules::write(sql);
    transaction.commit();
    sql.clear();
}

void DatabaseAdministration::grant(const QString &role) const
{
    if (m_connection.dialect() != db::SqlDialect::PostgreSQL)
        refuse(QStringLiteral("حق دسترسي فقط روي سرور PostgreSQL داده مي شود."));
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]{0,62}$"));
    db::StatementCache &sql = m_connection.statements();
    if (!identifier.match(role).hasMatch()
        || sql.scalar(QStringLiteral("SELECT count(*) FROM pg_roles WHERE rolname = ?"), {role}).toInt() == 0)
        refuse(QStringLiteral("نقش «%1» روي سرور نيست؛ نخست آن را بسازيد (CREATE ROLE).").arg(role));
    if (const State state = inspect(); !state.isCurrent())
        refuse(QStringLiteral("پايگاه داده به روز نيست: %1").arg(state.problems.join(QLatin1Char(' '))));

    db::Transaction transaction(m_connection);
    const QString schema = sql.scalar(QStringLiteral("SELECT current_schema()")).toString();
    sql.execute(QStringLiteral("REVOKE ALL ON SCHEMA %1 FROM %2").arg(schema, role));
    sql.execute(QStringLiteral("GRANT USAGE ON SCHEMA %1 TO %2").arg(schema, role));
    for (const QString &object :
         productObjects("TABLE", db::SqlDialect::PostgreSQL) + productObjects("VIEW", db::SqlDialect::PostgreSQL)) {
        sql.execute(QStringLiteral("REVOKE ALL ON %1 FROM %2").arg(object, role));
        if (object != QLatin1String("tblPelikAudit"))
            sql.execute(QStringLiteral("GRANT SELECT ON %1 TO %2").arg(object, role));
    }
    for (const char *table : written) {
        sql.execute(QStringLiteral("GRANT INSERT, UPDATE, DELETE ON %1 TO %2").arg(QLatin1String(table), role));
        const QString sequence =
            sql.scalar(QStringLiteral("SELECT pg_get_serial_sequence(table_name, 'id') FROM information_schema.columns "
                                      "WHERE table_schema = current_schema() AND table_name = lower(?) AND "
                                      "column_name = 'id'"),
                       {QString::fromLatin1(table)})
                .toString();
        if (!sequence.isEmpty())
            sql.execute(QStringLiteral("GRANT USAGE ON SEQUENCE %1 TO %2").arg(sequence, role));
    }
    for (const char *table : finalisedDocuments)
        sql.execute(QStringLiteral("GRANT UPDATE (Code) ON %1 TO %2").arg(QLatin1String(table), role));
    sql.execute(QStringLiteral("GRANT UPDATE ON tblHRNumbering TO %1").arg(role));
    // The payroll reads an employee's month through a function of the session's own.
    sql.execute(QStringLiteral("GRANT TEMPORARY ON DATABASE %1 TO %2")
                    .arg(sql.scalar(QStringLiteral("SELECT quote_ident(current_database())")).toString(), role));
    transaction.commit();
    sql.clear();
}

void DatabaseAdministration::drop() const
{
    db::StatementCache &sql = m_connection.statements();
    db::Transaction transaction(m_connection);
    if (m_connection.dialect() == db::SqlDialect::PostgreSQL)
        sql.execute(QStringLiteral("SET LOCAL client_min_messages = warning")); // a missing one is no news
    for (const QString &view : productObjects("VIEW", m_connection.dialect()))
        sql.execute(QStringLiteral("DROP VIEW IF EXISTS %1").arg(view));
    QStringList tables = productObjects("TABLE", m_connection.dialect());
    std::reverse(tables.begin(), tables.end()); // a referencing table before the one it references
    for (const QString &table : tables)
        sql.execute(QStringLiteral("DROP TABLE IF EXISTS %1").arg(table));
    if (m_connection.dialect() == db::SqlDialect::PostgreSQL)
        for (const char *function : {"fnHRKeepFinalPayslip", "fnHRKeepFinalPayslips", "fnPelikAudit", "fnPelikAuditRows", "fnHRRuleChanged"})
            sql.execute(QStringLiteral("DROP FUNCTION IF EXISTS %1()").arg(QLatin1String(function)));
    transaction.commit();
    sql.clear();
}

QString DatabaseAdministration::databaseName() const
{
    return db::BackendTarget::resolve(m_connection.connectionString()).databaseName;
}

bool DatabaseAdministration::isNamedBy(const QString &given) const
{
    const QString database = databaseName();
    return !given.isEmpty()
           && (given == database || given == QFileInfo(database).fileName()
               || QFileInfo(given).absoluteFilePath() == QFileInfo(database).absoluteFilePath());
}

} // namespace oruhr::embedded
