#include "platform/controls/PelikSelector.h"

#include "platform/automation/ComponentError.h"
#include "platform/database/Connection.h"
#include "platform/database/Recordset.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QStandardItemModel>

#include <QSet>

#include <functional>
#include <optional>

namespace oruhr {
namespace {

constexpr int idRole = Qt::UserRole + 1;

// Reads its entries just before the list drops down.
class LazyComboBox : public QComboBox {
public:
    using QComboBox::QComboBox;
    std::function<void()> beforePopup;

    void showPopup() override
    {
        if (beforePopup)
            beforePopup();
        QComboBox::showPopup();
    }
};

struct Entry {
    qint32 id = 0;
    std::optional<qint32> parentId; // none: the view has no groups, or the entry none
    QString title;
};

QStandardItem *choosable(const Entry &entry, const QString &indent)
{
    auto *item = new QStandardItem(indent + entry.title);
    item->setData(entry.id, idRole);
    return item;
}

QList<Entry> readEntries(db::Connection &connection, const QString &view, qint16 user)
{
    db::Recordset recordset(connection);
    recordset.open(QStringLiteral("Select * from ") + view);
    const bool perUser = recordset.fieldNames().contains(QStringLiteral("UserID"), Qt::CaseInsensitive);
    const bool hasParent = recordset.fieldNames().contains(QStringLiteral("ParentID"), Qt::CaseInsensitive);
    QList<Entry> entries;
    for (recordset.moveFirst(); !recordset.eof(); recordset.moveNext()) {
        const QVariant owner = perUser ? recordset.field(QStringLiteral("UserID")) : QVariant();
        if (!owner.isNull() && owner.toInt() != user)
            continue;
        const QVariant parent = hasParent ? recordset.field(QStringLiteral("ParentID")) : QVariant();
        entries << Entry{recordset.field(QStringLiteral("ID")).toInt(),
                         parent.isNull() ? std::nullopt : std::optional<qint32>(parent.toInt()),
                         recordset.field(QStringLiteral("Title")).toString()};
    }
    return entries;
}

} // namespace

PelikSelector::PelikSelector(QWidget *parent)
    : QWidget(parent)
    , m_combo(new LazyComboBox(this))
{
    setLayoutDirection(Qt::RightToLeft);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_combo);
    static_cast<LazyComboBox *>(m_combo)->beforePopup = [this] { ensureLoaded(); };
    invalidate();
    connect(m_combo, &QComboBox::activated, this, &PelikSelector::announceChange);
}

void PelikSelector::setConnectionString(const QString &connectionString)
{
    m_connectionString = connectionString;
    invalidate();
}

void PelikSelector::setUpperViewName(const QString &view)
{
    m_upperView = view;
    invalidate();
}

void PelikSelector::setLowerViewName(const QString &view)
{
    m_lowerView = view;
    invalidate();
}

void PelikSelector::setUser(qint16 user)
{
    m_user = user;
    invalidate();
}

bool PelikSelector::isNoSelection() const
{
    return m_combo->currentIndex() <= 0 || m_combo->currentData(idRole).isNull();
}

QVariant PelikSelector::selectedId() const
{
    return isNoSelection() ? QVariant(0) : m_combo->currentData(idRole);
}

bool PelikSelector::selectId(qint32 id)
{
    ensureLoaded();
    const int index = m_combo->findData(id, idRole);
    if (index < 0)
        return false;
    m_combo->setCurrentIndex(index);
    announceChange();
    return true;
}

void PelikSelector::clearSelection()
{
    m_combo->setCurrentIndex(0);
    announceChange();
}

void PelikSelector::announceChange()
{
    if (selectedId() == m_announcedId)
        return;
    m_announcedId = selectedId();
    Q_EMIT selectionChanged();
}

void PelikSelector::invalidate()
{
    m_loaded = false;
    m_announcedId = 0;
    m_combo->clear();
    m_combo->addItem(QStringLiteral("همه"));
}

void PelikSelector::ensureLoaded()
{
    if (!m_loaded)
        reload();
}

void PelikSelector::reload()
{
    invalidate();
    m_loaded = true;
    try {
        loadEntries();
    } catch (const ComponentError &error) {
        m_combo->addItem(QStringLiteral("خطا در خواندن فهرست"));
        m_combo->setItemData(1, error.description(), Qt::ToolTipRole);
        qobject_cast<QStandardItemModel *>(m_combo->model())->item(1)->setEnabled(false);
    }
}

void PelikSelector::loadEntries()
{
    db::Connection connection;
    connection.setConnectionString(m_connectionString);
    const QList<Entry> upper = readEntries(connection, m_upperView, m_user);
    const QList<Entry> lower = readEntries(connection, m_lowerView, m_user);
    auto *model = qobject_cast<QStandardItemModel *>(m_combo->model());
    // A customer's view may leave an entry's group out, or have no groups at all: such
    // entries come first, under no group, rather than not at all.
    QSet<qint32> groups;
    for (const Entry &group : upper)
        groups.insert(group.id);
    for (const Entry &entry : lower)
        if (!entry.parentId || !groups.contains(*entry.parentId))
            model->appendRow(choosable(entry, QString()));
    for (const Entry &group : upper) {
        auto *header = new QStandardItem(group.title);
        header->setEnabled(false);
        QFont bold = header->font();
        bold.setBold(true);
        header->setFont(bold);
        model->appendRow(header);
        for (const Entry &entry : lower) {
            if (entry.parentId == group.id)
                model->appendRow(choosable(entry, QStringLiteral("    ")));
        }
    }
}

} // namespace oruhr
