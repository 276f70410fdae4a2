#include "documents/DocumentRow.h"

#include "platform/database/Recordset.h"

namespace oruhr {

DocumentRow DocumentRow::of(const ListItem &item)
{
    DocumentRow row = item.value.value<DocumentRow>();
    row.checked = item.checked;
    return row;
}

QString DocumentRow::stateText(const QVariant &code)
{
    return code.toString().isEmpty() ? QStringLiteral("موقت") : QStringLiteral("قطعي");
}

QList<ListItem> DocumentRow::readAll(db::Recordset &recordset)
{
    auto column = [&recordset](const char *name) { return recordset.fieldIndex(QString::fromLatin1(name)); };
    const int docType = column("DocType"), formTypeId = column("FormTypeID"), id = column("ID"), code = column("Code"),
              begin = column("FarsiBeginDate"), end = column("FarsiEndDate"), description = column("Description");
    QList<ListItem> rows;
    rows.reserve(recordset.recordCount());
    for (recordset.moveFirst(); !recordset.eof(); recordset.moveNext()) {
        ListItem row;
        const QString formType = recordset.field(formTypeId).toString();
        const QString documentId = recordset.field(id).toString();
        row.key = QLatin1Char('k') + formType + documentId;
        row.value = QVariant::fromValue(DocumentRow{recordset.field(formTypeId).toInt(), documentId});
        row.texts = {QString(), recordset.field(docType).toString(), formType, documentId,
                     stateText(recordset.field(code)), recordset.field(begin).toString(),
                     recordset.field(end).toString(), recordset.field(description).toString()};
        rows.append(std::move(row));
    }
    return rows;
}

} // namespace oruhr
