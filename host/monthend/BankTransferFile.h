#pragma once

#include "host/monthend/MonthEndPeriod.h"

#include <QList>
#include <QString>

namespace oruhr {

class ModMain;

// The bank's file for paying the month's net pay by transfer: a row per final payslip with
// the employee's Sheba number, the net pay in rials, first name, surname, national code and the
// payslip's number, then the total. An employee without a valid Sheba number is left out and
// listed with the reason; a payslip with nothing to pay is left out.
class BankTransferFile {
public:
    struct Row {
        QString shebaNumber;
        qint64 netPay = 0;
        QString firstName;
        QString surname;
        QString nationalCode;
        QString payslipCode;
        QString employeeCode;
    };
    struct LeftOut {
        Row row;
        QString reason;
    };

    BankTransferFile(ModMain &session, MonthEndPeriod period);

    // Reads the month's final payslips; throws ComponentError, naming a missing column.
    void read();
    const QList<Row> &rows() const { return m_rows; }
    const QList<LeftOut> &leftOut() const { return m_leftOut; }
    int withoutNetPay() const { return m_withoutNetPay; }
    qint64 total() const;

    // An .xlsx workbook or, for any other name, a CSV file in UTF-8. Throws ComponentError.
    void save(const QString &file) const;

    static QStringList header();

private:
    void saveCsv(const QString &file) const;
    void saveXlsx(const QString &file) const;

    ModMain &m_session;
    MonthEndPeriod m_period;
    QList<Row> m_rows;
    QList<LeftOut> m_leftOut;
    int m_withoutNetPay = 0;
};

} // namespace oruhr
