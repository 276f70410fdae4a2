#pragma once

#include "platform/controls/KeyedListModel.h"

#include <QList>
#include <QVariant>

namespace oruhr {

namespace db {
class Recordset;
}

// The rows of the document list as the list query returns them: key "k" + FormTypeID + ID,
// an empty check-box text and seven sub-items.
class DocumentRow {
public:
    // Sub-item positions that finalisation reads.
    static constexpr int FormTypeColumn = 2;
    static constexpr int IdColumn = 3;

    // Every record of an open list query, in the order it returned them.
    static QList<ListItem> readAll(db::Recordset &recordset);
    // "موقت" while the code is null or empty, "قطعي" otherwise.
    static QString stateText(const QVariant &code);
};

} // namespace oruhr
