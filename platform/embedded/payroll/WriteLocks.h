#pragma once

#include <QList>
#include <QtGlobal>

namespace oruhr::db {
class StatementCache;
}

namespace oruhr::embedded {

// What two clerks working at once must wait for, held to the end of the procedure's
// transaction. On PostgreSQL: the employee's row (FOR UPDATE), so that one employee's
// payslips are made, numbered, posted or returned by one call at a time; and an advisory
// lock per numbering, so that max(Code) + 1 is read after the last number taken is
// committed. SQLite's single writer (BEGIN IMMEDIATE) already serialises everything.
class WriteLocks {
public:
    enum class Numbering { Payslips = 1, Documents = 2 };

    explicit WriteLocks(db::StatementCache &statements);

    void employee(qint64 employeeId) const;
    // Always in ascending order, so that two calls locking many never wait for each other in a ring.
    void employees(QList<qint64> employeeIds) const;
    // The number after the highest all-digit Code of the payslips or documents (a customer's
    // own codes may be anything), under the numbering's lock; taken after the employees' rows,
    // never before.
    qint64 nextNumber(Numbering which) const;

private:
    db::StatementCache &m_statements;
    bool m_needed;
};

} // namespace oruhr::embedded
