#include "platform/embedded/EmbeddedProcedures.h"

#include "platform/automation/ComponentError.h"
#include "platform/database/Connection.h"
#include "platform/database/StatementCache.h"
#include "platform/database/Transaction.h"
#include "platform/embedded/EmbeddedLog.h"
#include "payroll/storage/PayrollEngine.h"
#include "payroll/storage/PayrollPosting.h"
#include "payroll/storage/WriteLocks.h"

#include <QCalendar>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QStringList>

#include <algorithm>
#include <functional>
#include <iterator>
#include <limits>
#include <optional>
#include <utility>

namespace oruhr::embedded {
namespace {

using payroll::EmployeeMonth;
using payroll::PayrollEngine;
using payroll::PayrollPosting;
using payroll::PayslipInputsReader;
using payroll::WriteLocks;

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

// A payslip is for one Persian month at most: its items are prorated by the days of that month.
void requireMonthlyPeriod(QDate begin, QDate end)
{
    if (!begin.isValid() || !end.isValid() || end < begin)
        fail(QStringLiteral("دوره فيش از %1 تا %2 معتبر نيست.").arg(persian(begin, u"yyyy/MM/dd"), persian(end, u"yyyy/MM/dd")));
    const QCalendar jalali(QCalendar::System::Jalali);
    const QCalendar::YearMonthDay parts = jalali.partsFromDate(begin);
    const QDate monthEnd = jalali.dateFromParts(parts.year, parts.month, jalali.daysInMonth(parts.month, parts.year));
    if (end > monthEnd)
        fail(QStringLiteral("دوره فيش از %1 تا %2 از پايان ماه %3 فراتر مي رود.")
                 .arg(persian(begin, u"yyyy/MM/dd"), persian(end, u"yyyy/MM/dd"), persian(begin, u"yyyy/MM")));
}

qint32 returnValue(qint64 id)
{
    if (id > std::numeric_limits<qint32>::max())
        fail(QStringLiteral("ID %1 does not fit the 32-bit return value").arg(id));
    return qint32(id);
}

QList<qint64> ids(db::StatementCache &statements, const QString &sql, const QVariantList &values)
{
    QList<qint64> result;
    db::StatementRows rows = statements.run(sql, values);
    while (rows.next())
        result.append(rows.integer(0));
    return result;
}

// One call of a procedure: its connection's statements and the payroll engine over them.
struct Call {
    Call(db::Connection &connection, db::Transaction &transaction)
        : transaction(transaction)
        , statements(connection.statements())
        , server(connection.dialect() == db::SqlDialect::PostgreSQL)
        , engine(statements)
        , posting(statements)
        , locks(statements)
    {
    }

    db::Transaction &transaction; // ended by the last write, or after the procedure
    db::StatementCache &statements;
    bool server;
    PayrollEngine engine;
    PayrollPosting posting;
    WriteLocks locks;
    std::optional<EmployeeMonth> opened; // the employee's month, when the transaction opened reading it
};

// Whose own paid instalments a procedure's read of the month leaves out.
struct MonthRead {
    std::optional<qint64> recalculated;
};
constexpr MonthRead forNewPayslip{0};
constexpr MonthRead forRecalculation{std::nullopt};

struct MonthlyInputs {
    qint32 creatorId;
    QDate begin;
    QDate end;
    qint32 employeeId;

    explicit MonthlyInputs(const db::MonthlySalaryArguments &arguments)
        : creatorId(arguments.creatorId)
        , begin(arguments.beginDate)
        , end(arguments.endDate)
        , employeeId(arguments.employeeId)
    {
        requireMonthlyPeriod(begin, end);
    }

