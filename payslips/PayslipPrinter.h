#pragma once

#include "payslips/EmployeeRow.h"
#include "platform/automation/ComponentError.h"

#include <QObject>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

namespace oruhr {

class CheckedRowRun;
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

    // What one print run carries from row to row.
    struct PrintRun {
        QString filePath;
        qint16 outputMode = 0;
        bool ordinances = false;
        bool reportMade = false;
        // A ShowReport was reached in this run.
        bool reported = false;
        std::optional<ComponentError> pending{};
        QString stagingFolder{};
    };

    QString chooseTemplate(bool ordinances);
    QString resolvedPath(const QString &stored) const;
    void printChecked(const QString &filePath, qint16 outputMode, bool ordinances);
    void printRow(CheckedRowRun &run, const EmployeeRow &row, PrintRun &print);
    std::optional<Payslip> latestPayslip(const EmployeeRow &row);
    void handOver(CheckedRowRun &run, const EmployeeRow &row, const QString &filePath, const QVariant &recordId);
    void showReport(CheckedRowRun &run, PrintRun &print);
    void fileAccessFallback(CheckedRowRun &run, PrintRun &print);
    // Outside a run, where the pointer is the usual one.
    void tell(const ComponentError &error) const;
    void noteOutputFile();
    void writeInBackground();
    void waitForOutput();

    EmployeeListWindow &m_window;
    std::unique_ptr<QObject> m_report;
    // Where this run's reports went as PDF files, for want of a printer; empty when none did.
    QString m_pdfFolder;
};

} // namespace oruhr
