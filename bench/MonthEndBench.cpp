// A whole month end for 10,000 employees through the payslip window, as the clerk does it:
// the temporary save of everyone listed, the recalculation of all, and their finalisation
// with its accounting document in runs of at most 1,000 ticked employees (a run's list of
// finalized IDs must stay within the 8,000 characters the document allows). On the embedded
// database and on a PostgreSQL server of the benchmark's own. Also the peak resident memory
// of the window with a 50,000-employee list, and after the month end.

#include "payslips/FormMain.h"
#include "platform/controls/KeyedListModel.h"
#include "platform/database/Recordset.h"
#include "platform/embedded/EmbeddedDatabase.h"
#include "platform/embedded/EmbeddedProcedures.h"
#include "shell/DtEn.h"
#include "shell/ModMain.h"

#include "bench/BenchServer.h"
#include "bench/BenchmarkMain.h"
#include "bench/DemoMonth.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <memory>

using namespace oruhr;

namespace {

constexpr int monthEmployees = 10000;
constexpr int listedEmployees = 50000;
constexpr int finalizedPerRun = 1000;

// Peak resident memory of the process in MB, and its reset to the present use.
double peakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    const QRegularExpression peak(QStringLiteral("VmHWM:\\s*(\\d+)\\s*kB"));
    return peak.match(QString::fromLatin1(status.readAll())).captured(1).toDouble() / 1024.0;
}

void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

struct Fixture {
    ModMain session;
    QTemporaryDir dir;
    QString month = dir.filePath(QStringLiteral("month.db"));
    QString list = dir.filePath(QStringLiteral("list.db"));
    int copies = 0;
    // Made by the benchmarks that need them, so that one filtered alone starts at once.
    std::unique_ptr<bench::BenchServer> server;
    bool listMade = false;

    Fixture()
    {
        bench::createMonthWithoutPayslips(month, monthEmployees * 100 / 96 + 30);
        session.dtEn().connection().setLocalProcedures(std::make_shared<embedded::EmbeddedProcedures>());
    }

    void makeList()
    {
        if (!listMade)
            bench::createMonthWithoutPayslips(list, listedEmployees * 100 / 96 + 100);
        listMade = true;
    }

    void connect(const QString &connection)
    {
        session.ActiveConnectionString = connection;
        session.ConnectDataEnvironment();
    }

    void connectFreshCopy()
    {
        const QString copy = dir.filePath(QStringLiteral("run%1.db").arg(++copies));
        QFile::copy(month, copy);
        connect(embedded::EmbeddedDatabase::connectionString(copy));
    }

    void connectFreshServerCopy()
    {
        if (!server) {
            server = std::make_unique<bench::BenchServer>();
            server->copyFromFile(month, QStringLiteral("pristine"));
        }
        const QString copy = QStringLiteral("run%1").arg(++copies);
        server->copy(QStringLiteral("pristine"), copy);
        connect(server->connectionString(copy));
    }
};

Fixture &fixture()
{
    static Fixture *instance = new Fixture;
    return *instance;
}

qint64 documentCount()
{
    return fixture().session.dtEn().query(QStringLiteral("SELECT COUNT(*) FROM tblAccountDocument")).field(0).toLongLong();
}

double secondsOf(const std::function<void()> &step)
{
    QElapsedTimer timer;
    timer.start();
    step();
    return timer.nsecsElapsed() / 1e9;
}

// The temporary payslips' list, the first employees ticked up to a run's worth, finalized;
// again until none is left or a run finalizes nobody.
int finalizeInRuns(FormMain &form)
{
    int runs = 0;
    form.optTempSaveEmployee->click();
    for (int left = form.employees().rowCount(); left > 0; ++runs) {
        form.employees().setAllChecked(false);
        for (int row = 0; row < qMin(left, finalizedPerRun); ++row)
            form.employees().setChecked(row, true);
        form.cmdFinalize->click();
        const int before = left;
        left = form.employees().rowCount();
        if (left >= before) {
            std::printf("finalisation stopped with %d employees left\n", left);
            break;
        }
    }
    return runs;
}

