#include "payroll/PayslipCalculation.h"

#include "platform/automation/ComponentError.h"
#include "payroll/PayrollRules.h"

#include <algorithm>
#include <map>

namespace oruhr::payroll {
namespace {

[[noreturn]] void refuse(const QString &message)
{
    throw ComponentError(ComponentError::CommandFailed, message);
}

qint64 limited(qint64 amount, qint64 room)
{
    return amount <= 0 ? amount : std::min(amount, std::max<qint64>(room, 0));
}

qint64 daysOf(QDate begin, QDate end)
{
    return std::max<qint64>(0, begin.daysTo(end) + 1);
}

// Ordinance items and group adjustments are amounts as they stand; a factor the engine works
// out (insurance, tax, instalments) takes none, or its line would not match its records.
const FactorRule &givenFactor(const PayrollRules &rules, qint64 functionId)
{
    const FactorRule &rule = rules.required(functionId);
    if (rule.method != FactorMethod::AsGiven && rule.method != FactorMethod::OrdinanceBase)
        refuse(QStringLiteral("عامل حقوقي %1 (%2) محاسبه مي شود و ورود مقدار براي آن مجاز نيست.")
                   .arg(rule.functionId)
                   .arg(rule.name));
    return rule;
}

// One stretch of the period with the same rules, worked out exactly.
class Segment {
public:
    Segment(const PeriodRules::Segment &segment, const PayslipInputs &inputs, const StatutoryRule &first)
        : m_segment(segment)
        , m_rules(segment.rules)
        , m_inputs(inputs)
        , m_first(first)
    {
    }

    std::map<qint64, ExactAmount> work()
    {
        ordinanceItems();
        const ExactAmount fixedWage = monthlyTotal([](const FactorRule &rule) { return rule.fixedWage; });
        const ExactAmount base =
            monthlyTotal([](const FactorRule &rule) { return rule.method == FactorMethod::OrdinanceBase; });
        for (const EnteredValue &entry : m_inputs.entered)
            enter(entry, fixedWage, base);
        for (const EnteredValue &adjustment : m_inputs.adjustments)
            add(givenFactor(m_rules, adjustment.functionId), share(adjustment).times(adjustment.value, EnteredValue::Scale));
        capPayCuts();
        const ExactAmount employeeInsurance = insurance();
        incomeTax(employeeInsurance);
        return m_amounts;
    }

private:
    // Monthly items by the days each ordinance pays here: of the Persian month's days, or of
    // thirty where the rule says so and the period is not the whole month.
    void ordinanceItems()
    {
        const qint64 covered = m_inputs.coveredDays(m_inputs.begin, m_inputs.end);
        const qint64 basis = m_first.prorationDays == 0 || covered == m_inputs.monthDays ? m_inputs.monthDays
                                                                                          : m_first.prorationDays;
        for (int o = 0; o < m_inputs.ordinances.size(); ++o) {
            const qint64 days = m_inputs.coveredDays(m_segment.begin, m_segment.end, o);
            if (days == 0)
                continue;
            for (const FactorAmount &item : m_inputs.ordinances[o].items)
                add(givenFactor(m_rules, item.functionId), ExactAmount(__int128(item.amount) * days, basis));
        }
    }

    template<class Pick>
    ExactAmount monthlyTotal(Pick pick) const
    {
        qint64 sum = 0;
        for (const FactorAmount &item : m_inputs.ordinanceInForce)
            if (pick(m_rules.required(item.functionId)))
                sum += item.amount;
        return sum;
    }

    // The part of an entry's validity that falls here.
    ExactAmount share(const EnteredValue &entry) const
    {
        const qint64 all = daysOf(entry.begin, entry.end);
        const qint64 here = daysOf(std::max(entry.begin, m_segment.begin), std::min(entry.end, m_segment.end));
        return all == 0 ? ExactAmount() : ExactAmount(here, all);
    }

    void enter(const EnteredValue &entry, const ExactAmount &fixedWage, const ExactAmount &base)
    {
        const FactorRule &rule = m_rules.required(entry.functionId);
        const ExactAmount value = share(entry).times(entry.value, EnteredValue::Scale);
        const auto priced = [&](const ExactAmount &monthly) {
            if (entry.value < 0)
                refuse(QStringLiteral("مقدار وارد شده براي عامل حقوقي %1 (%2) منفي است: %3")
                           .arg(rule.functionId)
                           .arg(rule.name)
                           .arg(double(entry.value) / EnteredValue::Scale));
            add(rule, value.times(monthly).times(rule.rate, __int128(rule.divisor) * RateScale));
        };
        switch (rule.method) {
        case FactorMethod::AsGiven:
        case FactorMethod::OrdinanceBase:
            add(rule, value);
            break;
        case FactorMethod::HoursOfFixedWage:
            priced(fixedWage);
            break;
        case FactorMethod::UnitsOfBase:
            priced(base);
            break;
        default:
            givenFactor(m_rules, entry.functionId);
        }
    }

