#include "common/CommonSql.h"

namespace oruhr {

QString CommonSql::applicationFolder()
{
    return QStringLiteral("select * from tblPelikSystemParameters Where ID=140");
}

QString CommonSql::payrollMonthStart()
{
    return QStringLiteral("Select Value from tblPelikSystemParameters Where ID=3450");
}

QString CommonSql::reportTemplates(qint32 formTypeId)
{
    return QStringLiteral("Select * from tblPelikReportTemplate where FormTypeID = 1406 Or FormTypeID =")
           + QString::number(formTypeId);
}

QString CommonSql::reportTemplate(qint32 templateId)
{
    return QStringLiteral("Select * From tblPelikReportTemplate Where ID = ") + QString::number(templateId);
}

} // namespace oruhr
