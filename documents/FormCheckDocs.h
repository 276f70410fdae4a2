#pragma once

#include "common/ListWindow.h"
#include "documents/DocumentListMode.h"

#include <QString>

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace oruhr {

class KeyedListModel;
class KeyedListView;
class PelikDate;

// The HR document finalisation window. The host opens it through the control's ShowDocs;
// each opening loads it afresh on the payroll month of the database and lists the
// temporary or the final ordinances, loans, fund documents and group adjustments of that
// month. The ticked temporary ones are made final, one update per kind.
class FormCheckDocs : public ListWindow {
    Q_OBJECT

public:
    explicit FormCheckDocs(ModMain &session, QWidget *parent = nullptr);

    // Only finalisation is offered, and only for listed temporary documents.
    void UpdateListButtons() override;
    DocumentListMode listMode() const;
    KeyedListModel &documents() const { return rows(); }

    QGroupBox *grpCode;
    QRadioButton *optFinalSaveEmployee;
    QRadioButton *optTempSaveEmployee;
    QGroupBox *grpDocs;
    QRadioButton *optAllDocs;

protected:
    QList<ListColumn> listColumns() const override;
    void chooseDefaultMode() override;
    QString listSql(const QString &begin, const QString &end) const override;
    QList<ListItem> readRows(db::Recordset &recordset) const override;

private:
    void createControls();
    void connectHandlers();

    void cmdFinalize_Click();
};

} // namespace oruhr
