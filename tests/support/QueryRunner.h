#pragma once

#include "platform/database/Connection.h"
#include "platform/database/Recordset.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <gtest/gtest.h>

namespace oruhr::test {

// Runs the system's SQL on a seeded database through one of the backends (the test
// parameter), and reads one column of every row.
class QueryRunner {
public:
    QueryRunner(const QString &connectionString) { m_connection.setConnectionString(connectionString); }

    db::Connection &connection() { return m_connection; }
    QString date(const QDate &day) { return m_connection.dateLiteral(day); }

    QList<QVariant> column(const QString &sql, const QString &name)
    {
        db::Recordset recordset(m_connection);
        recordset.open(sql);
        QList<QVariant> values;
        for (recordset.moveFirst(); !recordset.eof(); recordset.moveNext())
            values << recordset.field(name);
        return values;
    }

    QList<int> ids(const QString &sql, const QString &name = QStringLiteral("ID"))
    {
        QList<int> result;
        for (const QVariant &value : column(sql, name))
            result << value.toInt();
        return result;
    }

    void run(const QString &sql)
    {
        db::Recordset recordset(m_connection);
        recordset.open(sql);
    }

private:
    db::Connection m_connection;
};

} // namespace oruhr::test
