#include "payslips/MissingFactorCheck.h"

#include "common/MessageText.h"
#include "common/Messages.h"
#include "payslips/FormErrorEmployee.h"
#include "platform/automation/ComponentError.h"
#include "platform/controls/KeyedListModel.h"
#include "platform/controls/PelikDate.h"
#include "shell/DtEn.h"

namespace oruhr {

QString MissingFactorCheck::employeeIds(const KeyedListModel &employees)
{
    QString list;
    for (int row = 0; row < employees.rowCount(); ++row)
        list += QStringLiteral(", ") + QString::number(employees.item(row).key.mid(1).toLongLong());
    if (!list.isEmpty())
        list.remove(0, 1);
    return list;
}

void MissingFactorCheck::show(const KeyedListModel &employees, const PelikDate &begin, const PelikDate &end)
{
    QString ids = employeeIds(employees);
    try {
        db::Connection &connection = DtEn::instance().connection();
        FormErrorEmployee::instance().ShowErrorEmployee(connection.dateLiteral(begin.englishdate()), begin.persianText(),
                                                        connection.dateLiteral(end.englishdate()), end.persianText(),
                                                        ids, false);
    } catch (const ComponentError &error) {
        ShowMessage(MessageText::TitleError, error.description());
    }
}

} // namespace oruhr
