#include "host/DemoTemplates.h"
#include "platform/automation/Dispatch.h"
#include "platform/components/ReportEngine.h"
#include "platform/components/ReportErrors.h"
#include "platform/components/ReportFiller.h"
#include "platform/components/SpreadsheetApplication.h"
#include "platform/database/Recordset.h"
#include "demo/DemoDataGenerator.h"
#include "platform/embedded/EmbeddedDatabase.h"
#include "host/StoredForm.h"
#include "shell/PropertyBag.h"
#include "tests/support/TestKit.h"

#include <sys/stat.h>

using namespace oruhr;
using namespace oruhr::test;

namespace {

// The PDF's text in logical order: shaped letters back to their plain forms, without the
// direction marks that pdftotext puts around right-to-left runs.
QString pdfText(const QString &file)
{
    QString text = QString::fromUtf8(outputOf(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                                                                             file, QStringLiteral("-")}))
                       .normalized(QString::NormalizationForm_KC);
    return text.remove(QRegularExpression(QStringLiteral("[\\x{200E}\\x{200F}\\x{202A}-\\x{202E}]")));
}

int pdfPages(const QString &file)
{
    return QRegularExpression(QStringLiteral("Pages:\\s*(\\d+)")).match(QString::fromUtf8(outputOf(QStringLiteral("pdfinfo"), {file}))).captured(1).toInt();
}

// The report component printing one record of a template to a PDF file of a folder of its own.
struct PdfReports {
    explicit PdfReports(const QString &connection)
    {
        engine.setProperty("ConnectionText", connection);
        engine.setProperty("PdfFolder", output.path());
        engine.setProperty("PrinterName", QStringLiteral("pdf"));
    }
    QString print(const QString &templateFile, int recordId)
    {
        Dispatch::setProperty(engine, "ReportFileName", templateFile);
        Dispatch::call(engine, "SetRecordFilter", {1, QStringLiteral("ID = %1").arg(recordId)});
        Dispatch::call(engine, "ShowReport", {QVariant::fromValue<qint16>(0)});
        return Dispatch::property(engine, "LastOutputFile").toString();
    }
    QTemporaryDir output;
    ReportEngine engine;
};

ReportRecord record(const QVariantMap &values)
{
    return {values.keys(), values.values()};
}

const QString shippedPayslip = QStringLiteral(ORUHR_TEMPLATE_DIR "/payslip.html");

} // namespace

TEST(ReportFiller, PlaceholdersTakeTheRecordAndDetailLinesRepeat)
{
    const ReportRecord main = record({{"Name", "علي <b>"}, {"Code", "1405"}, {"Total", 1234567}, {"Debt", -2500.4},
                                      {"Begin", "2026-11-22"}, {"Missing", QVariant()}});
    const QList<ReportRecord> lines{record({{"Item", "پايه"}, {"Amount", 1000}}), record({{"Item", "مسکن"}, {"Amount", QVariant()}})};
    const QString body = QStringLiteral(
        "<p>{{name}}|{{Code|fa}}|{{Total|number}}|{{Debt|number}}|{{Begin|jalali}}|{{Missing|number}}|{{Missing}}</p>"
        "<table><!--detail--><tr><td>{{#}}</td><td>{{Item}}</td><td>{{Amount|number}}</td><td>{{Code}}</td></tr>"
        "<!--/detail--></table>");
    EXPECT_EQ(ReportFiller::fill(body, main, {{QString(), lines}}),
              QStringLiteral("<p>علي &lt;b&gt;|۱۴۰۵|۱٬۲۳۴٬۵۶۷|(۲٬۵۰۰)|۱۴۰۵/۰۹/۰۱||</p>"
                             "<table><tr><td>۱</td><td>پايه</td><td>۱٬۰۰۰</td><td>1405</td></tr>"
                             "<tr><td>۲</td><td>مسکن</td><td></td><td>1405</td></tr></table>"));
    EXPECT_TRUE(ReportFiller::fill(body, main, {}).endsWith(QStringLiteral("<table></table>")));
    EXPECT_EQ(errorNumber([&] { ReportFiller::fill(QStringLiteral("{{Nope}}"), main, {}); }), ReportErrors::FieldNotInReport);
    // Named lists side by side, each with its own lines.
    EXPECT_EQ(ReportFiller::fill(QStringLiteral("<!--detail:a-->[{{#}}{{Item}}]<!--/detail:a-->|"
                                                "<!--detail:b-->({{Item}})<!--/detail:b-->"),
                                 main, {{QStringLiteral("a"), lines}, {QStringLiteral("b"), lines.mid(1)}}),
              QStringLiteral("[۱پايه][۲مسکن]|(مسکن)"));
    // Detail SQL takes the main record's values as parameters, never as text.
    const ReportRecord keys = record({{"ID", 42}, {"Name", "O'Neil"}, {"Gone", QVariant()}});
    const ReportFiller::BoundSql bound =
        ReportFiller::bindSql(QStringLiteral("Where a = {{ID}} and b = {{Name}} and c = {{ Gone }}"), keys);
    EXPECT_EQ(bound.sql, QStringLiteral("Where a = ? and b = ? and c = ?"));
    EXPECT_EQ(bound.values, (QVariantList{42, QStringLiteral("O'Neil"), QVariant()}));
}

