#include "payroll/storage/PayslipInputsReader.h"

#include "platform/automation/ComponentError.h"
#include "platform/database/DatabaseLog.h"
#include "platform/database/StatementCache.h"
#include "payroll/storage/WriteLocks.h"

#include <QSqlDriver>

#include <algorithm>

namespace oruhr::payroll {
namespace {

// On a server every statement is a round trip, so the employee's month is one union: the
// payslips overlapping the period; the final ordinances with their items; the runtime
// batches' values (batches carry no Code: every one of the period counts); the final group
// adjustments; the final loans' and funds' instalments, oldest document first, a loan's cut to
// what is still owed apart from the payslip being recalculated; and the rules' version. A
// batch's value is read as text, so that its fraction is kept exactly.
// The NULLs of the first part are typed: PostgreSQL settles a column's type from the first
// parts of the union.
const QString monthSql = QStringLiteral(
    "WITH own AS (SELECT ID, Code, BeginDate, EndDate FROM tblHRMonthlySalary "
    "WHERE EmployeeID = ? AND NOT (EndDate < ? OR BeginDate > ?)), "
    "unpaid AS (SELECT coalesce(CAST(? AS BIGINT), (SELECT max(ID) FROM own WHERE Code IS NULL AND BeginDate = ? "
    "AND EndDate = ?), 0) AS ID) "
    "SELECT 0, ID, CASE WHEN Code IS NULL THEN 0 ELSE 1 END, CAST(NULL AS BIGINT), BeginDate, EndDate, "
    "CAST(NULL AS BIGINT), CAST(NULL AS TEXT) FROM own "
    "UNION ALL SELECT 1, o.ID, d.FunctionID, d.Amount, o.BeginDate, o.EndDate, NULL, NULL FROM tblHROrdinance o "
    "LEFT JOIN tblHROrdinanceDetail d ON d.OrdinanceID = o.ID "
    "WHERE o.EmployeeID = ? AND o.Code IS NOT NULL AND NOT (o.EndDate < ? OR o.BeginDate > ?) "
    "UNION ALL SELECT 2, d.ParameterID, NULL, NULL, b.BeginDate, b.EndDate, NULL, CAST(d.Value AS TEXT) "
    "FROM tblHRRunTimeBatchDetail d JOIN tblHRRunTimeBatch b ON b.ID = d.RunTimeBatchID "
    "WHERE d.EmployeeID = ? AND d.Value IS NOT NULL AND NOT (b.EndDate < ? OR b.BeginDate > ?) "
    "UNION ALL SELECT 3, d.FunctionID, d.Amount, NULL, b.BeginDate, b.EndDate, NULL, NULL "
    "FROM tblHRExceptionBatchDetail d JOIN tblHRExceptionBatch b ON b.ID = d.ExceptionBatchID "
    "WHERE d.EmployeeID = ? AND b.Code IS NOT NULL AND NOT (b.EndDate < ? OR b.BeginDate > ?) "
    "UNION ALL SELECT 4, d.LoanID, d.InstalmentAmount, CAST(d.Amount - coalesce((SELECT sum(p.Amount) "
    "FROM tblHRMonthlyPaiedLoan p JOIN tblHRMonthlySalary s ON s.ID = p.MonthlySalaryID "
    "WHERE p.LoanID = d.LoanID AND s.EmployeeID = d.EmployeeID AND s.ID <> (SELECT ID FROM unpaid)), 0) AS BIGINT), "
    "l.BeginDate, NULL, l.ID, NULL FROM tblHRLoanDetail d JOIN tblHRLoan l ON l.ID = d.LoanID "
    "WHERE d.EmployeeID = ? AND l.Code IS NOT NULL AND NOT (l.EndDate < ? OR l.BeginDate > ?) "
    "UNION ALL SELECT 5, d.BoxID, d.InstalmentAmount, NULL, x.BeginDate, NULL, x.ID, NULL FROM tblHRBoxDetail d "
    "JOIN tblHRBox x ON x.ID = d.BoxID "
    "WHERE d.EmployeeID = ? AND x.Code IS NOT NULL AND NOT (x.EndDate < ? OR x.BeginDate > ?) "
    "UNION ALL SELECT 6, Version, (SELECT ID FROM unpaid), NULL, NULL, NULL, NULL, NULL FROM tblHRRuleVersion "
    "ORDER BY 1, 5, 7, 2, 3");

// What each place of monthSql takes, in order.
enum class Input { Employee, Begin, End, Unpaid };
QList<Input> monthInputs()
{
    const QList<Input> period{Input::Employee, Input::Begin, Input::End};
    QList<Input> inputs = period + QList<Input>{Input::Unpaid, Input::Begin, Input::End};
    for (int part = 0; part < 5; ++part)
        inputs += period;
    return inputs;
}

// On a server, the month is read by a function of the session's own that takes the employee's
// lock first: a function's query sees what was committed before its lock was granted, where a
// statement taking the lock itself would read as of its start. Called before the BEGIN in one
// message, it opens the procedure's transaction holding the lock and the month in one round trip.
const QString monthFunction = QStringLiteral("pg_temp.fnHREmployeeMonth");

QString monthFunctionSql()
{
    const QStringList names{QStringLiteral("pEmployee"), QStringLiteral("pBegin"), QStringLiteral("pEnd"),
                            QStringLiteral("pUnpaid")};
    QString body = monthSql;
    for (const Input input : monthInputs())
        body.replace(body.indexOf(QLatin1Char('?')), 1, names[int(input)]);
    return QStringLiteral("CREATE OR REPLACE FUNCTION %1(pEmployee BIGINT, pBegin TEXT, pEnd TEXT, pUnpaid BIGINT) "
                          "RETURNS TABLE (oKind INTEGER, oKey BIGINT, oA BIGINT, oB BIGINT, oFrom TEXT, oTo TEXT, "
                          "oDocument BIGINT, oText TEXT) LANGUAGE plpgsql AS $body$ BEGIN PERFORM %2; "
                          "RETURN QUERY %3; END $body$")
        .arg(monthFunction, WriteLocks::employeeLock(QStringLiteral("pEmployee")), body);
}

// Whether this session has the function: made at its first use, or refused where the login
// may not make temporary objects, which then reads the month as other back ends do.
struct MonthFunction {
    enum { Unknown, Made, Refused } state = Unknown;
};

enum class Kind { Payslip, Ordinance, Entered, Adjustment, Loan, Fund, RulesVersion };

void readOrdinanceItem(const db::StatementRows &row, QList<PayslipInputs::DatedOrdinance> &ordinances)
{
    if (ordinances.isEmpty() || ordinances.last().paying.id != row.integer(1))
        ordinances.append({{row.integer(1), {}}, row.value(4).toDate(), row.value(5).toDate()});
    if (!row.value(2).isNull())
        ordinances.last().paying.items.append({row.integer(2), row.integer(3)});
}

void readInstalment(const db::StatementRows &row, QList<Instalment> &instalments)
{
    const qint64 amount = row.integer(2);
    const qint64 due = row.value(3).isNull() ? amount : std::min(amount, row.integer(3));
    if (due > 0)
        instalments.append({row.integer(1), due});
}

} // namespace

EmployeeMonth PayslipInputsReader::read(db::StatementCache &statements, qint64 employeeId, QDate begin, QDate end,
                                        std::optional<qint64> recalculated)
{
    const QVariant unpaid = recalculated ? QVariant(*recalculated) : QVariant(QMetaType::fromType<qint64>());
    const QVariantList known{employeeId, begin.toString(Qt::ISODate), end.toString(Qt::ISODate), unpaid};
    QVariantList values;
    for (const Input input : monthInputs())
        values << known[int(input)];
    db::StatementRows rows = statements.run(monthSql, values);
    return fromRows(rows, employeeId, begin, end);
}

QString PayslipInputsReader::openingStatement(db::StatementCache &statements, qint64 employeeId, QDate begin,
                                              QDate end, std::optional<qint64> recalculated)
{
    if (statements.database().driver()->dbmsType() != QSqlDriver::PostgreSQL)
        return {};
    MonthFunction &function = statements.kept<MonthFunction>();
    if (function.state == MonthFunction::Unknown) {
        try {
            statements.execute(monthFunctionSql());
            function.state = MonthFunction::Made;
        } catch (const ComponentError &refused) {
            qCInfo(lcDatabase) << "the month is read without a function of the session:" << refused.description();
            function.state = MonthFunction::Refused;
        }
    }
    if (function.state == MonthFunction::Refused)
        return {};
    return QStringLiteral("SELECT * FROM %1(%2, '%3', '%4', %5)")
        .arg(monthFunction)
        .arg(employeeId)
        .arg(begin.toString(Qt::ISODate), end.toString(Qt::ISODate),
             recalculated ? QString::number(*recalculated) : QStringLiteral("NULL"));
}

EmployeeMonth PayslipInputsReader::fromRows(db::StatementRows &row, qint64 employeeId, QDate begin, QDate end)
{
    EmployeeMonth month;
    month.inputs.employeeId = employeeId;
    month.inputs.begin = begin;
    month.inputs.end = end;
    QList<PayslipInputs::DatedOrdinance> ordinances;
    PayslipInputs &inputs = month.inputs;
    while (row.next()) {
        const qint64 key = row.integer(1);
        switch (Kind(row.integer(0))) {
        case Kind::Payslip:
            month.payslips.append({key, row.value(4).toDate(), row.value(5).toDate(), row.integer(2) != 0});
            break;
        case Kind::Ordinance:
            readOrdinanceItem(row, ordinances);
            break;
        case Kind::Entered:
            inputs.entered.append({key, EnteredValue::scaled(row.value(7).toString(), key), row.value(4).toDate(),
                                   row.value(5).toDate()});
            break;
        case Kind::Adjustment:
            inputs.adjustments.append({key, row.integer(2) * EnteredValue::Scale, row.value(4).toDate(),
                                       row.value(5).toDate()});
            break;
        case Kind::Loan:
            readInstalment(row, inputs.loans);
            break;
        case Kind::Fund:
            readInstalment(row, inputs.funds);
            break;
        case Kind::RulesVersion:
            month.rulesVersion = key;
            month.recalculated = row.integer(2);
            break;
        }
    }
    inputs.setOrdinances(ordinances);
    return month;
}

} // namespace oruhr::payroll
