#include "platform/components/AccountDocumentViewer.h"

#include "platform/automation/ComponentError.h"
#include "platform/components/AccountDocument.h"
#include "platform/controls/PelikDate.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace oruhr {
namespace {

QString amountText(qint64 amount)
{
    static const QLocale grouped(QLocale::English, QLocale::UnitedStates);
    return grouped.toString(amount);
}

QLabel *valueLabel(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QTableWidgetItem *cell(const QString &text, Qt::Alignment alignment)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(alignment);
    return item;
}

QTableWidget *linesTable(QWidget *parent, const AccountDocument &document)
{
    const QStringList headers{QStringLiteral("رديف"), QStringLiteral("شرح"), QStringLiteral("بدهکار"),
                              QStringLiteral("بستانکار")};
    auto *table = new QTableWidget(int(document.lines.size()), int(headers.size()), parent);
    table->setObjectName(QStringLiteral("lines"));
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->verticalHeader()->setMinimumSectionSize(table->fontMetrics().height() + 6);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    const Qt::Alignment number = Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter; // ones under ones
    int row = 0;
    for (const AccountDocument::Line &line : document.lines) {
        table->setItem(row, 0, cell(QString::number(row + 1), Qt::AlignCenter));
        table->setItem(row, 1, cell(line.description, Qt::AlignLeading | Qt::AlignVCenter));
        table->setItem(row, 2, cell(amountText(line.debit), number));
        table->setItem(row, 3, cell(amountText(line.credit), number));
        ++row;
    }
    table->resizeColumnToContents(0);
    table->setColumnWidth(2, 130);
    table->setColumnWidth(3, 130);
    return table;
}

// Kept under the lines, so that a long document shows its totals without scrolling.
QHBoxLayout *totalsRow(QWidget *parent, const AccountDocument &document)
{
    QFont bold = parent->font();
    bold.setBold(true);
    auto *row = new QHBoxLayout;
    const auto add = [&](const QString &caption, const char *name, qint64 amount) {
        row->addWidget(new QLabel(caption, parent));
        QLabel *total = valueLabel(parent, name, amountText(amount));
        total->setFont(bold);
        row->addWidget(total);
        row->addSpacing(24);
    };
    add(QStringLiteral("جمع بدهکار:"), "lblTotalDebit", document.totalDebit());
    add(QStringLiteral("جمع بستانکار:"), "lblTotalCredit", document.totalCredit());
    row->addStretch();
    return row;
}

} // namespace

void AccountDocumentViewer::View(double DocumentNumber)
{
    const qint64 id = qRound64(DocumentNumber);
    QDialog dialog(QApplication::activeWindow());
    dialog.setObjectName(QStringLiteral("comAccountDoc"));
    dialog.setLayoutDirection(Qt::RightToLeft);
    dialog.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    dialog.setWindowTitle(QStringLiteral("سند حسابداري") + QStringLiteral(" - ") + QString::number(id));
    dialog.resize(720, 460);

    auto *layout = new QVBoxLayout(&dialog);
    auto *status = valueLabel(&dialog, "lblStatus", QString());
    status->setWordWrap(true);
    AccountDocument document;
    try {
        document = AccountDocument::read(m_connectionString, id);
        if (!document.found)
            status->setText(QStringLiteral("سند حسابداري با شماره رايانه اي ") + QString::number(id)
                            + QStringLiteral(" پيدا نشد."));
    } catch (const ComponentError &error) {
        status->setText(QStringLiteral("سند حسابداري خوانده نشد: ") + error.description());
    }
    if (document.found) {
        auto *header = new QFormLayout;
        header->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint); // values beside their captions
        header->addRow(QStringLiteral("شماره رايانه اي:"), valueLabel(&dialog, "lblDocumentId", QString::number(id)));
        header->addRow(QStringLiteral("شماره سند:"), valueLabel(&dialog, "lblCode", document.code));
        header->addRow(QStringLiteral("تاريخ سند:"),
                       valueLabel(&dialog, "lblDate", PelikDate::toPersianText(document.date)));
        header->addRow(QStringLiteral("شرح:"), valueLabel(&dialog, "lblDescription", document.description));
        layout->addLayout(header);
        layout->addWidget(linesTable(&dialog, document), 1);
        layout->addLayout(totalsRow(&dialog, document));
    } else {
        layout->addWidget(status, 1);
    }

    auto *buttons = new QDialogButtonBox(&dialog);
    QPushButton *close = buttons->addButton(QStringLiteral("بستن"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("cmdClose"));
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.exec();
}

} // namespace oruhr