void monthEnd(benchmark::State &state, bool onServer)
{
    for (auto _ : state) {
        if (onServer)
            fixture().connectFreshServerCopy();
        else
            fixture().connectFreshCopy();
        FormMain form(fixture().session);
        form.Form_Load();
        form.show();
        form.cmdSelect->click();
        const int listed = form.employees().checkedCount();
        const qint64 documentsBefore = documentCount();
        const double save = secondsOf([&] { form.cmdTempSave->click(); });
        const double calc = secondsOf([&] {
            form.optTempSaveEmployee->click();
            form.cmdSelect->click();
            form.cmdCalc->click();
        });
        int runs = 0;
        const double finalize = secondsOf([&] { runs = finalizeInRuns(form); });
        form.optFinalSaveEmployee->click();
        const int finals = form.employees().rowCount();
        const qint64 documents = documentCount() - documentsBefore;
        state.SetIterationTime(save + calc + finalize);
        state.counters["listed"] = listed;
        state.counters["final"] = finals;
        state.counters["runs"] = runs;
        state.counters["documents"] = double(documents);
        state.counters["save s"] = save;
        state.counters["calc s"] = calc;
        state.counters["final s"] = finalize;
        state.counters["peak MB"] = peakMegabytes();
    }
}

// The window with the 50,000-employee list, measured first: the peak counts from here.
void BM_ListWindowMemory(benchmark::State &state)
{
    fixture().makeList();
    for (auto _ : state) {
        resetPeak();
        fixture().connect(embedded::EmbeddedDatabase::connectionString(fixture().list));
        FormMain form(fixture().session);
        form.Form_Load();
        form.show();
        state.counters["listed"] = form.employees().rowCount();
        state.counters["peak MB"] = peakMegabytes();
    }
}
BENCHMARK(BM_ListWindowMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_MonthEnd(benchmark::State &state)
{
    monthEnd(state, false);
}
BENCHMARK(BM_MonthEnd)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

void BM_MonthEndOnServer(benchmark::State &state)
{
    monthEnd(state, true);
}
BENCHMARK(BM_MonthEndOnServer)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

void printMonthEnd(const bench::SummaryReporter &reporter, const std::string &name, const char *where,
                   const char *target)
{
    const double save = reporter.counter(name, "save s");
    if (save <= 0)
        return;
    const double calc = reporter.counter(name, "calc s");
    const double finalize = reporter.counter(name, "final s");
    std::printf("month end on %s for %.0f employees: temporary save %.1f s, recalculation %.1f s, "
                "finalisation with documents %.1f s (%.0f runs, %.0f documents), total %.1f s%s\n",
                where, reporter.counter(name, "listed"), save, calc, finalize, reporter.counter(name, "runs"),
                reporter.counter(name, "documents"), save + calc + finalize, target);
    if (reporter.counter(name, "final") != reporter.counter(name, "listed"))
        std::printf("  but %.0f payslips are final\n", reporter.counter(name, "final"));
}

} // namespace

int main(int argc, char **argv)
{
    const int result = bench::runBenchmarks(argc, argv, [] { fixture(); }, [](const bench::SummaryReporter &reporter) {
        if (const double list = reporter.counter("BM_ListWindowMemory", "peak MB"); list > 0)
            std::printf("peak resident memory with the %.0f-employee list loaded: %.0f MB (target under 400 MB)\n",
                        reporter.counter("BM_ListWindowMemory", "listed"), list);
        printMonthEnd(reporter, "BM_MonthEnd", "the embedded database", " (target under 15 s)");
        printMonthEnd(reporter, "BM_MonthEndOnServer", "PostgreSQL", "");
        const double after = qMax(reporter.counter("BM_MonthEnd", "peak MB"), reporter.counter("BM_MonthEndOnServer", "peak MB"));
        if (after > 0)
            std::printf("peak resident memory after the month end: %.0f MB (target under 400 MB)\n", after);
    });
    // The fixture is never destroyed; its server is stopped here.
    if (fixture().server)
        fixture().server->stop();
    return result;
}
