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

void ListWindow::useParts(const Parts &parts)
{
    m_parts = parts;
    // Enter must never start a step by itself.
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(false);
    connect(m_parts.beginDate, &PelikDate::changed, this, &ListWindow::beginDateChanged);
    connect(m_parts.endDate, &PelikDate::changed, this, &ListWindow::endDateChanged);
    connect(m_parts.selectAll, &QPushButton::clicked, this, [this] { rows().setAllChecked(true); });
    connect(m_parts.selectNone, &QPushButton::clicked, this, [this] { rows().setAllChecked(false); });
    connect(m_parts.list, &KeyedListView::columnClick, this, &ListWindow::columnClicked);
}

KeyedListModel &ListWindow::rows() const
{
    return *m_parts.list->listModel();
}

void ListWindow::showModal()
{
    Form_Load();
    exec();
}

void ListWindow::RefreshEmployees()
{
    try {
        if (!rebuildList())
            return;
    } catch (const ComponentError &error) {
        // The window stays usable: the failure is told and the list stays empty.
        ShowMessage(MessageText::TitleError,
                    MessageText::databaseFailure(MessageText::ListNotRead, error.description()));
    }
    UpdateListButtons();
}

bool ListWindow::rebuildList()
{
    rows().clear();
    if (!PayrollMonth::isListable(*m_parts.beginDate, *m_parts.endDate))
        return false;
    BusyCursor busy;
    DtEn &dtEn = m_session.dtEn();
    db::Recordset recordset = dtEn.query(listSql(dtEn.dateLiteral(m_parts.beginDate->englishdate()),
                                                 dtEn.dateLiteral(m_parts.endDate->englishdate())));
    QList<ListItem> items = readRows(recordset);
    lblRecordCount->setText(QString::number(items.size()));
    // The new rows take the order the header shows, by its column's own key, not by text.
    const bool sorted = rows().sorted();
    rows().setSorted(false);
    rows().appendItems(std::move(items));
    if (sorted)
        SortAgainAfterRebuild(*m_parts.list);
    return true;
}

std::unique_ptr<CheckedRowRun> ListWindow::beginRun()
{
    return std::make_unique<CheckedRowRun>(*this, *pgb, *lblProgress);
}

bool ListWindow::hasBeginDate() const
{
    return !m_parts.beginDate->isEmpty();
}

void ListWindow::loadPeriod()
{
    StartDateText = PayrollMonth::loadPeriod(m_session, *m_parts.beginDate, *m_parts.endDate, *m_parts.tempDate);
}

void ListWindow::beginDateChanged()
{
    if (m_parts.beginDate->isEmpty())
        PayrollMonth::restoreEmptiedBegin(*m_parts.beginDate, StartDateText);
    RefreshEmployees();
}

void ListWindow::endDateChanged()
{
    if (m_parts.endDate->isEmpty())
        PayrollMonth::restoreEmptiedEnd(*m_parts.endDate, StartDateText);
    RefreshEmployees();
}

void ListWindow::columnClicked(int column)
{
    SortByClickedColumn(*m_parts.list, column);
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
