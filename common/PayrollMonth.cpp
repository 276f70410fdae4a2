#include "common/PayrollMonth.h"

#include "common/CommonSql.h"
#include "common/MessageText.h"
#include "common/Messages.h"
#include "common/PersianMonth.h"
#include "platform/controls/PelikDate.h"
#include "shell/ModMain.h"

#include <QSignalBlocker>

namespace oruhr {

void PayrollMonth::readApplicationFolder(ModMain &session)
{
    const db::Recordset recordset = session.dtEn().query(CommonSql::applicationFolder());
    if (recordset.recordCount() > 0)
        session.ApplicationFolder = recordset.field(QStringLiteral("Value")).toString();
}

QString PayrollMonth::readStartDateText(ModMain &session)
{
    const db::Recordset recordset = session.dtEn().query(CommonSql::payrollMonthStart());
    if (recordset.recordCount() > 0)
        return recordset.field(QStringLiteral("Value")).toString();
    return PelikDate::toPersianText(QDate::currentDate());
}

void PayrollMonth::setDefaultPeriod(PelikDate &begin, PelikDate &end, const QString &startText)
{
    ShowLastDayOfMonth(end, startText);
    begin.setPersianText(startText);
}

QString PayrollMonth::loadPeriod(ModMain &session, PelikDate &begin, PelikDate &end)
{
    readApplicationFolder(session);
    const QString startText = readStartDateText(session);
    const QSignalBlocker blockBegin(begin), blockEnd(end);
    setDefaultPeriod(begin, end, startText);
    return startText;
}

bool PayrollMonth::isListable(const ComponentRegistry &components, const PelikDate &begin, const PelikDate &end)
{
    if (begin.isEmpty() || end.isEmpty())
        return false;
    if (end.englishdate() < begin.englishdate()) {
        ShowMessage(components, MessageText::TitleProblem, MessageText::BeginAfterEnd);
        return false;
    }
    return true;
}

void PayrollMonth::restoreEmptiedBegin(const ComponentRegistry &components, PelikDate &begin, const QString &startText)
{
    ShowMessage(components, MessageText::TitleProblem, MessageText::BeginDateEmpty);
    const QSignalBlocker block(&begin);
    begin.setPersianText(startText);
}

void PayrollMonth::restoreEmptiedEnd(const ComponentRegistry &components, PelikDate &end, const QString &startText)
{
    ShowMessage(components, MessageText::TitleProblem, MessageText::EndDateEmpty);
    const QSignalBlocker block(&end);
    ShowLastDayOfMonth(end, startText);
}

} // namespace oruhr