    void add(const FactorRule &rule, const ExactAmount &amount)
    {
        if (!amount.isZero())
            m_amounts[rule.functionId].add(amount);
    }

    template<class Pick>
    ExactAmount total(FactorKind kind, Pick pick) const
    {
        ExactAmount sum;
        for (const auto &[functionId, amount] : m_amounts) {
            const FactorRule &rule = m_rules.required(functionId);
            if (rule.kind == kind && pick(rule))
                sum.add(amount);
        }
        return sum;
    }

    // An absence beyond the stretch's earnings is cut to them.
    void capPayCuts()
    {
        ExactAmount room = total(FactorKind::Earning, [](const FactorRule &) { return true; });
        QList<const FactorRule *> cuts;
        for (const auto &[functionId, amount] : m_amounts)
            if (m_rules.required(functionId).cutsPay())
                cuts.append(&m_rules.required(functionId));
        std::stable_sort(cuts.begin(), cuts.end(), [](auto a, auto b) { return a->sequence < b->sequence; });
        for (const FactorRule *rule : cuts) {
            ExactAmount &amount = m_amounts[rule->functionId];
            if (ExactAmount() < amount)
                amount = min(amount, max(room, ExactAmount()));
            room = room - amount;
        }
    }

    // Insurable pay between the minimum and the maximum daily wage times the days paid here
    // (Social Security Law art. 32 and 35).
    ExactAmount insurance()
    {
        const ExactAmount insurable =
            max(ExactAmount(), total(FactorKind::Earning, [](const FactorRule &rule) { return rule.insurable; })
                                   - total(FactorKind::Deduction, [](const FactorRule &rule) {
                                         return rule.cutsPay() && rule.insurable;
                                     }));
        const qint64 days = m_inputs.coveredDays(m_segment.begin, m_segment.end);
        const StatutoryRule &statutory = m_rules.statutory();
        const ExactAmount insured =
            insurable.isZero() ? insurable
                               : min(max(insurable, ExactAmount(statutory.insuranceDailyMinimum * days)),
                                     ExactAmount(statutory.insuranceDailyMaximum * days));
        ExactAmount employees;
        for (const FactorMethod method : {FactorMethod::EmployeeInsurance, FactorMethod::EmployerInsurance})
            for (const FactorRule *rule : m_rules.computedBy(method)) {
                const ExactAmount amount = insured.times(rule->rate, RateScale);
                add(*rule, amount);
                if (method == FactorMethod::EmployeeInsurance)
                    employees.add(amount);
            }
        return employees;
    }

    // Taxable pay less the exempt share of the employee's insurance (Direct Taxes Act art. 137),
    // by the monthly brackets scaled to the days of the period these rules hold.
    void incomeTax(const ExactAmount &employeeInsurance)
    {
        const StatutoryRule &statutory = m_rules.statutory();
        const ExactAmount taxable = max(
            ExactAmount(),
            total(FactorKind::Earning, [](const FactorRule &rule) { return rule.taxable; })
                - total(FactorKind::Deduction, [](const FactorRule &rule) { return rule.cutsPay() && rule.taxable; })
                - employeeInsurance.times(statutory.exemptNumerator, statutory.exemptDenominator));
        const ExactAmount share(daysOf(m_segment.begin, m_segment.end), daysOf(m_inputs.begin, m_inputs.end));
        for (const FactorRule *rule : m_rules.computedBy(FactorMethod::IncomeTax))
            add(*rule, m_rules.incomeTax(taxable, share));
    }

    const PeriodRules::Segment &m_segment;
    const PayrollRules &m_rules;
    const PayslipInputs &m_inputs;
    const StatutoryRule &m_first;
    std::map<qint64, ExactAmount> m_amounts;
};

// The lines of the whole period: each factor's exact parts summed over the stretches, rounded
// once, computed with one rule.
class Lines {
public:
    void add(const FactorRule &rule, const ExactAmount &amount)
    {
        auto found = m_exact.find(rule.functionId);
        if (found == m_exact.end()) {
            m_rules.emplace(rule.functionId, rule);
            found = m_exact.emplace(rule.functionId, ExactAmount()).first;
        } else if (m_rules.at(rule.functionId).kind != rule.kind) {
            refuse(QStringLiteral("نوع عامل حقوقي %1 (%2) در ميان دوره فيش تغيير مي کند.").arg(rule.functionId).arg(rule.name));
        }
        found->second.add(amount);
    }

    void settle()
    {
        for (const auto &[functionId, exact] : m_exact)
            m_amounts[functionId] = exact.rounded();
    }

    qint64 &amount(const FactorRule &rule)
    {
        m_rules.emplace(rule.functionId, rule);
        return m_amounts[rule.functionId];
    }

    template<class Pick>
    qint64 total(Pick pick) const
    {
        qint64 sum = 0;
        for (const auto &[functionId, amount] : m_amounts)
            if (pick(m_rules.at(functionId)))
                sum += amount;
        return sum;
    }
    qint64 total(FactorKind kind) const
    {
        return total([kind](const FactorRule &rule) { return rule.kind == kind; });
    }
    qint64 available() const { return total(FactorKind::Earning) - total(FactorKind::Deduction); }

