#include "platform/embedded/DemoDataGenerator.h"

#include "platform/automation/ComponentError.h"
#include "platform/database/Connection.h"
#include "platform/database/StatementCache.h"
#include "platform/database/Transaction.h"
#include "platform/embedded/EmbeddedDatabase.h"
#include "platform/embedded/EmbeddedSchema.h"
#include "platform/embedded/ServerDatabase.h"
#include "platform/embedded/demo/DemoCatalogue.h"
#include "platform/embedded/demo/DemoContext.h"
#include "platform/embedded/demo/DemoPayroll.h"
#include "platform/embedded/demo/DemoStaff.h"

namespace oruhr::embedded {

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

void DemoDataGenerator::createDemoDatabase(const QString &file, const DemoOptions &options)
{
    EmbeddedDatabase::create(file);
    db::Connection connection;
    connection.setConnectionString(EmbeddedDatabase::connectionString(file));
    // A file that is only being filled needs no protection against power loss.
    connection.statements().execute(QStringLiteral("PRAGMA synchronous=OFF"));
    connection.statements().execute(QStringLiteral("PRAGMA cache_size=-65536"));
    seed(connection, options);
}

void DemoDataGenerator::createOnServer(const QString &connectionString, const DemoOptions &options)
{
    ServerDatabase::create(connectionString);
    db::Connection connection;
    connection.setConnectionString(connectionString);
    seed(connection, options);
}

} // namespace oruhr::embedded
