#pragma once

#include "platform/controls/KeyedListModel.h"

#include <QList>
#include <QVariant>

namespace oruhr {

namespace db {
class Recordset;
}

// One document of the document window's list. The list keys a row "k" + FormTypeID + ID,
// with an empty check-box text and seven sub-items, and keeps the kind and the ID typed as
// the row's value; nothing else reads or writes that form.
struct DocumentRow {
    qint32 formTypeId = 0;
    QString id;
    bool checked = false;

    static DocumentRow of(const ListItem &item);
    // Every record of an open list query, in the order it returned them.
    static QList<ListItem> readAll(db::Recordset &recordset);
    // "موقت" while the code is null or empty, "قطعي" otherwise.
    static QString stateText(const QVariant &code);
};

} // namespace oruhr

Q_DECLARE_METATYPE(oruhr::DocumentRow)
