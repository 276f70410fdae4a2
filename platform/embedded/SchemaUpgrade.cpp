#include "platform/embedded/SchemaUpgrade.h"

#include "platform/embedded/EmbeddedSchema.h"

namespace oruhr::embedded {
namespace {

// The first release priced hours by insurable pay, kept one monthly insurance ceiling and read
// a payslip line's kind from the rules of the day. The base becomes the fixed wage (an office
// marks its job allowances after), the ceiling a daily one (a thirtieth of the month's, the
// floor a seventh of that), and each line takes the kind of the rule it was computed under.
QStringList toVersion2(db::SqlDialect dialect)
{
    const bool server = dialect == db::SqlDialect::PostgreSQL;
    const QString integer = QLatin1String(server ? "BIGINT" : "INTEGER");
    const auto ruleOfLine = [](const char *column) {
        return QStringLiteral("coalesce((SELECT k.%1 FROM tblPelikMFunctionDetail k, tblHRMonthlySalary s WHERE "
                              "s.ID = tblHRMonthlySalaryDetail.MonthlySalaryID AND k.FunctionID = "
                              "tblHRMonthlySalaryDetail.FunctionID AND s.BeginDate BETWEEN k.BeginDate AND k.EndDate "
                              "ORDER BY k.BeginDate DESC LIMIT 1), 1)")
            .arg(QLatin1String(column));
    };
    QStringList sql{
        QStringLiteral("ALTER TABLE tblPelikMFunctionDetail ADD COLUMN FixedWage %1 NOT NULL DEFAULT 0").arg(integer),
        QStringLiteral("UPDATE tblPelikMFunctionDetail SET FixedWage = 1 WHERE Method = 2"),
        QStringLiteral("ALTER TABLE tblHRInsuranceCeiling ADD COLUMN DailyMaximum %1 NOT NULL DEFAULT 0").arg(integer),
        QStringLiteral("ALTER TABLE tblHRInsuranceCeiling ADD COLUMN DailyMinimum %1 NOT NULL DEFAULT 0").arg(integer),
        QStringLiteral("UPDATE tblHRInsuranceCeiling SET DailyMaximum = Amount / 30, DailyMinimum = Amount / 210"),
        QStringLiteral("ALTER TABLE tblHRInsuranceCeiling DROP COLUMN Amount"),
        QStringLiteral("CREATE TABLE tblHRPayrollRule (BeginDate TEXT NOT NULL PRIMARY KEY, EndDate TEXT NOT NULL, "
                       "InsuranceExemptNumerator %1 NOT NULL, InsuranceExemptDenominator %1 NOT NULL, "
                       "ProrationDays %1 NOT NULL)")
            .arg(integer),
        QStringLiteral("INSERT INTO tblHRPayrollRule SELECT BeginDate, EndDate, 2, 7, 0 FROM tblHRInsuranceCeiling"),
        QStringLiteral("ALTER TABLE tblHRMonthlySalary ADD COLUMN GivenCode TEXT"),
        QStringLiteral("UPDATE tblHRMonthlySalary SET GivenCode = Code WHERE Code IS NOT NULL"),
        QStringLiteral("ALTER TABLE tblHRMonthlySalaryDetail ADD COLUMN Kind %1 NOT NULL DEFAULT 1").arg(integer),
        QStringLiteral("ALTER TABLE tblHRMonthlySalaryDetail ADD COLUMN Method %1 NOT NULL DEFAULT 1").arg(integer),
        QStringLiteral("UPDATE tblHRMonthlySalaryDetail SET Kind = %1, Method = %2")
            .arg(ruleOfLine("Kind"), ruleOfLine("Method")),
        QStringLiteral("CREATE TABLE tblHRNumbering (Numbering %1 NOT NULL PRIMARY KEY, LastNumber %1 NOT NULL)")
            .arg(integer),
        QStringLiteral("INSERT INTO tblHRNumbering VALUES (1, 0), (2, 0)"),
        QStringLiteral("CREATE UNIQUE INDEX uxMonthlySalaryCode ON tblHRMonthlySalary(Code)"),
        QStringLiteral("CREATE UNIQUE INDEX uxAccountDocumentCode ON tblAccountDocument(Code)"),
        QStringLiteral("CREATE TABLE tblPelikSchemaVersion (Version %1 NOT NULL)").arg(integer),
        QStringLiteral("INSERT INTO tblPelikSchemaVersion VALUES (2)"),
    };
    // SQLite keeps a fraction in an INTEGER column as it is; PostgreSQL needs the type.
    if (server)
        sql << QStringLiteral("ALTER TABLE tblHRRunTimeBatchDetail ALTER COLUMN Value TYPE NUMERIC");
    return sql + EmbeddedSchema::guards(dialect);
}

// Salaries are paid by bank transfer: each employee gets a Sheba number, empty until entered.
// The next payslip or document number is read from an index instead of every row.
QStringList toVersion3()
{
    return QStringList{QStringLiteral("ALTER TABLE tblEmployee ADD COLUMN ") + EmbeddedSchema::shebaNumberColumn()}
         + EmbeddedSchema::numberIndexes() + QStringList{QStringLiteral("UPDATE tblPelikSchemaVersion SET Version = 3")};
}

// A session keeps the payroll rules it read until a change counts their version up; the
// server's audit trail and its guard of final payslips run a statement at a time; the
// payslips' code index holds the final ones only.
QStringList toVersion4(db::SqlDialect dialect)
{
    // The triggers dropped where they are missing are no news to the administrator.
    const QStringList audit = dialect == db::SqlDialect::PostgreSQL
                                  ? QStringList{QStringLiteral("SET LOCAL client_min_messages = warning")}
                                        + EmbeddedSchema::triggersByStatement()
                                  : QStringList();
    return EmbeddedSchema::ruleVersion(dialect) + audit
         + QStringList{QStringLiteral("DROP INDEX uxMonthlySalaryCode"), EmbeddedSchema::payslipCodeIndex(),
                       QStringLiteral("UPDATE tblPelikSchemaVersion SET Version = 4")};
}

} // namespace

QStringList SchemaUpgrade::from(int version, db::SqlDialect dialect)
{
    switch (version) {
    case 1:
        return toVersion2(dialect);
    case 2:
        return toVersion3();
    case 3:
        return toVersion4(dialect);
    default:
        return {};
    }
}

} // namespace oruhr::embedded
