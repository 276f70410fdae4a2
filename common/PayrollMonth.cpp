#include "common/PayrollMonth.h"

#include "common/CommonSql.h"
#include "common/PersianMonth.h"
#include "platform/controls/PelikDate.h"
#include "shell/DtEn.h"
#include "shell/ModMain.h"

namespace oruhr {

void PayrollMonth::readApplicationFolder()
{
    db::Recordset &recordset = DtEn::instance().rssqlSalvoInstallInfo();
    recordset.open(CommonSql::applicationFolder());
    if (recordset.recordCount() > 0)
        ModMain::ApplicationFolder = recordset.field(QStringLiteral("Value")).toString();
    recordset.close();
}

QString PayrollMonth::readStartDateText(PelikDate &tempDate)
{
    db::Recordset &recordset = DtEn::instance().rssqlCommon();
    recordset.open(CommonSql::payrollMonthStart());
    QString text;
    if (recordset.recordCount() == 0) {
        tempDate.setEnglishdate(QDate::currentDate());
        text = tempDate.persianText();
    } else {
        text = recordset.field(QStringLiteral("Value")).toString();
    }
    recordset.close();
    return text;
}

void PayrollMonth::setDefaultPeriod(PelikDate &begin, PelikDate &end, const QString &startText)
{
    ShowLastDayOfMonth(end, startText);
    begin.setPersianText(startText);
}

} // namespace oruhr
