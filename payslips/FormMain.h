#pragma once

#include "common/ListWindow.h"
#include "payslips/EmployeeListWindow.h"

#include <QString>

#include <memory>

class QCheckBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace oruhr {

class KeyedListModel;
class KeyedListView;
class PelikDate;
class PelikSelector;
class PayslipPrinter;

// The payslip batch window. The host opens it through the control in registration mode
// (TempSaveMonthlySalary) or in print mode (ClearShow); each opening loads it afresh on the
// payroll month of the database and lists the employees of the chosen payslip state.
class FormMain : public ListWindow, public EmployeeListWindow {
    Q_OBJECT

public:
    explicit FormMain(ModMain &session, QWidget *parent = nullptr);
    ~FormMain() override;

    // Set by the opening call before the window loads.
    bool IsPrintMode = false;

    // Rebuilds the list from the database for the mode, the filters and the period.
    void RefreshEmployees() override { ListWindow::RefreshEmployees(); }
    // Enables the operation buttons that the mode and the rows allow.
    void UpdateListButtons() override;
    QString BranchFilter() const;
    QString RecruitmentTypeFilter() const;
    QString CostCenterFilter() const;
    KeyedListModel &employees() const { return rows(); }

    ModMain &session() const override { return ListWindow::session(); }
    const PelikDate &beginDate() const override { return *datBeginDate; }
    const PelikDate &endDate() const override { return *datEndDate; }
    EmployeeListMode listMode() const override;
    QList<EmployeeRow> employeeRows() const override;
    bool ordinancePrint() const override;
    bool runChecked(const CheckedRowBatch::Step &step) override;
    FormPrint &templateDialog() override;
    FormFormIDs &documentChoice() override;
    FormErrorEmployee &factorCheck() override;

    QRadioButton *optTempSaveEmployee;
    QRadioButton *optFinalSaveEmployee;
    QRadioButton *optNonMonthlySalaryEmployee;
    PelikSelector *sltBranch;
    PelikSelector *sltCostCenter;
    PelikSelector *sltRecruitmentType;
    QLabel *lblBranch;
    QLabel *lblCostCenter;
    QLabel *lblRecruitmentType;
    QPushButton *cmdCalc;
    QPushButton *cmdAccount;
    QPushButton *cmdViewPrint;
    QPushButton *cmdShowError;
    QFrame *framePrint;
    QPushButton *cmdExit;
    QPushButton *cmdPrint;
    QPushButton *cmdView;
    QCheckBox *chkOrdinancePrint;

protected:
    void prepareLoad() override;
    QList<ListColumn> listColumns() const override;
    void chooseDefaultMode() override;
    QString listSql(const QString &begin, const QString &end) const override;
    QList<ListItem> readRows(db::Recordset &recordset) const override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createControls();
    void connectHandlers();
    void connectBatchOperations();
    void bindSelectors();

    // The month's accounting document and the missing salary-factor check.
    void cmdAccount_Click();
    void cmdShowError_Click();

    // Printing and the list export.
    void connectPrintHandlers();
    void printShortcut(const QKeyEvent &event);
    std::unique_ptr<PayslipPrinter> m_printer;
    std::unique_ptr<FormPrint> m_templateDialog;
    std::unique_ptr<FormFormIDs> m_documentChoice;
    std::unique_ptr<FormErrorEmployee> m_factorCheck;
};

} // namespace oruhr
