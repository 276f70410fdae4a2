#include "payslips/EmployeeRow.h"

#include "platform/controls/KeyedListModel.h"

namespace oruhr {
namespace {

constexpr int CodeColumn = 1;
constexpr int FirstNameColumn = 2;
constexpr int SurnameColumn = 3;

} // namespace

ListItem EmployeeRow::toItem() const
{
    return {QLatin1Char('k') + QString::number(id), {QString(), code, firstName, surname}, checked, {}, id};
}

EmployeeRow EmployeeRow::of(const ListItem &item)
{
    return {item.value.toInt(), item.texts.value(CodeColumn), item.texts.value(FirstNameColumn),
            item.texts.value(SurnameColumn), item.checked};
}

QList<EmployeeRow> EmployeeRow::allOf(const KeyedListModel &list)
{
    QList<EmployeeRow> rows;
    rows.reserve(list.rowCount());
    for (int row = 0; row < list.rowCount(); ++row)
        rows.append(of(list.item(row)));
    return rows;
}

} // namespace oruhr
