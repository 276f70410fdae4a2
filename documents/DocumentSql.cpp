#include "documents/DocumentSql.h"

namespace oruhr {
namespace {

QString period(const QString &begin, const QString &end, const QString &stateTail)
{
    return begin + QStringLiteral("' Or BeginDate > '") + end + stateTail;
}

} // namespace

QString DocumentSql::documentList(DocumentListMode mode, const QString &begin, const QString &end)
{
    const QString tail = mode == DocumentListMode::Temporary ? QStringLiteral("') and Code is  Null")
                                                             : QStringLiteral("') and Code is Not Null");
    const QString employeeCount =
        QStringLiteral("  'تعداد کارمند: '+convert(varchar, (Select Count(*) from tblHRLoanDetail Where "
                       "LoanID=ID)) as Description from ");
    return QStringLiteral(" select 'حکم کارگزيني' as DocType, 1022007 as FormTypeID, ID, Code, FarsiBeginDate, "
                          "FarsiEndDate,  (select name from vwEmployee x where ID=EmployeeID) as Description  from "
                          "tblHROrdinance where Not (EndDate < '")
           + period(begin, end, tail) + QStringLiteral(" Union ")
           + QStringLiteral(" select 'وام کارمندان', 1022009, ID, Code,FarsiBeginDate, FarsiEndDate,") + employeeCount
           + QStringLiteral("tblHRLoan where Not (EndDate < '") + period(begin, end, tail) + QStringLiteral(" Union ")
           + QStringLiteral(" Select 'صندوق کارمندان', 1022021, ID, Code,FarsiBeginDate, FarsiEndDate,")
           + employeeCount + QStringLiteral("tblHRBox where Not (EndDate < '") + period(begin, end, tail)
           + QStringLiteral(" Union ")
           + QStringLiteral(" Select 'تعديل گروهي', 1022041, ID, Code,FarsiBeginDate, FarsiEndDate,") + employeeCount
           + QStringLiteral("tblHRExceptionBatch where Not (EndDate < '") + period(begin, end, tail);
}

QString DocumentSql::finalize(qint32 formTypeId, const QString &ids)
{
    QString table;
    switch (formTypeId) {
    case 1022007:
        table = QStringLiteral("tblHROrdinance");
        break;
    case 1022009:
        table = QStringLiteral("tblHRLoan");
        break;
    case 1022021:
        table = QStringLiteral("tblHRBox");
        break;
    case 1022041:
        table = QStringLiteral("tblHRExceptionBatch");
        break;
    default:
        return {};
    }
    return QStringLiteral("Update ") + table + QStringLiteral(" Set Code=ID Where ID in (") + ids + QLatin1Char(')');
}

} // namespace oruhr
