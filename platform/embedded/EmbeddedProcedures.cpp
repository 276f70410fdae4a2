#include "platform/embedded/EmbeddedProcedures.h"

#include "platform/automation/ComponentError.h"
#include "platform/embedded/PayslipBuilder.h"
#include "platform/embedded/SqlExec.h"

#include <QCalendar>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>

#include <algorithm>
#include <limits>

namespace oruhr::embedded {
namespace {

constexpr int payslipFormType = 1402;

[[noreturn]] void fail(const QString &message)
{
    throw ComponentError(ComponentError::CommandFailed, message);
}

QString iso(QDate date)
{
    return date.toString(Qt::ISODate);
}

QString persian(QDate date, QStringView format)
{
    return date.toString(format, QCalendar(QCalendar::System::Jalali));
}

QString now()
{
    return QDateTime::currentDateTime().toString(Qt::ISODate);
}

qint64 integerInput(const QVariant &value, const char *name)
{
    bool ok = false;
    const qint64 number = value.toLongLong(&ok);
    if (!ok || value.isNull())
        fail(QStringLiteral("%1 is not a whole number").arg(QLatin1String(name)));
    return number;
}

QDate dateInput(const QVariant &value, const char *name)
{
    const QDate date = value.typeId() == QMetaType::QDateTime ? value.toDateTime().date() : value.toDate();
    if (!date.isValid())
        fail(QStringLiteral("%1 is not a date").arg(QLatin1String(name)));
    return date;
}

qint32 returnValue(qint64 id)
{
    if (id > std::numeric_limits<qint32>::max())
        fail(QStringLiteral("ID %1 does not fit the 32-bit return value").arg(id));
    return qint32(id);
}

qint64 lastInsertId(QSqlDatabase &database)
{
    // The ODBC driver reports no insert ID of its own; SQLite's function works through both.
    return scalar(database, QStringLiteral("SELECT last_insert_rowid()")).toLongLong();
}

QList<qint64> ids(QSqlDatabase &database, const QString &sql, const QVariantList &values)
{
    QList<qint64> result;
    QSqlQuery query = exec(database, sql, values);
    while (query.next())
        result.append(query.value(0).toLongLong());
    return result;
}

// The next number after the highest all-digit Code of the table; other codes do not count.
qint64 nextCode(QSqlDatabase &database, const QString &table)
{
    return scalar(database, QStringLiteral("SELECT ifnull(max(CAST(trim(Code) AS INTEGER)), 0) + 1 FROM %1 "
                                           "WHERE trim(Code) <> '' AND trim(Code) NOT GLOB '*[^0-9]*'")
                                .arg(table))
        .toLongLong();
}

struct MonthlyInputs {
    qint64 creatorId;
    QDate begin;
    QDate end;
    qint64 employeeId;

    explicit MonthlyInputs(const QVariantList &inputs)
        : creatorId(integerInput(inputs[0], "@CreatorID"))
        , begin(dateInput(inputs[1], "@BeginDate"))
        , end(dateInput(inputs[2], "@EndDate"))
        , employeeId(integerInput(inputs[3], "@EmployeeID"))
    {
    }

