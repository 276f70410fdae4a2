#pragma once

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
class EmbeddedSchema {
public:
    static QStringList statements();
    // Creates every table, view and index in one transaction; throws ComponentError.
    static void create(db::Connection &connection);
};

} // namespace oruhr::embedded
