// The payslip window's list with 50,000 employees: the rebuild against the bare query that
// fetches the same rows, and a sort by code. Prints the ratios measured in this run.

#include "common/ListViewColumnClick.h"
#include "payslips/FormMain.h"
#include "payslips/PayslipSql.h"
#include "platform/controls/KeyedListModel.h"
#include "platform/controls/KeyedListView.h"
#include "platform/controls/PelikDate.h"
#include "platform/embedded/DemoDataGenerator.h"
#include "platform/embedded/EmbeddedDatabase.h"
#include "platform/embedded/SqlExec.h"
#include "shell/DtEn.h"
#include "shell/ModMain.h"

#include "bench/BenchmarkMain.h"

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
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("bench.db"));
    FormMain *form = nullptr;

    Fixture()
    {
        embedded::DemoOptions options;
        options.employees = listedEmployees * 100 / 96 + 100;
        options.today = QDate(2026, 11, 25);
        embedded::DemoDataGenerator::createDemoDatabase(file, options);
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-setup"));
        database.setDatabaseName(file);
        database.open();
        embedded::exec(database, QStringLiteral("DELETE FROM tblHRMonthlySalary WHERE EndDate >= '2026-11-22'"));
        database.close();
        database = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("bench-setup"));

        ModMain::ActiveConnectionString = embedded::EmbeddedDatabase::connectionString(file);
        ModMain::ConnectDataEnvironment();
        form = new FormMain;
        form->Form_Load();
        std::printf("listed employees: %d\n", form->employees().rowCount());
    }

    QString listSql()
    {
        db::Connection &connection = DtEn::instance().connection();
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
    const QString sql = fixture().listSql();
    QSqlDatabase &database = DtEn::instance().connection().database();
    for (auto _ : state) {
        QSqlQuery query(database);
        query.setForwardOnly(true);
        query.exec(sql);
        int rows = 0;
        while (query.next()) {
            benchmark::DoNotOptimize(query.value(0));
            benchmark::DoNotOptimize(query.value(1));
            benchmark::DoNotOptimize(query.value(2));
            benchmark::DoNotOptimize(query.value(3));
            ++rows;
        }
        state.counters["rows"] = rows;
    }
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
