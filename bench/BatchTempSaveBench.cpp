// Temporary payslips for 10,000 checked employees with the real payroll engine: through the
// payslip window with its progress display and the rebuild after it, and calling the same
// procedure bare. Prints employees per second and the window's share of the time, from the
// medians of alternating runs measured in this run. Then the same through the window on a
// PostgreSQL server of the benchmark's own over its Unix socket, against the embedded
// database in the same run.

#include "payslips/FormMain.h"
#include "platform/controls/KeyedListModel.h"
#include "platform/controls/PelikDate.h"
#include "demo/DemoDataGenerator.h"
#include "platform/embedded/EmbeddedDatabase.h"
#include "platform/embedded/EmbeddedProcedures.h"
#include "platform/embedded/EmbeddedSchema.h"
#include "platform/database/Recordset.h"
#include "platform/embedded/ServerDatabase.h"
#include "shell/DtEn.h"
#include "shell/ModMain.h"

#include "bench/BenchServer.h"
#include "bench/BenchmarkMain.h"
#include "bench/DemoMonth.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QPushButton>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

#include <cstdio>

using namespace oruhr;

namespace {

constexpr int checkedEmployees = 10000;

// A demo payroll whose month has no payslips yet, kept as a pristine copy: every run
// starts from its own copy of it.
struct Fixture {
    ModMain session;
    QTemporaryDir dir;
    QString pristine = dir.filePath(QStringLiteral("pristine.db"));
    int copies = 0;

    bench::BenchServer server;

    Fixture()
    {
        bench::createMonthWithoutPayslips(pristine, checkedEmployees * 100 / 96 + 30);
        session.dtEn().connection().setLocalProcedures(std::make_shared<embedded::EmbeddedProcedures>());
        server.copyFromFile(pristine, QStringLiteral("pristine"));
    }

    // Connects the data environment to a fresh copy of the pristine payroll.
    void connectFreshCopy()
    {
        const QString copy = dir.filePath(QStringLiteral("run%1.db").arg(++copies));
        QFile::copy(pristine, copy);
        session.ActiveConnectionString = embedded::EmbeddedDatabase::connectionString(copy);
        session.ConnectDataEnvironment();
    }

