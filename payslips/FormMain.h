#pragma once

#include "payslips/EmployeeListMode.h"
#include "common/TwipRect.h"

#include <QDialog>
#include <QHash>
#include <QString>

#include <functional>
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
class FormMain : public QDialog {
    Q_OBJECT

public:
    explicit FormMain(QWidget *parent = nullptr);

    // Set by the opening call before the window loads.
    bool IsPrintMode = false;
    // The Persian first day of the period, from the database or today.
    QString StartDateText;
    // The inner size in twips at the last completed layout.
    int BaseWidth = 0;
    int BaseHeight = 0;

    // Initialises the window afresh; a failing query throws ComponentError, and the window
    // is then not shown.
    void Form_Load();
    // Loads, then shows the window modally with no owner; returns when it is closed.
    void showModal();

    // Rebuilds the list from the database for the mode, the filters and the period.
    void RefreshEmployees();
    // Enables the operation buttons that the mode and the rows allow.
    void UpdateListButtons();
    QString BranchFilter() const;
    QString RecruitmentTypeFilter() const;
    QString CostCenterFilter() const;
    EmployeeListMode listMode() const;
    KeyedListModel &employees() const;

    KeyedListView *lstEmployee;
    QRadioButton *optTempSaveEmployee;
    QRadioButton *optFinalSaveEmployee;
    QRadioButton *optNonMonthlySalaryEmployee;
    PelikDate *datBeginDate;
    PelikDate *datEndDate;
    PelikDate *datTempDate;
    QLabel *lblBeginDate;
    QLabel *lblEndDate;
    PelikSelector *sltBranch;
    PelikSelector *sltCostCenter;
    PelikSelector *sltRecruitmentType;
    QLabel *lblBranch;
    QLabel *lblCostCenter;
    QLabel *lblRecruitmentType;
    QPushButton *cmdSelect;
    QPushButton *cmdDeselect;
    QPushButton *cmdCalc;
    QPushButton *cmdTempSave;
    QPushButton *cmdFinalize;
    QPushButton *cmdBackToTemp;
    QPushButton *cmdDelete;
    QPushButton *cmdAccount;
    QPushButton *cmdViewPrint;
    QPushButton *cmdShowError;
    QFrame *framePrint;
    QPushButton *cmdExit;
    QPushButton *cmdPrint;
    QPushButton *cmdView;
    QCheckBox *chkOrdinancePrint;
    QProgressBar *pgb;
    QLabel *lblProgress;
    QLabel *lblRecordCount;
    QLabel *lblTotalCount;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void connectHandlers();
    void connectBatchOperations();
    void bindSelectors();
    void resetLayout();

    // Throws ComponentError; false when the period stopped the rebuild early.
    bool rebuildEmployees();
    void modeOrFilter_Change();
    void datBeginDate_Change();
    void datEndDate_Change();
    void lstEmployee_ColumnClick(int column);

    // The month's accounting document and the missing salary-factor check.
    void cmdAccount_Click();
    void cmdShowError_Click();

    QHash<QString, TwipRect> m_places;

    // Printing and the list export.
    void connectPrintHandlers();
    void printShortcut(const QKeyEvent &event);
    std::shared_ptr<PayslipPrinter> m_printer;
};

} // namespace oruhr
