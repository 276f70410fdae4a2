#include "payroll/PayrollRules.h"

#include "platform/automation/ComponentError.h"

#include <QCalendar>

#include <algorithm>
#include <set>

namespace oruhr::payroll {
namespace {

[[noreturn]] void unusable(const QString &why)
{
    throw ComponentError(ComponentError::CommandFailed, why);
}

QString persian(QDate day)
{
    return day.toString(u"yyyy/MM/dd", QCalendar(QCalendar::System::Jalali));
}

// Of two rows of a table in force on the day, the later-beginning one counts: an office that
// enters next year's figures need not close this year's first.
const LimitRow *latest(const QList<LimitRow> &rows, LimitRow::Table table, QDate day)
{
    const LimitRow *found = nullptr;
    for (const LimitRow &row : rows)
        if (row.table == table && row.holds(day) && (!found || found->begin <= row.begin))
            found = &row;
    return found;
}

StatutoryRule statutoryOn(const QList<LimitRow> &rows, QDate day)
{
    const LimitRow *ceiling = latest(rows, LimitRow::Ceiling, day);
    if (!ceiling)
        unusable(QStringLiteral("سقف و کف دستمزد بيمه براي تاريخ %1 تعريف نشده است.").arg(persian(day)));
    const LimitRow *rule = latest(rows, LimitRow::PayrollRule, day);
    if (!rule)
        unusable(QStringLiteral("معافيت مالياتي حق بيمه و مبناي روزهاي ماه براي تاريخ %1 تعريف نشده است.")
                     .arg(persian(day)));
    if (ceiling->a < ceiling->b || ceiling->b < 0 || rule->a < 0 || rule->b <= 0 || rule->a > rule->b
        || (rule->c != 0 && rule->c != 30))
        unusable(QStringLiteral("سقف بيمه يا قاعده حقوق از تاريخ %1 نامعتبر است.").arg(persian(day)));
    return {ceiling->a, ceiling->b, rule->a, rule->b, rule->c};
}

QList<TaxBracket> bracketsOn(const QList<LimitRow> &rows, QDate day)
{
    const LimitRow *table = latest(rows, LimitRow::Bracket, day);
    if (!table)
        unusable(QStringLiteral("جدول ماليات حقوق براي تاريخ %1 تعريف نشده است.").arg(persian(day)));
    QList<TaxBracket> brackets;
    for (const LimitRow &row : rows)
        if (row.table == LimitRow::Bracket && row.begin == table->begin && row.holds(day))
            brackets.append({row.a, row.b});
    return brackets;
}

// The days inside the period on which some row begins, or the day after one ends.
std::set<QDate> changes(const QList<DatedRule> &rows, QDate begin, QDate end)
{
    std::set<QDate> days{begin};
    for (const DatedRule &row : rows)
        for (const QDate day : {row.begin, row.end.addDays(1)})
            if (begin < day && day <= end)
                days.insert(day);
    return days;
}

} // namespace

FactorRule PeriodRules::factorRule(qint64 functionId, const QString &name, qint64 kind, qint64 method, qint64 rate,
                                   qint64 divisor, bool insurable, bool taxable, int sequence, bool fixedWage)
{
    if (kind < 1 || kind > 3 || method < 1 || method > 9 || divisor <= 0 || rate < 0)
        unusable(QStringLiteral("تعريف عامل حقوقي %1 (%2) نامعتبر است: نوع %3، روش %4، نرخ %5، مقسوم عليه %6")
                     .arg(functionId)
                     .arg(name)
                     .arg(kind)
                     .arg(method)
                     .arg(rate)
                     .arg(divisor));
    return {functionId, name, FactorKind(kind), FactorMethod(method), rate, divisor, insurable, taxable, fixedWage,
            sequence};
}

PeriodRules PeriodRules::fromRows(const QList<FactorRow> &factors, const QList<LimitRow> &limits, QDate begin,
                                  QDate end)
{
    QList<DatedRule> all(factors.cbegin(), factors.cend());
    all.append(QList<DatedRule>(limits.cbegin(), limits.cend()));
    const std::set<QDate> starts = changes(all, begin, end);

    PeriodRules period;
    for (auto start = starts.cbegin(); start != starts.cend(); ++start) {
        const auto next = std::next(start);
        Segment segment{*start, next == starts.cend() ? end : next->addDays(-1), {}};
        PayrollRules &rules = segment.rules;
        rules.m_day = *start;
        // Ordered by the day each begins: of two overlapping definitions the later one counts.
        for (const FactorRow &row : factors)
            if (row.holds(*start))
                rules.m_factors[row.rule.functionId] = row.rule;
        rules.m_statutory = statutoryOn(limits, *start);
        rules.m_brackets = bracketsOn(limits, *start);
        period.m_segments.append(segment);
    }
    return period;
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
    unusable(QStringLiteral("عامل حقوقي %1 در تاريخ %2 تعريفي ندارد.").arg(functionId).arg(persian(m_day)));
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

ExactAmount PayrollRules::incomeTax(const ExactAmount &taxablePay, const ExactAmount &share) const
{
    ExactAmount tax;
    for (qsizetype i = 0; i < m_brackets.size(); ++i) {
        const ExactAmount from = share.times(m_brackets[i].from);
        const ExactAmount to = i + 1 < m_brackets.size() ? min(taxablePay, share.times(m_brackets[i + 1].from))
                                                         : taxablePay;
        if (from < to)
            tax.add((to - from).times(m_brackets[i].rate, RateScale));
    }
    return tax;
}

} // namespace oruhr::payroll
