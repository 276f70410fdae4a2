#include "platform/embedded/DemoDataGenerator.h"
#include "platform/embedded/SqlExec.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

using oruhr::embedded::DemoDataGenerator;
using oruhr::embedded::DemoOptions;

namespace {

// 2026-11-05 is 1405/08/14; the payroll month 1405/08 runs from 2026-10-23 to 2026-11-21.
const QDate Today(2026, 11, 5);
const QString MonthBegin = QStringLiteral("'2026-10-23'");
const QString MonthEnd = QStringLiteral("'2026-11-21'");
const QString PreviousMonthEnd = QStringLiteral("'2026-10-22'");

DemoOptions smallDemo(quint32 seed = 7, int employees = 90)
{
    DemoOptions options;
    options.employees = employees;
    options.today = Today;
    options.seed = seed;
    return options;
}

QString inMonth(const QString &alias = QString())
{
    const QString prefix = alias.isEmpty() ? QString() : alias + u'.';
    return QStringLiteral("NOT (%1EndDate < %2 OR %1BeginDate > %3)").arg(prefix, MonthBegin, MonthEnd);
}

// A demo database made by createDemoDatabase in a temporary folder, read through its own connection.
class DemoDatabase {
public:
    explicit DemoDatabase(const DemoOptions &options)
        : m_name(QStringLiteral("demo-test-%1").arg(++s_count))
    {
        const QString file = m_dir.filePath(QStringLiteral("demo.db"));
        DemoDataGenerator::createDemoDatabase(file, options);
        m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        m_database.setDatabaseName(file);
        m_database.open();
    }
    ~DemoDatabase()
    {
        m_database.close();
        m_database = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }

    QVariant scalar(const QString &sql) { return oruhr::embedded::scalar(m_database, sql); }
    int count(const QString &sql) { return scalar(sql).toInt(); }

    QStringList column(const QString &sql)
    {
        QStringList values;
        QSqlQuery query = oruhr::embedded::exec(m_database, sql);
        while (query.next())
            values << query.value(0).toString();
        return values;
    }

    QByteArray digest(const QStringList &tables)
    {
        QCryptographicHash hash(QCryptographicHash::Sha256);
        for (const QString &table : tables) {
            QSqlQuery query
                = oruhr::embedded::exec(m_database, QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(table));
            while (query.next()) {
                for (int field = 0; field < query.record().count(); ++field)
                    hash.addData((query.value(field).toString() + u'|').toUtf8());
            }
        }
        return hash.result();
    }

private:
    static inline int s_count = 0;
    QTemporaryDir m_dir;
    QString m_name;
    QSqlDatabase m_database;
};

} // namespace

TEST(DemoData, SystemParametersFixThePayrollMonthAndTheApplicationFolder)
{
    DemoDatabase plain(smallDemo());
    EXPECT_EQ(plain.scalar(QStringLiteral("SELECT Value FROM tblPelikSystemParameters WHERE ID=3450")).toString(),
              QStringLiteral("1405/08/01"));
    EXPECT_EQ(plain.scalar(QStringLiteral("SELECT Value FROM tblPelikSystemParameters WHERE ID=140")).toString(),
              QStringLiteral("/opt/oruhr/"));
    EXPECT_EQ(
        plain.scalar(QStringLiteral("SELECT min(BeginDate) FROM tblHRMonthlySalary WHERE ") + inMonth()).toString(),
        QStringLiteral("2026-10-23"));
    EXPECT_EQ(plain.scalar(QStringLiteral("SELECT max(EndDate) FROM tblHRMonthlySalary")).toString(),
              QStringLiteral("2026-11-21"));

    DemoOptions options = smallDemo();
    options.today = QDate(2025, 3, 19); // 1403/12/29, the last month of a year
    options.applicationFolder = QStringLiteral("/srv/payroll");
    DemoDatabase endOfYear(options);
    EXPECT_EQ(endOfYear.scalar(QStringLiteral("SELECT Value FROM tblPelikSystemParameters WHERE ID=3450")).toString(),
              QStringLiteral("1403/12/01"));
    EXPECT_EQ(endOfYear.scalar(QStringLiteral("SELECT Value FROM tblPelikSystemParameters WHERE ID=140")).toString(),
              QStringLiteral("/srv/payroll/"));
}

TEST(DemoData, EveryPayslipStateOccursInThePayrollMonth)
{
    DemoDatabase demo(smallDemo());
    const QString listed = QStringLiteral("SELECT count(*) FROM tblEmployee e WHERE e.ID IN (SELECT EmployeeID FROM "
                                          "tblHROrdinance WHERE Code IS NOT NULL AND %1)")
                               .arg(inMonth());
    const QString payslip
        = QStringLiteral(" AND %1 (SELECT 1 FROM tblHRMonthlySalary x WHERE x.EmployeeID = e.ID AND %2 AND %3)");
    const int all = demo.count(listed);
    const int without = demo.count(
        listed + payslip.arg(QStringLiteral("NOT EXISTS"), inMonth(QStringLiteral("x")), QStringLiteral("1=1")));
    const int temporary = demo.count(
        listed + payslip.arg(QStringLiteral("EXISTS"), inMonth(QStringLiteral("x")), QStringLiteral("x.Code IS NULL")));
    const int final = demo.count(
        listed
        + payslip.arg(QStringLiteral("EXISTS"), inMonth(QStringLiteral("x")), QStringLiteral("x.Code IS NOT NULL")));

    EXPECT_EQ(without + temporary + final, all);
    for (int state : {without, temporary, final}) {
        EXPECT_GT(state, all / 6);
        EXPECT_LT(state, all / 2);
    }
    EXPECT_GT(demo.count(QStringLiteral("SELECT count(*) FROM tblHRMonthlySalary WHERE Code IS NOT NULL AND EndDate = ")
                         + PreviousMonthEnd),
              smallDemo().employees * 8 / 10);
    EXPECT_EQ(demo.count(QStringLiteral("SELECT count(*) FROM tblHRMonthlySalary s WHERE NOT EXISTS (SELECT 1 FROM "
                                        "tblHRMonthlySalaryDetail d WHERE d.MonthlySalaryID = s.ID)")),
              0);
}

