#include "platform/embedded/payroll/PayslipCalculation.h"

#include "platform/automation/ComponentError.h"
#include "platform/embedded/payroll/ExactAmount.h"
#include "platform/embedded/payroll/PayrollRules.h"

#include <algorithm>
#include <map>

namespace oruhr::embedded {
namespace {

qint64 limited(qint64 amount, qint64 room)
{
    return amount <= 0 ? amount : std::min(amount, std::max<qint64>(room, 0));
}

// The lines of a payslip as they are worked out, by factor.
class Ledger {
public:
    explicit Ledger(const PayrollRules &rules)
        : m_rules(rules)
    {
    }

    ExactAmount &exact(const FactorRule &rule) { return m_exact[rule.functionId]; }

    // Rounds every line worked out so far, once.
    void settle()
    {
        for (const auto &[functionId, amount] : m_exact)
            m_amounts[functionId] += amount.rounded();
        m_exact.clear();
    }

    // A deduction takes at most what the pay has left, so that net pay is never negative.
    void set(const FactorRule &rule, qint64 amount)
    {
        if (rule.kind == FactorKind::Deduction)
            amount = limited(amount, available());
        m_amounts[rule.functionId] += amount;
    }

    // Entered deductions (absence) beyond the period's earnings are cut to them.
    void capDeductions()
    {
        qint64 room = total(FactorKind::Earning);
        for (const PayslipLine &line : lines()) {
            if (m_rules.required(line.functionId).kind != FactorKind::Deduction)
                continue;
            qint64 &amount = m_amounts[line.functionId];
            amount = limited(amount, room);
            room -= amount;
        }
    }

    // The sum of the lines of a kind that a predicate picks.
    template<class Pick>
    qint64 total(FactorKind kind, Pick pick) const
    {
        qint64 sum = 0;
        for (const auto &[functionId, amount] : m_amounts) {
            const FactorRule &rule = m_rules.required(functionId);
            if (rule.kind == kind && pick(rule))
                sum += amount;
        }
        return sum;
    }
    qint64 total(FactorKind kind) const
    {
        return total(kind, [](const FactorRule &) { return true; });
    }

    // What is left to pay after the deductions so far.
    qint64 available() const { return total(FactorKind::Earning) - total(FactorKind::Deduction); }

