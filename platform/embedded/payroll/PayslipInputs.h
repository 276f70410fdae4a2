#pragma once

#include <QDate>
#include <QList>
#include <QtGlobal>

namespace oruhr::db {
class StatementCache;
}

namespace oruhr::embedded {

struct FactorAmount {
    qint64 functionId = 0;
    qint64 amount = 0; // rials, or the hours, days or percent entered
};

// An ordinance item with the days of the period its ordinance pays.
struct CoveredItem {
    qint64 functionId = 0;
    qint64 monthlyAmount = 0;
    qint64 days = 0;
};

// A loan instalment or fund contribution due in the period; a loan's is already cut to
// what is still owed.
struct Instalment {
    qint64 documentId = 0;
    qint64 amount = 0;
};

// Everything entered for one employee and period that a payslip is made from: the final
// ordinances, the values of the runtime batches, the final group adjustments, loans and funds.
struct PayslipInputs {
    qint64 ordinanceId = 0; // the final ordinance in force at the end of the period; 0 when none
    qint64 monthDays = 30;  // days of the Persian month the period begins in
    QList<CoveredItem> ordinanceItems;
    QList<FactorAmount> ordinanceInForce; // that ordinance's monthly items
    QList<FactorAmount> entered;
    QList<FactorAmount> adjustments;
    QList<Instalment> loans;
    QList<Instalment> funds;

    // Instalments already paid through payslip (the one being recalculated) do not count
    // as paid. Throws ComponentError.
    static PayslipInputs read(db::StatementCache &statements, qint64 employeeId, QDate begin, QDate end,
                              qint64 payslipId);
};

} // namespace oruhr::embedded
