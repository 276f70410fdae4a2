#pragma once

#include "payslips/EmployeeListMode.h"

#include <QString>
#include <QStringList>

namespace oruhr {

// The SQL texts of the payslip window, concatenated from their fixed pieces. Dates come
// in as literal bodies (Connection::dateLiteral), filters as ready fragments ("1=1" or
// "BranchID=5"), IDs as numbers.
class PayslipSql {
public:
    static QString employeeList(EmployeeListMode mode, const QString &begin, const QString &end,
                                const QString &branchFilter, const QString &recruitmentTypeFilter,
                                const QString &costCenterFilter);

    static QString temporaryPayslipOnBeginDate(qint32 employeeId, const QString &begin);
    // Detail lines, paid loans, paid funds, then the payslip itself.
    static QStringList deleteTemporaryPayslip(qint32 employeeId, const QString &begin);

    static QString accountDocuments(const QString &end);
    static QString formTypeName(qint32 formTypeId);
    static QString accountDocumentChoices(qint32 formTypeId, const QString &end);

    static QString printedPayslip(bool finalPayslips, qint32 employeeId, const QString &begin, const QString &end);

    static QString missingFactors(const QString &begin, const QString &end, const QString &employeeIds);
};

} // namespace oruhr
