#include "host/monthend/MonthEndSql.h"

namespace oruhr {
namespace {

const QString netPay = QStringLiteral(
    "(Select isnull(sum(case d.Kind when 1 then d.Amount when 2 then -d.Amount else 0 end), 0) "
    "From tblHRMonthlySalaryDetail d Where d.MonthlySalaryID=s.ID) as NetPay");

QString finalInMonth(const QString &begin, const QString &end)
{
    return QStringLiteral(" From tblHRMonthlySalary s, tblEmployee e Where e.ID=s.EmployeeID and s.Code is Not Null "
                          "and Not (s.EndDate < '")
           + begin + QStringLiteral("' Or s.BeginDate > '") + end + QStringLiteral("')");
}

} // namespace

QString MonthEndSql::unpostedPayslips(const QString &begin, const QString &end)
{
    return QStringLiteral("Select s.ID, s.Code, s.EmployeeID, e.Code as EmployeeCode, e.FirstName, e.SureName, ")
           + netPay + finalInMonth(begin, end)
           + QStringLiteral(" and Not Exists(Select p.MonthlySalaryID From tblHRMonthlySalaryPosting p Where "
                            "p.MonthlySalaryID=s.ID) Order By convert(int, e.Code), s.ID");
}

QString MonthEndSql::bankTransfers(const QString &begin, const QString &end)
{
    return QStringLiteral("Select s.ID, s.Code, e.Code as EmployeeCode, e.FirstName, e.SureName, e.NationalCode, "
                          "e.ShebaNumber, ")
           + netPay + finalInMonth(begin, end) + QStringLiteral(" Order By convert(int, s.Code), s.ID");
}

} // namespace oruhr
