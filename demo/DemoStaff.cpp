#include "demo/DemoStaff.h"

#include "demo/PersianNames.h"
#include "demo/DemoContext.h"
#include "payroll/ShebaNumber.h"

#include <algorithm>

namespace oruhr::demo {
namespace {

Salary drawSalary(Dice &dice)
{
    Salary salary;
    salary.base = (104 + dice.below(160)) * Million;
    salary.base += dice.below(1000) * 1000;
    salary.housing = 9 * Million;
    salary.groceries = 22 * Million;
    salary.childAllowance = dice.weighted({40, 25, 25, 10}) * 10'390'968; // three minimum daily wages of 1404
    if (dice.chance(20))
        salary.responsibility = dice.between(10, 50) * Million;
    return salary;
}

int drawChild(Dice &dice, const LookupRow *rows, std::initializer_list<int> weights)
{
    return rows[dice.weighted(weights)].id;
}

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

// Most employees are paid into an account of one of a few banks. Drawn from the ID, not the
// dice, so the rest of the demo stays as it was: one in fifty has none yet, and one in fifty
// a number with a mistyped digit, which the database takes (its form is right) and the bank
// file leaves out.
QVariant shebaNumber(int employeeId)
{
    static const char *const banks[] = {"017", "012", "055", "056", "062", "018"};
    if (employeeId % 50 == 7)
        return {};
    QString account = QLatin1String(banks[employeeId % 6]) + QLatin1Char('0')
                      + QStringLiteral("%1").arg(quint64(employeeId) * 104729u + 310000000u, 18, 10, QLatin1Char('0'));
    QString number = payroll::ShebaNumber::withCheckDigits(account);
    if (employeeId % 50 == 23)
        number[25] = QChar(u'0' + (number[25].digitValue() + 1) % 10);
    return number;
}

} // namespace

void DemoStaff::write(DemoContext &context)
{
    employeesAndOrdinances(context);
    hrDocuments(context);
    runtimeBatches(context);
}

void DemoStaff::employeesAndOrdinances(DemoContext &context)
{
    Dice &dice = context.dice;
    Dates &dates = context.dates;
    const Month &month = context.month;
    Insert employee(context.statements, QStringLiteral("tblEmployee"),
                    {"ID", "Code", "FirstName", "SureName", "FatherName", "NationalCode", "ShebaNumber"});
    Insert ordinance(context.statements, QStringLiteral("tblHROrdinance"),
                     {"ID", "EmployeeID", "Code", "BeginDate", "EndDate", "FarsiBeginDate", "FarsiEndDate", "BranchID",
                      "RecruitmentTypeID", "PositionID", "CreatorID"});
    Insert item(context.statements, QStringLiteral("tblHROrdinanceDetail"), {"OrdinanceID", "FunctionID", "Amount"});

    int lastOrdinanceId = 0;
    const auto addOrdinance = [&](const Staff &staff, QDate begin, QDate end, bool final, const Salary &salary) {
        const int id = ++lastOrdinanceId;
        ordinance({id, staff.id, codeOf(final, id), dates.iso(begin), dates.iso(end), dates.farsi(begin),
                   dates.farsi(end), staff.branchId, staff.recruitmentTypeId, staff.costCentreId, CreatorId});
        for (const auto &[factor, amount] : salary.items()) {
            if (amount)
                item({id, factor, amount});
        }
        return id;
    };

    const int count = context.options.employees;
    context.staff.resize(count);
    enum Story { OnPayroll, LeftLastMonth, AwaitingFinalOrdinance, HiredThisMonth };
    int stories = 0;
    for (int index = 0; index < count; ++index) {
        Staff &staff = context.staff[index];
        staff.id = index + 1;
        const QString &firstName
            = dice.oneOf(dice.chance(35) ? PersianNames::femaleFirstNames() : PersianNames::maleFirstNames());
        const QString &surname = dice.oneOf(PersianNames::surnames());
        const QString &fatherName = dice.oneOf(PersianNames::maleFirstNames());
        // Old records of the customers' databases come without a code.
        const bool withoutCode = count >= 20 && (staff.id == count / 3 || staff.id == 2 * count / 3);
        employee({staff.id, withoutCode ? QVariant() : QVariant(QString::number(1000 + staff.id)), firstName, surname,
                  fatherName, nationalCode(dice), shebaNumber(staff.id)});

        staff.branchId = drawChild(dice, Branches, BranchWeights);
        staff.costCentreId = drawChild(dice, CostCentres, CostCentreWeights);
        staff.recruitmentTypeId = drawChild(dice, RecruitmentTypes, RecruitmentTypeWeights);
        const Salary salary = drawSalary(dice);

        switch (dice.everyCaseFirst(stories, {92, 2, 2, 4})) {
        case OnPayroll: {
            const QDate begin = dates.addMonths(month.first, -dice.between(1, 6));
            const QDate end = dates.addYears(begin, 1).addDays(-1);
            if (dice.chance(35)) {
                for (int years = dice.chance(30) ? 2 : 1; years > 0; --years)
                    addOrdinance(staff, dates.addYears(begin, -years), dates.addYears(begin, 1 - years).addDays(-1),
                                 true, salary.raised(-15 * years));
            }
            staff.payrollFrom = month.first;
            Salary current = salary;
            if (dice.chance(6)) { // promoted in the middle of the month
                const QDate change = month.first.addDays(14);
                staff.previousOrdinanceId = addOrdinance(staff, begin, change.addDays(-1), true, salary);
                current = salary.raised(12);
                staff.monthOrdinanceId = addOrdinance(staff, change, end, true, current);
            } else {
                staff.previousOrdinanceId = staff.monthOrdinanceId = addOrdinance(staff, begin, end, true, salary);
            }
            if (dice.chance(8)) // an amendment not yet made final
                addOrdinance(staff, month.first.addDays(dice.below(month.days())), end, false, current.raised(10));
            break;
        }
        case LeftLastMonth:
            staff.previousOrdinanceId = addOrdinance(staff, dates.addMonths(month.first, -dice.between(6, 12)),
                                                     context.previous.last, true, salary);
            break;
        case AwaitingFinalOrdinance: {
            const QDate begin = month.first.addDays(dice.below(10));
            addOrdinance(staff, begin, dates.addYears(begin, 1).addDays(-1), false, salary);
            break;
        }
        case HiredThisMonth: {
            const QDate begin = month.first.addDays(dice.between(1, month.days() - 1));
            staff.payrollFrom = begin;
            staff.monthOrdinanceId = addOrdinance(staff, begin, dates.addYears(begin, 1).addDays(-1), true, salary);
            break;
        }
        }
    }
}

void DemoStaff::hrDocuments(DemoContext &context)
{
    if (context.staff.empty())
        return;
    Dice &dice = context.dice;
    Dates &dates = context.dates;
    const QDate monthFirst = context.month.first;
    const int staffCount = int(context.staff.size());

    enum class Kind { Loan, Fund, Adjustment };
    struct KindRow {
        Kind kind;
        QString table;
        int documents;
        int shortestMonths;
        int longestMonths;
        int mostMembers;
        std::vector<std::pair<const char *, int>> titles; // title and factor
    };
    const KindRow kinds[] = {
        {Kind::Loan,
         QStringLiteral("tblHRLoan"),
         std::max(4, staffCount / 40),
         6,
         24,
         12,
         {{"وام ضروري", LoanInstalments},
          {"وام قرض الحسنه", LoanInstalments},
          {"وام مسکن", LoanInstalments},
          {"مساعده", LoanInstalments}}},
        {Kind::Fund,
         QStringLiteral("tblHRBox"),
         std::max(4, staffCount / 150),
         1,
         12,
         60,
         {{"صندوق پس انداز کارکنان", FundInstalments}, {"صندوق رفاه کارکنان", FundInstalments}}},
        {Kind::Adjustment,
         QStringLiteral("tblHRExceptionBatch"),
         std::max(4, staffCount / 200),
         1,
         3,
         40,
         {{"پاداش عملکرد", Bonus}, {"پاداش توليد", Bonus}, {"تعديل حق مسکن", Housing}}},
    };

    Insert loanShare(context.statements, QStringLiteral("tblHRLoanDetail"),
                     {"LoanID", "EmployeeID", "Amount", "InstalmentAmount"});
    Insert fundShare(context.statements, QStringLiteral("tblHRBoxDetail"), {"BoxID", "EmployeeID", "InstalmentAmount"});
    Insert adjustment(context.statements, QStringLiteral("tblHRExceptionBatchDetail"),
                      {"ExceptionBatchID", "EmployeeID", "FunctionID", "Amount"});
    for (const KindRow &kind : kinds) {
        Insert document(context.statements, kind.table,
                        {"ID", "Code", "Title", "BeginDate", "EndDate", "FarsiBeginDate", "FarsiEndDate", "CreatorID"});

        enum Timing { Running, IssuedThisMonth, Finished, Upcoming };
        int timings = 0;
        for (int id = 1; id <= kind.documents; ++id) {
            const int timing = dice.everyCaseFirst(timings, {65, 15, 12, 8});
            const int months = dice.between(kind.shortestMonths, kind.longestMonths);
            QDate begin = monthFirst;
            if (timing == Running)
                begin = dates.addMonths(monthFirst, -dice.below(months));
            else if (timing == Finished)
                begin = dates.addMonths(monthFirst, -(months + dice.between(1, 6)));
            else if (timing == Upcoming)
                begin = dates.addMonths(monthFirst, dice.between(1, 3));
            const QDate end = dates.addMonths(begin, months).addDays(-1);
            const bool final = timing == Running || timing == Finished;
            const auto &[title, factor] = kind.titles.at(dice.below(int(kind.titles.size())));
            document({id, codeOf(final, id), text(title) + u' ' + dates.farsiMonth(begin), dates.iso(begin),
                      dates.iso(end), dates.farsi(begin), dates.farsi(end), CreatorId});

            std::vector<int> members;
            const int wanted = dice.between(1, std::min(staffCount, kind.mostMembers));
            while (int(members.size()) < wanted) {
                const int member = dice.below(staffCount);
                if (std::find(members.begin(), members.end(), member) == members.end())
                    members.push_back(member);
            }
            for (int member : members) {
                const int employeeId = context.staff[member].id;
                switch (kind.kind) {
                case Kind::Loan: {
                    const qint64 principal = dice.between(50, 500) * Million;
                    loanShare({id, employeeId, principal, rials(principal / months)});
                    break;
                }
                case Kind::Fund:
                    fundShare({id, employeeId, dice.between(2, 10) * Million});
                    break;
                case Kind::Adjustment:
                    adjustment({id, employeeId, factor,
                                factor == Bonus ? dice.between(5, 50) * Million : dice.between(1, 5) * Million});
                    break;
                }
            }
        }
    }
}

void DemoStaff::runtimeBatches(DemoContext &context)
{
    Dice &dice = context.dice;
    Dates &dates = context.dates;
    Insert batch(context.statements, QStringLiteral("tblHRRunTimeBatch"),
                 {"ID", "Title", "BeginDate", "EndDate", "FarsiBeginDate", "FarsiEndDate"});
    Insert entry(context.statements, QStringLiteral("tblHRRunTimeBatchDetail"),
                 {"RunTimeBatchID", "EmployeeID", "ParameterID", "Value"});

    // One batch a branch and month, as the branches send in their attendance. The previous
    // month is complete; in the payroll month one branch has sent nothing yet and the others
    // left a few entries out.
    std::vector<const LookupRow *> branches;
    for (const LookupRow &branch : Branches) {
        if (branch.parentId)
            branches.push_back(&branch);
    }
    const int lateBranchId = branches.at(dice.below(int(branches.size())))->id;
    int batchId = 0;
    for (const bool payrollMonth : {false, true}) {
        const Month &month = payrollMonth ? context.month : context.previous;
        for (const LookupRow *branch : branches) {
            if (payrollMonth && branch->id == lateBranchId)
                continue;
            const int id = ++batchId;
            batch({id, text("کارکرد ") + dates.farsiMonth(month.first) + text(" - ") + text(branch->title),
                   dates.iso(month.first), dates.iso(month.last), dates.farsi(month.first), dates.farsi(month.last)});
            for (const Staff &staff : context.staff) {
                if (staff.branchId != branch->id
                    || !(payrollMonth ? staff.monthOrdinanceId : staff.previousOrdinanceId))
                    continue;
                for (const int factor : EnteredFactors) {
                    if (factor == Absence && !dice.chance(15))
                        continue; // entered only when someone was absent
                    if (payrollMonth && dice.chance(10))
                        continue;
                    int value = 0;
                    switch (factor) {
                    case Overtime: // in half hours
                        value = dice.below(81);
                        break;
                    case Mission:
                        value = dice.weighted({70, 10, 8, 6, 4, 2});
                        break;
                    case NightWork:
                        value = dice.chance(25) ? dice.between(8, 60) : 0;
                        break;
                    default:
                        value = dice.between(1, 16);
                        break;
                    }
                    entry({id, staff.id, factor, factor == Overtime ? QVariant(value / 2.0) : QVariant(value)});
                }
            }
        }
    }
}

} // namespace oruhr::demo
