#pragma once

#include <QDate>
#include <QVariantList>

namespace oruhr::db {

// The inputs of the four monthly-salary procedures, in declaration order.
struct MonthlySalaryArguments {
    qint32 creatorId = 0;
    QDate beginDate;
    QDate endDate;
    qint32 employeeId = 0;

    QVariantList values() const { return {creatorId, beginDate, endDate, employeeId}; }
};

} // namespace oruhr::db
