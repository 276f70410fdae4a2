#pragma once

#include "host/monthend/MonthEndPeriod.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace oruhr {

class ModMain;

// The month's final payslips that no accounting document holds: left by a finalisation whose
// list of employees was too long for the document call, or by a run that stopped at an
// employee. Posting them takes as many document calls as the call's 8000 characters need,
// each a document of its own, so a second posting finds nothing.
class UnpostedPayslips {
public:
    struct Payslip {
        qint64 id = 0;
        QString code;
        qint32 employeeId = 0;
        QString employeeCode;
        QString firstName;
        QString surname;
        qint64 netPay = 0;
    };

    UnpostedPayslips(ModMain &session, MonthEndPeriod period);

    // Throws ComponentError.
    QList<Payslip> list() const;
    struct Posting {
        QList<qint32> documents;
        int payslips = 0;
    };
    // Posts them; each document's number goes to issued as it is made. Throws ComponentError at
    // a failing call: the documents made before it stay.
    Posting post(const std::function<void(qint32 document)> &issued = {}) const;

    // The employees as comma-joined lists of at most limit characters each, in their order.
    static QStringList employeeLists(const QList<qint32> &employeeIds, int limit = 8000);
    static qint64 totalNetPay(const QList<Payslip> &payslips);

private:
    ModMain &m_session;
    MonthEndPeriod m_period;
};

} // namespace oruhr
