#include "platform/components/MessageDialog.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace oruhr {

void MessageDialog::ClearShow()
{
    QDialog dialog(QApplication::activeWindow());
    dialog.setObjectName(QStringLiteral("comMSG"));
    dialog.setLayoutDirection(Qt::RightToLeft);
    dialog.setWindowTitle(m_title);
    dialog.setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *text = new QLabel(m_message, &dialog);
    text->setObjectName(QStringLiteral("message"));
    // A database error or a name may hold markup; it is shown as written.
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->setMinimumWidth(320);
    auto *icon = new QLabel(&dialog);
    const QStyle::StandardPixmap pixmap = m_type == 1 ? QStyle::SP_MessageBoxQuestion : QStyle::SP_MessageBoxInformation;
    icon->setPixmap(dialog.style()->standardIcon(pixmap).pixmap(32, 32));

    auto *buttons = new QDialogButtonBox(&dialog);
    if (m_type == 1) {
        buttons->addButton(QStringLiteral("بله"), QDialogButtonBox::YesRole)->setObjectName(QStringLiteral("yes"));
        QPushButton *no = buttons->addButton(QStringLiteral("خير"), QDialogButtonBox::NoRole);
        no->setObjectName(QStringLiteral("no"));
        no->setDefault(true);
    } else {
        buttons->addButton(QStringLiteral("تاييد"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("ok"));
    }
    m_result = 0;
    QObject::connect(buttons, &QDialogButtonBox::clicked, &dialog, [&](QAbstractButton *button) {
        m_result = buttons->buttonRole(button) == QDialogButtonBox::YesRole ? 1 : 0;
        dialog.accept();
    });

    auto *row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addWidget(text, 1);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addLayout(row);
    layout->addWidget(buttons);
    dialog.exec();
}

} // namespace oruhr
