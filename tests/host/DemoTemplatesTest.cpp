#include "host/DemoTemplates.h"
#include "platform/automation/Dispatch.h"
#include "platform/components/ReportEngine.h"
#include "platform/embedded/DemoDataGenerator.h"
#include "platform/embedded/EmbeddedDatabase.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

using namespace oruhr;
using namespace oruhr::host;

namespace {

int pdfPages(const QString &file)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {file});
    process.waitForFinished(30000);
    const QString info = QString::fromUtf8(process.readAllStandardOutput());
    const qsizetype at = info.indexOf(QLatin1String("Pages:"));
    return at < 0 ? 0 : info.mid(at + 6).section(QLatin1Char('\n'), 0, 0).trimmed().toInt();
}

} // namespace

TEST(DemoTemplates, EveryCataloguedTemplateIsInstalledAndPrintsARecordOfItsFormTypeOnOnePage)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("demo.db")), app = dir.filePath(QStringLiteral("app")) + '/';
    embedded::DemoOptions options;
    options.employees = 40;
    options.today = QDate(2026, 11, 25);
    options.applicationFolder = app;
    embedded::DemoDataGenerator::createDemoDatabase(file, options);

    // The catalogue, and the records with the most lines of each kind, so that a page must hold them all.
    QList<std::pair<QString, int>> catalogue;
    int payslip = 0, ordinance = 0;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("demo-templates"));
        database.setDatabaseName(file);
        ASSERT_TRUE(database.open());
        QSqlQuery query(QStringLiteral("SELECT FilePath, FormTypeID FROM tblPelikReportTemplate ORDER BY ID"), database);
        while (query.next())
            catalogue.append({query.value(0).toString(), query.value(1).toInt()});
        auto most = [&](const char *id, const char *table) {
            QSqlQuery q(QStringLiteral("SELECT %1 FROM %2 GROUP BY %1 ORDER BY count(*) DESC, %1 LIMIT 1")
                            .arg(QLatin1String(id), QLatin1String(table)), database);
            return q.next() ? q.value(0).toInt() : 0;
        };
        payslip = most("MonthlySalaryID", "tblHRMonthlySalaryDetail");
        ordinance = most("OrdinanceID", "tblHROrdinanceDetail");
    }
    QSqlDatabase::removeDatabase(QStringLiteral("demo-templates"));
    QStringList catalogued;
    for (const auto &[path, formType] : catalogue)
        catalogued << path;
    catalogued.sort();
    EXPECT_EQ(DemoTemplates::relativePaths(), catalogued);

    ASSERT_TRUE(DemoTemplates::install(app));
    QTemporaryDir pdfs;
    ReportEngine engine;
    engine.setProperty("ConnectionText", embedded::EmbeddedDatabase::connectionString(file));
    engine.setProperty("PdfFolder", pdfs.path());
    engine.setProperty("PrinterName", QStringLiteral("pdf"));
    for (const auto &[path, formType] : catalogue) {
        Dispatch::setProperty(engine, "ReportFileName", app + path);
        Dispatch::call(engine, "SetRecordFilter", {1, QStringLiteral("ID = %1").arg(formType == 1401 ? ordinance : payslip)});
        Dispatch::call(engine, "ShowReport", {QVariant::fromValue<qint16>(0)});
        EXPECT_EQ(pdfPages(Dispatch::property(engine, "LastOutputFile").toString()), 1) << qPrintable(path);
    }

    EXPECT_FALSE(DemoTemplates::install(QStringLiteral("/proc/no-such-folder/")));
}
