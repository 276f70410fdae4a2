#pragma once

#include "common/TwipRect.h"
#include "documents/DocumentListMode.h"

#include <QDialog>
#include <QHash>
#include <QString>

#include <functional>

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace oruhr {

class BusyCursor;
class KeyedListModel;
class KeyedListView;
class PelikDate;

// The HR document finalisation window. The host opens it through the control's ShowDocs;
// each opening loads it afresh on the payroll month of the database and lists the
// temporary or the final ordinances, loans, fund documents and group adjustments of that
// month. The ticked temporary ones are made final, one update per kind.
class FormCheckDocs : public QDialog {
    Q_OBJECT

public:
    explicit FormCheckDocs(QWidget *parent = nullptr);

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

    // Rebuilds the list from the database for the mode and the period.
    void RefreshEmployees();
    // Only finalisation is offered, and only for listed temporary documents.
    void UpdateListButtons();
    DocumentListMode listMode() const;
    KeyedListModel &documents() const;

    QPushButton *cmdBackToTemp;
    QPushButton *cmdFinalize;
    QPushButton *cmdTempSave;
    QPushButton *cmdDelete;
    PelikDate *datEndDate;
    QLabel *lblEndDate;
    PelikDate *datBeginDate;
    QLabel *lblBeginDate;
    PelikDate *datTempDate;
    QGroupBox *grpCode;
    QRadioButton *optFinalSaveEmployee;
    QRadioButton *optTempSaveEmployee;
    QGroupBox *grpDocs;
    QRadioButton *optAllDocs;
    KeyedListView *lstEmployee;
    QProgressBar *pgb;
    QPushButton *cmdDeselect;
    QPushButton *cmdSelect;
    QLabel *lblProgress;
    QLabel *lblRecordCount;
    QLabel *lblTotalCount;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createControls();
    void connectHandlers();
    void resetLayout();

    // Throws ComponentError; false when the period stopped the rebuild early.
    bool rebuildDocuments();
    void mode_Click();
    void datBeginDate_Change();
    void datEndDate_Change();
    void lstEmployee_ColumnClick(int column);
    void cmdFinalize_Click();
    // Throws ComponentError; false when no row was ticked.
    bool finalizeChecked(BusyCursor &busy);

    QHash<QString, TwipRect> m_places;
};

} // namespace oruhr
