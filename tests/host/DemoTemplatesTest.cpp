#include "host/DemoTemplates.h"
#include "platform/automation/Dispatch.h"
#include "platform/components/ReportEngine.h"
#include "platform/database/Recordset.h"
#include "platform/embedded/DemoDataGenerator.h"
#include "platform/embedded/EmbeddedDatabase.h"
#include "tests/support/TestKit.h"

using namespace oruhr;

namespace {

int pdfPages(const QString &file)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {file});
    process.waitForFinished(30000);
    return QRegularExpression(QStringLiteral("Pages:\\s*(\\d+)")).match(process.readAllStandardOutput()).captured(1).toInt();
}

} // namespace

TEST(DemoTemplates, EveryCataloguedTemplateIsInstalledAndPrintsARecordOfItsFormTypeOnOnePage)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("demo.db")), app = dir.filePath(QStringLiteral("app")) + '/';
    embedded::DemoDataGenerator::createDemoDatabase(file, {40, QDate(2026, 11, 25), 1405, app});
    ASSERT_TRUE(host::DemoTemplates::install(app));
    EXPECT_FALSE(host::DemoTemplates::install(QStringLiteral("/proc/no-such-folder/")));

    // Each template with the record of its kind that has the most lines, so that a page must hold them all.
    db::Connection connection;
    connection.setConnectionString(embedded::EmbeddedDatabase::connectionString(file));
    db::Recordset catalogue(connection);
    catalogue.open(QStringLiteral(
        "SELECT FilePath, CASE FormTypeID WHEN 1401 THEN (SELECT OrdinanceID FROM tblHROrdinanceDetail GROUP BY "
        "OrdinanceID ORDER BY count(*) DESC LIMIT 1) ELSE (SELECT MonthlySalaryID FROM tblHRMonthlySalaryDetail "
        "GROUP BY MonthlySalaryID ORDER BY count(*) DESC LIMIT 1) END AS Record FROM tblPelikReportTemplate "
        "ORDER BY FilePath"));
    QTemporaryDir pdfs;
    ReportEngine engine;
    engine.setProperty("ConnectionText", connection.connectionString());
    engine.setProperty("PdfFolder", pdfs.path());
    engine.setProperty("PrinterName", QStringLiteral("pdf"));
    QStringList catalogued;
    for (; !catalogue.eof(); catalogue.moveNext()) {
        catalogued << catalogue.field("FilePath").toString();
        Dispatch::setProperty(engine, "ReportFileName", app + catalogued.last());
        Dispatch::call(engine, "SetRecordFilter", {1, QStringLiteral("ID = %1").arg(catalogue.field("Record").toInt())});
        Dispatch::call(engine, "ShowReport", {QVariant::fromValue<qint16>(0)});
        EXPECT_EQ(pdfPages(Dispatch::property(engine, "LastOutputFile").toString()), 1) << qPrintable(catalogued.last());
    }
    EXPECT_EQ(host::DemoTemplates::relativePaths(), catalogued);
}
