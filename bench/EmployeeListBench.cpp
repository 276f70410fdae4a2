// The payslip window's list with 50,000 employees: the rebuild against the bare query that
// fetches the same rows, and a sort by code. Prints the ratios measured in this run.

#include "common/ListViewColumnClick.h"
#include "payslips/FormMain.h"
#include "payslips/PayslipSql.h"
#include "platform/controls/KeyedListModel.h"
#include "platform/controls/KeyedListView.h"
#include "platform/controls/PelikDate.h"
#include "demo/DemoDataGenerator.h"
#include "platform/embedded/EmbeddedDatabase.h"
#include "shell/DtEn.h"
#include "shell/ModMain.h"

#include "bench/BenchmarkMain.h"
#include "bench/DemoMonth.h"

#include <benchmark/benchmark.h>

#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>

using namespace oruhr;

namespace {

constexpr int listedEmployees = 50000;

// Demo data whose payroll month has no payslips yet, so that every employee with a final
// ordinance is listed: about 50,000 of them.
struct Fixture {
    ModMain session;
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("bench.db"));
    FormMain *form = nullptr;

    Fixture()
    {
        bench::createMonthWithoutPayslips(file, listedEmployees * 100 / 96 + 100);

        session.ActiveConnectionString = embedded::EmbeddedDatabase::connectionString(file);
        session.ConnectDataEnvironment();
        form = new FormMain(session);
        form->Form_Load();
        std::printf("listed employees: %d\n", form->employees().rowCount());
    }

    QString listSql()
    {
        db::Connection &connection = session.dtEn().connection();
        return connection.nativeSql(PayslipSql::employeeList(
            form->listMode(), connection.dateLiteral(form->datBeginDate->englishdate()),
            connection.dateLiteral(form->datEndDate->englishdate()), form->BranchFilter(),
            form->RecruitmentTypeFilter(), form->CostCenterFilter()));
    }
};

Fixture &fixture()
{
    static Fixture *instance = new Fixture;
    return *instance;
}

void BM_BareQuery(benchmark::State &state)
{
    bench::timeBareQuery(state, fixture().session.dtEn().connection().database(), fixture().listSql(), 4);
}
BENCHMARK(BM_BareQuery)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_RefreshEmployees(benchmark::State &state)
{
    FormMain &form = *fixture().form;
    for (auto _ : state) {
        form.RefreshEmployees();
        state.counters["rows"] = form.employees().rowCount();
    }
}
BENCHMARK(BM_RefreshEmployees)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_SortByCode(benchmark::State &state)
{
    FormMain &form = *fixture().form;
    for (auto _ : state)
        ListView_ColumnClick(*form.lstEmployee, 1, SortDataType::Numeric);
    state.counters["rows"] = form.employees().rowCount();
}
BENCHMARK(BM_SortByCode)->Unit(benchmark::kMillisecond)->MinTime(3);

// Keeps each benchmark's time per iteration for the ratios.

} // namespace

int main(int argc, char **argv)
{
    return bench::runBenchmarks(argc, argv, [] { fixture(); }, [](const bench::SummaryReporter &reporter) {
        const double bare = reporter.time("BM_BareQuery");
        const double refresh = reporter.time("BM_RefreshEmployees");
        const double sort = reporter.time("BM_SortByCode");
        if (bare > 0 && refresh > 0)
            std::printf("RefreshEmployees / bare query: %.2f (target at most 1.5)\n", refresh / bare);
        if (sort > 0)
            std::printf("sort of the list by code: %.0f ms (target under 500 ms)\n", sort);
    });
}