TEST(ReportEngine, APayslipGoesToAPdfWithTheEmployeeAndTheAmountsAndFailuresCarryTheReportsNumbers)
{
    SeededPayroll db;
    PdfReports reports(db.connectionString());
    db.exec(QStringLiteral("UPDATE tblEmployee SET NationalCode = '0012345678' WHERE ID = 8"));
    // The lines print by the kinds they were computed with.
    db.exec(QStringLiteral("INSERT INTO tblHRMonthlySalaryDetail (MonthlySalaryID, FunctionID, Amount, Kind) "
                           "VALUES (?, 2001, 70, 2), (?, 504, 25000000, 1)"),
            {db.temporaryPayslipOf8, db.temporaryPayslipOf8});
    const QString pdf = reports.print(shippedPayslip, db.temporaryPayslipOf8);
    EXPECT_EQ(QFileInfo(pdf).absolutePath(), QFileInfo(reports.output.path()).absoluteFilePath());
    const QString text = pdfText(pdf);
    for (const char *expected : {"نرگس", "جعفري", "حق ماموريت", "۲۵٬۰۰۰٬۰۰۰", "۲۵٬۰۰۰٬۹۳۰", "۱۴۰۵/۰۹/۰۱", "۰۰۱۲۳۴۵۶۷۸"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << qPrintable(text);
    EXPECT_FALSE(text.contains(QStringLiteral("۱۴۰۵/۰۸/۰۱"))); // not the previous month's payslip

    const int id = db.temporaryPayslipOf8;
    EXPECT_EQ(errorNumber([&] { reports.print(reports.output.filePath(QStringLiteral("none.html")), 1); }),
              ComponentError::ReportFileCannotBeOpened);
    EXPECT_EQ(errorNumber([&] { reports.print(shippedPayslip, 999); }), ReportErrors::NoRecord);
    // A value given by ConnectionValue wins over ConnectionText; an empty one falls back to it.
    Dispatch::call(reports.engine, "ConnectionValue", {QStringLiteral("Provider=SQLite;Data Source=/proc/no/such.db")});
    EXPECT_EQ(errorNumber([&] { reports.print(shippedPayslip, id); }), ReportErrors::DataUnavailable);
    Dispatch::call(reports.engine, "ConnectionValue", {QString()});
    EXPECT_TRUE(reports.output.remove()); // the folder for PDFs is made again when it is missing
    EXPECT_TRUE(QFileInfo::exists(reports.print(shippedPayslip, id)));
}

class ReportSqlTest : public ::testing::TestWithParam<Backend> {};

TEST_P(ReportSqlTest, ReadsOnlyAndATemplateThatWritesFailsNamingItsFileAndChangesNothing)
{
    SeededPayroll db(GetParam());
    PdfReports reports(db.connectionString());
    const auto templateFile = [&](const char *name, const char *detailSql) {
        const QString file = reports.output.filePath(QString::fromLatin1(name));
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(QByteArray("<script type=\"text/x-sql\" id=\"main\">SELECT ID, FirstName FROM tblEmployee</script>"
                             "<script type=\"text/x-sql\" id=\"detail\">")
                  + detailSql + "</script><p>{{FirstName}}</p><!--detail-->{{Line}}<!--/detail-->");
        return file;
    };
    const QString reading = templateFile("reading.html", "SELECT FirstName AS Line FROM tblEmployee WHERE ID = {{ID}}");
    EXPECT_TRUE(pdfText(reports.print(reading, 8)).contains(QStringLiteral("نرگس")));

    const QString writing = templateFile("writing.html", "UPDATE tblEmployee SET FirstName = 'x' WHERE ID = {{ID}}");
    try {
        reports.print(writing, 8);
        ADD_FAILURE() << "the template that writes was printed";
    } catch (const ComponentError &error) {
        EXPECT_EQ(error.number(), ReportErrors::SqlWouldWrite);
        EXPECT_TRUE(error.description().startsWith(QStringLiteral("SQL قالب گزارش داده ها را تغيير مي دهد")));
        EXPECT_TRUE(error.description().contains(writing));
    }
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT FirstName FROM tblEmployee WHERE ID = 8")).toString(), QStringLiteral("نرگس"));
    // The connection goes on reading for the next report.
    EXPECT_TRUE(QFileInfo::exists(reports.print(reading, 8)));
    // A template changed on disk is read again; a PDF written in the background is whole after the wait.
    templateFile("reading.html", "SELECT SureName AS Line FROM tblEmployee WHERE ID = {{ID}}");
    reports.engine.setProperty("WritesInBackground", true);
    const QString background = reports.print(reading, 8);
    Dispatch::call(reports.engine, "WaitForOutput");
    EXPECT_TRUE(pdfText(background).contains(QStringLiteral("جعفري")));
}

INSTANTIATE_TEST_SUITE_P(Backends, ReportSqlTest, ::testing::Values(Backend::Embedded, Backend::Odbc, Backend::PostgreSQL),
                         backendName);

TEST(DemoTemplates, EveryCataloguedTemplateIsInstalledAndPrintsARecordOfItsFormTypeOnOnePage)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("demo.db")), app = dir.filePath(QStringLiteral("app")) + '/';
    demo::DemoDataGenerator::createDemoDatabase(file, {40, QDate(2026, 11, 25), 1405, app});
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
    PdfReports reports(connection.connectionString());
    QStringList catalogued;
    for (; !catalogue.eof(); catalogue.moveNext()) {
        catalogued << catalogue.field("FilePath").toString();
        EXPECT_EQ(pdfPages(reports.print(app + catalogued.last(), catalogue.field("Record").toInt())), 1)
            << qPrintable(catalogued.last());
    }
    EXPECT_EQ(host::DemoTemplates::relativePaths(), catalogued);
}