    // In payslip order, the lines that are not zero.
    QList<std::pair<const FactorRule *, qint64>> inOrder() const
    {
        QList<std::pair<const FactorRule *, qint64>> lines;
        for (const auto &[functionId, amount] : m_amounts)
            if (amount != 0)
                lines.append({&m_rules.at(functionId), amount});
        std::stable_sort(lines.begin(), lines.end(),
                         [](const auto &a, const auto &b) { return a.first->sequence < b.first->sequence; });
        return lines;
    }

private:
    std::map<qint64, ExactAmount> m_exact;
    std::map<qint64, FactorRule> m_rules;
    std::map<qint64, qint64> m_amounts;
};

// A negative earning would make a negative net pay; it can only come from a wrong adjustment.
void requireNoNegativeEarning(const Lines &lines)
{
    for (const auto &[rule, amount] : lines.inOrder())
        if (rule->kind == FactorKind::Earning && amount < 0)
            refuse(QStringLiteral("مبلغ عامل حقوقي %1 (%2) در اين فيش منفي مي شود (%3 ريال).")
                       .arg(rule->functionId)
                       .arg(rule->name)
                       .arg(amount));
}

// Insurance and tax first, in full; then what else was entered to be deducted, as far as the
// pay reaches.
void deductStatutoryThenRecoveries(Lines &lines)
{
    const qint64 pay = lines.total(FactorKind::Earning) - lines.total([](const FactorRule &rule) { return rule.cutsPay(); });
    const qint64 insurance =
        lines.total([](const FactorRule &rule) { return rule.method == FactorMethod::EmployeeInsurance; });
    const qint64 tax = lines.total([](const FactorRule &rule) { return rule.method == FactorMethod::IncomeTax; });
    if (insurance + tax > pay)
        throw UncoveredStatutoryDeductions{pay, insurance, tax};
    qint64 room = pay - insurance - tax;
    for (const auto &[rule, amount] : lines.inOrder()) {
        if (rule->kind != FactorKind::Deduction || !rule->isEntered() || rule->cutsPay())
            continue;
        qint64 &line = lines.amount(*rule);
        line = limited(line, room);
        room -= line;
    }
}

// Instalments are paid whole, loans before the fund. Where the pay cannot cover them all, they
// wait from the last one back: the fund first, then the loans.
qsizetype payableCount(const QList<Instalment> &due, qint64 available)
{
    qint64 total = 0;
    qsizetype count = 0;
    while (count < due.size() && total + due[count].amount <= available)
        total += due[count++].amount;
    return count;
}

qint64 sumOf(const QList<Instalment> &instalments)
{
    qint64 sum = 0;
    for (const Instalment &instalment : instalments)
        sum += instalment.amount;
    return sum;
}

void payInstalments(const PayrollRules &rules, const PayslipInputs &inputs, Lines &lines, PayslipCalculation &result)
{
    const QList<const FactorRule *> loanFactors = rules.computedBy(FactorMethod::LoanInstalments);
    const QList<const FactorRule *> fundFactors = rules.computedBy(FactorMethod::FundContributions);
    const QList<Instalment> loans = loanFactors.isEmpty() ? QList<Instalment>() : inputs.loans;
    const QList<Instalment> funds = fundFactors.isEmpty() ? QList<Instalment>() : inputs.funds;
    const qsizetype paid = payableCount(loans + funds, lines.available());
    result.paidLoans = loans.mid(0, std::min(paid, loans.size()));
    result.paidFunds = funds.mid(0, std::max<qsizetype>(0, paid - loans.size()));
    if (!loanFactors.isEmpty())
        lines.amount(*loanFactors.first()) += sumOf(result.paidLoans);
    if (!fundFactors.isEmpty())
        lines.amount(*fundFactors.first()) += sumOf(result.paidFunds);
}

} // namespace

PayslipCalculation PayslipCalculation::of(const PeriodRules &rules, const PayslipInputs &inputs)
{
    Lines lines;
    for (const PeriodRules::Segment &segment : rules.segments())
        for (const auto &[functionId, amount] : Segment(segment, inputs, rules.first().statutory()).work())
            lines.add(segment.rules.required(functionId), amount);
    lines.settle();
    requireNoNegativeEarning(lines);
    deductStatutoryThenRecoveries(lines);

    PayslipCalculation result;
    // Instalments fall due by the month, under the rules of its last stretch.
    payInstalments(rules.segments().last().rules, inputs, lines, result);
    for (const auto &[rule, amount] : lines.inOrder())
        result.lines.append({rule->functionId, amount, rule->kind, rule->method});
    result.earnings = lines.total(FactorKind::Earning);
    result.deductions = lines.total(FactorKind::Deduction);
    return result;
}

} // namespace oruhr::payroll
