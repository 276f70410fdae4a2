#include "documents/DocumentSql.h"

#include "documents/DocumentKind.h"

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
    const auto kind = [](qint32 formTypeId) { return QString::number(formTypeId); };
    return QStringLiteral(" select 'حکم کارگزيني' as DocType, ") + kind(DocumentKind::Ordinance)
           + QStringLiteral(" as FormTypeID, ID, Code, FarsiBeginDate, FarsiEndDate,  (select name from vwEmployee x "
                            "where ID=EmployeeID) as Description  from tblHROrdinance where Not (EndDate < '")
           + period(begin, end, tail) + QStringLiteral(" Union ")
           + QStringLiteral(" select 'وام کارمندان', ") + kind(DocumentKind::Loan)
           + QStringLiteral(", ID, Code,FarsiBeginDate, FarsiEndDate,") + employeeCount
           + QStringLiteral("tblHRLoan where Not (EndDate < '") + period(begin, end, tail) + QStringLiteral(" Union ")
           + QStringLiteral(" Select 'صندوق کارمندان', ") + kind(DocumentKind::Fund)
           + QStringLiteral(", ID, Code,FarsiBeginDate, FarsiEndDate,")
           + employeeCount + QStringLiteral("tblHRBox where Not (EndDate < '") + period(begin, end, tail)
           + QStringLiteral(" Union ")
           + QStringLiteral(" Select 'تعديل گروهي', ") + kind(DocumentKind::GroupAdjustment)
           + QStringLiteral(", ID, Code,FarsiBeginDate, FarsiEndDate,") + employeeCount
           + QStringLiteral("tblHRExceptionBatch where Not (EndDate < '") + period(begin, end, tail);
}

QString DocumentSql::finalize(qint32 formTypeId, const QString &ids)
{
    QString table;
    switch (formTypeId) {
    case DocumentKind::Ordinance:
        table = QStringLiteral("tblHROrdinance");
        break;
    case DocumentKind::Loan:
        table = QStringLiteral("tblHRLoan");
        break;
    case DocumentKind::Fund:
        table = QStringLiteral("tblHRBox");
        break;
    case DocumentKind::GroupAdjustment:
        table = QStringLiteral("tblHRExceptionBatch");
        break;
    default:
        return {};
    }
    return QStringLiteral("Update ") + table + QStringLiteral(" Set Code=ID Where ID in (") + ids + QLatin1Char(')');
}

} // namespace oruhr
