#include "platform/controls/PelikDate.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QToolButton>
#include <QWidgetAction>

namespace oruhr {
namespace {

const QCalendar &jalali()
{
    static const QCalendar calendar(QCalendar::System::Jalali);
    return calendar;
}

} // namespace

PelikDate::PelikDate(QWidget *parent)
    : QWidget(parent)
    , m_edit(new QLineEdit(this))
    , m_button(new QToolButton(this))
{
    setLayoutDirection(Qt::RightToLeft);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    m_edit->setLayoutDirection(Qt::LeftToRight); // digits read left to right
    m_edit->setAlignment(Qt::AlignCenter);
    m_edit->setPlaceholderText(QStringLiteral("----/--/--"));
    m_button->setText(QStringLiteral("▾"));
    m_button->setToolTip(QStringLiteral("تقويم"));
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_button);
    connect(m_edit, &QLineEdit::editingFinished, this, &PelikDate::commitTypedText);
    connect(m_button, &QToolButton::clicked, this, &PelikDate::showCalendar);
}

QString PelikDate::toPersianText(const QDate &date)
{
    if (!date.isValid())
        return {};
    const QCalendar::YearMonthDay parts = jalali().partsFromDate(date);
    return QStringLiteral("%1/%2/%3")
        .arg(parts.year, 4, 10, QLatin1Char('0'))
        .arg(parts.month, 2, 10, QLatin1Char('0'))
        .arg(parts.day, 2, 10, QLatin1Char('0'));
}

QDate PelikDate::fromPersianText(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d{1,4})/(\\d{1,2})/(\\d{1,2})\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return {};
    const int year = match.captured(1).toInt();
    const int month = match.captured(2).toInt();
    const int day = match.captured(3).toInt();
    if (year < 1 || !jalali().isDateValid(year, month, day))
        return {};
    return jalali().dateFromParts(year, month, day);
}

QString PelikDate::persianText() const
{
    return toPersianText(m_date);
}

void PelikDate::setPersianText(const QString &text)
{
    setEnglishdate(fromPersianText(text));
}

void PelikDate::setEnglishdate(const QDate &date)
{
    const QDate day = date.isValid() ? date : QDate();
    if (day == m_date) {
        updateText();
        return;
    }
    m_date = day;
    updateText();
    Q_EMIT changed();
}

void PelikDate::updateText()
{
    m_edit->setText(persianText());
}

void PelikDate::commitTypedText()
{
    if (m_edit->text() != persianText())
        setPersianText(m_edit->text());
}

void PelikDate::showCalendar()
{
    QMenu popup(this);
    auto *calendar = new QCalendarWidget(&popup);
    calendar->setCalendar(jalali());
    calendar->setLayoutDirection(Qt::RightToLeft);
    calendar->setGridVisible(true);
    if (m_date.isValid())
        calendar->setSelectedDate(m_date);
    auto *action = new QWidgetAction(&popup);
    action->setDefaultWidget(calendar);
    popup.addAction(action);
    connect(calendar, &QCalendarWidget::clicked, &popup, [&](const QDate &date) {
        popup.close();
        setEnglishdate(date);
    });
    popup.exec(mapToGlobal(QPoint(0, height())));
}

} // namespace oruhr
