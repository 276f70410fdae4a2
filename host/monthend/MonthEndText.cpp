#include "host/monthend/MonthEndText.h"

#include "common/MessageText.h"

#include <QLocale>

namespace oruhr::MonthEndText {
namespace {

QString employee(const QString &code, const QString &firstName, const QString &surname)
{
    return (code.isEmpty() ? QStringLiteral("(بدون کد)") : code) + QStringLiteral(" ") + firstName
           + QStringLiteral(" ") + surname;
}

} // namespace

QString rials(qint64 amount)
{
    QLocale locale = QLocale::c();
    locale.setNumberOptions({});
    return locale.toString(amount) + QStringLiteral(" ريال");
}

QString unpostedSummary(const QString &month, const QList<UnpostedPayslips::Payslip> &payslips)
{
    if (payslips.isEmpty())
        return QStringLiteral("همه فيش هاي حقوقي قطعي ماه %1 در سند حسابداري ثبت شده اند.").arg(month);
    return QStringLiteral("تعداد %1 فيش حقوقي قطعي ماه %2 سند حسابداري ندارد؛ جمع خالص پرداختي %3.")
        .arg(payslips.size())
        .arg(month, rials(UnpostedPayslips::totalNetPay(payslips)));
}

QString unpostedLine(const UnpostedPayslips::Payslip &payslip)
{
    return QStringLiteral("فيش %1: %2، خالص %3")
        .arg(payslip.code, employee(payslip.employeeCode, payslip.firstName, payslip.surname), rials(payslip.netPay));
}

QString posted(int documents, int payslips)
{
    if (documents == 0)
        return QStringLiteral("فيش حقوقي قطعي بدون سند حسابداري نبود؛ سندي صادر نشد.");
    return QStringLiteral("تعداد %1 فيش حقوقي در %2 سند حسابداري ثبت شد.").arg(payslips).arg(documents);
}

QString bankFileWritten(const QString &file, const BankTransferFile &bankFile)
{
    return QStringLiteral("فايل بانک با %1 رديف و جمع %2 در «%3» نوشته شد.")
        .arg(bankFile.rows().size())
        .arg(rials(bankFile.total()), isolatedLeftToRight(file));
}

QString leftOutLine(const BankTransferFile::LeftOut &leftOut)
{
    const BankTransferFile::Row &row = leftOut.row;
    return QStringLiteral("کارمند %1 (فيش %2، خالص %3): %4%5")
        .arg(employee(row.employeeCode, row.firstName, row.surname), row.payslipCode, rials(row.netPay), leftOut.reason,
             row.shebaNumber.isEmpty() ? QString() : QStringLiteral(" «") + row.shebaNumber + QStringLiteral("»"));
}

QString leftOutSummary(const BankTransferFile &bankFile)
{
    QStringList lines;
    if (!bankFile.leftOut().isEmpty())
        lines << QStringLiteral("تعداد %1 کارمند در فايل بانک نيامد و حقوقشان بايد جداگانه پرداخت شود:")
                     .arg(bankFile.leftOut().size());
    for (const BankTransferFile::LeftOut &leftOut : bankFile.leftOut())
        lines << leftOutLine(leftOut);
    if (bankFile.withoutNetPay() > 0)
        lines << QStringLiteral("تعداد %1 فيش بدون خالص پرداختي در فايل نيامد.").arg(bankFile.withoutNetPay());
    return lines.join(QLatin1Char('\n'));
}

QString runStopped(const EmployeeRow &employeeRow, const QString &reason)
{
    return QStringLiteral("کار در کارمند %1 متوقف شد: %2")
        .arg(employee(employeeRow.code, employeeRow.firstName, employeeRow.surname), reason);
}

} // namespace oruhr::MonthEndText
