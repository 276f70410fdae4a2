#pragma once

#include <QList>
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

    void employee(qint64 employeeId) const;
    // Always in ascending order, so that two calls locking many never wait for each other in a ring.
    void employees(QList<qint64> employeeIds) const;
    // A number never given before: above the numbering's counter (tblHRNumbering), which
    // remembers numbers whose payslip or document is gone, and above every all-digit Code
    // written without it (a customer's own codes may be anything). Taken after the employees'
    // rows, never before.
    qint64 nextNumber(Numbering which) const;

private:
    db::StatementCache &m_statements;
    bool m_needed;
};

} // namespace oruhr::payroll
