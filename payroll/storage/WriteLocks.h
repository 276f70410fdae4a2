#pragma once

#include "platform/database/SqlDialect.h"

#include <QList>
#include <QString>
#include <QtGlobal>

namespace oruhr::db {
class StatementCache;
}

namespace oruhr::payroll {

// What two clerks working at once must wait for, held to the end of the procedure's
// transaction. On PostgreSQL: a lock per employee, so that one employee's
// payslips are made, numbered, posted or returned by one call at a time. A numbering's
// counter row is locked by the update that takes a number. SQLite's single writer (BEGIN
// IMMEDIATE) already serialises everything.
class WriteLocks {
public:
    enum class Numbering { Payslips = 1, Documents = 2 };

    explicit WriteLocks(db::StatementCache &statements);

    // The statement that locks the employees, to open the procedure's transaction with; empty
    // where none is needed.
    static QString statement(db::SqlDialect dialect, QList<qint64> employeeIds);
    // PostgreSQL's call that takes one employee's lock, for a statement of the caller's.
    static QString employeeLock(const QString &employee);
    // A number never given before: above the numbering's counter (tblHRNumbering), which
    // remembers numbers whose payslip or document is gone, and above every all-digit Code
    // written without it (a customer's own codes may be anything). Taken after the employees'
    // rows, never before.
    qint64 nextNumber(Numbering which) const;
    // The statement nextNumber runs, ending in "RETURNING LastNumber", for a server to run
    // inside a larger one; its one value is the numbering.
    static QString nextNumberSql(Numbering which);

private:
    db::StatementCache &m_statements;
};

} // namespace oruhr::payroll
