// The document window with 20,000 temporary documents of the four kinds: the list rebuild,
// and finalising 10,000 ticked documents (progress, updates, message and rebuild), with
// the number of update statements that run. Prints the figures measured in this run.

#include "documents/FormCheckDocs.h"
#include "platform/controls/KeyedListModel.h"
#include "platform/embedded/EmbeddedDatabase.h"
#include "platform/database/Connection.h"
#include "platform/database/StatementCache.h"
#include "shell/DtEn.h"
#include "shell/ModMain.h"

#include "bench/BenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <QPushButton>
#include <QSqlDriver>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>
#include <cstring>

using namespace oruhr;

namespace {

constexpr int documentsPerKind = 5000;
const char *const documentTables[] = {"tblHROrdinance", "tblHRLoan", "tblHRBox", "tblHRExceptionBatch"};

// Counts the update statements the window's connection prepares.
int updateCount = 0;

int countUpdates(unsigned, void *, void *, void *text)
{
    if (std::strncmp(static_cast<const char *>(text), "Update", 6) == 0)
        ++updateCount;
    return 0;
}

struct Fixture {
    ModMain session;
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("bench.db"));
    FormCheckDocs *form = nullptr;

    Fixture()
    {
        embedded::EmbeddedDatabase::create(file);
        {
            db::Connection connection;
            connection.setConnectionString(embedded::EmbeddedDatabase::connectionString(file));
            db::StatementCache &statements = connection.statements();
            connection.database().transaction();
            statements.execute(
                           QStringLiteral("INSERT INTO tblPelikSystemParameters (ID, Value) VALUES (3450, '1405/09/01')"));
            for (int i = 1; i <= documentsPerKind; ++i) {
                statements.execute(
                               QStringLiteral("INSERT INTO tblEmployee (ID, Code, FirstName, SureName) VALUES (?, ?, "
                                              "'نام', 'خانوادگي')"),
                               {i, QString::number(i)});
                statements.execute(
                               QStringLiteral("INSERT INTO tblHRLoanDetail (LoanID, EmployeeID, Amount, "
                                              "InstalmentAmount) VALUES (?, ?, 1000, 50)"),
                               {i, i});
            }
            statements.execute(
                           QStringLiteral("INSERT INTO tblHROrdinance (EmployeeID, BeginDate, EndDate, FarsiBeginDate, "
                                          "FarsiEndDate) SELECT ID, '2026-11-22', '2026-12-21', '1405/09/01', "
                                          "'1405/09/30' FROM tblEmployee"));
            for (const char *table : {"tblHRLoan", "tblHRBox", "tblHRExceptionBatch"})
                statements.execute(
                               QStringLiteral("INSERT INTO %1 (BeginDate, EndDate, FarsiBeginDate, FarsiEndDate) "
                                              "SELECT '2026-11-22', '2026-12-21', '1405/09/01', '1405/09/30' "
                                              "FROM tblEmployee")
                                   .arg(QLatin1String(table)));
            connection.database().commit();
        }

        session.ActiveConnectionString = embedded::EmbeddedDatabase::connectionString(file);
        session.ConnectDataEnvironment();
        form = new FormCheckDocs(session);
        form->Form_Load();
        form->show(); // the progress really paints
        QApplication::processEvents();
        std::printf("listed documents: %d\n", form->documents().rowCount());
        const QVariant handle = session.dtEn().connection().database().driver()->handle();
        sqlite3_trace_v2(*static_cast<sqlite3 *const *>(handle.constData()), SQLITE_TRACE_STMT, countUpdates,
                         nullptr);
    }

    // Every document temporary again, listed, and every other row ticked.
    void tickHalf()
    {
        for (const char *table : documentTables)
            session.dtEn().query(QStringLiteral("Update %1 Set Code=NULL").arg(QLatin1String(table)));
        form->RefreshEmployees();
        KeyedListModel &rows = form->documents();
        for (int row = 0; row < rows.rowCount(); row += 2)
            rows.setChecked(row, true);
    }
};

Fixture &fixture()
{
    static Fixture *instance = new Fixture;
    return *instance;
}

void BM_ListDocuments(benchmark::State &state)
{
    FormCheckDocs &form = *fixture().form;
    for (auto _ : state) {
        form.RefreshEmployees();
        state.counters["rows"] = form.documents().rowCount();
    }
}
BENCHMARK(BM_ListDocuments)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_FinalizeTicked(benchmark::State &state)
{
    Fixture &f = fixture();
    int ticked = 0, left = 0, statements = 0;
    for (auto _ : state) {
        state.PauseTiming();
        f.tickHalf();
        ticked = f.form->documents().checkedCount();
        updateCount = 0;
        state.ResumeTiming();
        f.form->cmdFinalize->click();
        state.PauseTiming();
        statements = updateCount;
        left = f.form->documents().rowCount();
        state.ResumeTiming();
    }
    state.counters["ticked"] = ticked;
    state.counters["statements"] = statements;
    state.counters["left"] = left;
}
BENCHMARK(BM_FinalizeTicked)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    return bench::runBenchmarks(argc, argv, [] { fixture(); }, [](const bench::SummaryReporter &reporter) {
        if (const double list = reporter.time("BM_ListDocuments"); list > 0)
            std::printf("list of %d documents: %.0f ms\n", 4 * documentsPerKind, list);
        if (const double run = reporter.time("BM_FinalizeTicked"); run > 0)
            std::printf("finalising %d ticked documents: %.0f ms in %.0f update statements (target under 1000 ms, "
                        "4 statements)\n",
                        2 * documentsPerKind, run, reporter.counter("BM_FinalizeTicked", "statements"));
    });
}
