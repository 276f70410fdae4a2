#include "payslips/TemporaryPayslipDeletion.h"

#include "payslips/PayslipSql.h"
#include "platform/database/Transaction.h"
#include "shell/DtEn.h"

namespace oruhr {

bool TemporaryPayslipDeletion::run(qint32 employeeId, const QDate &begin)
{
    DtEn &dtEn = DtEn::instance();
    db::Recordset &recordset = dtEn.rssqlCommon();
    const QString beginText = dtEn.connection().dateLiteral(begin);
    db::Transaction transaction(dtEn.connection());
    recordset.open(PayslipSql::temporaryPayslipOnBeginDate(employeeId, beginText));
    const bool found = recordset.recordCount() >= 1;
    recordset.close();
    if (!found)
        return false;
    for (const QString &statement : PayslipSql::deleteTemporaryPayslip(employeeId, beginText))
        recordset.open(statement);
    transaction.commit();
    return true;
}

} // namespace oruhr
