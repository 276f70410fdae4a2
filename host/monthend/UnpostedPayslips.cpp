#include "host/monthend/UnpostedPayslips.h"

#include "host/monthend/MonthEndSql.h"
#include "host/monthend/RequiredColumns.h"
#include "shell/ModMain.h"

#include <QSet>

namespace oruhr {

UnpostedPayslips::UnpostedPayslips(ModMain &session, MonthEndPeriod period)
    : m_session(session)
    , m_period(period)
{
}

QList<UnpostedPayslips::Payslip> UnpostedPayslips::list() const
{
    DtEn &dtEn = m_session.dtEn();
    RequiredColumns::require(dtEn, {{"tblHRMonthlySalaryPosting", "MonthlySalaryID"},
                                    {"tblHRMonthlySalaryDetail", "Kind"}});
    db::Recordset recordset = dtEn.query(
        MonthEndSql::unpostedPayslips(dtEn.dateLiteral(m_period.begin), dtEn.dateLiteral(m_period.end)));
    const int id = recordset.fieldIndex(QStringLiteral("ID")), code = recordset.fieldIndex(QStringLiteral("Code")),
              employee = recordset.fieldIndex(QStringLiteral("EmployeeID")),
              employeeCode = recordset.fieldIndex(QStringLiteral("EmployeeCode")),
              firstName = recordset.fieldIndex(QStringLiteral("FirstName")),
              surname = recordset.fieldIndex(QStringLiteral("SureName")),
              net = recordset.fieldIndex(QStringLiteral("NetPay"));
    QList<Payslip> payslips;
    payslips.reserve(recordset.recordCount());
    for (recordset.moveFirst(); !recordset.eof(); recordset.moveNext())
        payslips.append({recordset.field(id).toLongLong(), recordset.field(code).toString(),
                         recordset.field(employee).toInt(), recordset.field(employeeCode).toString(),
                         recordset.field(firstName).toString(), recordset.field(surname).toString(),
                         recordset.field(net).toLongLong()});
    return payslips;
}

UnpostedPayslips::Posting UnpostedPayslips::post(const std::function<void(qint32)> &issued) const
{
    const QList<Payslip> payslips = list();
    QList<qint32> employees;
    QSet<qint32> listed;
    for (const Payslip &payslip : payslips)
        if (!listed.contains(payslip.employeeId)) {
            listed.insert(payslip.employeeId);
            employees.append(payslip.employeeId);
        }
    Posting posting{{}, int(payslips.size())};
    for (const QString &employeeIds : employeeLists(employees)) {
        const qint32 document =
            m_session.dtEn().spHRAccountDocSave(m_session.ActiveUserID, m_period.end, employeeIds);
        // None when another clerk posted them meanwhile.
        if (document <= 0)
            continue;
        posting.documents.append(document);
        if (issued)
            issued(document);
    }
    return posting;
}

QStringList UnpostedPayslips::employeeLists(const QList<qint32> &employeeIds, int limit)
{
    QStringList lists;
    QString current;
    for (const qint32 id : employeeIds) {
        const QString text = QString::number(id);
        if (!current.isEmpty() && current.size() + 1 + text.size() > limit) {
            lists.append(current);
            current.clear();
        }
        if (!current.isEmpty())
            current += QLatin1Char(',');
        current += text;
    }
    if (!current.isEmpty())
        lists.append(current);
    return lists;
}

qint64 UnpostedPayslips::totalNetPay(const QList<Payslip> &payslips)
{
    qint64 total = 0;
    for (const Payslip &payslip : payslips)
        total += payslip.netPay;
    return total;
}

} // namespace oruhr
