#include "common/CommonSql.h"

#include "platform/database/SystemIds.h"

namespace oruhr {

QString CommonSql::applicationFolder()
{
    return QStringLiteral("select * from tblPelikSystemParameters Where ID=")
           + QString::number(ids::ApplicationFolderParameter);
}

QString CommonSql::payrollMonthStart()
{
    return QStringLiteral("Select Value from tblPelikSystemParameters Where ID=")
           + QString::number(ids::PayrollMonthStartParameter);
}

QString CommonSql::reportTemplates(qint32 formTypeId)
{
    return QStringLiteral("Select * from tblPelikReportTemplate where FormTypeID = ") + QString::number(ids::EveryForm)
           + QStringLiteral(" Or FormTypeID =") + QString::number(formTypeId);
}

QString CommonSql::reportTemplate(qint32 templateId)
{
    return QStringLiteral("Select * From tblPelikReportTemplate Where ID = ") + QString::number(templateId);
}

} // namespace oruhr
