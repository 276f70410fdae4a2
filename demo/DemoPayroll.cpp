#include "demo/DemoPayroll.h"

#include "demo/DemoContext.h"
#include "payroll/storage/PayrollEngine.h"
#include "payroll/storage/PayrollPosting.h"
#include "payroll/storage/WriteLocks.h"

#include <algorithm>

namespace oruhr::demo {
namespace {

using payroll::PayrollEngine;
using payroll::PayrollPosting;
using payroll::EmployeeMonth;
using payroll::WriteLocks;

class Payroll {
public:
    explicit Payroll(DemoContext &context)
        : m_context(context)
        , m_engine(context.statements)
        , m_posting(context.statements)
        , m_payslip(context.statements, QStringLiteral("tblHRMonthlySalary"),
                    {"ID", "EmployeeID", "OrdinanceID", "Code", "BeginDate", "EndDate", "FarsiBeginDate",
                     "FarsiEndDate", "CreatorID", "CreateDate", "CalculateDate"})
        , m_documentLine(context.statements, QStringLiteral("tblAccountDocumentDetail"),
                         {"DocumentID", "TransactionDate", "Debit", "Credit", "Description"})
    {
    }

    void write()
    {
        const QDate purchase = m_context.previous.first.addDays(9);
        otherDocument(purchase, "خريد لوازم اداري", 48'500'000, "هزينه لوازم اداري", "بانک ملت - حساب جاري");
        previousMonth();
        const QDate rent = m_context.month.first.addDays(4);
        otherDocument(rent, "پرداخت اجاره دفتر مرکزي", 350 * Million, "هزينه اجاره", "بانک ملت - حساب جاري");
        // Mentions both words, but not in the order of a payroll document.
        otherDocument(m_context.month.last, "علي الحساب حقوق کارکنان طبق فيش ماه قبل", 120 * Million,
                      "پيش پرداخت حقوق", "صندوق تنخواه");
        payrollMonth();
    }

private:
    // The previous month is paid and booked for nearly everyone on its payroll.
    void previousMonth()
    {
        const Month &month = m_context.previous;
        QList<qint64> paid;
        for (const Staff &staff : m_context.staff) {
            if (staff.previousOrdinanceId && m_context.dice.chance(96))
                paid << payslip(staff.id, month.first, month.last, true, month.last);
        }
        m_posting.post(paid, CreatorId, month.last);
    }

    void payrollMonth()
    {
        const Month &month = m_context.month;
        const QDate made = std::clamp(m_context.options.today, month.first, month.last);
        enum State { NoPayslip, Temporary, Final };
        int states = 0;
        QList<qint64> final;
        for (const Staff &staff : m_context.staff) {
            if (!staff.monthOrdinanceId)
                continue;
            const int state = m_context.dice.everyCaseFirst(states, {1, 1, 1});
            if (state == NoPayslip)
                continue;
            const qint64 id = payslip(staff.id, staff.payrollFrom, month.last, state == Final, made);
            if (state == Final)
                final << id;
        }
        m_posting.post(final, CreatorId, month.last);
    }

    qint64 payslip(int employeeId, QDate begin, QDate end, bool final, QDate made)
    {
        Dates &dates = m_context.dates;
        const int id = ++m_lastPayslipId;
        const EmployeeMonth month = m_engine.read(employeeId, begin, end, id);
        const qint64 ordinanceId = month.inputs.ordinanceId;
        m_payslip({id, employeeId, ordinanceId ? QVariant(ordinanceId) : QVariant(), codeOf(final, id),
                   dates.iso(begin), dates.iso(end), dates.farsi(begin), dates.farsi(end), CreatorId, dates.iso(made),
                   dates.iso(made)});
        m_engine.insertParts(id, m_engine.calculate(month));
        return id;
    }

    void otherDocument(QDate date, const char *description, qint64 amount, const char *debit, const char *credit)
    {
        const qint64 code = WriteLocks(m_context.statements).nextNumber(WriteLocks::Numbering::Documents);
        const qint64 id = m_context.statements.insert(
            QStringLiteral("INSERT INTO tblAccountDocument (Code, DocumentDate, Description, CreatorID) "
                           "VALUES (?, ?, ?, ?) RETURNING ID"),
            {QString::number(code), m_context.dates.iso(date), text(description), CreatorId});
        m_documentLine({id, m_context.dates.iso(date), amount, 0, text(debit)});
        m_documentLine({id, m_context.dates.iso(date), 0, amount, text(credit)});
    }

    DemoContext &m_context;
    PayrollEngine m_engine;
    PayrollPosting m_posting;
    Insert m_payslip;
    Insert m_documentLine;
    int m_lastPayslipId = 0;
};

} // namespace

void DemoPayroll::write(DemoContext &context)
{
    // Without staff the demo is the catalogue alone, for an office to start from.
    if (!context.staff.empty())
        Payroll(context).write();
}

} // namespace oruhr::demo
