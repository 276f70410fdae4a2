#pragma once

#include "payslips/EmployeeRow.h"

#include <QObject>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

namespace oruhr {

class CheckedRowRun;
class ComponentError;
class EmployeeListWindow;

// The payslip window's print run: the clerk picks a template, and the latest payslip of each
// ticked employee in the listed state (or the personnel ordinance it rests on) is handed to
// the report component, one record at a time, for the screen or the printer.
class PayslipPrinter {
public:
    explicit PayslipPrinter(EmployeeListWindow &window);
    ~PayslipPrinter();
    PayslipPrinter(const PayslipPrinter &) = delete;
    PayslipPrinter &operator=(const PayslipPrinter &) = delete;

    // view: on the screen (output mode 1), otherwise on the printer (0). Tells every failure
    // through the message component; never throws.
    void PrintSelectedPayslips(bool view);

    // The last run's report component, kept until the next run.
    QObject *report() const { return m_report.get(); }

private:
    struct Payslip {
        QVariant id;
        QVariant ordinanceId;
    };

    QString chooseTemplate(bool ordinances);
    QString resolvedPath(const QString &stored) const;
    void printChecked(const QString &filePath, qint16 outputMode, bool ordinances);
    // False when no row was ticked.
    bool printRows(CheckedRowRun &run, const QString &filePath, qint16 outputMode, bool ordinances,
                   std::optional<ComponentError> &pending);
    std::optional<Payslip> latestPayslip(const EmployeeRow &row);
    void handOver(CheckedRowRun &run, const EmployeeRow &row, const QString &filePath, const QVariant &recordId);
    void showReport(qint16 outputMode, QString &stagingFolder);
    void fileAccessFallback(qint16 outputMode, QString &stagingFolder);
    void tell(const ComponentError &error) const;
    void noteOutputFile();

    EmployeeListWindow &m_window;
    std::unique_ptr<QObject> m_report;
    // Where this run's reports went as PDF files, for want of a printer; empty when none did.
    QString m_pdfFolder;
};

} // namespace oruhr
