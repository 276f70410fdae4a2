#include "tests/support/SeededPayroll.h"

namespace oruhr::test {
namespace {

const std::array<int, 3> usual{11, 21, 31};

} // namespace

SeededPayroll::SeededPayroll(Backend backend)
    : TestDatabase(backend)
{
    seedEmployees();
    seedPayslips();
    seedDocuments();
    seedAccounting();
    seedFactors();
    seedTemplates();
}

void SeededPayroll::seedEmployees()
{
    const int e1 = addEmployee(QStringLiteral("3"), QStringLiteral("علي"), QStringLiteral("احمدي"));
    addOrdinance(e1, begin(), QDate(2026, 12, 5), true, usual);
    addOrdinance(e1, QDate(2026, 12, 6), end(), true, usual);
    const int e2 = addEmployee(QStringLiteral("1"), QStringLiteral("مريم"), QStringLiteral("رضايي"));
    addOrdinance(e2, QDate(2026, 1, 1), QDate(2027, 1, 1), true, usual);
    const int e3 = addEmployee(QVariant(), QStringLiteral("حسن"), QVariant().toString());
    addOrdinance(e3, begin(), end(), true, usual);
    const int e4 = addEmployee(QStringLiteral("2"), QStringLiteral("زهرا"), QStringLiteral("کريمي"));
    ordinanceOf4 = addOrdinance(e4, begin(), end(), true, {12, 22, 32});
    const int e5 = addEmployee(QStringLiteral("10"), QStringLiteral("رضا"), QStringLiteral("محمدي"));
    temporaryOrdinanceOf5 = addOrdinance(e5, begin(), end(), false, usual);
    const int e6 = addEmployee(QStringLiteral("4"), QStringLiteral("سارا"), QStringLiteral("حسيني"));
    addOrdinance(e6, QDate(2026, 10, 23), begin().addDays(-1), true, usual);
    const int e7 = addEmployee(QStringLiteral("12"), QStringLiteral("امير"), QStringLiteral("موسوي"));
    addOrdinance(e7, begin(), end(), true, usual);
    const int e8 = addEmployee(QStringLiteral("5"), QStringLiteral("نرگس"), QStringLiteral("جعفري"));
    addOrdinance(e8, QDate(2026, 10, 23), end(), true, {12, 6, 31});
}

void SeededPayroll::seedPayslips()
{
    addPayslip(2, QDate(2026, 11, 1), begin(), false);
    finalPayslipOf4 = addPayslip(4, begin(), end(), true, ordinanceOf4);
    temporaryPayslipOf8 = addPayslip(8, begin(), end(), false);
    const int previousPayslipOf8 = addPayslip(8, QDate(2026, 10, 23), begin().addDays(-1), true);
    addPayslipLines(temporaryPayslipOf8);
    addPayslipLines(previousPayslipOf8);
}

void SeededPayroll::seedDocuments()
{
    loanId = addDocument(QStringLiteral("tblHRLoan"), false, begin(), end());
    exec(QStringLiteral("INSERT INTO tblHRLoanDetail (LoanID, EmployeeID, Amount, InstalmentAmount) VALUES "
                        "(?, 1, 1000, 50), (?, 2, 1000, 50)"),
         {loanId, loanId});
    fundId = addDocument(QStringLiteral("tblHRBox"), false, begin(), end());
    // a Code that is empty but not NULL
    exceptionBatchId = addDocument(QStringLiteral("tblHRExceptionBatch"), false, end(), end().addDays(10));
    exec(QStringLiteral("UPDATE tblHRExceptionBatch SET Code = '' WHERE ID = ?"), {exceptionBatchId});
}

void SeededPayroll::seedAccounting()
{
    const auto add = [&](const QString &name, const QDate &date, const QString &description) {
        documents.insert(name, scalar(QStringLiteral("INSERT INTO tblAccountDocument (Code, DocumentDate, Description) "
                                                     "VALUES (?, ?, ?) RETURNING ID"),
                                      {name, iso(date), description})
                                   .toInt());
    };
    add(QStringLiteral("detail"), end(), QStringLiteral("سند متفرقه"));
    add(QStringLiteral("description"), end(), QStringLiteral("سند فيش حقوق ماه 1405/09"));
    add(QStringLiteral("reversed"), end(), QStringLiteral("حقوق و فيش"));
    add(QStringLiteral("otherDay"), end().addDays(-1), QStringLiteral("سند فيش حقوق"));
    exec(QStringLiteral("INSERT INTO tblAccountDocumentDetail (DocumentID, FormTypeID, TransactionDate, EmployeeID, "
                        "Debit) VALUES (?, 1402, ?, 4, 1000), (?, 1402, ?, 4, 1000)"),
         {documents[QStringLiteral("detail")], iso(end()), documents[QStringLiteral("reversed")], iso(begin())});
    exec(QStringLiteral("INSERT INTO tblPelikFormType (ID, Name) VALUES (1402, 'فيش حقوقي')"));
}

void SeededPayroll::seedFactors()
{
    exec(QStringLiteral("INSERT INTO tblPelikMFunction (ID, Name) VALUES (501, 'حق ماموريت'), "
                        "(502, 'ايام کارکرد'), (503, 'پاداش'), (504, 'حقوق پايه'), (1096, 'اضافه کار')"));
    const QString detail = QStringLiteral(
        "INSERT INTO tblPelikMFunctionDetail (FunctionID, TypeID, ParameterTypeID, BeginDate, EndDate, "
        "SequenceInMonthlySalary) VALUES (?, ?, ?, ?, ?, ?)");
    exec(detail, {501, 6, 3, QStringLiteral("2026-01-01"), QStringLiteral("2027-01-01"), 2});
    exec(detail, {502, 6, 3, iso(end()), QStringLiteral("2027-06-01"), 3});       // starts on the last day
    exec(detail, {503, 6, 3, QStringLiteral("2026-01-01"), iso(begin().addDays(-1)), 4}); // ended before
    exec(detail, {504, 1, 3, QStringLiteral("2026-01-01"), QStringLiteral("2027-01-01"), 0}); // not entered directly
    exec(detail, {1096, 6, 3, QStringLiteral("2026-01-01"), QStringLiteral("2027-01-01"), 1});
    exec(QStringLiteral("INSERT INTO tblHRRunTimeBatch (ID, BeginDate, EndDate) VALUES (1, ?, '2026-12-30')"),
         {iso(end())});
    exec(QStringLiteral("INSERT INTO tblHRRunTimeBatchDetail (RunTimeBatchID, EmployeeID, ParameterID, Value) "
                        "VALUES (1, 1, 501, 3)"));
}

void SeededPayroll::seedTemplates()
{
    exec(QStringLiteral("INSERT INTO tblPelikReportTemplate (ID, Title, FilePath, FormTypeID) VALUES "
                        "(1, 'فيش ساده', 'Reports/payslip.html', 1402), (2, 'عمومي', 'Reports/any.html', 1406), "
                        "(3, 'حکم', 'Reports/ordinance.html', 1401)"));
}

} // namespace oruhr::test
