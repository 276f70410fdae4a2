#pragma once

#include "payroll/ExactAmount.h"
#include "payroll/FactorRule.h"

#include <QDate>
#include <QList>

#include <map>

namespace oruhr::payroll {

struct TaxBracket {
    qint64 from = 0; // monthly taxable pay in rials from which the rate applies
    qint64 rate = 0; // in ten-thousandths
};

// The statutory figures in force on a day (tblHRInsuranceCeiling, tblHRPayrollRule).
struct StatutoryRule {
    qint64 insuranceDailyMaximum = 0; // Social Security: 7 × the minimum daily wage
    qint64 insuranceDailyMinimum = 0; // the minimum daily wage
    qint64 exemptNumerator = 0;       // share of the employee's insurance off taxable pay (2/7)
    qint64 exemptDenominator = 1;
    qint64 prorationDays = 0;         // monthly items prorated by this many days; 0: the Persian month's
};

// The payroll rules in force on one day, read from their dated rows: the factors'
// definitions, the insurance ceiling and floor, the tax exemption and the tax brackets.
class PayrollRules {
public:
    const FactorRule *factor(qint64 functionId) const;
    // Throws ComponentError naming the factor when no definition is in force.
    const FactorRule &required(qint64 functionId) const;
    // The factors computed by a method, in payslip order.
    QList<const FactorRule *> computedBy(FactorMethod method) const;
    const StatutoryRule &statutory() const { return m_statutory; }

    // Tax on a monthly taxable pay, the brackets scaled by the share of the month the rules hold.
    ExactAmount incomeTax(const ExactAmount &taxablePay, const ExactAmount &share) const;

private:
    friend class PeriodRules;

    QDate m_day;
    std::map<qint64, FactorRule> m_factors;
    StatutoryRule m_statutory;
    QList<TaxBracket> m_brackets;
};

// A dated row of a rule table, as stored.
struct DatedRule {
    QDate begin;
    QDate end;
    bool holds(QDate day) const { return begin <= day && day <= end; }
};

struct FactorRow : DatedRule {
    FactorRule rule;
};

// A row of tblHRInsuranceCeiling (daily maximum, minimum), tblHRPayrollRule (exempt numerator,
// denominator, proration days) or tblHRTaxBracket (from, rate).
struct LimitRow : DatedRule {
    enum Table { Ceiling = 0, PayrollRule = 1, Bracket = 2 } table;
    qint64 a, b, c;
};

// The rules over a payslip's period, split where a dated row begins or ends inside it, so that
// a rule changing within the period applies day by day.
class PeriodRules {
public:
    struct Segment {
        QDate begin;
        QDate end;
        PayrollRules rules;
    };

    // From the rows that overlap the period. Throws ComponentError when the period has a day
    // without an insurance ceiling, a tax table or the payroll rule, or a row is unusable.
    static PeriodRules fromRows(const QList<FactorRow> &factors, const QList<LimitRow> &limits, QDate begin,
                                QDate end);
    // A factor's definition from its stored values; throws ComponentError when they are unusable.
    static FactorRule factorRule(qint64 functionId, const QString &name, qint64 kind, qint64 method, qint64 rate,
                                 qint64 divisor, bool insurable, bool taxable, int sequence, bool fixedWage);

    const QList<Segment> &segments() const { return m_segments; }
    const PayrollRules &first() const { return m_segments.first().rules; }

private:
    QList<Segment> m_segments;
};

} // namespace oruhr::payroll
