#include "host/DemoTemplates.h"
#include "platform/automation/Dispatch.h"
#include "platform/components/ReportEngine.h"
#include "platform/embedded/DemoDataGenerator.h"
#include "platform/embedded/EmbeddedDatabase.h"
#include "platform/embedded/SqlExec.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

using namespace oruhr;
using namespace oruhr::host;

namespace {

// A small demo database and its application folder with the templates installed.
class DemoTemplatesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        embedded::DemoOptions options;
        options.employees = 40;
        options.today = QDate(2026, 11, 25);
        options.applicationFolder = applicationFolder();
        embedded::DemoDataGenerator::createDemoDatabase(file, options);
        database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("demo-templates"));
        database.setDatabaseName(file);
        database.open();
    }
    void TearDown() override
    {
        database.close();
        database = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("demo-templates"));
    }

    QString applicationFolder() const { return dir.filePath(QStringLiteral("app")) + QLatin1Char('/'); }

    QVariant scalar(const QString &sql) { return embedded::scalar(database, sql); }

    QList<std::pair<QString, int>> catalogue()
    {
        QList<std::pair<QString, int>> entries;
        QSqlQuery query(QStringLiteral("SELECT FilePath, FormTypeID FROM tblPelikReportTemplate ORDER BY ID"), database);
        while (query.next())
            entries.append({query.value(0).toString(), query.value(1).toInt()});
        return entries;
    }

    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("demo.db"));
    QSqlDatabase database;
};

int pdfPages(const QString &file)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {file});
    process.waitForFinished(30000);
    for (const QString &line : QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    }
    return 0;
}

} // namespace

TEST_F(DemoTemplatesTest, EveryCataloguedTemplateIsShippedAndInstalled)
{
    QStringList catalogued;
    for (const auto &[path, formType] : catalogue())
        catalogued << path;
    catalogued.sort();
    EXPECT_EQ(DemoTemplates::relativePaths(), catalogued);

    ASSERT_TRUE(DemoTemplates::install(applicationFolder()));
    for (const QString &path : catalogued)
        EXPECT_TRUE(QFileInfo::exists(applicationFolder() + path)) << qPrintable(path);

    // An emptied copy is written again; one the user has edited stays as it is.
    const QString payslip = applicationFolder() + QStringLiteral("Reports/payslip.html");
    QFile damaged(payslip);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.close();
    const QString ordinance = applicationFolder() + QStringLiteral("Reports/ordinance.html");
    QFile edited(ordinance);
    ASSERT_TRUE(edited.open(QIODevice::WriteOnly | QIODevice::Truncate));
    edited.write("<html><body>{{FirstName}}</body></html>");
    edited.close();
    ASSERT_TRUE(DemoTemplates::install(applicationFolder()));
    EXPECT_GT(QFileInfo(payslip).size(), 1000);
    EXPECT_EQ(QFileInfo(ordinance).size(), 39);

    EXPECT_FALSE(DemoTemplates::install(QStringLiteral("/proc/no-such-folder/")));
}

TEST_F(DemoTemplatesTest, EachTemplatePrintsARecordOfItsFormTypeOnOnePage)
{
    ASSERT_TRUE(DemoTemplates::install(applicationFolder()));
    // The record with the most lines of its kind, so that the page must hold them all.
    const int payslip = scalar(QStringLiteral("SELECT MonthlySalaryID FROM tblHRMonthlySalaryDetail GROUP BY "
                                              "MonthlySalaryID ORDER BY count(*) DESC, MonthlySalaryID LIMIT 1"))
                            .toInt();
    const int ordinance = scalar(QStringLiteral("SELECT OrdinanceID FROM tblHROrdinanceDetail GROUP BY OrdinanceID "
                                                "ORDER BY count(*) DESC, OrdinanceID LIMIT 1"))
                              .toInt();
    QTemporaryDir pdfs;
    ReportEngine engine;
    engine.setProperty("ConnectionText", embedded::EmbeddedDatabase::connectionString(file));
    engine.setProperty("PdfFolder", pdfs.path());
    engine.setProperty("PrinterName", QStringLiteral("pdf"));
    for (const auto &[path, formType] : catalogue()) {
        SCOPED_TRACE(qPrintable(path));
        Dispatch::setProperty(engine, "ReportFileName", applicationFolder() + path);
        Dispatch::call(engine, "SetRecordFilter",
                       {1, QStringLiteral("ID = ") + QString::number(formType == 1401 ? ordinance : payslip)});
        Dispatch::call(engine, "ShowReport", {QVariant::fromValue<qint16>(0)});
        EXPECT_EQ(pdfPages(Dispatch::property(engine, "LastOutputFile").toString()), 1);
    }
}
