#pragma once

#include <QDate>
#include <QList>
#include <QtGlobal>

namespace oruhr::db {
class StatementCache;
}

namespace oruhr::payroll {

// Final payslips in the accounts: one balanced document per posting, with salary expense by
// factor and cost centre and the employer's contributions on the debit side, and what is
// payable (insurance, tax, loans, fund, net pay) on the credit side. Each payslip's share of
// every line is kept (tblHRMonthlySalaryPosting), so that one payslip can leave its document
// again. Runs inside the caller's transaction; throws ComponentError.
class PayrollPosting {
public:
    explicit PayrollPosting(db::StatementCache &statements);

    // The employees' final payslips overlapping the dates that no document holds, by ID.
    QList<qint64> unposted(const QList<qint64> &employeeIds, QDate from, QDate to) const;
    // The new document's ID; 0 when no payslip was given.
    qint64 post(const QList<qint64> &payslipIds, qint64 creatorId, QDate documentDate) const;
    // Takes the payslip's share out of its document, dropping lines and a document left empty.
    void withdraw(qint64 payslipId) const;

private:
    db::StatementCache &m_statements;
    bool m_server;
};

} // namespace oruhr::payroll
