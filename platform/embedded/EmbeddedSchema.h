#pragma once

#include "platform/database/SqlDialect.h"

#include <QStringList>

namespace oruhr::db {
class Connection;
}

namespace oruhr::embedded {

// The tables and views of the embedded payroll database. Dates are ISO texts
// (yyyy-mm-dd); a NULL Code marks a temporary record. Inner tables of the system's
// correlated subqueries deliberately lack the column names that must reach the outer
// row: tblHRLoanDetail has no ID, vwEmployee no EmployeeID, tblPelikMFunctionDetail
// no ID or Code, tblEmployee no BeginDate.
// On PostgreSQL whole numbers are 64-bit and the IDs identity columns.
class EmbeddedSchema {
public:
    // The schema's version, kept in tblPelikSchemaVersion; 1 was the first release's, which
    // had no such table.
    static constexpr int Version = 4;
    // The tables whose writes the server records with the login (tblPelikAudit).
    static const char *const auditedTables[6];

    // The employee's bank account for salary transfers: "IR" and 24 digits, or NULL.
    static QString shebaNumberColumn();
    // Final payslips' codes are unique.
    static QString payslipCodeIndex();
    // The highest number given to a payslip or a document is read from these, not from every row.
    static QStringList numberIndexes();
    static QStringList statements(db::SqlDialect dialect = db::SqlDialect::SQLite);
    // tblHRRuleVersion and the triggers that count it up at every change of the payroll rules.
    static QStringList ruleVersion(db::SqlDialect dialect);
    // On PostgreSQL, the audit trail's and the final payslips' triggers one a statement instead
    // of one a row.
    static QStringList triggersByStatement();
    // The triggers that keep final payslips whole and, on PostgreSQL, the audit trail.
    static QStringList guards(db::SqlDialect dialect);
    // Creates every table, view and index, with the statutory rules, in one transaction; throws
    // ComponentError.
    static void create(db::Connection &connection);
    // After rows were written with their own IDs: the next ID given is above the highest.
    // Only PostgreSQL keeps a counter apart from the rows.
    static void continueKeys(db::Connection &connection);
};

} // namespace oruhr::embedded
