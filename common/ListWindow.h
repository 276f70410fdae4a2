#pragma once

#include "common/TwipRect.h"
#include "platform/controls/KeyedListModel.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QString>

#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;

namespace oruhr {

class CheckedRowRun;
class KeyedListView;
class ModMain;
class PelikDate;

namespace db {
class Recordset;
}

// What the payslip window and the document window share: their common controls, the load,
// a list of the payroll month's rows rebuilt from the database on every change, the period
// pickers, the designed places in twips with their resize rule, and runs over the ticked
// rows. Each window supplies its columns, its default mode, its query, its row reader and
// its button rule.
class ListWindow : public QDialog {
    Q_OBJECT

public:
    // The window's layout rule.
    struct Layout {
        QHash<QString, TwipRect> (*designedPlaces)();
        int designedWidth;
        int designedHeight;
        bool (*resize)(QHash<QString, TwipRect> &places, int &baseWidth, int &baseHeight, double w, double h);
    };

    ListWindow(ModMain &session, const char *objectName, Layout layout, QWidget *parent);
    ~ListWindow() override;

    ModMain &session() const { return m_session; }

    // The controls both windows have, made here first so that they lie under the window's own.
    KeyedListView *lstEmployee;
    PelikDate *datBeginDate;
    PelikDate *datEndDate;
    QLabel *lblBeginDate;
    QLabel *lblEndDate;
    QPushButton *cmdSelect;
    QPushButton *cmdDeselect;
    QPushButton *cmdTempSave;
    QPushButton *cmdFinalize;
    QPushButton *cmdBackToTemp;
    QPushButton *cmdDelete;

    // A run's progress and the list's count, alike in both windows.
    QProgressBar *pgb = nullptr;
    QLabel *lblProgress = nullptr;
    QLabel *lblRecordCount = nullptr;
    QLabel *lblTotalCount = nullptr;

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

    // Rebuilds the list, then updates the buttons; a failing query is told and leaves the
    // list empty.
    void RefreshEmployees();
    virtual void UpdateListButtons() = 0;

    // The hourglass and the window disabled until the run goes.
    std::unique_ptr<CheckedRowRun> beginRun();
    bool hasBeginDate() const;
    KeyedListModel &rows() const;

protected:
    // Called by the window where its design puts them, which fixes the order they are drawn in.
    void createProgressAndCount();
    // Called by the window once its controls exist.
    void connectParts();

    // What the load asks of the window: before the period is read, the list's columns, and
    // the default mode with the controls that go with it.
    virtual void prepareLoad() {}
    virtual QList<ListColumn> listColumns() const = 0;
    virtual void chooseDefaultMode() = 0;

    // The list's SQL for the period's first and last day, written as SQL date texts.
    virtual QString listSql(const QString &begin, const QString &end) const = 0;
    virtual QList<ListItem> readRows(db::Recordset &recordset) const = 0;

    void resetLayout();

    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createCommonControls();
    // Throws ComponentError; false when the period stopped the rebuild early.
    bool rebuildList();
    // A new load shows no run.
    void hideProgress();
    // The size the next resize measures its change from.
    void keepBaseSize();
    void beginDateChanged();
    void endDateChanged();
    void columnClicked(int column);

    ModMain &m_session;
    Layout m_layout;
    QHash<QString, TwipRect> m_places;
};

} // namespace oruhr
