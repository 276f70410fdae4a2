#include "common/CommonSql.h"
#include "documents/DocumentSql.h"
#include "payslips/PayslipSql.h"
#include "platform/database/Connection.h"
#include "platform/database/Recordset.h"
#include "tests/support/TestKit.h"

using namespace oruhr;
using namespace oruhr::test;

namespace {

// The rows of a query as text; sorted unless the query fixes their order.
QStringList rowsOf(db::Connection &connection, const QString &sql)
{
    db::Recordset recordset(connection);
    recordset.open(sql);
    QStringList rows;
    for (recordset.moveFirst(); !recordset.eof(); recordset.moveNext()) {
        QStringList fields;
        for (int i = 0; i < recordset.fieldNames().size(); ++i)
            fields << (recordset.field(i).isNull() ? QStringLiteral("NULL") : recordset.field(i).toString());
        rows << fields.join(QLatin1Char('|'));
    }
    if (!sql.contains(QLatin1String("Order by"), Qt::CaseInsensitive))
        rows.sort();
    return rows;
}

// What every SQL text the two windows send reads on the seeded payroll, before and after
// the texts that write.
QList<QStringList> windowSqlOn(const QString &connectionString, SeededPayroll &db)
{
    db.exec(QStringLiteral("INSERT INTO tblPelikSystemParameters (ID, Value) VALUES (140, '/opt/salvo/'), "
                           "(3450, '1405/09/01')"));
    db.exec(QStringLiteral("UPDATE tblEmployee SET Code = '' WHERE ID = 3")); // sorts as 0, as on SQL Server
    db::Connection connection;
    connection.setConnectionString(connectionString);
    const QString b = connection.dateLiteral(SeededPayroll::begin()), e = connection.dateLiteral(SeededPayroll::end());
    const QString all = "1=1";
    QStringList reads;
    for (EmployeeListMode mode : {EmployeeListMode::WithoutPayslip, EmployeeListMode::TempSaved,
                                  EmployeeListMode::FinalSaved, EmployeeListMode::None})
        reads << PayslipSql::employeeList(mode, b, e, all, all, all)
              << PayslipSql::employeeList(mode, b, e, "BranchID=12", "RecruitmentTypeID=22", "PositionID=32");
    reads << PayslipSql::temporaryPayslipOnBeginDate(8, b) << PayslipSql::accountDocuments(e)
          << PayslipSql::formTypeName(1402) << PayslipSql::accountDocumentChoices(1402, e)
          << PayslipSql::printedPayslip(true, 4, b, e) << PayslipSql::printedPayslip(false, 8, b, e)
          << PayslipSql::missingFactors(b, e, " 1, 2, 8") << DocumentSql::documentList(DocumentListMode::Temporary, b, e)
          << DocumentSql::documentList(DocumentListMode::Final, b, e) << CommonSql::applicationFolder()
          << CommonSql::payrollMonthStart() << CommonSql::reportTemplates(1402) << CommonSql::reportTemplate(3);
    const QStringList writes = PayslipSql::deleteTemporaryPayslip(8, b)
        + QStringList{DocumentSql::finalize(1022009, QString::number(db.loanId)),
                      DocumentSql::finalize(1022007, QString::number(db.temporaryOrdinanceOf5))};

    QList<QStringList> read;
    for (const QString &sql : reads)
        read << rowsOf(connection, sql);
    for (const QString &sql : writes)
        db::Recordset(connection).open(sql);
    for (const QString &sql : reads)
        read << rowsOf(connection, sql);
    return read;
}

} // namespace

// What the texts mean is pinned by the window tests on the embedded database; here another
// back end must read and write exactly as it does.
class WindowSqlOnBackends : public ::testing::TestWithParam<Backend> {};

TEST_P(WindowSqlOnBackends, ReadsWhatTheEmbeddedDatabaseReadsBeforeAndAfterTheWrites)
{
    SeededPayroll reference, db{GetParam()};
    const QList<QStringList> expected = windowSqlOn(reference.connectionString(), reference);
    const QList<QStringList> actual = windowSqlOn(db.connectionString(), db);
    ASSERT_EQ(actual.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "read " << i;
    EXPECT_FALSE(expected.first().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Backends, WindowSqlOnBackends, ::testing::Values(Backend::Odbc, Backend::PostgreSQL),
                         backendName);
