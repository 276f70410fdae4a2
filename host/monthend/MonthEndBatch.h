#pragma once

#include "host/monthend/MonthEndPeriod.h"
#include "payslips/EmployeeListMode.h"
#include "payslips/EmployeeRow.h"
#include "payslips/PayslipBatchStep.h"

#include <QList>
#include <QSet>
#include <QString>

#include <functional>
#include <optional>

namespace oruhr {

class ModMain;

// One of the payslip window's batch steps for every employee the window would list for it,
// unattended: the window's list SQL and filters, and the same call per employee. As in the
// window there is no unit of work across employees: a failure stops the run at the employee,
// the earlier ones done; a finalisation issues one document for the employees it made final.
class MonthEndBatch {
public:
    // The list's filters; an empty one lists everyone.
    struct Filter {
        std::optional<int> branch;
        std::optional<int> costCentre;
        std::optional<int> recruitmentType;
        QSet<qint32> ids;

        // "branch=11 costcentre=31 recruitment=21 ids=5,7-9"; nullopt and a message when wrong.
        static std::optional<Filter> parse(const QString &text, QString &error);
    };
    struct Result {
        int done = 0;
        int listed = 0;
        // The employee the run stopped at, and why; no failure when it went to the end.
        std::optional<EmployeeRow> failedAt;
        QString failure;
        // Finalisation: the document made for the employees made final; 0 when none.
        qint32 document = 0;
    };
    using Progress = std::function<void(int done, int listed, const EmployeeRow &employee)>;

    MonthEndBatch(ModMain &session, PayslipBatchKind kind, MonthEndPeriod period, Filter filter = {});

    // The list the window shows for the step: without payslip for a temporary save, final
    // payslips for a return, temporary ones otherwise.
    static EmployeeListMode listedFor(PayslipBatchKind kind);
    const PayslipBatchStep &step() const { return m_step; }

    // The employees the step is for; throws ComponentError.
    QList<EmployeeRow> employees() const;
    // Throws ComponentError only when the list cannot be read.
    Result run(const Progress &progress = {}) const;

private:
    ModMain &m_session;
    PayslipBatchStep m_step;
    MonthEndPeriod m_period;
    Filter m_filter;
};

} // namespace oruhr
