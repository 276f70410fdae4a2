#pragma once

#include "common/ProgressDisplay.h"

#include <QObject>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

namespace oruhr {

class ComponentError;
class FormMain;
struct ListItem;

// The payslip window's print run: the clerk picks a template, and the latest payslip of each
// ticked employee in the listed state (or the personnel ordinance it rests on) is handed to
// the report component, one record at a time, for the screen or the printer.
class PayslipPrinter {
public:
    explicit PayslipPrinter(FormMain &form);
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
    static QString resolvedPath(const QString &stored);
    void printChecked(const QString &filePath, qint16 outputMode, bool ordinances);
    std::optional<Payslip> latestPayslip(const ListItem &row);
    void handOver(const ListItem &row, const QString &filePath, const QVariant &recordId);
    void showReport(qint16 outputMode, QString &stagingFolder);
    void fileAccessFallback(qint16 outputMode, QString &stagingFolder);
    static void tell(const ComponentError &error);
    void tellWherePdfFilesWent() const;

    FormMain &m_form;
    ProgressDisplay m_progress;
    std::unique_ptr<QObject> m_report;
};

} // namespace oruhr
