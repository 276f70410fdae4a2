#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

namespace oruhr::db {

class Connection;

// Statements sent to PostgreSQL together and answered together, through the Qt connection's
// own libpq handle between Qt's statements: one round trip for several, each with its own
// result and error.
class ServerPipeline {
public:
    // Whether the connection's driver gives its libpq handle; false elsewhere.
    static bool isAvailable(Connection &connection);
    // Runs the statement ("?" for each value), prepared once per session, and the COMMIT of
    // the transaction it ends, in one round trip; gives the first value of the statement's
    // first row. Throws ComponentError with the statement's error, the transaction then to be
    // rolled back, or with the COMMIT's. Sets `open` false once the COMMIT ran.
    static QVariant runAndCommit(Connection &connection, const QString &sql, const QVariantList &values,
                                 bool &open);
};

} // namespace oruhr::db