// What the programs write is the user's alone, whatever the umask of the process.
TEST(PrivateFiles, TheDatabaseItsCompanionsThePdfsTheirFolderTheWorkbookAndTheStoredForm)
{
    SeededPayroll db; // made as the demo is; its open handle keeps the -wal and -shm files
    PdfReports reports(db.connectionString());
    const QString pdfFolder = reports.output.filePath(QStringLiteral("OruHR reports"));
    reports.engine.setProperty("PdfFolder", pdfFolder);
    const QString pdf = reports.print(shippedPayslip, db.temporaryPayslipOf8);

    const SpreadsheetApplication::Opener opener = SpreadsheetApplication::opener();
    SpreadsheetApplication::setOpener([](const QString &) { return true; });
    SpreadsheetApplication spreadsheet;
    spreadsheet.AddWorkbook();
    spreadsheet.SetCellValue(1, 1, QStringLiteral("کد"));
    spreadsheet.setVisible(true);
    SpreadsheetApplication::setOpener(opener);

    const host::StoredForm form(reports.output.filePath(QStringLiteral("form.ini")));
    form.save(PropertyBag());

    const std::pair<QString, unsigned> expected[] = {
        {db.file(), 0600u}, {db.file() + QStringLiteral("-wal"), 0600u}, {db.file() + QStringLiteral("-shm"), 0600u},
        {pdfFolder, 0700u}, {pdf, 0600u}, {spreadsheet.savedFile(), 0600u}, {form.file(), 0600u}};
    for (const auto &[file, mode] : expected) {
        struct stat status {};
        EXPECT_EQ(::stat(QFile::encodeName(file).constData(), &status) == 0 ? status.st_mode & 0777u : 1u, mode)
            << qPrintable(file);
    }
    QFile::remove(spreadsheet.savedFile());
}
