#include "payroll/storage/PayrollEngine.h"

#include "platform/automation/ComponentError.h"
#include "payroll/storage/PayrollRulesReader.h"
#include "platform/database/ServerArrays.h"
#include "platform/database/StatementCache.h"
#include "platform/database/Transaction.h"

#include <QLocale>
#include <QSqlDriver>
#include <QStringList>

#include <map>

namespace oruhr::payroll {
namespace {

QString rials(qint64 amount)
{
    return QLocale(QLocale::Persian, QLocale::Iran).toString(amount);
}

// The rules a session read, by period, while tblHRRuleVersion stays as it was. A procedure
// never changes the rules in its own transaction, so a version it saw is a committed one.
struct KeptRules {
    qint64 version = -1;
    std::map<std::pair<QDate, QDate>, PeriodRules> byPeriod;
};

const QString payslipColumns = QStringLiteral("tblHRMonthlySalary (EmployeeID, OrdinanceID, Code, BeginDate, EndDate, "
                                              "FarsiBeginDate, FarsiEndDate, CreatorID, CreateDate, CalculateDate)");
const QString payslipValues = QStringLiteral("(?, ?, NULL, ?, ?, ?, ?, ?, ?, ?)");

// A payslip's parts: each table with its columns after MonthlySalaryID.
struct Part {
    const char *table;
    QStringList columns;
};
const Part parts[] = {
    {"tblHRMonthlySalaryDetail", {QStringLiteral("FunctionID"), QStringLiteral("Amount"), QStringLiteral("Kind"),
                                  QStringLiteral("Method")}},
    {"tblHRMonthlyPaiedLoan", {QStringLiteral("LoanID"), QStringLiteral("Amount")}},
    {"tblHRMonthlyPaiedBox", {QStringLiteral("BoxID"), QStringLiteral("Amount")}},
};

// The parts' values column by column: one statement text for any number of lines.
QVariantList partArrays(const PayslipCalculation &calculation)
{
    QList<qint64> functions, amounts, kinds, methods, loans, loanAmounts, funds, fundAmounts;
    for (const PayslipLine &line : calculation.lines) {
        functions << line.functionId;
        amounts << line.amount;
        kinds << int(line.kind);
        methods << int(line.method);
    }
    for (const Instalment &loan : calculation.paidLoans) {
        loans << loan.documentId;
        loanAmounts << loan.amount;
    }
    for (const Instalment &fund : calculation.paidFunds) {
        funds << fund.documentId;
        fundAmounts << fund.amount;
    }
    QVariantList arrays;
    for (const QList<qint64> *column : {&functions, &amounts, &kinds, &methods, &loans, &loanAmounts, &funds, &fundAmounts})
        arrays << db::ServerArrays::of(*column);
    return arrays;
}

// "WITH" parts inserting the arrays of partArrays for the payslip whose ID `id` gives.
QString partInserts(const QString &id)
{
    QStringList inserts;
    int n = 0;
    for (const Part &part : parts) {
        QStringList arrays, names;
        for (qsizetype i = 0; i < part.columns.size(); ++i) {
            arrays << QStringLiteral("CAST(? AS BIGINT[])");
            names << QStringLiteral("c%1").arg(n++);
        }
        inserts << QStringLiteral("%1 AS (INSERT INTO %2 (MonthlySalaryID, %3) SELECT %4, %5 FROM unnest(%6) AS t(%5))")
                       .arg(QLatin1String(part.table).mid(3), QLatin1String(part.table),
                            part.columns.join(QStringLiteral(", ")), id, names.join(QStringLiteral(", ")),
                            arrays.join(QStringLiteral(", ")));
    }
    return inserts.join(QStringLiteral(", "));
}

QString serverInsertSql()
{
    return QStringLiteral("WITH s AS (INSERT INTO %1 VALUES %2 RETURNING ID), %3 SELECT ID FROM s")
        .arg(payslipColumns, payslipValues, partInserts(QStringLiteral("(SELECT ID FROM s)")));
}

QString serverReplaceSql()
{
    QStringList deletes;
    for (const Part &part : parts)
        deletes << QStringLiteral("Old%1 AS (DELETE FROM %2 WHERE MonthlySalaryID = ?)")
                       .arg(QLatin1String(part.table).mid(3), QLatin1String(part.table));
    return QStringLiteral("WITH %1, %2 UPDATE tblHRMonthlySalary SET OrdinanceID = ?, CalculateDate = ? WHERE ID = ?")
        .arg(deletes.join(QStringLiteral(", ")), partInserts(QStringLiteral("CAST(? AS BIGINT)")));
}

} // namespace

PayrollEngine::PayrollEngine(db::StatementCache &statements)
    : m_statements(statements)
    , m_server(statements.database().driver()->dbmsType() == QSqlDriver::PostgreSQL)
{
}

EmployeeMonth PayrollEngine::read(qint64 employeeId, QDate begin, QDate end, std::optional<qint64> recalculated) const
{
    return PayslipInputsReader::read(m_statements, employeeId, begin, end, recalculated);
}

const PeriodRules &PayrollEngine::rulesFor(QDate begin, QDate end, qint64 version) const
{
    KeptRules &kept = m_statements.kept<KeptRules>();
    if (kept.version != version) {
        kept.byPeriod.clear();
        kept.version = version;
    }
    auto found = kept.byPeriod.find({begin, end});
    if (found == kept.byPeriod.end())
        found = kept.byPeriod.emplace(std::pair(begin, end), PayrollRulesReader::read(m_statements, begin, end)).first;
    return found->second;
}

PayslipCalculation PayrollEngine::calculate(const EmployeeMonth &month) const
{
    const PayslipInputs &inputs = month.inputs;
    try {
        return PayslipCalculation::of(rulesFor(inputs.begin, inputs.end, month.rulesVersion), inputs);
    } catch (const UncoveredStatutoryDeductions &uncovered) {
        const QString name = m_statements
                                 .scalar(QStringLiteral("SELECT coalesce(FirstName, '') || ' ' || coalesce(SureName, "
                                                        "'') FROM tblEmployee WHERE ID = ?"),
                                         {inputs.employeeId})
                                 .toString();
        throw ComponentError(ComponentError::CommandFailed,
                             QStringLiteral("حقوق %1 (کارمند شماره %2)، %3 ريال، حق بيمه %4 ريال و ماليات %5 "
                                            "ريال را نمي پوشاند؛ فيش ثبت نشد.")
                                 .arg(name.trimmed())
                                 .arg(inputs.employeeId)
                                 .arg(rials(uncovered.pay), rials(uncovered.insurance), rials(uncovered.tax)));
    }
}

qint64 PayrollEngine::insert(const QVariantList &payslip, const PayslipCalculation &calculation,
                             db::Transaction *ending) const
{
    if (m_server) {
        static const QString sql = serverInsertSql();
        const QVariantList values = payslip + partArrays(calculation);
        return (ending ? ending->commitWith(sql, values) : m_statements.scalar(sql, values)).toLongLong();
    }
    const qint64 id = m_statements.insert(
        QStringLiteral("INSERT INTO %1 VALUES %2 RETURNING ID").arg(payslipColumns, payslipValues), payslip);
    insertParts(id, calculation);
    return id;
}

void PayrollEngine::replace(qint64 payslipId, const QVariant &ordinanceId, const QString &calculated,
                            const PayslipCalculation &calculation, db::Transaction *ending) const
{
    if (m_server) {
        static const QString sql = serverReplaceSql();
        QVariantList values{payslipId, payslipId, payslipId};
        const QVariantList arrays = partArrays(calculation);
        values << payslipId << arrays.mid(0, 4) << payslipId << arrays.mid(4, 2) << payslipId << arrays.mid(6, 2);
        values << ordinanceId << calculated << payslipId;
        if (ending)
            ending->commitWith(sql, values);
        else
            m_statements.execute(sql, values);
        return;
    }
    for (const Part &part : parts)
        m_statements.execute(
            QStringLiteral("DELETE FROM %1 WHERE MonthlySalaryID = ?").arg(QLatin1String(part.table)), {payslipId});
    insertParts(payslipId, calculation);
    m_statements.execute(QStringLiteral("UPDATE tblHRMonthlySalary SET OrdinanceID = ?, CalculateDate = ? WHERE ID = ?"),
                         {ordinanceId, calculated, payslipId});
}

// One statement per table, whatever the number of rows.
void PayrollEngine::insertParts(qint64 payslipId, const PayslipCalculation &calculation) const
{
    QVariantList lines, loans, funds;
    for (const PayslipLine &line : calculation.lines)
        lines << payslipId << line.functionId << line.amount << int(line.kind) << int(line.method);
    for (const Instalment &loan : calculation.paidLoans)
        loans << payslipId << loan.documentId << loan.amount;
    for (const Instalment &fund : calculation.paidFunds)
        funds << payslipId << fund.documentId << fund.amount;
    const QList<QVariantList> rows{lines, loans, funds};
    for (qsizetype i = 0; i < rows.size(); ++i)
        insertRows(QStringLiteral("%1 (MonthlySalaryID, %2)")
                       .arg(QLatin1String(parts[i].table), parts[i].columns.join(QStringLiteral(", "))),
                   int(parts[i].columns.size()) + 1, rows[i]);
}

void PayrollEngine::insertRows(const QString &tableAndColumns, int columns, const QVariantList &values) const
{
    if (values.isEmpty())
        return;
    const QString row = QLatin1Char('(') + QStringList(columns, QStringLiteral("?")).join(QStringLiteral(", "))
                        + QLatin1Char(')');
    const QStringList rows(values.size() / columns, row);
    m_statements.execute(QStringLiteral("INSERT INTO %1 VALUES %2").arg(tableAndColumns, rows.join(QStringLiteral(", "))),
                         values);
}

} // namespace oruhr::payroll
