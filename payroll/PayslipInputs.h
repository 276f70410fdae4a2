#pragma once

#include <QDate>
#include <QList>
#include <QtGlobal>

#include <functional>

namespace oruhr::payroll {

struct FactorAmount {
    qint64 functionId = 0;
    qint64 amount = 0; // rials
};

// A final ordinance that pays some days of the period, with its monthly items.
struct PayingOrdinance {
    qint64 id = 0;
    QList<FactorAmount> items;
};

// A value entered through a runtime batch (hours, days, percent or rials, in ten-thousandths, so
// that 7.5 hours keep their half) or an amount of a group adjustment, with the days it is
// valid for: one valid across two periods counts in each by its days there.
struct EnteredValue {
    static constexpr qint64 Scale = 10000;

    qint64 functionId = 0;
    qint64 value = 0; // in ten-thousandths
    QDate begin;
    QDate end;

    // "7.5" is 75,000; throws ComponentError naming the factor for more than four decimals or
    // what is not a number.
    static qint64 scaled(const QString &text, qint64 functionId);
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
    qint64 employeeId = 0;
    QDate begin;
    QDate end;
    qint64 monthDays = 30; // days of the Persian month the period lies in
    qint64 ordinanceId = 0; // the final ordinance in force at the end of the period; 0 when none
    QList<PayingOrdinance> ordinances;
    QList<int> payingOrdinance; // per day of the period: the index of the ordinance paying it, or -1
    QList<FactorAmount> ordinanceInForce; // that ordinance's monthly items
    QList<EnteredValue> entered;
    QList<EnteredValue> adjustments;
    QList<Instalment> loans;
    QList<Instalment> funds;

    // The days of the period (from, to) that an ordinance pays.
    qint64 coveredDays(QDate from, QDate to) const;
    qint64 coveredDays(QDate from, QDate to, int ordinance) const;
    qint64 coveredDays(QDate from, QDate to, const std::function<bool(int)> &paying) const;

    // The ordinances, each covering its dates: each day is paid by the latest-beginning one.
    struct DatedOrdinance {
        PayingOrdinance paying;
        QDate begin;
        QDate end;
    };
    void setOrdinances(const QList<DatedOrdinance> &ordinances);
};

} // namespace oruhr::payroll
