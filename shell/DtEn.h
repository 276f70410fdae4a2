#pragma once

#include "platform/database/Connection.h"
#include "platform/database/Recordset.h"
#include "platform/database/StoredProcedureCommand.h"

#include <QDate>
#include <QString>

namespace oruhr {

// The data environment: the session's one connection and the five payroll procedure
// commands. All database work of the windows runs through it.
class DtEn {
public:
    DtEn();
    DtEn(const DtEn &) = delete;
    DtEn &operator=(const DtEn &) = delete;

    db::Connection &connection() { return m_connection; }

    // A recordset of its own, opened with the system's SQL text; it closes when it goes.
    // Throws ComponentError.
    db::Recordset query(const QString &sql);
    // A date as the connection's SQL texts write it.
    QString dateLiteral(const QDate &date) { return m_connection.dateLiteral(date); }

    // The creator is the 16-bit user, sign-extended to the procedures' 32-bit parameter.
    qint32 spHRCreateMonthlySalary(qint16 creatorId, const QDate &beginDate, const QDate &endDate, qint32 employeeId);
    qint32 spHRRecalculateMonthlySalary(qint16 creatorId, const QDate &beginDate, const QDate &endDate,
                                        qint32 employeeId);
    qint32 spHRFinalizedMonthlySalary(qint16 creatorId, const QDate &beginDate, const QDate &endDate,
                                      qint32 employeeId);
    qint32 spHRBackToTempMonthlySalary(qint16 creatorId, const QDate &beginDate, const QDate &endDate,
                                       qint32 employeeId);
    // Fails with ComponentError when employeeIds is longer than 8000 characters.
    qint32 spHRAccountDocSave(qint16 creatorId, const QDate &docDate, const QString &employeeIds);

private:
    db::Connection m_connection;
    db::StoredProcedureCommand m_create;
    db::StoredProcedureCommand m_recalculate;
    db::StoredProcedureCommand m_finalize;
    db::StoredProcedureCommand m_backToTemp;
    db::StoredProcedureCommand m_accountDocSave;
};

} // namespace oruhr
