#include "platform/database/ServerPipeline.h"

#include "platform/automation/ComponentError.h"
#include "platform/database/Connection.h"
#include "platform/database/StatementCache.h"

#include <QSqlDriver>

#include <libpq-fe.h>

#include <memory>
#include <unordered_map>
#include <vector>

namespace oruhr::db {
namespace {

[[noreturn]] void fail(const QString &message)
{
    throw ComponentError(ComponentError::CommandFailed, message.trimmed());
}

PGconn *handleOf(Connection &connection)
{
    if (connection.dialect() != SqlDialect::PostgreSQL)
        return nullptr;
    const QVariant handle = connection.database().driver()->handle();
    // Qt names the type by libpq's struct, behind the PGconn typedef.
    if (!handle.isValid() || (qstrcmp(handle.typeName(), "pg_conn*") != 0 && qstrcmp(handle.typeName(), "PGconn*") != 0))
        return nullptr;
    return *static_cast<PGconn *const *>(handle.constData());
}

using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

// The next query's result, with the NULL that ends it read too.
Result nextResult(PGconn *connection)
{
    Result result(PQgetResult(connection), &PQclear);
    if (result && PQresultStatus(result.get()) != PGRES_PIPELINE_SYNC)
        while (PGresult *more = PQgetResult(connection))
            PQclear(more);
    return result;
}

QString errorOf(const PGresult *result, PGconn *connection)
{
    const char *message = result ? PQresultErrorMessage(result) : "";
    return QString::fromUtf8(*message ? message : PQerrorMessage(connection));
}

// "?" becomes $1, $2 and on, outside quoted text.
QByteArray numbered(const QString &sql)
{
    QString text;
    int place = 0;
    bool quoted = false;
    for (const QChar c : sql) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (c == QLatin1Char('?') && !quoted)
            text += QLatin1Char('$') + QString::number(++place);
        else
            text += c;
    }
    return text.toUtf8();
}

// The statements this session prepared through libpq, by text; apart from Qt's own names.
struct PipelineStatements {
    std::unordered_map<QString, QByteArray> names;
};

const QByteArray &prepared(Connection &connection, PGconn *handle, const QString &sql)
{
    PipelineStatements &statements = connection.statements().kept<PipelineStatements>();
    auto found = statements.names.find(sql);
    if (found != statements.names.end())
        return found->second;
    const QByteArray name = "oruhr_" + QByteArray::number(qulonglong(statements.names.size() + 1));
    const Result result(PQprepare(handle, name.constData(), numbered(sql).constData(), 0, nullptr), &PQclear);
    if (PQresultStatus(result.get()) != PGRES_COMMAND_OK)
        fail(errorOf(result.get(), handle));
    return statements.names.emplace(sql, name).first->second;
}

} // namespace

bool ServerPipeline::isAvailable(Connection &connection)
{
    return handleOf(connection) != nullptr;
}

QVariant ServerPipeline::runAndCommit(Connection &connection, const QString &sql, const QVariantList &values,
                                      bool &open)
{
    PGconn *handle = handleOf(connection);
    if (!handle)
        fail(QStringLiteral("the connection has no PostgreSQL handle"));
    // Qt leaves the end of a message of several statements unread: the BEGIN after a
    // transaction's opening read.
    while (PGresult *pending = PQgetResult(handle))
        PQclear(pending);
    const QByteArray &name = prepared(connection, handle, sql);
    std::vector<QByteArray> texts;
    std::vector<const char *> pointers;
    texts.reserve(values.size());
    for (const QVariant &value : values) {
        texts.push_back(value.isNull() ? QByteArray() : value.toString().toUtf8());
        pointers.push_back(value.isNull() ? nullptr : texts.back().constData());
    }
    if (!PQenterPipelineMode(handle))
        fail(errorOf(nullptr, handle));
    const bool sent = PQsendQueryPrepared(handle, name.constData(), int(pointers.size()), pointers.data(), nullptr,
                                          nullptr, 0)
                      && PQsendQueryParams(handle, "COMMIT", 0, nullptr, nullptr, nullptr, nullptr, 0)
                      && PQpipelineSync(handle);
    const Result statement = sent ? nextResult(handle) : Result(nullptr, &PQclear);
    const Result commit = sent ? nextResult(handle) : Result(nullptr, &PQclear);
    const Result sync = sent ? nextResult(handle) : Result(nullptr, &PQclear);
    PQexitPipelineMode(handle);
    const ExecStatusType done = statement ? PQresultStatus(statement.get()) : PGRES_FATAL_ERROR;
    // A row comes alone when the single-row mode Qt asked for its last statement still holds.
    const bool rows = done == PGRES_TUPLES_OK || done == PGRES_SINGLE_TUPLE;
    if (!rows && done != PGRES_COMMAND_OK)
        fail(errorOf(statement.get(), handle));
    // A COMMIT that ran ends the transaction, whether it committed or not.
    open = false;
    if (!commit || PQresultStatus(commit.get()) != PGRES_COMMAND_OK || qstrcmp(PQcmdStatus(commit.get()), "COMMIT") != 0)
        fail(errorOf(commit.get(), handle));
    if (rows && PQntuples(statement.get()) > 0 && !PQgetisnull(statement.get(), 0, 0))
        return QString::fromUtf8(PQgetvalue(statement.get(), 0, 0));
    return {};
}

} // namespace oruhr::db
