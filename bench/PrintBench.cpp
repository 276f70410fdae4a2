// Printing and the list export at scale: 1,000 payslips rendered to PDF by the report
// component from the shipped payslip template, and the export of a 50,000-row list to an
// .xlsx workbook. Prints the rates and ratios measured in this run.

#include "payslips/ListExport.h"
#include "platform/automation/ComponentRegistry.h"
#include "platform/automation/Dispatch.h"
#include "platform/components/ReportEngine.h"
#include "platform/components/SpreadsheetApplication.h"
#include "platform/components/XlsxWorkbook.h"
#include "platform/controls/KeyedListModel.h"
#include "demo/DemoDataGenerator.h"
#include "platform/embedded/EmbeddedDatabase.h"

#include "bench/BenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>

using namespace oruhr;

namespace {

constexpr int Payslips = 1000;
constexpr int ListRows = 50000;

struct PayrollFixture {
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("bench.db"));
    QList<int> payslips;

    PayrollFixture()
    {
        demo::DemoOptions options;
        options.employees = 1700; // about two thirds of them get a payslip for the month
        options.today = QDate(2026, 11, 25);
        demo::DemoDataGenerator::createDemoDatabase(file, options);
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-setup"));
        database.setDatabaseName(file);
        database.open();
        {
            QSqlQuery query(QStringLiteral("SELECT ID FROM tblHRMonthlySalary WHERE BeginDate >= '2026-11-22' ORDER BY ID"),
                            database);
            while (query.next() && payslips.size() < Payslips)
                payslips << query.value(0).toInt();
        }
        database.close();
        database = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("bench-setup"));
        std::printf("payslips to render: %lld\n", static_cast<long long>(payslips.size()));
    }
};

PayrollFixture &payroll()
{
    static PayrollFixture *instance = new PayrollFixture;
    return *instance;
}

void BM_PayslipsToPdf(benchmark::State &state)
{
    PayrollFixture &fixture = payroll();
    QTemporaryDir pdfs;
    ReportEngine engine;
    engine.setProperty("ConnectionText", embedded::EmbeddedDatabase::connectionString(fixture.file));
    engine.setProperty("PdfFolder", pdfs.path());
    engine.setProperty("PrinterName", QStringLiteral("pdf"));
    engine.setProperty("ReportFileName", QStringLiteral(ORUHR_TEMPLATE_DIR "/payslip.html"));
    // As the payslip window's print run has it: the files written on the other cores, and
    // the run over when the last one is written.
    engine.setProperty("WritesInBackground", true);
    qint64 bytes = 0;
    for (auto _ : state) {
        for (int id : fixture.payslips) {
            Dispatch::call(engine, "SetRecordFilter", {1, QStringLiteral("ID = ") + QString::number(id)});
            Dispatch::call(engine, "ShowReport", {QVariant::fromValue<qint16>(0)});
        }
        Dispatch::call(engine, "WaitForOutput");
        state.PauseTiming();
        bytes = 0;
        for (const QFileInfo &pdf : QDir(pdfs.path()).entryInfoList({QStringLiteral("*.pdf")}))
            bytes += pdf.size();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * fixture.payslips.size());
    state.counters["payslips"] = double(fixture.payslips.size());
    state.counters["kB_per_pdf"] = double(bytes) / 1024.0 / double(fixture.payslips.size());
}
BENCHMARK(BM_PayslipsToPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

KeyedListModel &bigList()
{
    static KeyedListModel *model = [] {
        auto *rows = new KeyedListModel;
        QList<ListItem> items;
        items.reserve(ListRows);
        for (int i = 0; i < ListRows; ++i)
            items.append({QStringLiteral("k%1").arg(i + 1),
                          {QString(), QString::number(1000 + i), QStringLiteral("محمدرضا"), QStringLiteral("حسيني نژاد")}});
        rows->appendItems(std::move(items));
        return rows;
    }();
    return *model;
}

// The export as the button runs it: the spreadsheet application through its members, cell
// by cell, then the workbook saved (the desktop opens nothing here).
void BM_ExportList(benchmark::State &state)
{
    KeyedListModel &rows = bigList();
    QTemporaryDir temp;
    qputenv("TMPDIR", temp.path().toLocal8Bit());
    ComponentRegistry components;
    components.registerComponent(QString::fromLatin1(SpreadsheetApplication::progId), {},
                                 [] { return std::make_unique<SpreadsheetApplication>(); });
    SpreadsheetApplication::setOpener([](const QString &) { return true; });
    for (auto _ : state)
        ListExport::toSpreadsheet(components, rows);
    state.SetItemsProcessed(state.iterations() * rows.rowCount());
}
BENCHMARK(BM_ExportList)->Unit(benchmark::kMillisecond)->MinTime(3);

// The same workbook written straight, without the member calls: the floor of the export.
void BM_WorkbookOnly(benchmark::State &state)
{
    KeyedListModel &rows = bigList();
    QTemporaryDir temp;
    for (auto _ : state) {
        XlsxWorkbook workbook;
        for (int row = 0; row < rows.rowCount(); ++row) {
            const QStringList &texts = rows.item(row).texts;
            for (int column = 1; column < texts.size(); ++column)
                workbook.setCell(row + 1, column, texts[column]);
        }
        workbook.save(temp.filePath(QStringLiteral("list.xlsx")));
    }
    state.SetItemsProcessed(state.iterations() * rows.rowCount());
}
BENCHMARK(BM_WorkbookOnly)->Unit(benchmark::kMillisecond)->MinTime(3);

} // namespace

int main(int argc, char **argv)
{
    return bench::runBenchmarks(argc, argv, [] { payroll(); }, [](const bench::SummaryReporter &reporter) {
        const double pdf = reporter.time("BM_PayslipsToPdf");
        const double exported = reporter.time("BM_ExportList");
        const double workbook = reporter.time("BM_WorkbookOnly");
        if (pdf > 0)
            std::printf("payslips to PDF: %.1f per second, %.1f ms each\n", payroll().payslips.size() * 1000.0 / pdf,
                        pdf / payroll().payslips.size());
        if (exported > 0)
            std::printf("export of %d rows: %.0f ms, %.0f rows per second\n", ListRows, exported,
                        ListRows * 1000.0 / exported);
        if (exported > 0 && workbook > 0)
            std::printf("export / workbook written directly: %.2f\n", exported / workbook);
    });
}
