#include "demo/DemoDataGenerator.h"

#include "platform/automation/ComponentError.h"
#include "platform/database/Connection.h"
#include "platform/database/StatementCache.h"
#include "platform/database/Transaction.h"
#include "platform/embedded/DatabaseAdministration.h"
#include "platform/embedded/EmbeddedDatabase.h"
#include "platform/embedded/EmbeddedSchema.h"
#include "platform/embedded/ServerDatabase.h"
#include "demo/DemoCatalogue.h"
#include "demo/DemoContext.h"
#include "demo/DemoPayroll.h"
#include "demo/DemoStaff.h"

#include <QFileInfo>

namespace oruhr::demo {

using embedded::DatabaseAdministration;
using embedded::EmbeddedDatabase;
using embedded::EmbeddedSchema;
using embedded::ServerDatabase;

void DemoDataGenerator::seed(db::Connection &connection, const DemoOptions &options)
{
    if (options.employees < 0)
        throw ComponentError(ComponentError::ValueOfWrongType, QStringLiteral("The number of employees is negative."));
    if (!options.today.isValid())
        throw ComponentError(ComponentError::ValueOfWrongType,
                             QStringLiteral("The day of the payroll month is not a valid date."));
    db::StatementCache &statements = connection.statements();
    if (statements
            .scalar(QStringLiteral("SELECT (SELECT count(*) FROM tblEmployee) + "
                                   "(SELECT count(*) FROM tblPelikSystemParameters)"))
            .toInt()
        > 0)
        throw ComponentError(ComponentError::CommandFailed,
                             QStringLiteral("Demo data goes only into an empty database."));

    db::Transaction transaction(connection);
    demo::DemoContext context(statements, options);
    demo::DemoCatalogue::write(context);
    demo::DemoStaff::write(context);
    demo::DemoPayroll::write(context);
    EmbeddedSchema::continueKeys(connection);
    transaction.commit();
}

namespace {

// Demo data goes only where it can harm nothing: a schema of this version with nobody in it.
void requireEmptyCurrentSchema(db::Connection &connection)
{
    const DatabaseAdministration::State state = DatabaseAdministration(connection).inspect();
    if (state.hasEmployees)
        throw ComponentError(ComponentError::CommandFailed,
                             QStringLiteral("اين پايگاه داده کارمند دارد و داده نمايشي در آن نوشته نمي شود."));
    if (state.version != EmbeddedSchema::Version)
        throw ComponentError(ComponentError::CommandFailed, state.problems.join(QLatin1Char(' ')));
}

} // namespace

void DemoDataGenerator::createDemoDatabase(const QString &file, const DemoOptions &options)
{
    if (!QFileInfo::exists(file))
        EmbeddedDatabase::create(file);
    db::Connection connection;
    connection.setConnectionString(EmbeddedDatabase::connectionString(file));
    // A file emptied by a replace takes the schema again; one holding anything else is not ours.
    if (connection.statements().scalar(QStringLiteral("SELECT count(*) FROM sqlite_master")).toInt() == 0)
        DatabaseAdministration(connection).init();
    // A file that is only being filled needs no protection against power loss.
    connection.statements().execute(QStringLiteral("PRAGMA synchronous=OFF"));
    connection.statements().execute(QStringLiteral("PRAGMA cache_size=-65536"));
    requireEmptyCurrentSchema(connection);
    seed(connection, options);
}

void DemoDataGenerator::createOnServer(const QString &connectionString, const DemoOptions &options)
{
    ServerDatabase::create(connectionString);
    db::Connection connection;
    connection.setConnectionString(connectionString);
    requireEmptyCurrentSchema(connection);
    seed(connection, options);
}

} // namespace oruhr::demo
