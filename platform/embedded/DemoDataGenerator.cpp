#include "platform/embedded/DemoDataGenerator.h"

#include "platform/automation/ComponentError.h"
#include "platform/embedded/EmbeddedDatabase.h"
#include "platform/embedded/PersianNames.h"
#include "platform/embedded/SqlExec.h"

#include <QCalendar>
#include <QHash>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <map>
#include <vector>

namespace oruhr::embedded {
namespace {

constexpr int CreatorId = 1;
constexpr qint64 Million = 1'000'000;

// Salary factors. TypeID 1 is an ordinance item, 2 computed by the payroll, 6 with
// ParameterTypeID 3 entered period by period through runtime batches.
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
    Absence = 1096,
    Insurance = 2001,
    IncomeTax = 2002,
    LoanInstalments = 2003,
    FundInstalments = 2004,
};

struct FactorRow {
    int id;
    const char *name;
    int typeId;
    int parameterTypeId;
    int sequence;
    enum Validity { Always, Retired, Renewed } validity;
};

constexpr FactorRow Factors[] = {
    {BaseSalary, "حقوق پايه", 1, 1, 10, FactorRow::Renewed},
    {Housing, "حق مسکن", 1, 1, 20, FactorRow::Always},
    {Groceries, "بن خواربار", 1, 1, 30, FactorRow::Always},
    {ChildAllowance, "حق اولاد", 1, 1, 40, FactorRow::Always},
    {Responsibility, "حق مسئوليت", 1, 1, 50, FactorRow::Always},
    {Overtime, "اضافه کار", 6, 3, 60, FactorRow::Always},
    {Mission, "فوق العاده ماموريت", 6, 3, 70, FactorRow::Always},
    {NightWork, "شب کاري", 6, 3, 80, FactorRow::Always},
    // Entered once, but no longer in the payroll month: the missing-factor check must pass it by.
    {ShiftWork, "نوبت کاري", 6, 3, 90, FactorRow::Retired},
    {Bonus, "پاداش", 2, 1, 100, FactorRow::Always},
    {Absence, "کسر کار", 6, 3, 110, FactorRow::Always},
    {Insurance, "حق بيمه سهم کارمند", 2, 2, 200, FactorRow::Always},
    {IncomeTax, "ماليات حقوق", 2, 2, 210, FactorRow::Always},
    {LoanInstalments, "قسط وام", 2, 2, 220, FactorRow::Always},
    {FundInstalments, "کسور صندوق", 2, 2, 230, FactorRow::Always},
};

// The factors of the runtime batches, in the order of Entered.
constexpr std::array<int, 4> EnteredFactors{Overtime, Mission, NightWork, Absence};
// Hours, days or hours per month as entered; -1 where nothing was entered.
using Entered = std::array<int, 4>;
constexpr Entered NothingEntered{-1, -1, -1, -1};

struct LookupRow {
    int id;
    int parentId; // 0: upper level
    const char *code;
    const char *title;
};

constexpr LookupRow Branches[] = {
    {1, 0, "1", "دفتر مرکزي"},      {2, 0, "2", "شعب استاني"},    {3, 1, "101", "ستاد تهران"},
    {4, 1, "102", "کارخانه تهران"}, {5, 2, "201", "شعبه اصفهان"}, {6, 2, "202", "شعبه مشهد"},
    {7, 2, "203", "شعبه شيراز"},    {8, 2, "204", "شعبه تبريز"},
};
constexpr std::initializer_list<int> BranchWeights{0, 0, 30, 25, 15, 12, 10, 8};

constexpr LookupRow CostCentres[] = {
    {1, 0, "1", "توليد"},          {2, 0, "2", "پشتيباني"},       {3, 0, "3", "فروش"},
    {4, 1, "101", "خط توليد يک"},  {5, 1, "102", "خط توليد دو"},  {6, 1, "103", "کنترل کيفيت"},
    {7, 2, "201", "اداري و مالي"}, {8, 2, "202", "منابع انساني"}, {9, 2, "203", "انبار"},
    {10, 3, "301", "فروش داخلي"},  {11, 3, "302", "صادرات"},      {12, 3, "303", "خدمات پس از فروش"},
};
constexpr std::initializer_list<int> CostCentreWeights{0, 0, 0, 20, 18, 8, 12, 5, 7, 14, 6, 10};

// Types 6 and 7 are the ones the missing-factor check leaves out.
constexpr LookupRow RecruitmentTypes[] = {
    {1, 0, "1", "کادر ثابت"},        {2, 0, "2", "کادر غير ثابت"},  {3, 0, "3", "ساير"},
    {4, 1, "101", "رسمي"},           {5, 1, "102", "پيماني"},       {6, 2, "201", "قرارداد ساعتي"},
    {7, 2, "202", "طرح و کارآموزي"}, {8, 2, "203", "قرارداد موقت"}, {9, 3, "301", "مشاور"},
};
constexpr std::initializer_list<int> RecruitmentTypeWeights{0, 0, 0, 45, 25, 10, 7, 10, 3};

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

qint64 rials(qint64 amount)
{
    return amount / 1000 * 1000;
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
    bool overlaps(QDate begin, QDate end) const { return !(end < first || begin > last); }
};

// One prepared INSERT, bound and run once per row.
class Insert {
public:
    Insert(QSqlDatabase &database, const QString &table, const QStringList &columns)
        : m_query(database)
    {
        const QStringList marks(columns.size(), QStringLiteral("?"));
        if (!m_query.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                 .arg(table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")))))
            fail();
    }

    void operator()(std::initializer_list<QVariant> values)
    {
        int position = 0;
        for (const QVariant &value : values)
            m_query.bindValue(position++, value);
        if (!m_query.exec())
            fail();
    }

private:
    [[noreturn]] void fail() { throw ComponentError(ComponentError::CommandFailed, m_query.lastError().text()); }

    QSqlQuery m_query;
};

QVariant codeOf(bool final, int id)
{
    return final ? QVariant(QString::number(id)) : QVariant();
}

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

// One employee's share of a loan, a fund document or a group adjustment.
struct DocumentShare {
    enum Kind { Loan, Fund, Adjustment } kind;
    int documentId;
    int functionId;
    qint64 amount;
    QDate begin;
    QDate end;
    bool final;
};

struct Staff {
    int id = 0;
    int branchId = 0;
    int costCentreId = 0;
    int recruitmentTypeId = 0;
    int previousOrdinanceId = 0; // the final ordinance on the previous month's last day
    int monthOrdinanceId = 0;    // the final ordinance on the payroll month's last day
    QDate payrollFrom;           // first day paid in the payroll month
    Salary previous;
    Salary current;
    Entered enteredPrevious = NothingEntered;
    Entered enteredCurrent = NothingEntered;
    std::vector<DocumentShare> shares;
};

// What a payslip adds to the month's accounting document.
struct Pay {
    qint64 cost = 0;
    qint64 insurance = 0;
    qint64 tax = 0;
    qint64 loans = 0;
    qint64 funds = 0;
    qint64 net = 0;
};

QString nationalCode(Dice &dice)
{
    QString code;
    int sum = 0;
    for (int position = 0; position < 9; ++position) {
        const int digit = dice.below(10);
        sum += digit * (10 - position);
        code += QChar(u'0' + digit);
    }
    const int remainder = sum % 11;
    code += QChar(u'0' + (remainder < 2 ? remainder : 11 - remainder));
    return code;
}

class Seeder {
public:
    Seeder(QSqlDatabase &database, const DemoOptions &options)
        : m_database(database)
        , m_options(options)
        , m_dice(options.seed)
    {
        m_month.first = m_dates.monthStart(options.today);
        m_month.last = m_dates.addMonths(m_month.first, 1).addDays(-1);
        m_previous.first = m_dates.addMonths(m_month.first, -1);
        m_previous.last = m_month.first.addDays(-1);
    }

    void run()
    {
        systemParameters();
        formTypesAndTemplates();
        lookups();
        salaryFactors();
        employeesAndOrdinances();
        hrDocuments();
        runtimeBatches();
        payslips();
        accountingDocuments();
    }

private:
    void systemParameters();
    void formTypesAndTemplates();
    void lookups();
    void salaryFactors();
    void employeesAndOrdinances();
    void hrDocuments();
    void runtimeBatches();
    void payslips();
    void accountingDocuments();

    Salary drawSalary();
    int drawChild(const LookupRow *rows, std::initializer_list<int> weights)
    {
        return rows[m_dice.weighted(weights)].id;
    }

    QSqlDatabase &m_database;
    const DemoOptions &m_options;
    Dice m_dice;
    Dates m_dates;
    Month m_month;
    Month m_previous;
    std::vector<Staff> m_staff;

    // The previous month's booking, gathered while its payslips are made.
    std::map<int, qint64> m_costByCostCentre;
    std::vector<std::pair<int, qint64>> m_netByEmployee;
    Pay m_booked;
};

void Seeder::systemParameters()
{
    QString folder
        = m_options.applicationFolder.isEmpty() ? QStringLiteral("/opt/oruhr/") : m_options.applicationFolder;
    // Relative template paths are appended to it as they are.
    if (!folder.endsWith(u'/'))
        folder += u'/';

    Insert parameter(m_database, QStringLiteral("tblPelikSystemParameters"), {"ID", "Name", "Value"});
    parameter({140, text("مسير برنامه"), folder});
    parameter({3450, text("تاريخ شروع ماه جاري حقوق"), m_dates.farsi(m_month.first)});
}

void Seeder::formTypesAndTemplates()
{
    Insert formType(m_database, QStringLiteral("tblPelikFormType"), {"ID", "Name"});
    const std::pair<int, const char *> formTypes[] = {
        {1401, "حکم کارگزيني"},    {1402, "فيش حقوقي"},         {1406, "همه فرم ها"},     {1022007, "حکم کارگزيني"},
        {1022009, "وام کارمندان"}, {1022021, "صندوق کارمندان"}, {1022041, "تعديل گروهي"},
    };
    for (const auto &[id, name] : formTypes)
        formType({id, text(name)});

    // Relative to the application folder, where the programs put the shipped templates. None of
    // form type 1406: one filter "ID = n" cannot pick both a payslip and an ordinance.
    Insert reportTemplate(m_database, QStringLiteral("tblPelikReportTemplate"),
                          {"ID", "Title", "FilePath", "FormTypeID"});
    reportTemplate({1, text("حکم کارگزيني"), QStringLiteral("Reports/ordinance.html"), 1401});
    reportTemplate({2, text("فيش حقوقي"), QStringLiteral("Reports/payslip.html"), 1402});
    reportTemplate({3, text("فيش حقوقي خلاصه"), QStringLiteral("Reports/payslip-summary.html"), 1402});
}

void Seeder::lookups()
{
    const auto fill = [this](const QString &table, const auto &rows) {
        Insert row(m_database, table, {"ID", "ParentID", "Code", "Title"});
        for (const LookupRow &lookup : rows)
            row({lookup.id, lookup.parentId ? QVariant(lookup.parentId) : QVariant(), text(lookup.code),
                 text(lookup.title)});
    };
    fill(QStringLiteral("tblAccountBranch"), Branches);
    fill(QStringLiteral("tblAccountCostCenter"), CostCentres);
    fill(QStringLiteral("tblHRRecruitmentType"), RecruitmentTypes);
}

void Seeder::salaryFactors()
{
    Insert factor(m_database, QStringLiteral("tblPelikMFunction"), {"ID", "Name"});
    Insert definition(m_database, QStringLiteral("tblPelikMFunctionDetail"),
                      {"FunctionID", "TypeID", "ParameterTypeID", "BeginDate", "EndDate", "SequenceInMonthlySalary"});
    const QDate thisYear = m_dates.yearStart(m_month.first);
    const QDate since = m_dates.addYears(thisYear, -3);
    const QDate until = m_dates.addYears(thisYear, 3).addDays(-1);
    for (const FactorRow &row : Factors) {
        factor({row.id, text(row.name)});
        const auto define = [&](QDate begin, QDate end) {
            definition({row.id, row.typeId, row.parameterTypeId, m_dates.iso(begin), m_dates.iso(end), row.sequence});
        };
        switch (row.validity) {
        case FactorRow::Always:
            define(since, until);
            break;
        case FactorRow::Retired:
            define(since, thisYear.addDays(-1));
            break;
        case FactorRow::Renewed:
            define(since, thisYear.addDays(-1));
            define(thisYear, until);
            break;
        }
    }
}

Salary Seeder::drawSalary()
{
    Salary salary;
    salary.base = (104 + m_dice.below(160)) * Million;
    salary.base += m_dice.below(1000) * 1000;
    salary.housing = 9 * Million;
    salary.groceries = 22 * Million;
    salary.childAllowance = m_dice.weighted({40, 25, 25, 10}) * 7'166'000;
    if (m_dice.chance(20))
        salary.responsibility = m_dice.between(10, 50) * Million;
    return salary;
}

void Seeder::employeesAndOrdinances()
{
    Insert employee(m_database, QStringLiteral("tblEmployee"),
                    {"ID", "Code", "FirstName", "SureName", "FatherName", "NationalCode"});
    Insert ordinance(m_database, QStringLiteral("tblHROrdinance"),
                     {"ID", "EmployeeID", "Code", "BeginDate", "EndDate", "FarsiBeginDate", "FarsiEndDate", "BranchID",
                      "RecruitmentTypeID", "PositionID", "CreatorID"});
    Insert item(m_database, QStringLiteral("tblHROrdinanceDetail"), {"OrdinanceID", "FunctionID", "Amount"});

    int lastOrdinanceId = 0;
    const auto addOrdinance = [&](const Staff &staff, QDate begin, QDate end, bool final, const Salary &salary) {
        const int id = ++lastOrdinanceId;
        ordinance({id, staff.id, codeOf(final, id), m_dates.iso(begin), m_dates.iso(end), m_dates.farsi(begin),
                   m_dates.farsi(end), staff.branchId, staff.recruitmentTypeId, staff.costCentreId, CreatorId});
        for (const auto &[factor, amount] : salary.items()) {
            if (amount)
                item({id, factor, amount});
        }
        return id;
    };

    const int count = m_options.employees;
    m_staff.resize(count);
    enum Story { OnPayroll, LeftLastMonth, AwaitingFinalOrdinance, HiredThisMonth };
    int stories = 0;
    for (int index = 0; index < count; ++index) {
        Staff &staff = m_staff[index];
        staff.id = index + 1;
        const QString &firstName
            = m_dice.oneOf(m_dice.chance(35) ? PersianNames::femaleFirstNames() : PersianNames::maleFirstNames());
        const QString &surname = m_dice.oneOf(PersianNames::surnames());
        const QString &fatherName = m_dice.oneOf(PersianNames::maleFirstNames());
        // Old records of the customers' databases come without a code.
        const bool withoutCode = count >= 20 && (staff.id == count / 3 || staff.id == 2 * count / 3);
        employee({staff.id, withoutCode ? QVariant() : QVariant(QString::number(1000 + staff.id)), firstName, surname,
                  fatherName, nationalCode(m_dice)});

        staff.branchId = drawChild(Branches, BranchWeights);
        staff.costCentreId = drawChild(CostCentres, CostCentreWeights);
        staff.recruitmentTypeId = drawChild(RecruitmentTypes, RecruitmentTypeWeights);
        const Salary salary = drawSalary();

        switch (m_dice.everyCaseFirst(stories, {92, 2, 2, 4})) {
        case OnPayroll: {
            const QDate begin = m_dates.addMonths(m_month.first, -m_dice.between(1, 6));
            const QDate end = m_dates.addYears(begin, 1).addDays(-1);
            if (m_dice.chance(35)) {
                for (int years = m_dice.chance(30) ? 2 : 1; years > 0; --years)
                    addOrdinance(staff, m_dates.addYears(begin, -years), m_dates.addYears(begin, 1 - years).addDays(-1),
                                 true, salary.raised(-15 * years));
            }
            staff.previous = staff.current = salary;
            staff.payrollFrom = m_month.first;
            if (m_dice.chance(6)) { // promoted in the middle of the month
                const QDate change = m_month.first.addDays(14);
                staff.previousOrdinanceId = addOrdinance(staff, begin, change.addDays(-1), true, salary);
                staff.current = salary.raised(12);
                staff.monthOrdinanceId = addOrdinance(staff, change, end, true, staff.current);
            } else {
                staff.previousOrdinanceId = staff.monthOrdinanceId = addOrdinance(staff, begin, end, true, salary);
            }
            if (m_dice.chance(8)) // an amendment not yet made final
                addOrdinance(staff, m_month.first.addDays(m_dice.below(m_month.days())), end, false,
                             staff.current.raised(10));
            break;
        }
        case LeftLastMonth:
            staff.previous = salary;
            staff.previousOrdinanceId = addOrdinance(staff, m_dates.addMonths(m_month.first, -m_dice.between(6, 12)),
                                                     m_previous.last, true, salary);
            break;
        case AwaitingFinalOrdinance: {
            const QDate begin = m_month.first.addDays(m_dice.below(10));
            addOrdinance(staff, begin, m_dates.addYears(begin, 1).addDays(-1), false, salary);
            break;
        }
        case HiredThisMonth: {
            const QDate begin = m_month.first.addDays(m_dice.between(1, m_month.days() - 1));
            staff.current = salary;
            staff.payrollFrom = begin;
            staff.monthOrdinanceId = addOrdinance(staff, begin, m_dates.addYears(begin, 1).addDays(-1), true, salary);
            break;
        }
        }
    }
}

void Seeder::hrDocuments()
{
    if (m_staff.empty())
        return;
    const int staffCount = int(m_staff.size());

    struct Kind {
        DocumentShare::Kind kind;
        QString table;
        int documents;
        int shortestMonths;
        int longestMonths;
        int mostMembers;
        std::vector<std::pair<const char *, int>> titles; // title and factor
    };
    const Kind kinds[] = {
        {DocumentShare::Loan,
         QStringLiteral("tblHRLoan"),
         std::max(4, staffCount / 40),
         6,
         24,
         12,
         {{"وام ضروري", LoanInstalments},
          {"وام قرض الحسنه", LoanInstalments},
          {"وام مسکن", LoanInstalments},
          {"مساعده", LoanInstalments}}},
        {DocumentShare::Fund,
         QStringLiteral("tblHRBox"),
         std::max(4, staffCount / 150),
         1,
         12,
         60,
         {{"صندوق پس انداز کارکنان", FundInstalments}, {"صندوق رفاه کارکنان", FundInstalments}}},
        {DocumentShare::Adjustment,
         QStringLiteral("tblHRExceptionBatch"),
         std::max(4, staffCount / 200),
         1,
         3,
         40,
         {{"پاداش عملکرد", Bonus}, {"پاداش توليد", Bonus}, {"تعديل حق مسکن", Housing}}},
    };

    Insert loanShare(m_database, QStringLiteral("tblHRLoanDetail"),
                     {"LoanID", "EmployeeID", "Amount", "InstalmentAmount"});
    Insert fundShare(m_database, QStringLiteral("tblHRBoxDetail"), {"BoxID", "EmployeeID", "InstalmentAmount"});
    Insert adjustment(m_database, QStringLiteral("tblHRExceptionBatchDetail"),
                      {"ExceptionBatchID", "EmployeeID", "FunctionID", "Amount"});
    for (const Kind &kind : kinds) {
        Insert document(m_database, kind.table,
                        {"ID", "Code", "Title", "BeginDate", "EndDate", "FarsiBeginDate", "FarsiEndDate", "CreatorID"});

        enum Timing { Running, IssuedThisMonth, Finished, Upcoming };
        int timings = 0;
        for (int id = 1; id <= kind.documents; ++id) {
            const int timing = m_dice.everyCaseFirst(timings, {65, 15, 12, 8});
            const int months = m_dice.between(kind.shortestMonths, kind.longestMonths);
            QDate begin = m_month.first;
            if (timing == Running)
                begin = m_dates.addMonths(m_month.first, -m_dice.below(months));
            else if (timing == Finished)
                begin = m_dates.addMonths(m_month.first, -(months + m_dice.between(1, 6)));
            else if (timing == Upcoming)
                begin = m_dates.addMonths(m_month.first, m_dice.between(1, 3));
            const QDate end = m_dates.addMonths(begin, months).addDays(-1);
            const bool final = timing == Running || timing == Finished;
            const auto &[title, factor] = kind.titles.at(m_dice.below(int(kind.titles.size())));
            document({id, codeOf(final, id), text(title) + u' ' + m_dates.farsiMonth(begin), m_dates.iso(begin),
                      m_dates.iso(end), m_dates.farsi(begin), m_dates.farsi(end), CreatorId});

            std::vector<int> members;
            const int wanted = m_dice.between(1, std::min(staffCount, kind.mostMembers));
            while (int(members.size()) < wanted) {
                const int member = m_dice.below(staffCount);
                if (std::find(members.begin(), members.end(), member) == members.end())
                    members.push_back(member);
            }
            for (int member : members) {
                Staff &staff = m_staff[member];
                qint64 amount = 0;
                switch (kind.kind) {
                case DocumentShare::Loan: {
                    const qint64 principal = m_dice.between(50, 500) * Million;
                    amount = rials(principal / months);
                    loanShare({id, staff.id, principal, amount});
                    break;
                }
                case DocumentShare::Fund:
                    amount = m_dice.between(2, 10) * Million;
                    fundShare({id, staff.id, amount});
                    break;
                case DocumentShare::Adjustment:
                    amount = factor == Bonus ? m_dice.between(5, 50) * Million : m_dice.between(1, 5) * Million;
                    adjustment({id, staff.id, factor, amount});
                    break;
                }
                staff.shares.push_back({kind.kind, id, factor, amount, begin, end, final});
            }
        }
    }
}

void Seeder::runtimeBatches()
{
    Insert batch(m_database, QStringLiteral("tblHRRunTimeBatch"),
                 {"ID", "Title", "BeginDate", "EndDate", "FarsiBeginDate", "FarsiEndDate"});
    Insert entry(m_database, QStringLiteral("tblHRRunTimeBatchDetail"),
                 {"RunTimeBatchID", "EmployeeID", "ParameterID", "Value"});

    // One batch a branch and month, as the branches send in their attendance. The previous
    // month is complete; in the payroll month one branch has sent nothing yet and the others
    // left a few entries out.
    std::vector<const LookupRow *> branches;
    for (const LookupRow &branch : Branches) {
        if (branch.parentId)
            branches.push_back(&branch);
    }
    const int lateBranchId = branches.at(m_dice.below(int(branches.size())))->id;
    int batchId = 0;
    for (const bool payrollMonth : {false, true}) {
        const Month &month = payrollMonth ? m_month : m_previous;
        for (const LookupRow *branch : branches) {
            if (payrollMonth && branch->id == lateBranchId)
                continue;
            const int id = ++batchId;
            batch({id, text("کارکرد ") + m_dates.farsiMonth(month.first) + text(" - ") + text(branch->title),
                   m_dates.iso(month.first), m_dates.iso(month.last), m_dates.farsi(month.first),
                   m_dates.farsi(month.last)});
            for (Staff &staff : m_staff) {
                if (staff.branchId != branch->id
                    || !(payrollMonth ? staff.monthOrdinanceId : staff.previousOrdinanceId))
                    continue;
                Entered &entered = payrollMonth ? staff.enteredCurrent : staff.enteredPrevious;
                for (std::size_t factor = 0; factor < EnteredFactors.size(); ++factor) {
                    if (EnteredFactors[factor] == Absence && !m_dice.chance(15))
                        continue; // entered only when someone was absent
                    if (payrollMonth && m_dice.chance(10))
                        continue;
                    switch (EnteredFactors[factor]) {
                    case Overtime:
                        entered[factor] = m_dice.below(41);
                        break;
                    case Mission:
                        entered[factor] = m_dice.weighted({70, 10, 8, 6, 4, 2});
                        break;
                    case NightWork:
                        entered[factor] = m_dice.chance(25) ? m_dice.between(8, 60) : 0;
                        break;
                    default:
                        entered[factor] = m_dice.between(1, 16);
                        break;
                    }
                    entry({id, staff.id, EnteredFactors[factor], entered[factor]});
                }
            }
        }
    }
}

void Seeder::payslips()
{
    Insert payslip(m_database, QStringLiteral("tblHRMonthlySalary"),
                   {"ID", "EmployeeID", "OrdinanceID", "Code", "BeginDate", "EndDate", "FarsiBeginDate", "FarsiEndDate",
                    "CreatorID", "CreateDate", "CalculateDate"});
    Insert line(m_database, QStringLiteral("tblHRMonthlySalaryDetail"), {"MonthlySalaryID", "FunctionID", "Amount"});
    Insert paidLoan(m_database, QStringLiteral("tblHRMonthlyPaiedLoan"), {"MonthlySalaryID", "LoanID", "Amount"});
    Insert paidFund(m_database, QStringLiteral("tblHRMonthlyPaiedBox"), {"MonthlySalaryID", "BoxID", "Amount"});

    int lastPayslipId = 0;
    const auto add = [&](const Staff &staff, const Month &month, QDate from, int ordinanceId, const Salary &salary,
                         const Entered &entered, bool final, QDate made) {
        const int id = ++lastPayslipId;
        payslip({id, staff.id, ordinanceId, codeOf(final, id), m_dates.iso(from), m_dates.iso(month.last),
                 m_dates.farsi(from), m_dates.farsi(month.last), CreatorId, m_dates.iso(made), m_dates.iso(made)});

        std::map<int, qint64> amounts;
        const qint64 paidDays = from.daysTo(month.last) + 1;
        for (const auto &[factor, amount] : salary.items())
            amounts[factor] = rials(amount * paidDays / month.days());
        const qint64 hourly = salary.base / 192;
        amounts[Overtime] = rials(hourly * std::max(0, entered[0]) * 14 / 10);
        amounts[Mission] = rials(salary.base / 30 * std::max(0, entered[1]) / 2);
        amounts[NightWork] = rials(hourly * std::max(0, entered[2]) * 35 / 100);
        for (const DocumentShare &share : staff.shares) {
            if (share.kind == DocumentShare::Adjustment && share.final && month.overlaps(share.begin, share.end))
                amounts[share.functionId] += share.amount;
        }
        qint64 earnings = 0;
        for (const auto &[factor, amount] : amounts)
            earnings += amount;

        Pay pay;
        const qint64 absence = rials(hourly * std::max(0, entered[3]));
        pay.cost = earnings - absence;
        pay.insurance = rials(pay.cost * 7 / 100);
        pay.tax = rials(std::max<qint64>(0, pay.cost - pay.insurance - 240 * Million) / 10);
        qint64 left = pay.cost - pay.insurance - pay.tax;
        for (const DocumentShare &share : staff.shares) {
            if (share.kind == DocumentShare::Adjustment || !share.final || !month.overlaps(share.begin, share.end)
                || share.amount > left)
                continue; // an instalment the pay cannot cover waits for a later month
            left -= share.amount;
            if (share.kind == DocumentShare::Loan) {
                pay.loans += share.amount;
                paidLoan({id, share.documentId, share.amount});
            } else {
                pay.funds += share.amount;
                paidFund({id, share.documentId, share.amount});
            }
        }
        pay.net = left;
        amounts[Absence] = absence;
        amounts[Insurance] = pay.insurance;
        amounts[IncomeTax] = pay.tax;
        amounts[LoanInstalments] = pay.loans;
        amounts[FundInstalments] = pay.funds;
        for (const auto &[factor, amount] : amounts) {
            if (amount > 0)
                line({id, factor, amount});
        }
        return pay;
    };

    // The previous month is paid and booked for nearly everyone on its payroll.
    for (const Staff &staff : m_staff) {
        if (!staff.previousOrdinanceId || !m_dice.chance(96))
            continue;
        const Pay pay = add(staff, m_previous, m_previous.first, staff.previousOrdinanceId, staff.previous,
                            staff.enteredPrevious, true, m_previous.last);
        m_costByCostCentre[staff.costCentreId] += pay.cost;
        m_netByEmployee.emplace_back(staff.id, pay.net);
        m_booked.insurance += pay.insurance;
        m_booked.tax += pay.tax;
        m_booked.loans += pay.loans;
        m_booked.funds += pay.funds;
    }

    enum State { NoPayslip, Temporary, Final };
    int states = 0;
    for (const Staff &staff : m_staff) {
        if (!staff.monthOrdinanceId)
            continue;
        const int state = m_dice.everyCaseFirst(states, {1, 1, 1});
        if (state != NoPayslip)
            add(staff, m_month, staff.payrollFrom, staff.monthOrdinanceId, staff.current, staff.enteredCurrent,
                state == Final, std::clamp(m_options.today, m_month.first, m_month.last));
    }
}

void Seeder::accountingDocuments()
{
    Insert document(m_database, QStringLiteral("tblAccountDocument"),
                    {"ID", "Code", "DocumentDate", "Description", "CreatorID"});
    Insert line(m_database, QStringLiteral("tblAccountDocumentDetail"),
                {"DocumentID", "FormTypeID", "TransactionDate", "EmployeeID", "Debit", "Credit", "Description"});
    int lastId = 0;
    const auto addDocument = [&](QDate date, const QString &description) {
        const int id = ++lastId;
        document({id, QString::number(5000 + id), m_dates.iso(date), description, CreatorId});
        return id;
    };
    const auto addOtherLines = [&](int documentId, QDate date, qint64 amount, const char *debit, const char *credit) {
        line({documentId, QVariant(), m_dates.iso(date), QVariant(), amount, 0, text(debit)});
        line({documentId, QVariant(), m_dates.iso(date), QVariant(), 0, amount, text(credit)});
    };

    const QDate purchase = m_previous.first.addDays(9);
    addOtherLines(addDocument(purchase, text("خريد لوازم اداري")), purchase, 48'500'000, "هزينه لوازم اداري",
                  "بانک ملت - حساب جاري");

    if (!m_netByEmployee.empty()) {
        const QDate booked = m_previous.last;
        const int id = addDocument(booked, text("سند فيش حقوق ماه ") + m_dates.farsiMonth(m_previous.first));
        const QString date = m_dates.iso(booked);
        const auto payroll = [&](const QVariant &employeeId, qint64 debit, qint64 credit, const QString &description) {
            line({id, 1402, date, employeeId, debit, credit, description});
        };
        for (const LookupRow &centre : CostCentres) {
            const auto cost = m_costByCostCentre.find(centre.id);
            if (cost != m_costByCostCentre.end())
                payroll(QVariant(), cost->second, 0, text("هزينه حقوق و دستمزد - ") + text(centre.title));
        }
        const QString netPay = text("خالص حقوق پرداختني");
        for (const auto &[employeeId, net] : m_netByEmployee)
            payroll(employeeId, 0, net, netPay);
        payroll(QVariant(), 0, m_booked.insurance, text("حق بيمه پرداختني"));
        payroll(QVariant(), 0, m_booked.tax, text("ماليات حقوق پرداختني"));
        payroll(QVariant(), 0, m_booked.loans, text("اقساط وام کارکنان"));
        payroll(QVariant(), 0, m_booked.funds, text("صندوق کارکنان"));
    }

    const QDate rent = m_month.first.addDays(4);
    addOtherLines(addDocument(rent, text("پرداخت اجاره دفتر مرکزي")), rent, 350 * Million, "هزينه اجاره",
                  "بانک ملت - حساب جاري");
    // Mentions both words, but not in the order of a payroll document.
    const QDate advance = m_month.last;
    addOtherLines(addDocument(advance, text("علي الحساب حقوق کارکنان طبق فيش ماه قبل")), advance, 120 * Million,
                  "پيش پرداخت حقوق", "صندوق تنخواه");
}

} // namespace

void DemoDataGenerator::seed(QSqlDatabase &database, const DemoOptions &options)
{
    if (options.employees < 0)
        throw ComponentError(ComponentError::ValueOfWrongType, QStringLiteral("The number of employees is negative."));
    if (!options.today.isValid())
        throw ComponentError(ComponentError::ValueOfWrongType,
                             QStringLiteral("The day of the payroll month is not a valid date."));
    if (scalar(database,
               QStringLiteral("SELECT (SELECT count(*) FROM tblEmployee) + "
                              "(SELECT count(*) FROM tblPelikSystemParameters)"))
            .toInt()
        > 0)
        throw ComponentError(ComponentError::CommandFailed,
                             QStringLiteral("Demo data goes only into an empty database."));

    Transaction transaction(database);
    Seeder(database, options).run();
    transaction.commit();
}

void DemoDataGenerator::createDemoDatabase(const QString &file, const DemoOptions &options)
{
    EmbeddedDatabase::create(file);
    withSqliteFile(file, [&options](QSqlDatabase &database) {
        // A file that is only being filled needs no protection against power loss.
        exec(database, QStringLiteral("PRAGMA synchronous=OFF"));
        exec(database, QStringLiteral("PRAGMA cache_size=-65536"));
        seed(database, options);
    });
}

} // namespace oruhr::embedded
