#pragma once

#include <QDate>
#include <QString>
#include <QVariantList>

namespace oruhr::db {

// The inputs of spHRAccountDocSave, in declaration order.
struct AccountDocArguments {
    qint32 creatorId = 0;
    QDate docDate;
    QString employeeIds; // "12,7"

    QVariantList values() const { return {creatorId, docDate, employeeIds}; }
};

} // namespace oruhr::db
