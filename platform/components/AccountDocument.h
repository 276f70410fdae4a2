#pragma once

#include <QDate>
#include <QList>
#include <QString>

namespace oruhr {

// One accounting document with its lines, as the accounting viewer shows it.
class AccountDocument {
public:
    struct Line {
        QString description;
        qint64 debit = 0;
        qint64 credit = 0;
    };

    // Reads the document through its own connection; throws ComponentError when the
    // database fails. A document that does not exist reads as not found.
    static AccountDocument read(const QString &connectionString, qint64 id);

    bool found = false;
    qint64 id = 0;
    QString code;
    QDate date;
    QString description;
    QList<Line> lines;

    qint64 totalDebit() const;
    qint64 totalCredit() const;
};

} // namespace oruhr
