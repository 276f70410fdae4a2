#include "common/ListWindow.h"

#include "common/BusyCursor.h"
#include "common/CheckedRowRun.h"
#include "common/DesignedWindow.h"
#include "common/ListViewColumnClick.h"
#include "common/MessageText.h"
#include "common/Messages.h"
#include "common/NamedWidget.h"
#include "common/PayrollMonth.h"
#include "common/TwipPlacement.h"
#include "platform/automation/ComponentError.h"
#include "platform/controls/KeyedListModel.h"
#include "platform/controls/KeyedListView.h"
#include "platform/controls/PelikDate.h"
#include "shell/ModMain.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>

#include <algorithm>

namespace oruhr {

ListWindow::ListWindow(ModMain &session, const char *objectName, Layout layout, QWidget *parent)
    : QDialog(parent)
    , m_session(session)
    , m_layout(layout)
{
    prepareDesignedWindow(*this, objectName);
    createCommonControls();
}

void ListWindow::createCommonControls()
{
    lstEmployee = named<KeyedListView>(this, "lstEmployee");
    datBeginDate = named<PelikDate>(this, "datBeginDate");
    datEndDate = named<PelikDate>(this, "datEndDate");
    lblBeginDate = named<QLabel>(this, "lblBeginDate", QStringLiteral("از تاريخ:"));
    lblEndDate = named<QLabel>(this, "lblEndDate", QStringLiteral("تا تاريخ:"));
    cmdSelect = named<QPushButton>(this, "cmdSelect", QStringLiteral("انتخاب همه"));
    cmdDeselect = named<QPushButton>(this, "cmdDeselect", QStringLiteral("انتخاب هيچکدام"));
    cmdTempSave = named<QPushButton>(this, "cmdTempSave", QStringLiteral("ثبت موقت"));
    cmdFinalize = named<QPushButton>(this, "cmdFinalize", QStringLiteral("ثبت قطعي"));
    cmdBackToTemp = named<QPushButton>(this, "cmdBackToTemp", QStringLiteral("بازگشت"));
    cmdDelete = named<QPushButton>(this, "cmdDelete", QStringLiteral("حذف "));
    // The period is the payroll month; the user never picks another.
    datBeginDate->setEnabled(false);
    datEndDate->setEnabled(false);
}

ListWindow::~ListWindow() = default;

void ListWindow::createProgressAndCount()
{
    pgb = named<QProgressBar>(this, "pgb");
    lblProgress = named<QLabel>(this, "lblProgress", QStringLiteral("درصد پيشرفت"));
    lblRecordCount = named<QLabel>(this, "lblRecordCount", QStringLiteral("0"));
    lblTotalCount = named<QLabel>(this, "lblTotalCount", QStringLiteral("تعداد کل:"));
    hideProgress();
}

void ListWindow::hideProgress()
{
    pgb->hide();
    lblProgress->hide();
}

void ListWindow::connectParts()
{
    // Enter must never start a step by itself.
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(false);
    connect(datBeginDate, &PelikDate::changed, this, &ListWindow::beginDateChanged);
    connect(datEndDate, &PelikDate::changed, this, &ListWindow::endDateChanged);
    connect(cmdSelect, &QPushButton::clicked, this, [this] { rows().setAllChecked(true); });
    connect(cmdDeselect, &QPushButton::clicked, this, [this] { rows().setAllChecked(false); });
    connect(lstEmployee, &KeyedListView::columnClick, this, &ListWindow::columnClicked);
}

KeyedListModel &ListWindow::rows() const
{
    return *lstEmployee->listModel();
}

void ListWindow::showModal()
{
    Form_Load();
    exec();
}

void ListWindow::Form_Load()
{
    setEnabled(true);
    prepareLoad();
    StartDateText = PayrollMonth::loadPeriod(m_session, *datBeginDate, *datEndDate);
    lstEmployee->resetColumns(listColumns());
    lblRecordCount->setText(QStringLiteral("0"));
    hideProgress();
    resetLayout();
    chooseDefaultMode();
    // As the option's click, but a failing query fails the load, so the window is not shown.
    rebuildList();
    UpdateListButtons();
    datBeginDate->setEnabled(false);
    datEndDate->setEnabled(false);
    keepBaseSize();
}

void ListWindow::RefreshEmployees()
{
    try {
        rebuildList();
    } catch (const ComponentError &error) {
        // The window stays usable: the failure is told and the list stays empty.
        ShowMessage(session().components(), MessageText::TitleError,
                    MessageText::databaseFailure(MessageText::ListNotRead, error.description()));
    }
    UpdateListButtons();
}

bool ListWindow::rebuildList()
{
    rows().clear();
    if (!PayrollMonth::isListable(session().components(), *datBeginDate, *datEndDate))
        return false;
    BusyCursor busy;
    DtEn &dtEn = m_session.dtEn();
    db::Recordset recordset = dtEn.query(listSql(dtEn.dateLiteral(datBeginDate->englishdate()),
                                                 dtEn.dateLiteral(datEndDate->englishdate())));
    QList<ListItem> items = readRows(recordset);
    lblRecordCount->setText(QString::number(items.size()));
    // The new rows take the order the header shows, by its column's own key, not by text.
    const bool sorted = rows().sorted();
    rows().setSorted(false);
    rows().appendItems(std::move(items));
    if (sorted)
        SortAgainAfterRebuild(*lstEmployee);
    return true;
}

std::unique_ptr<CheckedRowRun> ListWindow::beginRun()
{
    return std::make_unique<CheckedRowRun>(*this, *pgb, *lblProgress, session().components());
}

bool ListWindow::hasBeginDate() const
{
    return !datBeginDate->isEmpty();
}

void ListWindow::beginDateChanged()
{
    if (datBeginDate->isEmpty())
        PayrollMonth::restoreEmptiedBegin(session().components(), *datBeginDate, StartDateText);
    RefreshEmployees();
}

void ListWindow::endDateChanged()
{
    if (datEndDate->isEmpty())
        PayrollMonth::restoreEmptiedEnd(session().components(), *datEndDate, StartDateText);
    RefreshEmployees();
}

void ListWindow::columnClicked(int column)
{
    SortByClickedColumn(*lstEmployee, column);
}

void ListWindow::resetLayout()
{
    m_places = m_layout.designedPlaces();
    // The designed count holds three digits; in either window it keeps its right edge and
    // has room for six.
    constexpr double recordCountWidth = 765;
    TwipRect &count = m_places[QStringLiteral("lblRecordCount")];
    count.left -= std::max(0.0, recordCountWidth - count.width);
    count.width = std::max(count.width, recordCountWidth);
    TwipPlacement::place(*this, m_places);
    TwipPlacement::resize(*this, m_layout.designedWidth, m_layout.designedHeight);
}

void ListWindow::keepBaseSize()
{
    const QSizeF size = TwipPlacement::size(*this);
    BaseWidth = qRound(size.width());
    BaseHeight = qRound(size.height());
}

void ListWindow::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    const QSizeF size = TwipPlacement::size(*this);
    m_layout.resize(m_places, BaseWidth, BaseHeight, size.width(), size.height());
    // Also below the size the rule acts at: a progress label a long name widened goes back.
    TwipPlacement::place(*this, m_places);
}

void ListWindow::keyPressEvent(QKeyEvent *event)
{
    // The window closes by its close box (or the payslip window's exit button), never by Esc.
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ListWindow::closeEvent(QCloseEvent *event)
{
    // A run disables the window for its whole length; it cannot be closed under it.
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace oruhr