    void connectFreshServerCopy(bool durable)
    {
        const QString copy = QStringLiteral("run%1").arg(++copies);
        server.copy(QStringLiteral("pristine"), copy, durable);
        session.ActiveConnectionString = server.connectionString(copy);
        session.ConnectDataEnvironment();
    }
};

Fixture &fixture()
{
    static Fixture *instance = new Fixture;
    return *instance;
}

enum class Where { Embedded, Server, ServerNotWaitingForDisk };

// Seconds for the temporary save of every listed employee through the payslip window.
double throughWindow(int &processed, Where where = Where::Embedded)
{
    if (where != Where::Embedded)
        fixture().connectFreshServerCopy(where == Where::Server);
    else
        fixture().connectFreshCopy();
    FormMain form(fixture().session);
    form.Form_Load();
    form.show();
    form.cmdSelect->click();
    processed = form.employees().checkedCount();
    QElapsedTimer timer;
    timer.start();
    form.cmdTempSave->click();
    return timer.nsecsElapsed() / 1e9;
}

// Seconds for the same procedure calls made bare, for the same employees, from the same
// window open but idle: what the batch run itself adds is then all that differs. (With no
// window alive the calls ran some 5 to 10% faster still, from memory and caches alone.)
double bare()
{
    fixture().connectFreshCopy();
    FormMain form(fixture().session);
    form.Form_Load();
    form.show();
    QList<qint32> ids;
    for (const EmployeeRow &row : form.employeeRows())
        ids << row.id;
    const QDate begin = form.datBeginDate->englishdate();
    const QDate end = form.datEndDate->englishdate();
    QElapsedTimer timer;
    timer.start();
    for (qint32 id : ids)
        fixture().session.dtEn().spHRCreateMonthlySalary(fixture().session.ActiveUserID, begin, end, id);
    return timer.nsecsElapsed() / 1e9;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The two runs alternate, each first in turn, so that the disk's and the machine's moods
// weigh on both alike; the summary compares their medians.
void BM_TempSave(benchmark::State &state)
{
    std::vector<double> window, direct;
    int processed = 0;
    for (auto _ : state) {
        if (window.size() % 2 == 0) {
            window.push_back(throughWindow(processed));
            direct.push_back(bare());
        } else {
            direct.push_back(bare());
            window.push_back(throughWindow(processed));
        }
        state.SetIterationTime(window.back() + direct.back());
    }
    state.counters["employees"] = processed;
    state.counters["window s"] = median(window);
    state.counters["bare s"] = median(direct);
}
BENCHMARK(BM_TempSave)->Unit(benchmark::kMillisecond)->Iterations(10)->UseManualTime();

// The window on the server with its durable default, on the server with the database set to
// synchronous_commit off by its administrator, and on the embedded database, in turn.
void BM_TempSaveOnServer(benchmark::State &state)
{
    std::vector<double> durable, notWaiting, embedded;
    int processed = 0;
    for (auto _ : state) {
        if (durable.size() % 2 == 0) {
            durable.push_back(throughWindow(processed, Where::Server));
            notWaiting.push_back(throughWindow(processed, Where::ServerNotWaitingForDisk));
            embedded.push_back(throughWindow(processed));
        } else {
            embedded.push_back(throughWindow(processed));
            notWaiting.push_back(throughWindow(processed, Where::ServerNotWaitingForDisk));
            durable.push_back(throughWindow(processed, Where::Server));
        }
        state.SetIterationTime(durable.back() + notWaiting.back() + embedded.back());
    }
    state.counters["employees"] = processed;
    state.counters["server s"] = median(durable);
    state.counters["server async s"] = median(notWaiting);
    state.counters["embedded s"] = median(embedded);
}
BENCHMARK(BM_TempSaveOnServer)->Unit(benchmark::kMillisecond)->Iterations(2)->UseManualTime();

// The disk's own limit for a server that waits for each commit: pg_test_fsync's rate of one
// 8 kB write flushed with fdatasync, PostgreSQL's default on Linux, on the disk of this folder.
double diskFlushesPerSecond()
{
    const QStringList tools = QDir(QStringLiteral("/usr/lib/postgresql")).entryList({QStringLiteral("*")}, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed);
    QTemporaryDir here(QDir::current().filePath(QStringLiteral("fsync-XXXXXX")));
    QProcess probe;
    probe.start(QStringLiteral("/usr/lib/postgresql/%1/bin/pg_test_fsync").arg(tools.value(0)),
                {QStringLiteral("-s"), QStringLiteral("2"), QStringLiteral("-f"), here.filePath(QStringLiteral("probe"))});
    if (!probe.waitForFinished(120000))
        return 0;
    static const QRegularExpression fdatasync(QStringLiteral("^\\s*fdatasync\\s+([0-9.]+) ops/sec"),
                                              QRegularExpression::MultilineOption);
    return fdatasync.match(QString::fromLocal8Bit(probe.readAllStandardOutput())).captured(1).toDouble();
}

} // namespace

int main(int argc, char **argv)
{
    const int result = bench::runBenchmarks(argc, argv, [] { fixture(); }, [](const bench::SummaryReporter &reporter) {
        const double window = reporter.counter("BM_TempSave", "window s");
        const double bare = reporter.counter("BM_TempSave", "bare s");
        const double count = reporter.counter("BM_TempSave", "employees");
        if (window > 0 && bare > 0) {
            std::printf("through the window: %.0f employees/s (target at least 2000)\n", count / window);
            std::printf("bare procedure calls: %.0f employees/s\n", count / bare);
            std::printf("the window's share of the time: %.1f%% (target at most 5%%)\n",
                        100.0 * (window - bare) / window);
        }
        const double server = reporter.counter("BM_TempSaveOnServer", "server s");
        const double notWaiting = reporter.counter("BM_TempSaveOnServer", "server async s");
        const double embedded = reporter.counter("BM_TempSaveOnServer", "embedded s");
        const double listed = reporter.counter("BM_TempSaveOnServer", "employees");
        if (server <= 0 || embedded <= 0 || notWaiting <= 0)
            return;
        std::printf("through the window on PostgreSQL, synchronous_commit off: %.0f employees/s\n", listed / notWaiting);
        const double flushes = diskFlushesPerSecond();
        std::printf("through the window on PostgreSQL, synchronous_commit on: %.0f employees/s (disk flush limit %.0f/s)\n",
                    listed / server, flushes);
        std::printf("through the window on the embedded database: %.0f employees/s\n", listed / embedded);
    });
    // The fixture is never destroyed; its server is stopped here.
    fixture().server.stop();
    return result;
}
