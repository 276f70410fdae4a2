#pragma once

#include "tests/support/TestDatabase.h"

#include <QDate>
#include <QMap>

namespace oruhr::test {

// A small payroll whose list answers are known, for the period 2026-11-22 to 2026-12-21
// (the Persian month 1405/09). Employees by ID:
//  1 code "3"  two final ordinances in the period, no payslip
//  2 code "1"  final ordinance, a temporary payslip touching the period's first day only
//  3 no code   final ordinance, no payslip
//  4 code "2"  final ordinance in branch 12 / recruitment 22 / cost centre 32, final payslip
//  5 code "10" temporary ordinance only
//  6 code "4"  final ordinance ending the day before the period
//  7 code "12" final ordinance, no payslip
//  8 code "5"  final ordinance of recruitment type 6, a temporary payslip from the first
//              day with a detail line, a paid loan and a paid fund instalment, and a final
//              payslip of the previous month
// Every other final ordinance is in branch 11 / recruitment 21 / cost centre 31.
class SeededPayroll : public TestDatabase {
public:
    explicit SeededPayroll(Backend backend = Backend::Embedded);

    static QDate begin() { return {2026, 11, 22}; }
    static QDate end() { return {2026, 12, 21}; }

    int temporaryPayslipOf8 = 0;
    int finalPayslipOf4 = 0;
    int ordinanceOf4 = 0;
    int temporaryOrdinanceOf5 = 0;
    int loanId = 0;
    int fundId = 0;
    int exceptionBatchId = 0;
    QMap<QString, int> documents; // by a short name: "detail", "description", "reversed", "otherDay"

private:
    void seedEmployees();
    void seedPayslips();
    void seedDocuments();
    void seedAccounting();
    void seedFactors();
    void seedTemplates();
};

} // namespace oruhr::test
