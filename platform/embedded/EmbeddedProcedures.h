#pragma once

#include "platform/database/LocalProcedures.h"

#include <memory>

namespace oruhr::embedded {

// The five payroll procedures of the embedded database, each run in one transaction, over
// the payroll engine.
class EmbeddedProcedures : public db::LocalProcedures {
public:
    bool contains(const QString &name) const override;
    qint32 call(db::Connection &connection, const QString &name,
                const db::MonthlySalaryArguments &arguments) const override;
    qint32 call(db::Connection &connection, const QString &name, const db::AccountDocArguments &arguments) const override;
};

} // namespace oruhr::embedded