TEST(DemoData, LookupsHaveTwoLevelsAndOrdinancesUseTheirChildren)
{
    DemoDatabase demo(smallDemo());
    EXPECT_EQ(demo.column(QStringLiteral("SELECT ID FROM vwHRRecruitmentTypeMinor WHERE ID IN (6, 7) AND ParentID IN "
                                         "(SELECT ID FROM vwHRRecruitmentTypeMajor) ORDER BY ID")),
              (QStringList{QStringLiteral("6"), QStringLiteral("7")}));
    for (const char *lookup : {"vwAccountBranch", "vwAccountCostCenter", "vwHRRecruitmentType"}) {
        const QString view = QString::fromLatin1(lookup);
        EXPECT_GT(demo.count(QStringLiteral("SELECT count(*) FROM %1Major").arg(view)), 1) << lookup;
        EXPECT_EQ(
            demo.count(QStringLiteral("SELECT count(*) FROM %1Minor WHERE ParentID NOT IN (SELECT ID FROM %1Major)")
                           .arg(view)),
            0)
            << lookup;
    }
    EXPECT_EQ(demo.count(QStringLiteral(
                  "SELECT count(*) FROM tblHROrdinance WHERE BranchID NOT IN (SELECT ID FROM vwAccountBranchMinor) "
                  "OR PositionID NOT IN (SELECT ID FROM vwAccountCostCenterMinor) "
                  "OR RecruitmentTypeID NOT IN (SELECT ID FROM vwHRRecruitmentTypeMinor)")),
              0);
}

TEST(DemoData, RuntimeBatchesLeaveSomeButNotAllEmployeesLackingDirectlyEnteredFactors)
{
    DemoDatabase demo(smallDemo());
    const QString entered = QStringLiteral("SELECT FunctionID FROM tblPelikMFunctionDetail WHERE TypeID = 6 AND "
                                           "ParameterTypeID = 3 AND ")
        + inMonth();
    EXPECT_TRUE(demo.column(entered).contains(QStringLiteral("1096")));
    EXPECT_GT(demo.column(entered).size(), 1);

    const QString eligible
        = QStringLiteral("SELECT DISTINCT EmployeeID FROM tblHROrdinance o WHERE o.Code IS NOT NULL AND %1 "
                         "AND o.RecruitmentTypeID NOT IN (6, 7)")
              .arg(inMonth(QStringLiteral("o")));
    const QString lacking
        = QStringLiteral(
              "SELECT count(DISTINCT e.ID) FROM tblEmployee e, tblPelikMFunctionDetail d WHERE %1 AND d.TypeID = 6 AND "
              "d.ParameterTypeID = 3 AND d.FunctionID <> 1096 AND e.ID IN (%2) AND NOT EXISTS (SELECT 1 FROM "
              "tblHRRunTimeBatch rt, tblHRRunTimeBatchDetail rtd WHERE rt.ID = rtd.RunTimeBatchID AND %3 AND "
              "rtd.ParameterID = d.FunctionID AND rtd.EmployeeID = e.ID)")
              .arg(inMonth(QStringLiteral("d")), eligible, inMonth(QStringLiteral("rt")));
    const int candidates = demo.count(QStringLiteral("SELECT count(*) FROM (%1)").arg(eligible));
    EXPECT_GT(demo.count(lacking), 0);
    EXPECT_LT(demo.count(lacking), candidates);
    EXPECT_GT(demo.count(QStringLiteral("SELECT count(DISTINCT rtd.EmployeeID) FROM tblHRRunTimeBatch rt JOIN "
                                        "tblHRRunTimeBatchDetail rtd ON rt.ID = rtd.RunTimeBatchID WHERE ")
                         + inMonth(QStringLiteral("rt"))),
              0);
}

TEST(DemoData, TheSameSeedGivesTheSameDataAnotherSeedOtherNames)
{
    const QStringList tables{
        QStringLiteral("tblEmployee"),
        QStringLiteral("tblHROrdinance"),
        QStringLiteral("tblHROrdinanceDetail"),
        QStringLiteral("tblHRMonthlySalary"),
        QStringLiteral("tblHRMonthlySalaryDetail"),
        QStringLiteral("tblHRLoanDetail"),
        QStringLiteral("tblHRRunTimeBatchDetail"),
        QStringLiteral("tblAccountDocumentDetail"),
    };
    DemoDatabase first(smallDemo(7));
    DemoDatabase again(smallDemo(7));
    DemoDatabase other(smallDemo(8));
    EXPECT_EQ(first.digest(tables), again.digest(tables));
    const QString names = QStringLiteral("SELECT FirstName || ' ' || SureName FROM tblEmployee ORDER BY ID");
    EXPECT_NE(first.column(names), other.column(names));
}

TEST(DemoData, MakesTheRequestedNumberOfEmployees)
{
    for (int employees : {0, 1, 5, 123}) {
        DemoDatabase demo(smallDemo(7, employees));
        EXPECT_EQ(demo.count(QStringLiteral("SELECT count(*) FROM tblEmployee")), employees);
        EXPECT_EQ(demo.count(QStringLiteral("SELECT count(*) FROM tblPelikSystemParameters")), 2);
    }
}
