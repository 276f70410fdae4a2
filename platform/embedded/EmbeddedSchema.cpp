#include "platform/embedded/EmbeddedSchema.h"

#include "platform/database/Connection.h"
#include "platform/database/StatementCache.h"
#include "platform/database/Transaction.h"

namespace oruhr::embedded {
namespace {

// Two-level lookup: rows without a parent are the upper level.
QStringList lookupTable(const QString &table, const QString &majorView, const QString &minorView)
{
    return {
        QStringLiteral("CREATE TABLE %1 (ID INTEGER PRIMARY KEY, ParentID INTEGER REFERENCES %1(ID), "
                       "Code TEXT, Title TEXT NOT NULL)")
            .arg(table),
        QStringLiteral("CREATE INDEX ix%1Parent ON %1(ParentID)").arg(table),
        QStringLiteral("CREATE VIEW %1 AS SELECT ID, Code, Title FROM %2 WHERE ParentID IS NULL").arg(majorView, table),
        QStringLiteral("CREATE VIEW %1 AS SELECT ID, ParentID, Code, Title FROM %2 WHERE ParentID IS NOT NULL")
            .arg(minorView, table),
    };
}

// The columns every HR document table shares.
QString documentColumns()
{
    return QStringLiteral("ID INTEGER PRIMARY KEY, Code TEXT, Title TEXT, BeginDate TEXT NOT NULL, "
                          "EndDate TEXT NOT NULL, FarsiBeginDate TEXT, FarsiEndDate TEXT, CreatorID INTEGER");
}

} // namespace

QStringList EmbeddedSchema::statements()
{
    QStringList sql{
        QStringLiteral("CREATE TABLE tblPelikSystemParameters (ID INTEGER PRIMARY KEY, Name TEXT, Value TEXT)"),
        QStringLiteral("CREATE TABLE tblPelikFormType (ID INTEGER PRIMARY KEY, Name TEXT NOT NULL)"),
        QStringLiteral("CREATE TABLE tblPelikReportTemplate (ID INTEGER PRIMARY KEY, Title TEXT NOT NULL, "
                       "FilePath TEXT NOT NULL, FormTypeID INTEGER NOT NULL)"),
        QStringLiteral("CREATE INDEX ixReportTemplateFormType ON tblPelikReportTemplate(FormTypeID)"),
    };
    sql << lookupTable(QStringLiteral("tblAccountBranch"), QStringLiteral("vwAccountBranchMajor"),
                       QStringLiteral("vwAccountBranchMinor"))
        << lookupTable(QStringLiteral("tblAccountCostCenter"), QStringLiteral("vwAccountCostCenterMajor"),
                       QStringLiteral("vwAccountCostCenterMinor"))
        << lookupTable(QStringLiteral("tblHRRecruitmentType"), QStringLiteral("vwHRRecruitmentTypeMajor"),
                       QStringLiteral("vwHRRecruitmentTypeMinor"));
    sql << QStringList{
        QStringLiteral("CREATE TABLE tblEmployee (ID INTEGER PRIMARY KEY, Code TEXT, FirstName TEXT, "
                       "SureName TEXT, FatherName TEXT, NationalCode TEXT)"),
        QStringLiteral("CREATE INDEX ixEmployeeCode ON tblEmployee(Code)"),
        QStringLiteral("CREATE VIEW vwEmployee AS SELECT ID, Code, FirstName, SureName, "
                       "ifnull(FirstName, '') || ' ' || ifnull(SureName, '') AS Name FROM tblEmployee"),

        QStringLiteral("CREATE TABLE tblHROrdinance (ID INTEGER PRIMARY KEY, EmployeeID INTEGER NOT NULL "
                       "REFERENCES tblEmployee(ID), Code TEXT, BeginDate TEXT NOT NULL, EndDate TEXT NOT NULL, "
                       "FarsiBeginDate TEXT, FarsiEndDate TEXT, BranchID INTEGER, RecruitmentTypeID INTEGER, "
                       "PositionID INTEGER, CreatorID INTEGER)"),
        QStringLiteral("CREATE INDEX ixOrdinanceEmployee ON tblHROrdinance(EmployeeID, EndDate)"),
        QStringLiteral("CREATE INDEX ixOrdinancePeriod ON tblHROrdinance(EndDate, BeginDate)"),
        QStringLiteral("CREATE TABLE tblHROrdinanceDetail (OrdinanceID INTEGER NOT NULL REFERENCES "
                       "tblHROrdinance(ID), FunctionID INTEGER NOT NULL, Amount INTEGER NOT NULL, "
                       "PRIMARY KEY (OrdinanceID, FunctionID))"),

        QStringLiteral("CREATE TABLE tblHRMonthlySalary (ID INTEGER PRIMARY KEY, EmployeeID INTEGER NOT NULL "
                       "REFERENCES tblEmployee(ID), OrdinanceID INTEGER, Code TEXT, BeginDate TEXT NOT NULL, "
                       "EndDate TEXT NOT NULL, FarsiBeginDate TEXT, FarsiEndDate TEXT, CreatorID INTEGER, "
                       "CreateDate TEXT, CalculateDate TEXT)"),
        QStringLiteral("CREATE INDEX ixMonthlySalaryEmployee ON tblHRMonthlySalary(EmployeeID, EndDate)"),
        QStringLiteral("CREATE INDEX ixMonthlySalaryPeriod ON tblHRMonthlySalary(EndDate, BeginDate)"),
        QStringLiteral("CREATE TABLE tblHRMonthlySalaryDetail (ID INTEGER PRIMARY KEY, MonthlySalaryID INTEGER "
                       "NOT NULL, FunctionID INTEGER NOT NULL, Amount INTEGER NOT NULL)"),
        QStringLiteral("CREATE INDEX ixMonthlySalaryDetailSalary ON tblHRMonthlySalaryDetail(MonthlySalaryID)"),
        QStringLiteral("CREATE TABLE tblHRMonthlyPaiedLoan (ID INTEGER PRIMARY KEY, MonthlySalaryID INTEGER "
                       "NOT NULL, LoanID INTEGER NOT NULL, Amount INTEGER NOT NULL)"),
        QStringLiteral("CREATE INDEX ixMonthlyPaiedLoanSalary ON tblHRMonthlyPaiedLoan(MonthlySalaryID)"),
        QStringLiteral("CREATE INDEX ixMonthlyPaiedLoanLoan ON tblHRMonthlyPaiedLoan(LoanID)"),
        QStringLiteral("CREATE TABLE tblHRMonthlyPaiedBox (ID INTEGER PRIMARY KEY, MonthlySalaryID INTEGER "
                       "NOT NULL, BoxID INTEGER NOT NULL, Amount INTEGER NOT NULL)"),
        QStringLiteral("CREATE INDEX ixMonthlyPaiedBoxSalary ON tblHRMonthlyPaiedBox(MonthlySalaryID)"),

        QStringLiteral("CREATE TABLE tblHRLoan (%1)").arg(documentColumns()),
        QStringLiteral("CREATE INDEX ixLoanPeriod ON tblHRLoan(EndDate, BeginDate)"),
        QStringLiteral("CREATE TABLE tblHRLoanDetail (LoanID INTEGER NOT NULL REFERENCES tblHRLoan(ID), "
                       "EmployeeID INTEGER NOT NULL, Amount INTEGER NOT NULL, InstalmentAmount INTEGER NOT NULL, "
                       "PRIMARY KEY (LoanID, EmployeeID))"),
        QStringLiteral("CREATE INDEX ixLoanDetailEmployee ON tblHRLoanDetail(EmployeeID)"),
        QStringLiteral("CREATE TABLE tblHRBox (%1)").arg(documentColumns()),
        QStringLiteral("CREATE INDEX ixBoxPeriod ON tblHRBox(EndDate, BeginDate)"),
        QStringLiteral("CREATE TABLE tblHRBoxDetail (BoxID INTEGER NOT NULL REFERENCES tblHRBox(ID), "
                       "EmployeeID INTEGER NOT NULL, InstalmentAmount INTEGER NOT NULL, "
                       "PRIMARY KEY (BoxID, EmployeeID))"),
        QStringLiteral("CREATE INDEX ixBoxDetailEmployee ON tblHRBoxDetail(EmployeeID)"),
        QStringLiteral("CREATE TABLE tblHRExceptionBatch (%1)").arg(documentColumns()),
        QStringLiteral("CREATE INDEX ixExceptionBatchPeriod ON tblHRExceptionBatch(EndDate, BeginDate)"),
        QStringLiteral("CREATE TABLE tblHRExceptionBatchDetail (ExceptionBatchID INTEGER NOT NULL REFERENCES "
                       "tblHRExceptionBatch(ID), EmployeeID INTEGER NOT NULL, FunctionID INTEGER NOT NULL, "
                       "Amount INTEGER NOT NULL, PRIMARY KEY (ExceptionBatchID, EmployeeID, FunctionID))"),
        QStringLiteral("CREATE INDEX ixExceptionBatchDetailEmployee ON tblHRExceptionBatchDetail(EmployeeID)"),

        QStringLiteral("CREATE TABLE tblPelikMFunction (ID INTEGER PRIMARY KEY, Name TEXT NOT NULL)"),
        QStringLiteral("CREATE TABLE tblPelikMFunctionDetail (FunctionID INTEGER NOT NULL REFERENCES "
                       "tblPelikMFunction(ID), TypeID INTEGER NOT NULL, ParameterTypeID INTEGER NOT NULL, "
                       "BeginDate TEXT NOT NULL, EndDate TEXT NOT NULL, SequenceInMonthlySalary INTEGER NOT NULL, "
                       // How the payroll prices the factor; see FactorRule.
                       "Kind INTEGER NOT NULL DEFAULT 1, Method INTEGER NOT NULL DEFAULT 1, "
                       "Rate INTEGER NOT NULL DEFAULT 10000, Divisor INTEGER NOT NULL DEFAULT 1, "
                       "Insurable INTEGER NOT NULL DEFAULT 0, Taxable INTEGER NOT NULL DEFAULT 0, "
                       "PRIMARY KEY (FunctionID, BeginDate))"),
        QStringLiteral("CREATE TABLE tblHRInsuranceCeiling (BeginDate TEXT NOT NULL PRIMARY KEY, EndDate TEXT NOT NULL, "
                       "Amount INTEGER NOT NULL)"),
        QStringLiteral("CREATE TABLE tblHRTaxBracket (BeginDate TEXT NOT NULL, EndDate TEXT NOT NULL, "
                       "FromAmount INTEGER NOT NULL, Rate INTEGER NOT NULL, PRIMARY KEY (BeginDate, FromAmount))"),
        QStringLiteral("CREATE TABLE tblHRRunTimeBatch (ID INTEGER PRIMARY KEY, Title TEXT, BeginDate TEXT NOT NULL, "
                       "EndDate TEXT NOT NULL, FarsiBeginDate TEXT, FarsiEndDate TEXT)"),
        QStringLiteral("CREATE TABLE tblHRRunTimeBatchDetail (RunTimeBatchID INTEGER NOT NULL REFERENCES "
                       "tblHRRunTimeBatch(ID), EmployeeID INTEGER NOT NULL, ParameterID INTEGER NOT NULL, "
                       "Value INTEGER, PRIMARY KEY (RunTimeBatchID, EmployeeID, ParameterID))"),
        QStringLiteral("CREATE INDEX ixRunTimeBatchDetailEmployee ON tblHRRunTimeBatchDetail(EmployeeID, ParameterID)"),

        QStringLiteral("CREATE TABLE tblAccountDocument (ID INTEGER PRIMARY KEY, Code TEXT, DocumentDate TEXT NOT NULL, "
                       "Description TEXT, CreatorID INTEGER)"),
        QStringLiteral("CREATE INDEX ixAccountDocumentDate ON tblAccountDocument(DocumentDate)"),
        QStringLiteral("CREATE TABLE tblAccountDocumentDetail (ID INTEGER PRIMARY KEY, DocumentID INTEGER NOT NULL "
                       "REFERENCES tblAccountDocument(ID), FormTypeID INTEGER, TransactionDate TEXT, "
                       "EmployeeID INTEGER, Debit INTEGER NOT NULL DEFAULT 0, Credit INTEGER NOT NULL DEFAULT 0, "
                       "Description TEXT)"),
        QStringLiteral("CREATE INDEX ixAccountDocumentDetailDate ON tblAccountDocumentDetail(TransactionDate, FormTypeID)"),
        QStringLiteral("CREATE INDEX ixAccountDocumentDetailDocument ON tblAccountDocumentDetail(DocumentID)"),
        // Each final payslip's share of the lines of the document that posts it.
        QStringLiteral("CREATE TABLE tblHRMonthlySalaryPosting (MonthlySalaryID INTEGER NOT NULL, "
                       "AccountDocumentDetailID INTEGER NOT NULL, Debit INTEGER NOT NULL, Credit INTEGER NOT NULL, "
                       "PRIMARY KEY (MonthlySalaryID, AccountDocumentDetailID))"),
        QStringLiteral("CREATE INDEX ixMonthlySalaryPostingLine ON tblHRMonthlySalaryPosting(AccountDocumentDetailID)"),
    };
    return sql;
}

void EmbeddedSchema::create(db::Connection &connection)
{
    db::Transaction transaction(connection);
    for (const QString &statement : statements())
        connection.statements().execute(statement);
    transaction.commit();
    // Schema statements run once: no need to keep them prepared.
    connection.statements().clear();
}

} // namespace oruhr::embedded
