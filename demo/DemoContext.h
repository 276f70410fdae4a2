#pragma once

#include "platform/automation/ComponentError.h"
#include "platform/database/StatementCache.h"
#include "platform/database/SystemIds.h"
#include "demo/DemoDataGenerator.h"

#include <QCalendar>
#include <QHash>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>

#include <array>
#include <initializer_list>
#include <vector>

namespace oruhr::demo {

constexpr int CreatorId = 1;
constexpr qint64 Million = 1'000'000;

// The demo's salary factors.
enum Factor : int {
    BaseSalary = 1001,
    Housing = 1002,
    Groceries = 1003,
    ChildAllowance = 1004,
    Responsibility = 1005,
    Overtime = 1010,
    Mission = 1011,
    NightWork = 1012,
    ShiftWork = 1013,
    Bonus = 1020,
    Absence = ids::AbsenceFactor,
    Insurance = 2001,
    IncomeTax = 2002,
    LoanInstalments = 2003,
    FundInstalments = 2004,
    EmployerInsurance = 3001,
};

// The factors the branches enter in their runtime batches.
constexpr std::array<int, 4> EnteredFactors{Overtime, Mission, NightWork, Absence};

struct LookupRow {
    int id;
    int parentId; // 0: upper level
    const char *code;
    const char *title;
};

inline constexpr LookupRow Branches[] = {
    {1, 0, "1", "دفتر مرکزي"},      {2, 0, "2", "شعب استاني"},    {3, 1, "101", "ستاد تهران"},
    {4, 1, "102", "کارخانه تهران"}, {5, 2, "201", "شعبه اصفهان"}, {6, 2, "202", "شعبه مشهد"},
    {7, 2, "203", "شعبه شيراز"},    {8, 2, "204", "شعبه تبريز"},
};
inline constexpr std::initializer_list<int> BranchWeights{0, 0, 30, 25, 15, 12, 10, 8};

inline constexpr LookupRow CostCentres[] = {
    {1, 0, "1", "توليد"},          {2, 0, "2", "پشتيباني"},       {3, 0, "3", "فروش"},
    {4, 1, "101", "خط توليد يک"},  {5, 1, "102", "خط توليد دو"},  {6, 1, "103", "کنترل کيفيت"},
    {7, 2, "201", "اداري و مالي"}, {8, 2, "202", "منابع انساني"}, {9, 2, "203", "انبار"},
    {10, 3, "301", "فروش داخلي"},  {11, 3, "302", "صادرات"},      {12, 3, "303", "خدمات پس از فروش"},
};
inline constexpr std::initializer_list<int> CostCentreWeights{0, 0, 0, 20, 18, 8, 12, 5, 7, 14, 6, 10};

// Types 6 and 7 are the ones the missing-factor check leaves out.
inline constexpr LookupRow RecruitmentTypes[] = {
    {1, 0, "1", "کادر ثابت"},        {2, 0, "2", "کادر غير ثابت"},  {3, 0, "3", "ساير"},
    {4, 1, "101", "رسمي"},           {5, 1, "102", "پيماني"},       {6, 2, "201", "قرارداد ساعتي"},
    {7, 2, "202", "طرح و کارآموزي"}, {8, 2, "203", "قرارداد موقت"}, {9, 3, "301", "مشاور"},
};
inline constexpr std::initializer_list<int> RecruitmentTypeWeights{0, 0, 0, 45, 25, 10, 7, 10, 3};

inline QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

inline qint64 rials(qint64 amount)
{
    return amount / 1000 * 1000;
}

inline QVariant codeOf(bool final, int id)
{
    return final ? QVariant(QString::number(id)) : QVariant();
}

// Seeded draws: one seed, one database.
class Dice {
public:
    explicit Dice(quint32 seed)
        : m_generator(seed)
    {
    }

    int below(int count) { return count > 0 ? int(m_generator.bounded(quint32(count))) : 0; }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(int percent) { return below(100) < percent; }
    const QString &oneOf(const QStringList &list) { return list.at(below(int(list.size()))); }

    int weighted(std::initializer_list<int> weights)
    {
        int total = 0;
        for (int weight : weights)
            total += weight;
        int draw = below(total);
        int index = 0;
        for (int weight : weights) {
            if (draw < weight)
                return index;
            draw -= weight;
            ++index;
        }
        return index - 1;
    }

