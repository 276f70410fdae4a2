#include "common/PayrollMonth.h"

#include "common/CommonSql.h"
#include "common/MessageText.h"
#include "common/Messages.h"
#include "common/PersianMonth.h"
#include "platform/controls/PelikDate.h"
#include "shell/DtEn.h"
#include "shell/ModMain.h"

#include <QSignalBlocker>

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

QString PayrollMonth::loadPeriod(PelikDate &begin, PelikDate &end, PelikDate &tempDate)
{
    readApplicationFolder();
    const QString startText = readStartDateText(tempDate);
    const QSignalBlocker blockBegin(begin), blockEnd(end);
    setDefaultPeriod(begin, end, startText);
    return startText;
}

bool PayrollMonth::isListable(const PelikDate &begin, const PelikDate &end)
{
    if (begin.isEmpty() || end.isEmpty())
        return false;
    if (end.englishdate() < begin.englishdate()) {
        ShowMessage(MessageText::TitleProblem, MessageText::BeginAfterEnd);
        return false;
    }
    return true;
}

void PayrollMonth::restoreEmptiedBegin(PelikDate &begin, const QString &startText)
{
    ShowMessage(MessageText::TitleProblem, MessageText::BeginDateEmpty);
    const QSignalBlocker block(&begin);
    begin.setPersianText(startText);
}

void PayrollMonth::restoreEmptiedEnd(PelikDate &end, const QString &startText)
{
    ShowMessage(MessageText::TitleProblem, MessageText::EndDateEmpty);
    const QSignalBlocker block(&end);
    ShowLastDayOfMonth(end, startText);
}

} // namespace oruhr
