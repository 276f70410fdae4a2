#include "platform/automation/ComponentError.h"
#include "platform/embedded/EmbeddedProcedures.h"
#include "tests/embedded/PayrollMonthFixture.h"

#include <QStringList>

#include <barrier>
#include <thread>

namespace oruhr::test {
namespace {

// A payroll month of its own on the backend given, outside gtest's fixtures.
struct Month : PayrollMonthFixture {
    using PayrollMonthFixture::PayrollMonthFixture;
    void TestBody() override {}
};

TEST(ServerProcedures, TheSameInputsGiveTheSamePayslipToTheRialOnBothDatabases)
{
    QList<QMap<int, qint64>> payslips;
    for (const Backend backend : {Backend::Embedded, Backend::PostgreSQL}) {
        Month month(backend);
        const int ali = month.hire(QDate(2024, 3, 20), {{Month::Base, 387'654'321}, {Month::Housing, 9'000'001},
                                                        {Month::ChildAllowance, 3'333'333}});
        month.enter(ali, Month::Overtime, 17);
        month.enter(ali, Month::Absence, 2);
        month.loan(ali, 50'000'000, 4'166'667);
        month.fund(ali, 1'250'000);
        const int id = month.create(ali);
        ASSERT_GT(id, 0);
        payslips << month.lines(id);
        payslips.last().insert(-1, month.paidLoans(id).value(month.db.scalar("SELECT max(ID) FROM tblHRLoan").toInt()));
    }
    EXPECT_EQ(payslips[0], payslips[1]);
    EXPECT_TRUE(payslips[0].contains(Month::Tax));
}

struct ClerkResult {
    int created = 0;
    QStringList finalized;
    qint32 document = 0;
    QString failure;
};

// One clerk: a connection of its own on a thread of its own, pressing the same buttons for
// the same employees as the other clerk at the same moments.
void clerk(const QString &server, std::barrier<> &together, const QList<int> &staff, QDate begin, QDate end,
           ClerkResult &result)
{
    db::Connection connection;
    connection.setConnectionString(server);
    const embedded::EmbeddedProcedures procedures;
    const auto each = [&](const QString &procedure) {
        together.arrive_and_wait();
        QStringList done;
        for (const int employee : staff)
            if (procedures.call(connection, procedure, {1, begin, end, employee}) != 0)
                done << QString::number(employee);
        return done;
    };
    try {
        result.created = int(each(QStringLiteral("spHRCreateMonthlySalary")).size());
        result.finalized = each(QStringLiteral("spHRFinalizedMonthlySalary"));
        QStringList everyone;
        for (const int employee : staff)
            everyone << QString::number(employee);
        together.arrive_and_wait();
        // Both post everyone: what one posts, the other must find posted.
        result.document = procedures.call(connection, QStringLiteral("spHRAccountDocSave"), {1, end, everyone.join(',')});
    } catch (const ComponentError &error) {
        result.failure = error.description();
        together.arrive_and_drop(); // the other clerk must not wait for this one
    }
}

TEST(ServerProcedures, TwoClerksOnTheSameThousandEmployeesMakeEachPayslipNumberAndPostingOnce)
{
    Month month(Backend::PostgreSQL);
    QList<int> staff;
    for (int i = 0; i < 1000; ++i)
        staff << month.hire(QDate(2024, 3, 20), {{Month::Base, 100'000'000 + i}});

    std::barrier together(2);
    ClerkResult results[2];
    {
        std::jthread a(clerk, month.db.connectionString(), std::ref(together), std::cref(staff), month.begin,
                       month.end, std::ref(results[0]));
        std::jthread b(clerk, month.db.connectionString(), std::ref(together), std::cref(staff), month.begin,
                       month.end, std::ref(results[1]));
    }
    for (const ClerkResult &result : results)
        EXPECT_EQ(result.failure, QString());
    EXPECT_EQ(results[0].created + results[1].created, 1000);
    EXPECT_EQ(results[0].finalized.size() + results[1].finalized.size(), 1000);
    EXPECT_TRUE((results[0].document > 0) != (results[1].document > 0));

    TestDatabase &db = month.db;
    EXPECT_EQ(db.scalar("SELECT count(DISTINCT EmployeeID) FROM tblHRMonthlySalary").toInt(), 1000);
    EXPECT_EQ(db.count("tblHRMonthlySalary"), 1000);
    EXPECT_EQ(db.scalar("SELECT count(DISTINCT Code) FROM tblHRMonthlySalary").toInt(), 1000);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM (SELECT MonthlySalaryID FROM tblHRMonthlySalaryDetail "
                        "GROUP BY MonthlySalaryID HAVING count(*) = 3) x")
                  .toInt(),
              1000);
    EXPECT_EQ(db.count("tblHRMonthlySalaryDetail"), 3000);
    // Each payslip in exactly one document, which balances.
    EXPECT_EQ(db.scalar("SELECT count(*) FROM (SELECT p.MonthlySalaryID FROM tblHRMonthlySalaryPosting p JOIN "
                        "tblAccountDocumentDetail d ON d.ID = p.AccountDocumentDetailID GROUP BY p.MonthlySalaryID "
                        "HAVING count(DISTINCT d.DocumentID) = 1) x")
                  .toInt(),
              1000);
    EXPECT_EQ(db.count("tblAccountDocument"), 1);
    EXPECT_EQ(db.scalar("SELECT sum(Debit) - sum(Credit) FROM tblAccountDocumentDetail").toLongLong(), 0);
}

} // namespace
} // namespace oruhr::test