    // The first calls go through every case in turn, so that even a tiny demo shows each.
    int everyCaseFirst(int &calls, std::initializer_list<int> weights)
    {
        const int call = calls++;
        return call < int(weights.size()) ? call : weighted(weights);
    }

private:
    QRandomGenerator m_generator;
};

// Persian dates through Qt's Jalali calendar. Texts are cached: a few hundred distinct
// days are written millions of times.
class Dates {
public:
    QDate monthStart(QDate day) const
    {
        const QCalendar::YearMonthDay parts = m_jalali.partsFromDate(day);
        return m_jalali.dateFromParts(parts.year, parts.month, 1);
    }
    QDate yearStart(QDate day) const { return m_jalali.dateFromParts(m_jalali.partsFromDate(day).year, 1, 1); }
    QDate yearStart(int persianYear) const { return m_jalali.dateFromParts(persianYear, 1, 1); }
    QDate addMonths(QDate day, int months) const { return day.addMonths(months, m_jalali); }
    QDate addYears(QDate day, int years) const { return day.addYears(years, m_jalali); }

    QString farsi(QDate day)
    {
        return cached(m_farsi, day, [&] { return day.toString(u"yyyy/MM/dd", m_jalali); });
    }
    QString iso(QDate day)
    {
        return cached(m_iso, day, [&] { return day.toString(Qt::ISODate); });
    }
    QString farsiMonth(QDate day) { return farsi(day).left(7); }

private:
    template<class Make>
    static QString cached(QHash<qint64, QString> &cache, QDate day, Make make)
    {
        auto found = cache.constFind(day.toJulianDay());
        if (found == cache.cend())
            found = cache.insert(day.toJulianDay(), make());
        return *found;
    }

    QCalendar m_jalali{QCalendar::System::Jalali};
    QHash<qint64, QString> m_farsi;
    QHash<qint64, QString> m_iso;
};

struct Month {
    QDate first;
    QDate last;
    int days() const { return int(first.daysTo(last)) + 1; }
};

// One prepared INSERT, bound and run once per row.
class Insert {
public:
    Insert(db::StatementCache &statements, const QString &table, const QStringList &columns)
        : m_statements(statements)
    {
        const QStringList marks(columns.size(), QStringLiteral("?"));
        m_sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                    .arg(table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    }

    void operator()(const QVariantList &values) { m_statements.execute(m_sql, values); }

private:
    db::StatementCache &m_statements;
    QString m_sql;
};

struct Salary {
    qint64 base = 0;
    qint64 housing = 0;
    qint64 groceries = 0;
    qint64 childAllowance = 0;
    qint64 responsibility = 0;

    Salary raised(int percent) const
    {
        Salary salary = *this;
        salary.base = rials(base * (100 + percent) / 100);
        salary.responsibility = rials(responsibility * (100 + percent) / 100);
        return salary;
    }

    std::array<std::pair<int, qint64>, 5> items() const
    {
        return {{{BaseSalary, base},
                 {Housing, housing},
                 {Groceries, groceries},
                 {ChildAllowance, childAllowance},
                 {Responsibility, responsibility}}};
    }
};

struct Staff {
    int id = 0;
    int branchId = 0;
    int costCentreId = 0;
    int recruitmentTypeId = 0;
    int previousOrdinanceId = 0; // the final ordinance on the previous month's last day
    int monthOrdinanceId = 0;    // the final ordinance on the payroll month's last day
    QDate payrollFrom;           // first day paid in the payroll month
};

// What the three parts of the demo share while they write it.
struct DemoContext {
    DemoContext(db::StatementCache &statements, const DemoOptions &options)
        : statements(statements)
        , options(options)
        , dice(options.seed)
    {
        month.first = dates.monthStart(options.today);
        month.last = dates.addMonths(month.first, 1).addDays(-1);
        previous.first = dates.addMonths(month.first, -1);
        previous.last = month.first.addDays(-1);
    }

    db::StatementCache &statements;
    const DemoOptions &options;
    Dice dice;
    Dates dates;
    Month month;
    Month previous;
    std::vector<Staff> staff;
};

} // namespace oruhr::demo
