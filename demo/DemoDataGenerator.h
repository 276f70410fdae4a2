#pragma once

#include <QDate>
#include <QString>

namespace oruhr::db {
class Connection;
}

namespace oruhr::demo {

struct DemoOptions {
    int employees = 300;
    QDate today = QDate::currentDate(); // fixes the payroll month
    quint32 seed = 1405;
    QString applicationFolder; // system parameter 140; "/opt/oruhr/" when empty, '/' added when missing
};

// Reproducible demo data for the embedded payroll database. The payroll month (the
// Persian month of DemoOptions::today) holds employees in every payslip state, HR documents
// both temporary and final, and directly entered salary factors that some employees lack;
// the month before it is paid and booked. Every payslip is made by the payroll engine from
// what was entered, so recalculating one changes nothing.
class DemoDataGenerator {
public:
    // Fills an empty schema in one transaction; throws ComponentError.
    static void seed(db::Connection &connection, const DemoOptions &options);
    // A new database file, or an existing one of this version without employees, filled as
    // seed() does; any other file is left alone (ComponentError).
    static void createDemoDatabase(const QString &file, const DemoOptions &options);
    // The same in a PostgreSQL database, created when missing.
    static void createOnServer(const QString &connectionString, const DemoOptions &options);
};

} // namespace oruhr::demo
