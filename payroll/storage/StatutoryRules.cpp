#include "payroll/storage/StatutoryRules.h"

#include "platform/database/StatementCache.h"

#include <QCalendar>
#include <QDate>

#include <initializer_list>
#include <utility>

namespace oruhr::payroll {
namespace {

struct YearRules {
    int persianYear;
    // The minimum daily wage is the insurance floor; seven times it the ceiling (Social
    // Security Law art. 35 and its note).
    qint64 minimumDailyWage;
    std::initializer_list<std::pair<qint64, qint64>> brackets; // monthly from, rate in ten-thousandths
};

// Minimum daily wage: 2,388,728 (1403), 3,463,656 (1404), by the Supreme Labour Council.
// Brackets: the budget laws' salary tax tables, monthly.
const YearRules Years[] = {
    {1403, 2'388'728, {{0, 0}, {120'000'000, 1000}, {165'000'000, 1500}, {270'000'000, 2000}, {400'000'000, 3000}}},
    {1404, 3'463'656, {{0, 0}, {240'000'000, 1000}, {300'000'000, 1500}, {380'000'000, 2000}, {500'000'000, 3000}}},
};

// 2/7 of the employee's insurance is off taxable pay (Direct Taxes Act art. 137 and the Tax
// Organization's circular 211/4385/19418).
constexpr qint64 ExemptNumerator = 2, ExemptDenominator = 7;
// Monthly items by the days of the Persian month; 30 for offices that prorate by thirty days.
constexpr qint64 ProrationDays = 0;

} // namespace

void StatutoryRules::write(db::StatementCache &statements)
{
    const QCalendar jalali(QCalendar::System::Jalali);
    for (const YearRules &year : Years) {
        const QString begin = jalali.dateFromParts(year.persianYear, 1, 1).toString(Qt::ISODate);
        const QString end = &year == std::end(Years) - 1
                                ? QStringLiteral("9999-12-31")
                                : jalali.dateFromParts(year.persianYear + 1, 1, 1).addDays(-1).toString(Qt::ISODate);
        statements.execute(QStringLiteral("INSERT INTO tblHRInsuranceCeiling (BeginDate, EndDate, DailyMaximum, "
                                          "DailyMinimum) VALUES (?, ?, ?, ?)"),
                           {begin, end, 7 * year.minimumDailyWage, year.minimumDailyWage});
        statements.execute(QStringLiteral("INSERT INTO tblHRPayrollRule (BeginDate, EndDate, InsuranceExemptNumerator, "
                                          "InsuranceExemptDenominator, ProrationDays) VALUES (?, ?, ?, ?, ?)"),
                           {begin, end, ExemptNumerator, ExemptDenominator, ProrationDays});
        for (const auto &[from, rate] : year.brackets)
            statements.execute(QStringLiteral("INSERT INTO tblHRTaxBracket (BeginDate, EndDate, FromAmount, Rate) "
                                              "VALUES (?, ?, ?, ?)"),
                               {begin, end, from, rate});
    }
}

} // namespace oruhr::payroll
