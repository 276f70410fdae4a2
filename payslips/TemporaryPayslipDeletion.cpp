#include "payslips/TemporaryPayslipDeletion.h"

#include "payslips/PayslipSql.h"
#include "platform/database/Transaction.h"
#include "shell/DtEn.h"

namespace oruhr {

bool TemporaryPayslipDeletion::run(DtEn &dtEn, qint32 employeeId, const QDate &begin)
{
    const QString beginText = dtEn.dateLiteral(begin);
    db::Transaction transaction(dtEn.connection());
    if (dtEn.query(PayslipSql::temporaryPayslipOnBeginDate(employeeId, beginText)).recordCount() < 1)
        return false;
    for (const QString &statement : PayslipSql::deleteTemporaryPayslip(employeeId, beginText))
        dtEn.query(statement);
    transaction.commit();
    return true;
}

} // namespace oruhr
