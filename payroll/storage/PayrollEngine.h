#pragma once

#include "payroll/PayrollRules.h"
#include "payroll/PayslipCalculation.h"
#include "payroll/storage/PayslipInputsReader.h"

#include <QVariantList>

namespace oruhr::db {
class StatementCache;
class Transaction;
}

namespace oruhr::payroll {

// The one place payslip money is worked out: what was entered for an employee and period,
// priced day by day by the rules in force, written as the payslip's lines and paid
// instalments. Runs inside the caller's transaction; throws ComponentError.
// On a server every statement is a round trip: a payslip is read in one statement and
// written in one, and the rules are read again only when they changed.
class PayrollEngine {
public:
    explicit PayrollEngine(db::StatementCache &statements);

    // See PayslipInputsReader::read.
    EmployeeMonth read(qint64 employeeId, QDate begin, QDate end, std::optional<qint64> recalculated) const;
    PayslipCalculation calculate(const EmployeeMonth &month) const;
    // Inserts a temporary payslip with its lines and instalments and gives its ID. The row's
    // values: EmployeeID, OrdinanceID, BeginDate, EndDate, FarsiBeginDate, FarsiEndDate,
    // CreatorID, CreateDate, CalculateDate. A write given the transaction it ends commits it,
    // on a server in the same round trip.
    qint64 insert(const QVariantList &payslip, const PayslipCalculation &calculation,
                  db::Transaction *ending = nullptr) const;
    // Replaces the payslip's lines and paid instalments, and sets its ordinance (NULL when
    // none) and calculation time.
    void replace(qint64 payslipId, const QVariant &ordinanceId, const QString &calculated,
                 const PayslipCalculation &calculation, db::Transaction *ending = nullptr) const;

    // Writes the lines and instalments of a payslip row its caller inserted.
    void insertParts(qint64 payslipId, const PayslipCalculation &calculation) const;

private:
    const PeriodRules &rulesFor(QDate begin, QDate end, qint64 version) const;
    void insertRows(const QString &tableAndColumns, int columns, const QVariantList &values) const;

    db::StatementCache &m_statements;
    bool m_server;
};

} // namespace oruhr::payroll
