#include "platform/components/AccountDocument.h"

#include "platform/database/Connection.h"
#include "platform/database/Recordset.h"

#include <QDateTime>

namespace oruhr {
namespace {

// SQL Server hands over a date and time, the embedded database ISO text.
QDate dateOf(const QVariant &value)
{
    if (value.metaType().id() == QMetaType::QDateTime || value.metaType().id() == QMetaType::QDate)
        return value.toDate();
    return QDate::fromString(value.toString().left(10), Qt::ISODate);
}

// Amounts may come as money or decimal text; they are whole rials.
qint64 amountOf(const QVariant &value)
{
    return qRound64(value.toDouble());
}

} // namespace

AccountDocument AccountDocument::read(const QString &connectionString, qint64 id)
{
    db::Connection connection;
    connection.setConnectionString(connectionString);
    db::Recordset recordset(connection);
    const QString number = QString::number(id);

    AccountDocument document;
    document.id = id;
    recordset.open(QStringLiteral("Select ID, Code, DocumentDate, Description From tblAccountDocument Where ID=")
                   + number);
    if (recordset.recordCount() == 0)
        return document;
    recordset.moveFirst();
    document.found = true;
    document.code = recordset.field(QStringLiteral("Code")).toString();
    document.date = dateOf(recordset.field(QStringLiteral("DocumentDate")));
    document.description = recordset.field(QStringLiteral("Description")).toString();

    recordset.open(QStringLiteral("Select Description, Debit, Credit From tblAccountDocumentDetail Where DocumentID=")
                   + number + QStringLiteral(" Order By ID"));
    for (recordset.moveFirst(); !recordset.eof(); recordset.moveNext())
        document.lines.append({recordset.field(QStringLiteral("Description")).toString(),
                               amountOf(recordset.field(QStringLiteral("Debit"))),
                               amountOf(recordset.field(QStringLiteral("Credit")))});
    return document;
}

qint64 AccountDocument::totalDebit() const
{
    qint64 total = 0;
    for (const Line &line : lines)
        total += line.debit;
    return total;
}

qint64 AccountDocument::totalCredit() const
{
    qint64 total = 0;
    for (const Line &line : lines)
        total += line.credit;
    return total;
}

} // namespace oruhr
