#pragma once

#include "payslips/FormErrorEmployeeLayout.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QString>

class QPushButton;

namespace oruhr {

class DtEn;
class FlexGrid;

// The missing salary-factor check: one row per listed employee who lacks a directly
// entered factor for the period, one column per factor lacked, "وارد نشده" where it is.
class FormErrorEmployee : public QDialog {
    Q_OBJECT

public:
    struct FactorColumn {
        qint32 factorId = 0;
        qint32 column = 0;
    };

    explicit FormErrorEmployee(DtEn &dtEn, QWidget *parent = nullptr);

    // Runs the check for the Gregorian dates (as SQL date texts) and the comma-separated
    // IDs; an empty list becomes "-1" in the caller's variable. Silent: the window stays
    // hidden and the result is true exactly when nobody lacks a factor. Otherwise the
    // window is shown modally and the result is false. Throws ComponentError when the
    // database fails.
    bool ShowErrorEmployee(const QString &inBeginDate, const QString &inFarsiBeginDate, const QString &inEndDate,
                           const QString &inFarsiEndDate, QString &ListOfEmployeeIDs, bool isSilent = false);

    // The grid column of a factor, or -1.
    int FindFactorColumn(qint32 factorId) const;
    // The grid row of an employee, or -1.
    int FindEmployeeRow(qint32 employeeId) const;
    // The five fixed columns with their headers, alignments and widths.
    void SetupErrorGrid();

    // Element 0 is never used.
    QList<FactorColumn> FactorColumns;

    FlexGrid *flxError;
    QPushButton *cmdOK;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void Form_Load();
    void Form_Unload();
    void clearRows();
    void fillGrid(const QString &sql);
    int addFactorColumn(qint32 factorId, const QString &name);
    int addEmployeeRow(qint32 employeeId, const QStringList &texts);
    void placeControls();

    DtEn &m_dtEn;
    bool m_loaded = false;
    // Rows are added only by the check itself, so this answers as a scan of column 4 would.
    QHash<qint32, int> m_employeeRows;
    FormErrorEmployeeLayout::Places m_places;
};

} // namespace oruhr
