#include "platform/embedded/demo/DemoCatalogue.h"

#include "platform/database/SystemIds.h"
#include "platform/embedded/demo/DemoContext.h"
#include "platform/embedded/payroll/FactorRule.h"

namespace oruhr::embedded::demo {
namespace {

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
};

using K = FactorKind;
using M = FactorMethod;

// TypeID 1 is an ordinance item, 2 computed by the payroll, 6 with ParameterTypeID 3 entered
// period by period through runtime batches. Overtime is 1.4 of the hourly wage (the month's
// insurable ordinance pay over 220 hours), night work 0.35 of it, absence the whole of it;
// a day's mission is a thirtieth of the base, shift work a percentage of it.
constexpr FactorRow Factors[] = {
    {BaseSalary, "حقوق پايه", 1, 1, 10, FactorRow::Renewed, K::Earning, M::OrdinanceBase, 10000, 1, true, true},
    {Housing, "حق مسکن", 1, 1, 20, FactorRow::Always, K::Earning, M::AsGiven, 10000, 1, true, true},
    {Groceries, "بن خواربار", 1, 1, 30, FactorRow::Always, K::Earning, M::AsGiven, 10000, 1, true, true},
    {ChildAllowance, "حق اولاد", 1, 1, 40, FactorRow::Always, K::Earning, M::AsGiven, 10000, 1, false, true},
    {Responsibility, "حق مسئوليت", 1, 1, 50, FactorRow::Always, K::Earning, M::AsGiven, 10000, 1, true, true},
    {Overtime, "اضافه کار", 6, 3, 60, FactorRow::Always, K::Earning, M::HoursOfInsurablePay, 14000, 220, true, true},
    {Mission, "فوق العاده ماموريت", 6, 3, 70, FactorRow::Always, K::Earning, M::UnitsOfBase, 10000, 30, false, false},
    {NightWork, "شب کاري", 6, 3, 80, FactorRow::Always, K::Earning, M::HoursOfInsurablePay, 3500, 220, true, true},
    // Entered once, but no longer in the payroll month: the missing-factor check must pass it by.
    {ShiftWork, "نوبت کاري", 6, 3, 90, FactorRow::Retired, K::Earning, M::UnitsOfBase, 10000, 100, true, true},
    {Bonus, "پاداش", 2, 1, 100, FactorRow::Always, K::Earning, M::AsGiven, 10000, 1, true, true},
    {Absence, "کسر کار", 6, 3, 110, FactorRow::Always, K::Deduction, M::HoursOfInsurablePay, 10000, 220, true, true},
    {Insurance, "حق بيمه سهم کارمند", 2, 2, 200, FactorRow::Always, K::Deduction, M::EmployeeInsurance, 700, 1, false,
     false},
    {IncomeTax, "ماليات حقوق", 2, 2, 210, FactorRow::Always, K::Deduction, M::IncomeTax, 10000, 1, false, false},
    {LoanInstalments, "قسط وام", 2, 2, 220, FactorRow::Always, K::Deduction, M::LoanInstalments, 10000, 1, false, false},
    {FundInstalments, "کسور صندوق", 2, 2, 230, FactorRow::Always, K::Deduction, M::FundContributions, 10000, 1, false,
     false},
    {EmployerInsurance, "حق بيمه سهم کارفرما", 2, 2, 300, FactorRow::Always, K::EmployerContribution,
     M::EmployerInsurance, 2300, 1, false, false},
};

// By Persian year: the monthly insurable pay ceiling (seven times the minimum wage) and the
// monthly income-tax brackets on salaries. The last year stays in force until an office
// enters the next one.
struct YearRules {
    int persianYear;
    qint64 insuranceCeiling;
    std::initializer_list<std::pair<qint64, qint64>> brackets; // from, rate in ten-thousandths
};

const YearRules Years[] = {
    {1403, 501'632'880, {{0, 0}, {120'000'000, 1000}, {165'000'000, 1500}, {270'000'000, 2000}, {400'000'000, 3000}}},
    {1404, 727'367'760, {{0, 0}, {240'000'000, 1000}, {300'000'000, 1500}, {380'000'000, 2000}, {500'000'000, 3000}}},
};

const QString Forever = QStringLiteral("9999-12-31");

} // namespace

void DemoCatalogue::write(DemoContext &context)
{
    systemParameters(context);
    formTypesAndTemplates(context);
    lookups(context);
    salaryFactors(context);
    insuranceAndTax(context);
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
                       "Kind", "Method", "Rate", "Divisor", "Insurable", "Taxable"});
    Dates &dates = context.dates;
    const QDate thisYear = dates.yearStart(context.month.first);
    const QDate since = dates.addYears(thisYear, -3);
    const QDate until = dates.addYears(thisYear, 3).addDays(-1);
    for (const FactorRow &row : Factors) {
        factor({row.id, text(row.name)});
        const auto define = [&](QDate begin, QDate end) {
            definition({row.id, row.typeId, row.parameterTypeId, dates.iso(begin), dates.iso(end), row.sequence,
                        int(row.kind), int(row.method), row.rate, row.divisor, int(row.insurable),
                        int(row.taxable)});
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

void DemoCatalogue::insuranceAndTax(DemoContext &context)
{
    Insert ceiling(context.statements, QStringLiteral("tblHRInsuranceCeiling"), {"BeginDate", "EndDate", "Amount"});
    Insert bracket(context.statements, QStringLiteral("tblHRTaxBracket"), {"BeginDate", "EndDate", "FromAmount", "Rate"});
    Dates &dates = context.dates;
    for (const YearRules &year : Years) {
        const QString begin = dates.iso(dates.yearStart(year.persianYear));
        const QString end = &year == std::end(Years) - 1
                                ? Forever
                                : dates.iso(dates.yearStart(year.persianYear + 1).addDays(-1));
        ceiling({begin, end, year.insuranceCeiling});
        for (const auto &[from, rate] : year.brackets)
            bracket({begin, end, from, rate});
    }
}

} // namespace oruhr::embedded::demo
