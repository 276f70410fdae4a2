#include "platform/database/Connection.h"
#include "platform/embedded/DatabaseAdministration.h"
#include "demo/DemoDataGenerator.h"
#include "tests/embedded/PayrollMonthFixture.h"
#include "tests/support/TestKit.h"

#include <QFile>

namespace oruhr::test {
namespace {

// An administrator's database on each back end, through the product's own connection.
class Administration : public ::testing::TestWithParam<Backend> {
protected:
    Administration()
        : db(GetParam())
    {
        connection.setConnectionString(db.connectionString());
    }

    // The first release's schema, as it made it, in place of this one's.
    void firstReleaseSchema()
    {
        admin.drop();
        QFile schema(QStringLiteral(ORUHR_SCHEMA_V1_DIR "/schema-v1-%1.sql")
                         .arg(GetParam() == Backend::PostgreSQL ? "postgres" : "sqlite"));
        ASSERT_TRUE(schema.open(QIODevice::ReadOnly));
        for (const QString &statement : QString::fromUtf8(schema.readAll()).split(QStringLiteral(";\n"), Qt::SkipEmptyParts))
            db.exec(statement);
    }

    TestDatabase db;
    db::Connection connection;
    embedded::DatabaseAdministration admin{connection};
};

TEST_P(Administration, UpgradeFromTheFirstReleaseKeepsTheMoneyAndTheNumbers)
{
    firstReleaseSchema();
    EXPECT_EQ(admin.inspect().version, 1);
    db.exec("INSERT INTO tblPelikMFunction VALUES (1001, 'حقوق پايه'), (2001, 'حق بيمه سهم کارمند')");
    db.exec("INSERT INTO tblPelikMFunctionDetail (FunctionID, TypeID, ParameterTypeID, BeginDate, EndDate, "
            "SequenceInMonthlySalary, Kind, Method, Rate, Divisor, Insurable, Taxable) VALUES "
            "(1001, 1, 1, '2025-03-21', '9999-12-31', 10, 1, 2, 10000, 1, 1, 1), "
            "(2001, 2, 2, '2025-03-21', '9999-12-31', 200, 2, 5, 700, 1, 0, 0)");
    db.exec("INSERT INTO tblHRInsuranceCeiling VALUES ('2025-03-21', '9999-12-31', 727367760)");
    db.exec("INSERT INTO tblHRTaxBracket VALUES ('2025-03-21', '9999-12-31', 0, 0)");
    const int employee = db.addEmployee("7", "مريم", "رضايي");
    db.exec("INSERT INTO tblHROrdinance (EmployeeID, Code, BeginDate, EndDate) VALUES (?, '1', '2025-03-21', "
            "'2027-03-20')", {employee});
    db.exec("INSERT INTO tblHROrdinanceDetail VALUES (1, 1001, 150000000)");
    db.exec("INSERT INTO tblHRMonthlySalary (EmployeeID, OrdinanceID, Code, BeginDate, EndDate) VALUES (?, 1, '41', "
            "'2025-08-23', '2025-09-22')", {employee});
    db.exec("INSERT INTO tblHRMonthlySalaryDetail (MonthlySalaryID, FunctionID, Amount) VALUES (1, 1001, 150000000), "
            "(1, 2001, 10500000)");

    admin.upgrade();

    EXPECT_EQ(admin.inspect().problems, QStringList());
    EXPECT_EQ(db.scalar("SELECT DailyMaximum || '/' || DailyMinimum FROM tblHRInsuranceCeiling").toString(),
              "24245592/3463656");
    EXPECT_EQ(db.count("tblHRMonthlySalaryDetail", "Kind = 2 AND Amount = 10500000"), 1);
    EXPECT_EQ(db.scalar("SELECT GivenCode FROM tblHRMonthlySalary").toString(), "41");
    // The next month is made and numbered on the upgraded tables.
    TestSession session;
    session.connectTo(db.connectionString());
    ASSERT_GT(session.dtEn().spHRCreateMonthlySalary(1, QDate(2025, 9, 23), QDate(2025, 10, 22), employee), 0);
    ASSERT_GT(session.dtEn().spHRFinalizedMonthlySalary(1, QDate(2025, 9, 23), QDate(2025, 10, 22), employee), 0);
    EXPECT_EQ(db.scalar("SELECT max(Code) FROM tblHRMonthlySalary").toString(), "42");
}

TEST_P(Administration, NothingIsMadeOverOrDroppedUnderADatabaseWithEmployees)
{
    db.addEmployee("7", "مريم", "رضايي");
    EXPECT_THROW(admin.init(), ComponentError);
    demo::DemoOptions demo;
    demo.employees = 3;
    if (GetParam() == Backend::Embedded)
        EXPECT_THROW(demo::DemoDataGenerator::createDemoDatabase(db.file(), demo), ComponentError);
    else
        EXPECT_THROW(demo::DemoDataGenerator::createOnServer(db.connectionString(), demo), ComponentError);
    EXPECT_EQ(db.count("tblEmployee"), 1);
    EXPECT_TRUE(admin.inspect().isCurrent());
}

INSTANTIATE_TEST_SUITE_P(Backends, Administration, ::testing::Values(Backend::Embedded, Backend::PostgreSQL),
                         backendName);

} // namespace
} // namespace oruhr::test
