#include "platform/controls/PelikDate.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace oruhr;

// The first day of each year as the official calendar has it, and whether its Esfand
// (the year's last month) has 30 days.
TEST(PelikDate, NowruzAndEsfandFollowTheOfficialCalendar)
{
    const struct {
        int year;
        QDate nowruz;
        bool leap;
    } years[] = {
        {1395, {2016, 3, 20}, true},  {1396, {2017, 3, 21}, false}, {1397, {2018, 3, 21}, false},
        {1398, {2019, 3, 21}, false}, {1399, {2020, 3, 20}, true},  {1400, {2021, 3, 21}, false},
        {1401, {2022, 3, 21}, false}, {1402, {2023, 3, 21}, false}, {1403, {2024, 3, 20}, true},
        {1404, {2025, 3, 21}, false}, {1405, {2026, 3, 21}, false}, {1406, {2027, 3, 21}, false},
        {1407, {2028, 3, 20}, false}, {1408, {2029, 3, 20}, true},  {1409, {2030, 3, 21}, false},
        {1410, {2031, 3, 21}, false},
    };
    for (const auto &y : years) {
        const QString first = QStringLiteral("%1/01/01").arg(y.year);
        EXPECT_EQ(PelikDate::fromPersianText(first), y.nowruz) << y.year;
        EXPECT_EQ(PelikDate::toPersianText(y.nowruz), first) << y.year;
        const QString lastOfEsfand = QStringLiteral("%1/12/30").arg(y.year);
        EXPECT_EQ(PelikDate::fromPersianText(lastOfEsfand).isValid(), y.leap) << y.year;
        const QString lastDay = PelikDate::toPersianText(y.nowruz.addDays(-1));
        EXPECT_EQ(lastDay.left(8), QStringLiteral("%1/12/").arg(y.year - 1)) << y.year;
    }
}

TEST(PelikDate, TextAndGregorianValueMoveTogether)
{
    PelikDate picker;
    EXPECT_TRUE(picker.isEmpty());
    EXPECT_EQ(picker.persianText(), QString());
    picker.setPersianText(QStringLiteral("1405/09/01"));
    EXPECT_EQ(picker.englishdate(), QDate(2026, 11, 22));
    picker.setEnglishdate(QDate(2026, 12, 21));
    EXPECT_EQ(picker.persianText(), QStringLiteral("1405/09/30"));
    picker.setPersianText(QStringLiteral("1405/9/3")); // short parts are read too
    EXPECT_EQ(picker.persianText(), QStringLiteral("1405/09/03"));
    for (const char *bad : {"1405/13/01", "1404/12/30", "1405-09-01", "", "abc"}) {
        picker.setPersianText(QStringLiteral("1405/09/01"));
        picker.setPersianText(QString::fromLatin1(bad));
        EXPECT_TRUE(picker.isEmpty()) << bad;
    }
}

TEST(PelikDate, ChangeIsRaisedOncePerChangedDay)
{
    PelikDate picker;
    QSignalSpy changed(&picker, &PelikDate::changed);
    picker.setPersianText(QStringLiteral("1405/09/01"));
    picker.setEnglishdate(QDate(2026, 11, 22)); // the same day
    EXPECT_EQ(changed.count(), 1);
    picker.clear();
    EXPECT_EQ(changed.count(), 2);
    picker.clear();
    EXPECT_EQ(changed.count(), 2);
}

TEST(PelikDate, TypedTextIsTakenWhenEditingEnds)
{
    PelikDate picker;
    picker.setPersianText(QStringLiteral("1405/09/01"));
    QSignalSpy changed(&picker, &PelikDate::changed);
    auto *edit = picker.findChild<QLineEdit *>();
    ASSERT_NE(edit, nullptr);
    edit->setText(QStringLiteral("1405/10/05"));
    Q_EMIT edit->editingFinished();
    EXPECT_EQ(picker.englishdate(), QDate(2026, 12, 26));
    EXPECT_EQ(changed.count(), 1);

    picker.setEnabled(false); // a disabled picker takes no typing
    EXPECT_FALSE(edit->isEnabled());
}
