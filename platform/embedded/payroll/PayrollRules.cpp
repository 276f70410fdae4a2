#include "platform/embedded/payroll/PayrollRules.h"

#include "platform/automation/ComponentError.h"
#include "platform/database/StatementCache.h"
#include "platform/embedded/payroll/ExactAmount.h"

#include <algorithm>

namespace oruhr::embedded {
namespace {

[[noreturn]] void unusable(const QString &why)
{
    throw ComponentError(ComponentError::CommandFailed, why);
}

FactorRule factorRule(const db::StatementRows &row)
{
    FactorRule rule;
    rule.functionId = row.integer(0);
    rule.name = row.value(1).toString();
    const qint64 kind = row.integer(2), method = row.integer(3);
    rule.rate = row.integer(4);
    rule.divisor = row.integer(5);
    rule.insurable = row.integer(6) != 0;
    rule.taxable = row.integer(7) != 0;
    rule.sequence = int(row.integer(8));
    if (kind < 1 || kind > 3 || method < 1 || method > 9 || rule.divisor <= 0 || rule.rate < 0)
        unusable(QStringLiteral("تعريف عامل حقوقي %1 (%2) نامعتبر است: نوع %3، روش %4، نرخ %5، مقسوم عليه %6")
                     .arg(rule.functionId)
                     .arg(rule.name)
                     .arg(kind)
                     .arg(method)
                     .arg(rule.rate)
                     .arg(rule.divisor));
    rule.kind = FactorKind(kind);
    rule.method = FactorMethod(method);
    return rule;
}

} // namespace

PayrollRules PayrollRules::inForceOn(db::StatementCache &statements, QDate day)
{
    PayrollRules rules;
    rules.m_day = day;
    const QString iso = day.toString(Qt::ISODate);
    {
        // Of two overlapping definitions the later one counts.
        db::StatementRows rows = statements.run(
            QStringLiteral("SELECT f.FunctionID, coalesce(m.Name, ''), f.Kind, f.Method, f.Rate, f.Divisor, "
                           "f.Insurable, f.Taxable, f.SequenceInMonthlySalary FROM tblPelikMFunctionDetail f "
                           "LEFT JOIN tblPelikMFunction m ON m.ID = f.FunctionID "
                           "WHERE ? BETWEEN f.BeginDate AND f.EndDate ORDER BY f.FunctionID, f.BeginDate"),
            {iso});
        while (rows.next()) {
            const FactorRule rule = factorRule(rows);
            rules.m_factors[rule.functionId] = rule;
        }
    }
    // The insurance ceiling and the tax brackets in one round trip. Of two ceilings in force the
    // later counts; of two bracket tables, the newer one, where an office left the old one open.
    db::StatementRows limits = statements.run(
        QStringLiteral("SELECT 0, Amount, 0 FROM tblHRInsuranceCeiling WHERE BeginDate = (SELECT max(BeginDate) "
                       "FROM tblHRInsuranceCeiling WHERE ? BETWEEN BeginDate AND EndDate) "
                       "UNION ALL SELECT 1, FromAmount, Rate FROM tblHRTaxBracket WHERE BeginDate = (SELECT "
                       "max(BeginDate) FROM tblHRTaxBracket WHERE ? BETWEEN BeginDate AND EndDate) ORDER BY 1, 2"),
        {iso, iso});
    while (limits.next()) {
        if (limits.integer(0) == 0)
            rules.m_ceiling = limits.integer(1);
        else
            rules.m_brackets.append({limits.integer(1), limits.integer(2)});
    }
    return rules;
}

const FactorRule *PayrollRules::factor(qint64 functionId) const
{
    const auto found = m_factors.find(functionId);
    return found == m_factors.end() ? nullptr : &found->second;
}

const FactorRule &PayrollRules::required(qint64 functionId) const
{
    if (const FactorRule *rule = factor(functionId))
        return *rule;
    unusable(QStringLiteral("عامل حقوقي %1 در تاريخ %2 تعريفي ندارد.")
                 .arg(functionId)
                 .arg(m_day.toString(Qt::ISODate)));
}

QList<const FactorRule *> PayrollRules::computedBy(FactorMethod method) const
{
    QList<const FactorRule *> found;
    for (const auto &[id, rule] : m_factors)
        if (rule.method == method)
            found.append(&rule);
    std::stable_sort(found.begin(), found.end(),
                     [](const FactorRule *a, const FactorRule *b) { return a->sequence < b->sequence; });
    return found;
}

qint64 PayrollRules::insuredPart(qint64 insurablePay) const
{
    return m_ceiling ? std::min(insurablePay, *m_ceiling) : insurablePay;
}

qint64 PayrollRules::incomeTax(qint64 taxablePay) const
{
    __int128 numerator = 0;
    for (qsizetype i = 0; i < m_brackets.size(); ++i) {
        const qint64 from = m_brackets[i].from;
        const qint64 to = i + 1 < m_brackets.size() ? std::min(taxablePay, m_brackets[i + 1].from) : taxablePay;
        if (to > from)
            numerator += __int128(to - from) * m_brackets[i].rate;
    }
    return ExactAmount::rounded(numerator, RateScale);
}

} // namespace oruhr::embedded
