#include "shell/DtEn.h"

namespace oruhr {
namespace {

using Parameter = db::ProcedureParameter;
using Type = db::ProcedureParameter::Type;

constexpr int employeeIdsSize = 8000;

QList<Parameter> monthlySalaryInputs()
{
    return {{QStringLiteral("@CreatorID"), Type::Integer},
            {QStringLiteral("@BeginDate"), Type::DateTime},
            {QStringLiteral("@EndDate"), Type::DateTime},
            {QStringLiteral("@EmployeeID"), Type::Integer}};
}

QList<Parameter> accountDocInputs()
{
    return {{QStringLiteral("@CreatorID"), Type::Integer},
            {QStringLiteral("@DocDate"), Type::DateTime},
            {QStringLiteral("@EmployeeIDs"), Type::VarChar, employeeIdsSize}};
}

} // namespace

DtEn::DtEn()
    : m_create(m_connection, QStringLiteral("spHRCreateMonthlySalary"), monthlySalaryInputs())
    , m_recalculate(m_connection, QStringLiteral("spHRRecalculateMonthlySalary"), monthlySalaryInputs())
    , m_finalize(m_connection, QStringLiteral("spHRFinalizedMonthlySalary"), monthlySalaryInputs())
    , m_backToTemp(m_connection, QStringLiteral("spHRBackToTempMonthlySalary"), monthlySalaryInputs())
    , m_accountDocSave(m_connection, QStringLiteral("spHRAccountDocSave"), accountDocInputs())
{
}

db::Recordset DtEn::query(const QString &sql)
{
    db::Recordset recordset(m_connection);
    recordset.open(sql);
    return recordset;
}

qint32 DtEn::spHRCreateMonthlySalary(qint16 creatorId, const QDate &beginDate, const QDate &endDate,
                                     qint32 employeeId)
{
    return m_create.execute({qint32(creatorId), beginDate, endDate, employeeId});
}

qint32 DtEn::spHRRecalculateMonthlySalary(qint16 creatorId, const QDate &beginDate, const QDate &endDate,
                                          qint32 employeeId)
{
    return m_recalculate.execute({qint32(creatorId), beginDate, endDate, employeeId});
}

qint32 DtEn::spHRFinalizedMonthlySalary(qint16 creatorId, const QDate &beginDate, const QDate &endDate,
                                        qint32 employeeId)
{
    return m_finalize.execute({qint32(creatorId), beginDate, endDate, employeeId});
}

qint32 DtEn::spHRBackToTempMonthlySalary(qint16 creatorId, const QDate &beginDate, const QDate &endDate,
                                         qint32 employeeId)
{
    return m_backToTemp.execute({qint32(creatorId), beginDate, endDate, employeeId});
}

qint32 DtEn::spHRAccountDocSave(qint16 creatorId, const QDate &docDate, const QString &employeeIds)
{
    return m_accountDocSave.execute({qint32(creatorId), docDate, employeeIds});
}

} // namespace oruhr
