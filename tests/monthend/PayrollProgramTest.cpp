#include "host/HostWindow.h"
#include "host/MonthEndPanel.h"
#include "host/StoredForm.h"
#include "shell/OruHRPrintBatch1.h"
#include "tests/embedded/PayrollMonthFixture.h"
#include "tests/support/TestKit.h"

namespace oruhr::test {
namespace {

// Two employees of the month: one paid into a valid account, one with no account yet.
struct MonthEndProgram : PayrollMonthFixture {
    MonthEndProgram()
    {
        const int paid = hire(QDate(2024, 1, 1), {{Base, 150'000'000}});
        hire(QDate(2024, 1, 1), {{Base, 120'000'000}});
        db.exec("UPDATE tblEmployee SET ShebaNumber = 'IR062960000000100324200001' WHERE ID = ?", {paid});
    }

    std::pair<int, QString> run(const QStringList &arguments)
    {
        QProcess process;
        process.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        process.start(QStringLiteral(ORUHR_PAYROLL_PROGRAM), arguments);
        EXPECT_TRUE(process.waitForFinished(120000));
        return {process.exitCode(),
                QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError())};
    }
};

TEST_F(MonthEndProgram, ExitStatusSaysWhetherEverythingAskedWasDone)
{
    QTemporaryDir dir;
    const QString connection = db.connectionString(), bankFile = dir.filePath("bank.csv");
    const struct {
        QStringList arguments;
        int status;
        const char *says;
    } cases[] = {
        {{}, 2, "a command is needed"},
        {{"--connection", connection, "--month", "1404/13", "unposted"}, 2, "1404/13"},
        {{"--connection", connection, "--employees", "branch=x", "run", "calc"}, 2, "branch=x"},
        {{"--connection", connection, "run", "back"}, 2, "آيا قصد بازگشت داريد"},
        {{"--connection", connection, "run", "tempsave"}, 0, "تعداد 2 فيش حقوقي ثبت موقت شد."},
        {{"--connection", connection, "--employees", "ids=1", "run", "finalize"}, 0, "ايجاد شد."},
        {{"--connection", connection, "run", "finalize"}, 0, "تعداد 1 فيش حقوقي ثبت قطعي شد."},
        {{"--connection", connection, "post"}, 0, "سندي صادر نشد"},
        {{"--connection", connection, "--out", bankFile, "bank-file"}, 3, "شماره شبا ندارد"},
        {{"--connection", connection, "--user", "1", "--yes", "run", "back"}, 0, "تعداد 2 فيش حقوقي بازگشت داده شد."},
        {{"--connection", connection, "run", "delete"}, 2, "حذف گروهي"},
        {{"--connection", "Provider=SQLite;Data Source=" + dir.filePath("none/x.db"), "post"}, 1, "oruhr-payroll:"},
    };
    for (const auto &c : cases) {
        const auto [status, output] = run(c.arguments);
        EXPECT_EQ(status, c.status) << qPrintable(c.arguments.join(' ') + "\n" + output);
        EXPECT_TRUE(output.contains(QString::fromUtf8(c.says))) << qPrintable(c.arguments.join(' ') + "\n" + output);
    }
    db.exec("ALTER TABLE tblEmployee DROP COLUMN ShebaNumber");
    const auto [status, output] = run({"--connection", connection, "--month", "1404/06", "--out", bankFile, "bank-file"});
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(output.contains("ستون ShebaNumber در جدول tblEmployee")) << qPrintable(output);

    hire(QDate(2024, 1, 1), {{Base, 1}}); // a pay that cannot bear its insurance
    const auto [stopped, told] = run({"--connection", connection, "run", "tempsave"});
    EXPECT_EQ(stopped, 1);
    EXPECT_TRUE(told.contains("کار در کارمند 103 نام3 فاميل3 متوقف شد")) << qPrintable(told);
}

TEST_F(MonthEndProgram, TheHostShowsWhatAFinalisationLeftUnpostedAndPostsIt)
{
    for (const int employee : {1, 2}) {
        create(employee);
        finalize(employee);
    }
    QTemporaryDir dir;
    host::HostWindow window{host::StoredForm(dir.filePath("host.ini"))};
    window.control().session().dtEn().connection().setLocalProcedures(std::make_shared<embedded::EmbeddedProcedures>());
    window.control().setOLEConnectionString(db.connectionString());
    host::MonthEndPanel &panel = window.monthEnd();
    panel.refresh();
    EXPECT_TRUE(child<QLabel>(&window, "unposted")->text().startsWith(QStringLiteral("تعداد 2 فيش حقوقي قطعي ماه 1404/06")));
    ASSERT_TRUE(child<QPushButton>(&window, "post")->isEnabled());
    child<QPushButton>(&window, "post")->click();
    EXPECT_TRUE(panel.resultText().contains(QStringLiteral("تعداد 2 فيش حقوقي در 1 سند حسابداري ثبت شد.")))
        << qPrintable(panel.resultText());
    EXPECT_FALSE(child<QPushButton>(&window, "post")->isEnabled());
    panel.writeBankFile(dir.filePath("bank.xlsx"));
    EXPECT_TRUE(panel.resultText().contains(QStringLiteral("فايل بانک با 1 رديف"))) << qPrintable(panel.resultText());
}

} // namespace
} // namespace oruhr::test
