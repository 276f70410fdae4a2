#include "host/MonthSummary.h"

#include "common/PayrollMonth.h"
#include "platform/components/ReportFiller.h"
#include "platform/controls/PelikDate.h"
#include "shell/ModMain.h"

#include <QCalendar>
#include <QLocale>

namespace oruhr::host {
namespace {

// The payslip window's tests of a month: a final ordinance touching it, a payslip touching it.
QString summarySql(const QString &begin, const QString &end)
{
    const QString touches = QStringLiteral("Not (x.EndDate < '%1' Or x.BeginDate > '%2')").arg(begin, end);
    const QString listed = QStringLiteral(
                               "From tblEmployee e Where e.ID in (Select x.EmployeeID From tblHROrdinance x "
                               "Where x.Code is Not Null and %1) ")
                               .arg(touches);
    const QString payslip = QStringLiteral("Exists(Select x.ID From tblHRMonthlySalary x Where x.EmployeeID = e.ID "
                                           "and x.Code is %1 and ")
                            + touches + QStringLiteral(")");
    const QString finalPayslips = QStringLiteral("From tblHRMonthlySalary x Where x.Code is Not Null and ") + touches;
    return QStringLiteral("Select (Select count(*) ") + listed
           + QStringLiteral("and Not Exists(Select x.ID From tblHRMonthlySalary x Where x.EmployeeID = e.ID and ")
           + touches + QStringLiteral(")) as WithoutPayslip, (Select count(*) ") + listed + QStringLiteral("and ")
           + payslip.arg(QStringLiteral("Null")) + QStringLiteral(") as TempSaved, (Select count(*) ") + listed
           + QStringLiteral("and ") + payslip.arg(QStringLiteral("Not Null"))
           + QStringLiteral(") as FinalSaved, (Select count(*) ") + finalPayslips
           + QStringLiteral(" and Not Exists(Select p.MonthlySalaryID From tblHRMonthlySalaryPosting p "
                            "Where p.MonthlySalaryID = x.ID)) as Unposted, "
                            "(Select isnull(sum(case d.Kind when 1 then d.Amount when 2 then -d.Amount else 0 end), 0) "
                            "From tblHRMonthlySalaryDetail d Where d.MonthlySalaryID in (Select x.ID ")
           + finalPayslips + QStringLiteral(")) as NetPay");
}

} // namespace

MonthSummary MonthSummary::read(ModMain &session)
{
    MonthSummary summary;
    summary.startText = PayrollMonth::readStartDateText(session);
    summary.begin = PelikDate::fromPersianText(summary.startText);
    const QCalendar jalali(QCalendar::System::Jalali);
    const QCalendar::YearMonthDay day = jalali.partsFromDate(summary.begin);
    summary.end = summary.begin.addDays(jalali.daysInMonth(day.month, day.year) - day.day);
    DtEn &data = session.dtEn();
    const db::Recordset figures = data.query(summarySql(data.dateLiteral(summary.begin), data.dateLiteral(summary.end)));
    summary.withoutPayslip = figures.field(QStringLiteral("WithoutPayslip")).toLongLong();
    summary.temporary = figures.field(QStringLiteral("TempSaved")).toLongLong();
    summary.final = figures.field(QStringLiteral("FinalSaved")).toLongLong();
    summary.unposted = figures.field(QStringLiteral("Unposted")).toLongLong();
    summary.netPay = figures.field(QStringLiteral("NetPay")).toLongLong();
    return summary;
}

QString MonthSummary::monthTitle() const
{
    const QCalendar jalali(QCalendar::System::Jalali);
    const QCalendar::YearMonthDay day = jalali.partsFromDate(begin);
    if (!day.isValid())
        return startText;
    return jalali.monthName(QLocale(QLocale::Persian), day.month, day.year) + QLatin1Char(' ')
           + ReportFiller::persianDigits(QString::number(day.year));
}

} // namespace oruhr::host
