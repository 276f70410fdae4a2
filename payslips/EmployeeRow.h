#pragma once

#include <QList>
#include <QString>

namespace oruhr {

class KeyedListModel;
struct ListItem;

// One employee of the payslip window's list. The list keys a row "k" followed by the
// employee's ID and keeps the ID as the row's value; its sub-items are the code, the first
// name and the surname; nothing else reads or writes that form.
struct EmployeeRow {
    qint32 id = 0;
    QString code;
    QString firstName;
    QString surname;
    bool checked = false;

    ListItem toItem() const;
    static EmployeeRow of(const ListItem &item);
    // Every row of the list, in list order.
    static QList<EmployeeRow> allOf(const KeyedListModel &list);
};

} // namespace oruhr
