#pragma once

#include "demo/DemoDataGenerator.h"
#include "platform/database/Connection.h"
#include "platform/database/StatementCache.h"
#include "platform/embedded/EmbeddedDatabase.h"

#include <benchmark/benchmark.h>

#include <QDate>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <functional>

namespace oruhr::bench {

// A demo payroll whose month (1405/09, from 2026-11-22) has no payslips yet, so that about
// 96 of every 100 employees are listed without one; extra runs on the same file before it
// is closed.
inline void createMonthWithoutPayslips(const QString &file, int employees,
                                       const std::function<void(QSqlDatabase &)> &extra = {})
{
    demo::DemoOptions options;
    options.employees = employees;
    options.today = QDate(2026, 11, 25);
    demo::DemoDataGenerator::createDemoDatabase(file, options);
    db::Connection connection;
    connection.setConnectionString(embedded::EmbeddedDatabase::connectionString(file));
    db::StatementCache &statements = connection.statements();
    {
        // A final payslip's lines cannot go while it is final.
        statements.execute(QStringLiteral("UPDATE tblHRMonthlySalary SET Code = NULL WHERE EndDate >= '2026-11-22'"));
        for (const char *table : {"tblHRMonthlySalaryDetail", "tblHRMonthlyPaiedLoan", "tblHRMonthlyPaiedBox",
                                  "tblHRMonthlySalaryPosting"})
            statements.execute(QStringLiteral("DELETE FROM %1 WHERE MonthlySalaryID IN (SELECT ID FROM "
                                                    "tblHRMonthlySalary WHERE EndDate >= '2026-11-22')")
                                         .arg(QLatin1String(table)));
        statements.execute(QStringLiteral("DELETE FROM tblAccountDocumentDetail WHERE ID NOT IN "
                                                "(SELECT AccountDocumentDetailID FROM tblHRMonthlySalaryPosting) "
                                                "AND FormTypeID = 1402"));
        statements.execute(QStringLiteral("DELETE FROM tblAccountDocument WHERE ID NOT IN "
                                                "(SELECT DocumentID FROM tblAccountDocumentDetail)"));
        statements.execute(QStringLiteral("DELETE FROM tblHRMonthlySalary WHERE EndDate >= '2026-11-22'"));
        if (extra)
            extra(connection.database());
        statements.execute(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    }
}

// The floor a window's query is measured against: the same SQL, every value of the first
// columns read, nothing kept.
inline void timeBareQuery(benchmark::State &state, QSqlDatabase &database, const QString &sql, int columns)
{
    for (auto _ : state) {
        QSqlQuery query(database);
        query.setForwardOnly(true);
        query.exec(sql);
        int rows = 0;
        while (query.next()) {
            for (int c = 0; c < columns; ++c)
                benchmark::DoNotOptimize(query.value(c));
            ++rows;
        }
        state.counters["rows"] = rows;
    }
}

} // namespace oruhr::bench
