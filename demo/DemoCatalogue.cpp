#include "demo/DemoCatalogue.h"

#include "platform/database/SystemIds.h"
#include "demo/DemoContext.h"
#include "payroll/FactorRule.h"

namespace oruhr::demo {
namespace {

using payroll::FactorKind;
using payroll::FactorMethod;

struct FactorRow {
    int id;
    const char *name;
    int typeId;
    int parameterTypeId;
    int sequence;
    enum Validity { Always, Retired, Renewed } validity;
    FactorKind kind;
    FactorMethod method;
    qint64 rate; // in ten-thousandths
    qint64 divisor;
    bool insurable;
    bool taxable;
    bool fixedWage;
};

using K = FactorKind;
using M = FactorMethod;

// TypeID 1 is an ordinance item, 2 computed by the payroll, 6 with ParameterTypeID 3 entered
// period by period through runtime batches. The hourly wage is the fixed wage (the base and
// the job's fixed allowances, not housing, groceries or child allowance: Labour Law art. 36
// note 3) over 220 hours; overtime is 1.4 of it (art. 59), night work 0.35 (art. 58), absence
// the whole of it; a day's mission is a thirtieth of the base, shift work a percentage of it.
constexpr FactorRow Factors[] = {
    {BaseSalary, "حقوق پايه", 1, 1, 10, FactorRow::Renewed, K::Earning, M::OrdinanceBase, 10000, 1, true, true, true},
    {Housing, "حق مسکن", 1, 1, 20, FactorRow::Always, K::Earning, M::AsGiven, 10000, 1, true, true, false},
    {Groceries, "بن خواربار", 1, 1, 30, FactorRow::Always, K::Earning, M::AsGiven, 10000, 1, true, true, false},
    {ChildAllowance, "حق اولاد", 1, 1, 40, FactorRow::Always, K::Earning, M::AsGiven, 10000, 1, false, true, false},
    {Responsibility, "حق مسئوليت", 1, 1, 50, FactorRow::Always, K::Earning, M::AsGiven, 10000, 1, true, true, true},
    {Overtime, "اضافه کار", 6, 3, 60, FactorRow::Always, K::Earning, M::HoursOfFixedWage, 14000, 220, true, true, false},
    {Mission, "فوق العاده ماموريت", 6, 3, 70, FactorRow::Always, K::Earning, M::UnitsOfBase, 10000, 30, false, false,
     false},
    {NightWork, "شب کاري", 6, 3, 80, FactorRow::Always, K::Earning, M::HoursOfFixedWage, 3500, 220, true, true, false},
    // Entered once, but no longer in the payroll month: the missing-factor check must pass it by.
    {ShiftWork, "نوبت کاري", 6, 3, 90, FactorRow::Retired, K::Earning, M::UnitsOfBase, 10000, 100, true, true, false},
    {Bonus, "پاداش", 2, 1, 100, FactorRow::Always, K::Earning, M::AsGiven, 10000, 1, true, true, false},
    {Absence, "کسر کار", 6, 3, 110, FactorRow::Always, K::Deduction, M::HoursOfFixedWage, 10000, 220, true, true, false},
    {Insurance, "حق بيمه سهم کارمند", 2, 2, 200, FactorRow::Always, K::Deduction, M::EmployeeInsurance, 700, 1, false,
     false, false},
    {IncomeTax, "ماليات حقوق", 2, 2, 210, FactorRow::Always, K::Deduction, M::IncomeTax, 10000, 1, false, false, false},
    {LoanInstalments, "قسط وام", 2, 2, 220, FactorRow::Always, K::Deduction, M::LoanInstalments, 10000, 1, false, false,
     false},
    {FundInstalments, "کسور صندوق", 2, 2, 230, FactorRow::Always, K::Deduction, M::FundContributions, 10000, 1, false,
     false, false},
    {EmployerInsurance, "حق بيمه سهم کارفرما", 2, 2, 300, FactorRow::Always, K::EmployerContribution,
     M::EmployerInsurance, 2300, 1, false, false, false},
};

} // namespace

void DemoCatalogue::write(DemoContext &context)
{
    systemParameters(context);
    formTypesAndTemplates(context);
    lookups(context);
    salaryFactors(context);
}

void DemoCatalogue::systemParameters(DemoContext &context)
{
    QString folder = context.options.applicationFolder.isEmpty() ? QStringLiteral("/opt/oruhr/")
                                                                 : context.options.applicationFolder;
    // Relative template paths are appended to it as they are.
    if (!folder.endsWith(u'/'))
        folder += u'/';

    Insert parameter(context.statements, QStringLiteral("tblPelikSystemParameters"), {"ID", "Name", "Value"});
    parameter({ids::ApplicationFolderParameter, text("مسير برنامه"), folder});
    parameter({ids::PayrollMonthStartParameter, text("تاريخ شروع ماه جاري حقوق"), context.dates.farsi(context.month.first)});
}

void DemoCatalogue::formTypesAndTemplates(DemoContext &context)
{
    Insert formType(context.statements, QStringLiteral("tblPelikFormType"), {"ID", "Name"});
    const std::pair<int, const char *> formTypes[] = {
        {ids::OrdinanceForm, "حکم کارگزيني"},       {ids::PayslipForm, "فيش حقوقي"},
        {ids::EveryForm, "همه فرم ها"},             {ids::OrdinanceDocument, "حکم کارگزيني"},
        {ids::LoanDocument, "وام کارمندان"},        {ids::FundDocument, "صندوق کارمندان"},
        {ids::GroupAdjustmentDocument, "تعديل گروهي"},
    };
    for (const auto &[id, name] : formTypes)
        formType({id, text(name)});

    // Relative to the application folder, where the programs put the shipped templates. None of
    // form type 1406: one filter "ID = n" cannot pick both a payslip and an ordinance.
    Insert reportTemplate(context.statements, QStringLiteral("tblPelikReportTemplate"),
                          {"ID", "Title", "FilePath", "FormTypeID"});
    reportTemplate({1, text("حکم کارگزيني"), QStringLiteral("Reports/ordinance.html"), ids::OrdinanceForm});
    reportTemplate({2, text("فيش حقوقي"), QStringLiteral("Reports/payslip.html"), ids::PayslipForm});
    reportTemplate({3, text("فيش حقوقي خلاصه"), QStringLiteral("Reports/payslip-summary.html"), ids::PayslipForm});
}

void DemoCatalogue::lookups(DemoContext &context)
{
    const auto fill = [&context](const QString &table, const auto &rows) {
        Insert row(context.statements, table, {"ID", "ParentID", "Code", "Title"});
        for (const LookupRow &lookup : rows)
            row({lookup.id, lookup.parentId ? QVariant(lookup.parentId) : QVariant(), text(lookup.code),
                 text(lookup.title)});
    };
    fill(QStringLiteral("tblAccountBranch"), Branches);
    fill(QStringLiteral("tblAccountCostCenter"), CostCentres);
    fill(QStringLiteral("tblHRRecruitmentType"), RecruitmentTypes);
}

void DemoCatalogue::salaryFactors(DemoContext &context)
{
    Insert factor(context.statements, QStringLiteral("tblPelikMFunction"), {"ID", "Name"});
    Insert definition(context.statements, QStringLiteral("tblPelikMFunctionDetail"),
                      {"FunctionID", "TypeID", "ParameterTypeID", "BeginDate", "EndDate", "SequenceInMonthlySalary",
                       "Kind", "Method", "Rate", "Divisor", "Insurable", "Taxable", "FixedWage"});
    Dates &dates = context.dates;
    const QDate thisYear = dates.yearStart(context.month.first);
    const QDate since = dates.addYears(thisYear, -3);
    const QDate until = dates.addYears(thisYear, 3).addDays(-1);
    for (const FactorRow &row : Factors) {
        factor({row.id, text(row.name)});
        const auto define = [&](QDate begin, QDate end) {
            definition({row.id, row.typeId, row.parameterTypeId, dates.iso(begin), dates.iso(end), row.sequence,
                        int(row.kind), int(row.method), row.rate, row.divisor, int(row.insurable),
                        int(row.taxable), int(row.fixedWage)});
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

} // namespace oruhr::demo
