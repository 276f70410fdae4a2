#include "payslips/PayslipSql.h"

#include "platform/database/SystemIds.h"

namespace oruhr {
namespace {

const QString listHead = QStringLiteral(
    "Select ID, Code, FirstName, SureName, isnull(Code,'') + '__ ' +isnull(FirstName,'') + ' ' + "
    "isnull(SureName,'') as EmpName From tblEmployee ");
const QString listOrder = QStringLiteral(" Order By convert(int, code) ");

QString ordinanceClause(const QString &begin, const QString &end, const QString &f1, const QString &f2,
                        const QString &f3)
{
    return QStringLiteral("Select tblHROrdinance.EmployeeId from tblHROrdinance Where Code is Not null and Not "
                          "(EndDate < '")
           + begin + QStringLiteral("' Or BeginDate > '") + end + QStringLiteral("') and ") + f1
           + QStringLiteral(" and ") + f2 + QStringLiteral(" and ") + f3;
}

QString payslipExists(const QString &state, const QString &begin, const QString &end)
{
    return QStringLiteral(" Where Exists(Select x.EmployeeId from tblHRMonthlySalary x Where x.Code is ") + state
           + QStringLiteral(" and x.EmployeeID=tblEmployee.ID and Not (x.EndDate < '") + begin
           + QStringLiteral("' Or x.BeginDate > '") + end + QStringLiteral("')) ");
}

QString deletePrefixed(const QString &prefix, qint32 employeeId, const QString &begin)
{
    return prefix + QString::number(employeeId) + QStringLiteral(" and x.BeginDate = '") + begin
           + QStringLiteral("')");
}

} // namespace

QString PayslipSql::employeeList(EmployeeListMode mode, const QString &begin, const QString &end,
                                 const QString &branchFilter, const QString &recruitmentTypeFilter,
                                 const QString &costCenterFilter)
{
    const QString ordinances =
        ordinanceClause(begin, end, branchFilter, recruitmentTypeFilter, costCenterFilter);
    switch (mode) {
    case EmployeeListMode::WithoutPayslip:
        return listHead + QStringLiteral(" Where ID in (") + ordinances + QStringLiteral(") ")
               + QStringLiteral(" AND Not Exists(Select x.EmployeeId from tblHRMonthlySalary x Where "
                                "x.EmployeeID=tblEmployee.ID and Not (x.EndDate < '")
               + begin + QStringLiteral("' Or x.BeginDate > '") + end + QStringLiteral("')) ") + listOrder;
    case EmployeeListMode::FinalSaved:
    case EmployeeListMode::TempSaved:
        return listHead
               + payslipExists(mode == EmployeeListMode::FinalSaved ? QStringLiteral("Not Null")
                                                                    : QStringLiteral("Null"),
                               begin, end)
               + QStringLiteral(" and ID in (") + ordinances + QStringLiteral(") ") + listOrder;
    case EmployeeListMode::None:
        break;
    }
    return listHead + QStringLiteral(" Where ID in (") + ordinances + QStringLiteral(") Order By convert(int, code) ");
}

QString PayslipSql::temporaryPayslipOnBeginDate(qint32 employeeId, const QString &begin)
{
    return QStringLiteral("Select ID from tblHRMonthlySalary Where Code is Null and EmployeeID=")
           + QString::number(employeeId) + QStringLiteral(" and BeginDate = '") + begin + QStringLiteral("'");
}

QStringList PayslipSql::deleteTemporaryPayslip(qint32 employeeId, const QString &begin)
{
    const QString inTemporary =
        QStringLiteral(" in (Select x.ID from tblHRMonthlySalary x Where x.Code is Null and x.EmployeeID=");
    return {
        deletePrefixed(QStringLiteral("Delete tblHRMonthlySalaryDetail Where MonthlySalaryID") + inTemporary,
                       employeeId, begin),
        deletePrefixed(QStringLiteral("Delete tblHRMonthlyPaiedLoan Where MonthlySalaryid") + inTemporary,
                       employeeId, begin),
        deletePrefixed(QStringLiteral("Delete tblHRMonthlyPaiedBox Where MonthlySalaryid") + inTemporary,
                       employeeId, begin),
        deletePrefixed(QStringLiteral("Delete tblHRMonthlySalary Where id") + inTemporary, employeeId, begin),
    };
}

QString PayslipSql::accountDocuments(const QString &end)
{
    return QStringLiteral("Select distinct DocumentID from tblAccountDocumentDetail Where TransactionDate='") + end
           + QStringLiteral("' and FormTypeID=") + QString::number(ids::PayslipForm) + QStringLiteral(" ")
           + QStringLiteral("union select ID from tblAccountDocument Where DocumentDate='") + end
           + QStringLiteral("' and Description like '%فيش%حقوق%'");
}

QString PayslipSql::formTypeName(qint32 formTypeId)
{
    return QStringLiteral("Select Name from tblPelikFormType Where ID=") + QString::number(formTypeId);
}

QString PayslipSql::accountDocumentChoices(qint32 formTypeId, const QString &end)
{
    return QStringLiteral("Select x.ID, x.Code, x.Description from tblAccountDocument x Where x.ID in (Select "
                          "distinct DocumentID from tblAccountDocumentDetail Where TransactionDate='")
           + end + QStringLiteral("' and FormTypeID= ") + QString::number(formTypeId) + QStringLiteral(")")
           + QStringLiteral(" UNION ")
           + QStringLiteral(" select x.ID, x.Code, x.Description  from tblAccountDocument x Where x.DocumentDate='")
           + end + QStringLiteral("' and x.Description like '%فيش%حقوق%' ") + QStringLiteral(" Order by 1 desc");
}

QString PayslipSql::printedPayslip(bool finalPayslips, qint32 employeeId, const QString &begin, const QString &end)
{
    const QString head = finalPayslips
                             ? QStringLiteral("Select x.ID, x.OrdinanceID from tblHRMonthlySalary x Where x.Code is "
                                              "Not Null and x.EmployeeID=")
                             : QStringLiteral("Select x.ID, x.OrdinanceID from tblHRMonthlySalary x Where x.Code is "
                                              "Null and x.EmployeeID=");
    return head + QString::number(employeeId) + QStringLiteral(" and Not (x.EndDate < '") + begin
           + QStringLiteral("' Or x.BeginDate > '") + end + QStringLiteral("') Order by BeginDate Desc");
}

QString PayslipSql::missingFactors(const QString &begin, const QString &end, const QString &employeeIds)
{
    return QStringLiteral(" select ID, Code, FirstName, SureName, (select x.Name from tblPelikMFunction x Where "
                          "x.ID=FunctionID) as ParameterName, FunctionID ")
           + QStringLiteral(" From tblEmployee, tblPelikMFunctionDetail") + QStringLiteral(" Where Not (BeginDate > '")
           + end + QStringLiteral("' Or EndDate < '") + begin
           + QStringLiteral("') and TypeID=") + QString::number(ids::EnteredFactorType)
           + QStringLiteral(" and ParameterTypeID=") + QString::number(ids::EnteredFactorParameterType) + QStringLiteral(" and tblEmployee.ID in (")
           + employeeIds + QStringLiteral(")")
           + QStringLiteral(" and Not Exists(Select rtd.* from tblHRRunTimeBatch rt, tblHRRunTimeBatchDetail rtd")
           + QStringLiteral("                 Where rt.ID=rtd.RunTimeBatchID and Not (rt.BeginDate > '") + end
           + QStringLiteral("' Or rt.EndDate < '") + begin + QStringLiteral("')")
           + QStringLiteral("                 and rtd.ParameterID=FunctionID and rtd.EmployeeID=tblEmployee.ID)")
           + QStringLiteral(" and Exists (Select o.EmployeeID from tblHROrdinance o Where o.EmployeeId=tblEmployee.ID "
                            "and o.Code is Not null")
           + QStringLiteral("             and Not (BeginDate > '") + end + QStringLiteral("' Or EndDate < '") + begin
           + QStringLiteral("')")
           + QStringLiteral("              and ((o.RecruitmentTypeID not in (6, 7) and FunctionID<>")
           + QString::number(ids::AbsenceFactor)
           + QStringLiteral(") Or (''<>'' and o.RecruitmentTypeID in (6, 7)))")
           + QStringLiteral(" )") + QStringLiteral(" Order by Code, SequenceInMonthlySalary");
}

} // namespace oruhr
