#include "payslips/MissingFactorCheck.h"

#include "common/MessageText.h"
#include "common/Messages.h"
#include "payslips/EmployeeListWindow.h"
#include "payslips/FormErrorEmployee.h"
#include "platform/automation/ComponentError.h"
#include "platform/controls/PelikDate.h"
#include "shell/ModMain.h"

namespace oruhr {

QString MissingFactorCheck::employeeIds(const QList<EmployeeRow> &rows)
{
    QString list;
    for (const EmployeeRow &row : rows)
        list += QStringLiteral(", ") + QString::number(row.id);
    if (!list.isEmpty())
        list.remove(0, 1);
    return list;
}

void MissingFactorCheck::show(EmployeeListWindow &window)
{
    QString ids = employeeIds(window.employeeRows());
    const PelikDate &begin = window.beginDate();
    const PelikDate &end = window.endDate();
    try {
        DtEn &dtEn = window.session().dtEn();
        window.factorCheck().ShowErrorEmployee(dtEn.dateLiteral(begin.englishdate()), begin.persianText(),
                                               dtEn.dateLiteral(end.englishdate()), end.persianText(), ids, false);
    } catch (const ComponentError &error) {
        ShowMessage(window.session().components(), MessageText::TitleError,
                    MessageText::databaseFailure(MessageText::FactorCheckNotDone, error.description()));
    }
}

} // namespace oruhr
