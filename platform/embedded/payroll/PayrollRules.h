#pragma once

#include "platform/embedded/payroll/FactorRule.h"

#include <QDate>
#include <QList>

#include <map>
#include <optional>

namespace oruhr::db {
class StatementCache;
}

namespace oruhr::embedded {

struct TaxBracket {
    qint64 from = 0; // monthly taxable pay in rials from which the rate applies
    qint64 rate = 0; // in ten-thousandths
};

// The payroll rules in force on one day, read from their dated rows: the factors'
// definitions, the insurance ceiling and the monthly income-tax brackets.
class PayrollRules {
public:
    // Throws ComponentError when a row is unusable.
    static PayrollRules inForceOn(db::StatementCache &statements, QDate day);

    const FactorRule *factor(qint64 functionId) const;
    // Throws ComponentError naming the factor when no definition is in force.
    const FactorRule &required(qint64 functionId) const;
    // The factors computed by a method, in payslip order.
    QList<const FactorRule *> computedBy(FactorMethod method) const;

    // Insurable pay counts up to the ceiling; without one in force, in full.
    qint64 insuredPart(qint64 insurablePay) const;
    qint64 incomeTax(qint64 taxablePay) const;

private:
    QDate m_day;
    std::map<qint64, FactorRule> m_factors;
    std::optional<qint64> m_ceiling;
    QList<TaxBracket> m_brackets;
};

} // namespace oruhr::embedded
