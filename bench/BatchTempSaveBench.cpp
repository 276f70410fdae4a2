// Temporary payslips for 10,000 checked employees: once through the payslip window with
// its progress display and the rebuild after it, once calling the same procedure bare.
// Prints employees per second and the window's share of the time, measured in this run.

#include "payslips/FormMain.h"
#include "platform/controls/KeyedListModel.h"
#include "platform/controls/PelikDate.h"
#include "platform/embedded/DemoDataGenerator.h"
#include "platform/embedded/EmbeddedDatabase.h"
#include "platform/embedded/SqlExec.h"
#include "shell/DtEn.h"
#include "shell/ModMain.h"

#include "bench/BenchmarkMain.h"
#include "bench/DemoMonth.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>

using namespace oruhr;

namespace {

constexpr int checkedEmployees = 10000;

// A demo payroll whose month has no payslips yet, kept as a pristine copy: every run
// starts from its own copy of it.
struct Fixture {
    QTemporaryDir dir;
    QString pristine = dir.filePath(QStringLiteral("pristine.db"));
    int copies = 0;

    Fixture()
    {
        bench::createMonthWithoutPayslips(pristine, checkedEmployees * 100 / 96 + 30);
    }

    // Connects the data environment to a fresh copy of the pristine payroll.
    void connectFreshCopy()
    {
        const QString copy = dir.filePath(QStringLiteral("run%1.db").arg(++copies));
        QFile::copy(pristine, copy);
        ModMain::ActiveConnectionString = embedded::EmbeddedDatabase::connectionString(copy);
        ModMain::ConnectDataEnvironment();
    }
};

Fixture &fixture()
{
    static Fixture *instance = new Fixture;
    return *instance;
}

void BM_TempSaveThroughWindow(benchmark::State &state)
{
    int processed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fixture().connectFreshCopy();
        FormMain form;
        form.Form_Load();
        form.show();
        form.cmdSelect->click();
        processed = form.employees().checkedCount();
        state.ResumeTiming();
        form.cmdTempSave->click();
    }
    state.counters["employees"] = processed;
    state.counters["employees/s"] = benchmark::Counter(processed, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_TempSaveThroughWindow)->Unit(benchmark::kMillisecond)->Iterations(4)->UseRealTime();

void BM_TempSaveBare(benchmark::State &state)
{
    int processed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fixture().connectFreshCopy();
        QList<qint32> ids;
        QDate begin, end;
        {
            FormMain form;
            form.Form_Load();
            for (int row = 0; row < form.employees().rowCount(); ++row)
                ids << form.employees().item(row).key.mid(1).toInt();
            begin = form.datBeginDate->englishdate();
            end = form.datEndDate->englishdate();
        }
        processed = ids.size();
        state.ResumeTiming();
        for (qint32 id : ids)
            DtEn::instance().spHRCreateMonthlySalary(ModMain::ActiveUserID, begin, end, id);
    }
    state.counters["employees"] = processed;
    state.counters["employees/s"] = benchmark::Counter(processed, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_TempSaveBare)->Unit(benchmark::kMillisecond)->Iterations(4)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    return bench::runBenchmarks(argc, argv, [] { fixture(); }, [](const bench::SummaryReporter &reporter) {
        const double window = reporter.time("BM_TempSaveThroughWindow");
        const double bare = reporter.time("BM_TempSaveBare");
        const double count = reporter.counter("BM_TempSaveThroughWindow", "employees");
        if (window <= 0 || bare <= 0)
            return;
        std::printf("through the window: %.0f employees/s (target at least 1000)\n", count * 1000.0 / window);
        std::printf("bare procedure calls: %.0f employees/s\n", count * 1000.0 / bare);
        std::printf("the window's share of the time: %.1f%% (target at most 15%%)\n", 100.0 * (window - bare) / window);
    });
}