    // The employee's payslips overlapping the period: temporary, final or both.
    QList<qint64> payslips(QSqlDatabase &database, const QString &codeCondition) const
    {
        return ids(database,
                   QStringLiteral("SELECT ID FROM tblHRMonthlySalary WHERE EmployeeID = ? AND %1 "
                                  "AND NOT (EndDate < ? OR BeginDate > ?) ORDER BY BeginDate, ID")
                       .arg(codeCondition),
                   {employeeId, iso(begin), iso(end)});
    }
};

// Creates the employee's temporary payslip for the period from the final ordinance in force,
// and returns its ID; 0 when a payslip already overlaps the period or no final ordinance does.
qint32 createMonthlySalary(QSqlDatabase &database, const QVariantList &inputs)
{
    const MonthlyInputs in(inputs);
    const PayslipBuilder builder(database, in.employeeId, in.begin, in.end);
    if (!in.payslips(database, QStringLiteral("1 = 1")).isEmpty())
        return 0;
    const qint64 ordinanceId = builder.ordinance();
    if (ordinanceId == 0)
        return 0;

    const QString stamp = now();
    exec(database,
         QStringLiteral("INSERT INTO tblHRMonthlySalary (EmployeeID, OrdinanceID, Code, BeginDate, EndDate, "
                        "FarsiBeginDate, FarsiEndDate, CreatorID, CreateDate, CalculateDate) "
                        "VALUES (?, ?, NULL, ?, ?, ?, ?, ?, ?, ?)"),
         {in.employeeId, ordinanceId, iso(in.begin), iso(in.end), persian(in.begin, u"yyyy/MM/dd"),
          persian(in.end, u"yyyy/MM/dd"), in.creatorId, stamp, stamp});
    const qint64 payslipId = lastInsertId(database);
    builder.build(payslipId, ordinanceId);
    return returnValue(payslipId);
}

// Builds the lines of the employee's temporary payslips overlapping the period again from the
// current documents; returns how many were recalculated.
qint32 recalculateMonthlySalary(QSqlDatabase &database, const QVariantList &inputs)
{
    const MonthlyInputs in(inputs);
    const QList<qint64> payslips = in.payslips(database, QStringLiteral("Code IS NULL"));
    for (const qint64 payslipId : payslips) {
        QSqlQuery stored = exec(database, QStringLiteral("SELECT BeginDate, EndDate FROM tblHRMonthlySalary WHERE ID = ?"),
                                {payslipId});
        stored.next();
        // A payslip keeps its own period, which may differ from the one asked for.
        const QDate begin = QDate::fromString(stored.value(0).toString(), Qt::ISODate);
        const QDate end = QDate::fromString(stored.value(1).toString(), Qt::ISODate);
        stored.finish();

        const PayslipBuilder builder(database, in.employeeId, begin, end);
        const qint64 ordinanceId = builder.ordinance();
        PayslipBuilder::clear(database, payslipId);
        builder.build(payslipId, ordinanceId);
        exec(database,
             QStringLiteral("UPDATE tblHRMonthlySalary SET OrdinanceID = nullif(?, 0), CalculateDate = ? WHERE ID = ?"),
             {ordinanceId, now(), payslipId});
    }
    return returnValue(payslips.size());
}

// Makes the employee's temporary payslips overlapping the period final by numbering them;
// returns the last one's ID, 0 when none was temporary.
qint32 finalizedMonthlySalary(QSqlDatabase &database, const QVariantList &inputs)
{
    const MonthlyInputs in(inputs);
    const QList<qint64> payslips = in.payslips(database, QStringLiteral("Code IS NULL"));
    if (payslips.isEmpty())
        return 0;
    qint64 code = nextCode(database, QStringLiteral("tblHRMonthlySalary"));
    for (const qint64 payslipId : payslips)
        exec(database, QStringLiteral("UPDATE tblHRMonthlySalary SET Code = ? WHERE ID = ?"),
             {QString::number(code++), payslipId});
    return returnValue(payslips.last());
}

// Returns the employee's final payslips overlapping the period to temporary and takes the
// employee's payslip lines of the period out of the accounting documents, dropping documents
// left empty; returns how many payslips went back.
qint32 backToTempMonthlySalary(QSqlDatabase &database, const QVariantList &inputs)
{
    const MonthlyInputs in(inputs);
    const QList<qint64> payslips = in.payslips(database, QStringLiteral("Code IS NOT NULL"));
    if (payslips.isEmpty())
        return 0;
    for (const qint64 payslipId : payslips)
        exec(database, QStringLiteral("UPDATE tblHRMonthlySalary SET Code = NULL WHERE ID = ?"), {payslipId});

    const QString lines = QStringLiteral("FROM tblAccountDocumentDetail WHERE EmployeeID = ? AND FormTypeID = %1 "
                                         "AND TransactionDate BETWEEN ? AND ?")
                              .arg(payslipFormType);
    const QVariantList values{in.employeeId, iso(in.begin), iso(in.end)};
    const QList<qint64> documents = ids(database, QStringLiteral("SELECT DISTINCT DocumentID ") + lines, values);
    exec(database, QStringLiteral("DELETE ") + lines, values);
    for (const qint64 documentId : documents)
        exec(database,
             QStringLiteral("DELETE FROM tblAccountDocument WHERE ID = ? AND NOT EXISTS "
                            "(SELECT 1 FROM tblAccountDocumentDetail WHERE DocumentID = ?)"),
             {documentId, documentId});
    return returnValue(payslips.size());
}

// "12, 7" gives 12 and 7; empty pieces are skipped, repeats kept once.
QList<qint64> employeeIds(const QString &text)
{
    QList<qint64> result;
    for (const QString &piece : text.split(QLatin1Char(','))) {
        const QString trimmed = piece.trimmed();
        if (trimmed.isEmpty())
            continue;
        // Only ASCII digits: QChar::isDigit would also pass Persian digits.
        bool ok = std::all_of(trimmed.cbegin(), trimmed.cend(),
                              [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
        const qint64 id = ok ? trimmed.toLongLong(&ok) : 0;
        if (!ok)
            fail(QStringLiteral("@EmployeeIDs is not a list of employee IDs: '%1'").arg(trimmed));
        if (!result.contains(id))
            result.append(id);
    }
    return result;
}

// Posts the final payslips of the listed employees for the Persian month of the document date
// in one new accounting document, two balancing lines per employee, and returns its ID;
// 0 when no listed employee has an unposted final payslip.
qint32 accountDocSave(QSqlDatabase &database, const QVariantList &inputs)
{
    const qint64 creatorId = integerInput(inputs[0], "@CreatorID");
    const QDate docDate = dateInput(inputs[1], "@DocDate");
    const QList<qint64> employees = employeeIds(inputs[2].toString());

    const QCalendar jalali(QCalendar::System::Jalali);
    const QCalendar::YearMonthDay parts = jalali.partsFromDate(docDate);
    const QDate monthBegin = jalali.dateFromParts(parts.year, parts.month, 1);

    struct Posting {
        qint64 employeeId;
        qint64 amount;
        QString name;
    };
    QList<Posting> postings;
    for (const qint64 employeeId : employees) {
        const bool posted = scalar(database,
                                   QStringLiteral("SELECT count(*) FROM tblAccountDocumentDetail WHERE EmployeeID = ? "
                                                  "AND FormTypeID = %1 AND TransactionDate = ?")
                                       .arg(payslipFormType),
                                   {employeeId, iso(docDate)})
                                .toLongLong()
                            > 0;
        if (posted)
            continue;
        const QVariantList period{employeeId, iso(monthBegin), iso(docDate)};
        const QString finalPayslips = QStringLiteral("FROM tblHRMonthlySalary s WHERE s.EmployeeID = ? "
                                                     "AND s.Code IS NOT NULL AND NOT (s.EndDate < ? OR s.BeginDate > ?)");
        if (scalar(database, QStringLiteral("SELECT count(*) ") + finalPayslips, period).toLongLong() == 0)
            continue;
        const qint64 amount = scalar(database,
                                     QStringLiteral("SELECT ifnull(sum(d.Amount), 0) FROM tblHRMonthlySalaryDetail d "
                                                    "WHERE d.MonthlySalaryID IN (SELECT s.ID ")
                                         + finalPayslips + QStringLiteral(")"),
                                     period)
                                  .toLongLong();
        QString name = scalar(database,
                              QStringLiteral("SELECT trim(ifnull(FirstName, '') || ' ' || ifnull(SureName, '')) "
                                             "FROM tblEmployee WHERE ID = ?"),
                              {employeeId})
                           .toString();
        if (name.isEmpty())
            name = QString::number(employeeId);
        postings.append({employeeId, amount, name});
    }
    if (postings.isEmpty())
        return 0;

    exec(database,
         QStringLiteral("INSERT INTO tblAccountDocument (Code, DocumentDate, Description, CreatorID) VALUES (?, ?, ?, ?)"),
         {QString::number(nextCode(database, QStringLiteral("tblAccountDocument"))), iso(docDate),
          QStringLiteral("سند فيش حقوق ماه ") + persian(docDate, u"yyyy/MM"), creatorId});
    const qint64 documentId = lastInsertId(database);

    // Both lines carry the employee, so taking one employee's lines out leaves the document balanced.
    const QString line = QStringLiteral("INSERT INTO tblAccountDocumentDetail (DocumentID, FormTypeID, TransactionDate, "
                                        "EmployeeID, Debit, Credit, Description) VALUES (?, %1, ?, ?, ?, ?, ?)")
                             .arg(payslipFormType);
    for (const Posting &posting : postings) {
        exec(database, line,
             {documentId, iso(docDate), posting.employeeId, posting.amount, 0,
              QStringLiteral("هزينه حقوق ") + posting.name});
        exec(database, line,
             {documentId, iso(docDate), posting.employeeId, 0, posting.amount,
              QStringLiteral("حقوق پرداختني ") + posting.name});
    }
    return returnValue(documentId);
}

using Procedure = qint32 (*)(QSqlDatabase &, const QVariantList &);

struct Entry {
    const char *name;
    int inputCount;
    Procedure run;
};

constexpr Entry procedures[] = {
    {"spHRCreateMonthlySalary", 4, createMonthlySalary},
    {"spHRRecalculateMonthlySalary", 4, recalculateMonthlySalary},
    {"spHRFinalizedMonthlySalary", 4, finalizedMonthlySalary},
    {"spHRBackToTempMonthlySalary", 4, backToTempMonthlySalary},
    {"spHRAccountDocSave", 3, accountDocSave},
};

// Procedure names are matched as SQL Server matches them, without regard to case.
const Entry *find(const QString &name)
{
    for (const Entry &entry : procedures)
        if (name.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
            return &entry;
    return nullptr;
}

} // namespace

std::shared_ptr<const EmbeddedProcedures> EmbeddedProcedures::shared()
{
    static const auto procedures = std::make_shared<const EmbeddedProcedures>();
    return procedures;
}

bool EmbeddedProcedures::contains(const QString &name) const
{
    return find(name) != nullptr;
}

qint32 EmbeddedProcedures::call(QSqlDatabase &database, const QString &name, const QVariantList &inputs) const
{
    const Entry *procedure = find(name);
    if (!procedure)
        fail(QStringLiteral("Could not find stored procedure '%1'.").arg(name));
    if (inputs.size() != procedure->inputCount)
        fail(QStringLiteral("Procedure %1 expects %2 parameters, %3 given")
                 .arg(QLatin1String(procedure->name))
                 .arg(procedure->inputCount)
                 .arg(inputs.size()));
    Transaction transaction(database);
    // Take the write lock before reading anything: a second clerk's call then waits on the busy
    // timeout, where upgrading a read transaction would fail at once with "database is locked".
    exec(database, QStringLiteral("DELETE FROM tblHRMonthlySalary WHERE 0"));
    const qint32 result = procedure->run(database, inputs);
    transaction.commit();
    return result;
}

} // namespace oruhr::embedded
