#pragma once

#include <QGroupBox>

class QLabel;
class QPushButton;

namespace oruhr {
class ModMain;
class OruHRPrintBatch1;
}

namespace oruhr::host {

// The month end for a clerk, beside the control's methods: how many final payslips of the
// payroll month no document holds, with a button to post them, and the bank's transfer file.
// The texts and results are oruhr-payroll's; the work is the shared month-end classes'.
class MonthEndPanel : public QGroupBox {
    Q_OBJECT

public:
    MonthEndPanel(OruHRPrintBatch1 &control, QWidget *parent = nullptr);

    // Counts the unposted payslips again; a failure is shown in the panel.
    void refresh();
    void post();
    // Asks where to save the bank file, then writes it.
    void chooseBankFile();
    // The save dialog's choice; writes nothing when it is empty.
    void writeBankFile(const QString &file);
    QString resultText() const;

Q_SIGNALS:
    void resultShown(const QString &text);

private:
    // The control's session with its current values, as a call of its methods sets it.
    ModMain &session();
    void showResult(const QString &text);
    template<typename Action>
    void attempt(Action &&action);

    OruHRPrintBatch1 &m_control;
    QLabel *m_unposted;
    QPushButton *m_post;
    QLabel *m_result;
};

} // namespace oruhr::host