    QList<PayslipLine> lines() const
    {
        QList<PayslipLine> lines;
        for (const auto &[functionId, amount] : m_amounts)
            if (amount != 0)
                lines.append({functionId, amount});
        std::stable_sort(lines.begin(), lines.end(), [this](const PayslipLine &a, const PayslipLine &b) {
            return m_rules.required(a.functionId).sequence < m_rules.required(b.functionId).sequence;
        });
        return lines;
    }

private:
    const PayrollRules &m_rules;
    std::map<qint64, ExactAmount> m_exact;
    std::map<qint64, qint64> m_amounts;
};

qint64 monthlyTotal(const PayrollRules &rules, const QList<FactorAmount> &items, bool (*pick)(const FactorRule &))
{
    qint64 sum = 0;
    for (const FactorAmount &item : items)
        if (pick(rules.required(item.functionId)))
            sum += item.amount;
    return sum;
}

[[noreturn]] void notEnterable(const FactorRule &rule)
{
    throw ComponentError(ComponentError::CommandFailed,
                         QStringLiteral("عامل حقوقي %1 (%2) محاسبه مي شود و ورود مقدار براي آن مجاز نيست.")
                             .arg(rule.functionId)
                             .arg(rule.name));
}

// Ordinance items and group adjustments are amounts as they stand; a factor the engine works
// out (insurance, tax, instalments) takes none, or its line would not match its records.
const FactorRule &givenFactor(const PayrollRules &rules, qint64 functionId)
{
    const FactorRule &rule = rules.required(functionId);
    if (rule.method != FactorMethod::AsGiven && rule.method != FactorMethod::OrdinanceBase)
        notEnterable(rule);
    return rule;
}

// A negative earning would make a negative net pay; it can only come from a wrong adjustment.
void requireNoNegativeEarning(const PayrollRules &rules, const QList<PayslipLine> &lines)
{
    for (const PayslipLine &line : lines) {
        const FactorRule &rule = rules.required(line.functionId);
        if (rule.kind == FactorKind::Earning && line.amount < 0)
            throw ComponentError(ComponentError::CommandFailed,
                                 QStringLiteral("مبلغ عامل حقوقي %1 (%2) در اين فيش منفي مي شود (%3 ريال).")
                                     .arg(rule.functionId)
                                     .arg(rule.name)
                                     .arg(line.amount));
    }
}

void addEntered(Ledger &ledger, const FactorRule &rule, qint64 value, qint64 insurablePay, qint64 base)
{
    const __int128 scale = __int128(rule.divisor) * RateScale;
    switch (rule.method) {
    case FactorMethod::AsGiven:
    case FactorMethod::OrdinanceBase:
        ledger.exact(rule).add(value);
        break;
    case FactorMethod::HoursOfInsurablePay:
        ledger.exact(rule).add(__int128(value) * insurablePay * rule.rate, scale);
        break;
    case FactorMethod::UnitsOfBase:
        ledger.exact(rule).add(__int128(value) * base * rule.rate, scale);
        break;
    default:
        notEnterable(rule);
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

} // namespace

PayslipCalculation PayslipCalculation::of(const PayrollRules &rules, const PayslipInputs &inputs)
{
    Ledger ledger(rules);
    for (const CoveredItem &item : inputs.ordinanceItems)
        ledger.exact(givenFactor(rules, item.functionId))
            .add(__int128(item.monthlyAmount) * item.days, inputs.monthDays);

    // Hours are priced by the month's whole pay, not by the part of it this period covers.
    const qint64 insurablePay = monthlyTotal(rules, inputs.ordinanceInForce, [](const FactorRule &rule) {
        return rule.kind == FactorKind::Earning && rule.insurable;
    });
    const qint64 base = monthlyTotal(rules, inputs.ordinanceInForce,
                                     [](const FactorRule &rule) { return rule.method == FactorMethod::OrdinanceBase; });
    for (const FactorAmount &entered : inputs.entered)
        addEntered(ledger, rules.required(entered.functionId), entered.amount, insurablePay, base);
    for (const FactorAmount &adjustment : inputs.adjustments)
        ledger.exact(givenFactor(rules, adjustment.functionId)).add(adjustment.amount);
    ledger.settle();
    requireNoNegativeEarning(rules, ledger.lines());
    ledger.capDeductions();

    const qint64 insured = rules.insuredPart(std::max<qint64>(
        0, ledger.total(FactorKind::Earning, [](const FactorRule &rule) { return rule.insurable; })
               - ledger.total(FactorKind::Deduction, [](const FactorRule &rule) { return rule.insurable; })));
    for (const FactorMethod method : {FactorMethod::EmployeeInsurance, FactorMethod::EmployerInsurance})
        for (const FactorRule *rule : rules.computedBy(method))
            ledger.set(*rule, ExactAmount::rounded(__int128(insured) * rule->rate, RateScale));

    const qint64 taxable = std::max<qint64>(
        0, ledger.total(FactorKind::Earning, [](const FactorRule &rule) { return rule.taxable; })
               - ledger.total(FactorKind::Deduction, [](const FactorRule &rule) { return rule.taxable; }));
    for (const FactorRule *rule : rules.computedBy(FactorMethod::IncomeTax))
        ledger.set(*rule, rules.incomeTax(taxable));

    PayslipCalculation result;
    const QList<const FactorRule *> loanFactors = rules.computedBy(FactorMethod::LoanInstalments);
    const QList<const FactorRule *> fundFactors = rules.computedBy(FactorMethod::FundContributions);
    const QList<Instalment> loans = loanFactors.isEmpty() ? QList<Instalment>() : inputs.loans;
    const QList<Instalment> funds = fundFactors.isEmpty() ? QList<Instalment>() : inputs.funds;
    const qsizetype paid = payableCount(loans + funds, ledger.available());
    result.paidLoans = loans.mid(0, std::min(paid, loans.size()));
    result.paidFunds = funds.mid(0, std::max<qsizetype>(0, paid - loans.size()));
    if (!loanFactors.isEmpty())
        ledger.set(*loanFactors.first(), sumOf(result.paidLoans));
    if (!fundFactors.isEmpty())
        ledger.set(*fundFactors.first(), sumOf(result.paidFunds));

    result.lines = ledger.lines();
    result.earnings = ledger.total(FactorKind::Earning);
    result.deductions = ledger.total(FactorKind::Deduction);
    return result;
}

} // namespace oruhr::embedded