    // The employee's payslips overlapping the period: temporary, final or both.
    QList<qint64> payslips(db::StatementCache &statements, const QString &codeCondition) const
    {
        return ids(statements,
                   QStringLiteral("SELECT ID FROM tblHRMonthlySalary WHERE EmployeeID = ? AND %1 "
                                  "AND NOT (EndDate < ? OR BeginDate > ?) ORDER BY BeginDate, ID")
                       .arg(codeCondition),
                   {employeeId, iso(begin), iso(end)});
    }
};

// The employee's month as the transaction opened with it, or read now.
EmployeeMonth monthOf(Call &call, const MonthlyInputs &in, MonthRead read)
{
    if (call.opened)
        return *std::exchange(call.opened, std::nullopt);
    return call.engine.read(in.employeeId, in.begin, in.end, read.recalculated);
}

// Creates the employee's temporary payslip for the period from the final ordinances in force,
// and returns its ID; 0 when a payslip already overlaps the period or no final ordinance does.
qint32 createMonthlySalary(Call &call, const MonthlyInputs &in)
{
    const EmployeeMonth month = monthOf(call, in, forNewPayslip);
    if (!month.payslips.isEmpty() || month.inputs.ordinanceId == 0)
        return 0;
    const QString stamp = now();
    return returnValue(call.engine.insert({in.employeeId, month.inputs.ordinanceId, iso(in.begin), iso(in.end),
                                           persian(in.begin, u"yyyy/MM/dd"), persian(in.end, u"yyyy/MM/dd"),
                                           in.creatorId, stamp, stamp},
                                          call.engine.calculate(month), &call.transaction));
}

// Works the employee's temporary payslips overlapping the period out again from what is
// entered now; returns how many were recalculated.
qint32 recalculateMonthlySalary(Call &call, const MonthlyInputs &in)
{
    const EmployeeMonth month = monthOf(call, in, forRecalculation);
    QList<EmployeeMonth::Payslip> temporary;
    std::copy_if(month.payslips.cbegin(), month.payslips.cend(), std::back_inserter(temporary),
                 [](const EmployeeMonth::Payslip &payslip) { return !payslip.final; });
    for (const EmployeeMonth::Payslip &payslip : temporary) {
        const bool last = &payslip == &temporary.last();
        // A payslip keeps its own period, which may differ from the one asked for.
        requireMonthlyPeriod(payslip.begin, payslip.end);
        const bool readAlready = month.recalculated == payslip.id && payslip.begin == in.begin && payslip.end == in.end;
        const EmployeeMonth own =
            readAlready ? month : call.engine.read(in.employeeId, payslip.begin, payslip.end, payslip.id);
        const qint64 ordinanceId = own.inputs.ordinanceId;
        call.engine.replace(payslip.id, ordinanceId ? QVariant(ordinanceId) : QVariant(QMetaType::fromType<qint64>()),
                            now(), call.engine.calculate(own), last ? &call.transaction : nullptr);
    }
    return returnValue(temporary.size());
}

// Gives the temporary payslip its number back, or a number never given; false when a clerk's
// delete took the payslip meanwhile. On a server a new number is taken and given in one
// statement, and the last payslip's ends the transaction.
bool giveNumber(Call &call, qint64 payslipId, const QVariant &given, bool last)
{
    static const QString numbered =
        QStringLiteral("WITH n AS (%1) UPDATE tblHRMonthlySalary SET Code = CAST(n.LastNumber AS TEXT), GivenCode = "
                       "CAST(n.LastNumber AS TEXT) FROM n WHERE ID = ? AND Code IS NULL RETURNING ID")
            .arg(WriteLocks::nextNumberSql(WriteLocks::Numbering::Payslips));
    if (given.isNull() && call.server) {
        const QVariantList values{int(WriteLocks::Numbering::Payslips), payslipId};
        return !(last ? call.transaction.commitWith(numbered, values) : call.statements.scalar(numbered, values)).isNull();
    }
    const QString code = given.isNull() ? QString::number(call.locks.nextNumber(WriteLocks::Numbering::Payslips))
                                        : given.toString();
    return !call.statements
                .scalar(QStringLiteral("UPDATE tblHRMonthlySalary SET Code = ?, GivenCode = ? WHERE ID = ? AND Code "
                                       "IS NULL RETURNING ID"),
                        {code, code, payslipId})
                .isNull();
}

// Makes the employee's temporary payslips overlapping the period final by numbering them;
// returns the last one's ID, 0 when none was temporary. A payslip that was final before gets
// its own number back; any other a number never given.
qint32 finalizedMonthlySalary(Call &call, const MonthlyInputs &in)
{
    // Each temporary payslip with the number it had before, if any, in one round trip.
    QList<std::pair<qint64, QVariant>> temporary;
    {
        db::StatementRows rows = call.statements.run(
            QStringLiteral("SELECT ID, GivenCode FROM tblHRMonthlySalary WHERE EmployeeID = ? AND Code IS NULL "
                           "AND NOT (EndDate < ? OR BeginDate > ?) ORDER BY BeginDate, ID"),
            {in.employeeId, iso(in.begin), iso(in.end)});
        while (rows.next())
            temporary.append({rows.integer(0), rows.value(1)});
    }
    qint64 last = 0;
    for (qsizetype i = 0; i < temporary.size(); ++i)
        if (giveNumber(call, temporary[i].first, temporary[i].second, i + 1 == temporary.size()))
            last = temporary[i].first;
    return returnValue(last);
}

// Returns the employee's final payslips overlapping the period to temporary and takes their
// shares out of their accounting documents, dropping documents left empty; returns how many
// payslips went back.
qint32 backToTempMonthlySalary(Call &call, const MonthlyInputs &in)
{
    const QList<qint64> payslips = in.payslips(call.statements, QStringLiteral("Code IS NOT NULL"));
    for (const qint64 payslipId : payslips) {
        call.statements.execute(
            QStringLiteral("UPDATE tblHRMonthlySalary SET GivenCode = coalesce(GivenCode, Code), Code = NULL WHERE ID = ?"),
            {payslipId});
        call.posting.withdraw(payslipId);
    }
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

// Posts the listed employees' final payslips of the Persian month of the document date that
// no document holds yet, in one new balanced accounting document, and returns its ID; 0 when
// there was nothing to post. The employees are those of @EmployeeIDs, read once.
qint32 accountDocSave(Call &call, const db::AccountDocArguments &arguments, const QList<qint64> &employees)
{
    const QDate docDate = arguments.docDate;

    const QCalendar jalali(QCalendar::System::Jalali);
    const QCalendar::YearMonthDay parts = jalali.partsFromDate(docDate);
    const QDate monthBegin = jalali.dateFromParts(parts.year, parts.month, 1);

    const QList<qint64> unposted = call.posting.unposted(employees, monthBegin, docDate);
    return returnValue(call.posting.post(unposted, arguments.creatorId, docDate));
}

using MonthlyProcedure = qint32 (*)(Call &, const MonthlyInputs &);

struct Entry {
    const char *name;
    MonthlyProcedure run; // null for spHRAccountDocSave
    std::optional<MonthRead> opensWith; // the month the procedure reads first
};

constexpr Entry procedures[] = {
    {"spHRCreateMonthlySalary", createMonthlySalary, forNewPayslip},
    {"spHRRecalculateMonthlySalary", recalculateMonthlySalary, forRecalculation},
    {"spHRFinalizedMonthlySalary", finalizedMonthlySalary, std::nullopt},
    {"spHRBackToTempMonthlySalary", backToTempMonthlySalary, std::nullopt},
    {"spHRAccountDocSave", nullptr, std::nullopt},
};

// Procedure names are matched as SQL Server matches them, without regard to case.
const Entry *find(const QString &name)
{
    for (const Entry &entry : procedures)
        if (name.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
            return &entry;
    return nullptr;
}

const Entry &found(const QString &name)
{
    const Entry *procedure = find(name);
    if (!procedure)
        fail(QStringLiteral("Could not find stored procedure '%1'.").arg(name));
    return *procedure;
}

[[noreturn]] void wrongInputs(const Entry &procedure, int expected, int given)
{
    fail(QStringLiteral("Procedure %1 expects %2 parameters, %3 given")
             .arg(QLatin1String(procedure.name))
             .arg(expected)
             .arg(given));
}

// The statement a procedure's transaction opens with, and what takes its rows.
struct Opening {
    QString statement;
    std::function<void(db::StatementRows &)> rows;
};

// Runs the procedure in one transaction of its connection, which opens holding the employees'
// locks.
template<typename Run>
qint32 inTransaction(db::Connection &connection, const char *name, const QVariantList &inputs, const Opening &opening,
                     Run &&run)
{
    db::Transaction transaction(connection, opening.statement, opening.rows);
    Call call(connection, transaction);
    const qint32 result = run(call);
    qCDebug(lcEmbedded) << name << inputs << "returned" << result;
    if (transaction.isOpen())
        transaction.commit();
    return result;
}

} // namespace

bool EmbeddedProcedures::contains(const QString &name) const
{
    return find(name) != nullptr;
}

qint32 EmbeddedProcedures::call(db::Connection &connection, const QString &name,
                                const db::MonthlySalaryArguments &arguments) const
{
    const Entry &procedure = found(name);
    if (!procedure.run)
        wrongInputs(procedure, 3, 4);
    const MonthlyInputs inputs(arguments);
    std::optional<EmployeeMonth> opened;
    Opening opening{WriteLocks::statement(connection.dialect(), {inputs.employeeId}), {}};
    if (procedure.opensWith) {
        const QString read = PayslipInputsReader::openingStatement(connection.statements(), inputs.employeeId, inputs.begin,
                                                                   inputs.end, procedure.opensWith->recalculated);
        if (!read.isEmpty())
            opening = {read, [&](db::StatementRows &rows) {
                           opened = PayslipInputsReader::fromRows(rows, inputs.employeeId, inputs.begin, inputs.end);
                       }};
    }
    return inTransaction(connection, procedure.name, arguments.values(), opening, [&](Call &call) {
        call.opened = std::move(opened);
        return procedure.run(call, inputs);
    });
}

qint32 EmbeddedProcedures::call(db::Connection &connection, const QString &name,
                                const db::AccountDocArguments &arguments) const
{
    const Entry &procedure = found(name);
    if (procedure.run)
        wrongInputs(procedure, 4, 3);
    const QList<qint64> employees = employeeIds(arguments.employeeIds);
    const Opening opening{WriteLocks::statement(connection.dialect(), employees), {}};
    return inTransaction(connection, procedure.name, arguments.values(), opening,
                         [&](Call &call) { return accountDocSave(call, arguments, employees); });
}

} // namespace oruhr::embedded
