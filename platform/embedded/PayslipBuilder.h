#pragma once

#include <QDate>
#include <QtGlobal>

class QSqlDatabase;

namespace oruhr::embedded {

// The lines of one payslip, worked out from the HR documents in force in its period:
// detail lines (ordinance items, runtime batch values, group adjustments) and the loan
// and staff-fund instalments it pays. Runs inside the caller's transaction and throws
// ComponentError when a statement fails.
class PayslipBuilder {
public:
    PayslipBuilder(QSqlDatabase &database, qint64 employeeId, QDate begin, QDate end);

    // The employee's final ordinance overlapping the period with the latest BeginDate; 0 when none.
    qint64 ordinance() const;

    // Writes the lines of the payslip; ordinanceId 0 gives no ordinance items.
    void build(qint64 payslipId, qint64 ordinanceId) const;

    // Removes the payslip's detail lines and paid instalments.
    static void clear(QSqlDatabase &database, qint64 payslipId);

private:
    void addOrdinanceItems(qint64 payslipId, qint64 ordinanceId) const;
    void addRunTimeValues(qint64 payslipId) const;
    void addGroupAdjustments(qint64 payslipId) const;
    void addInstalments(qint64 payslipId) const;

    QSqlDatabase &m_database;
    qint64 m_employeeId;
    QDate m_begin;
    QDate m_end;
};

} // namespace oruhr::embedded
