#include "platform/controls/PelikDate.h"
#include "tests/support/TestKit.h"

using namespace oruhr;

// The first day of the year as the official calendar has it, and whether Esfand (the year's
// last month) has 30 days; 1407 and 1408 both begin on 20 March, only 1408 is leap.
TEST(PelikDate, NowruzAndEsfandFollowTheOfficialCalendar)
{
    const struct {
        int year;
        QDate nowruz;
        bool leap;
    } years[] = {{1399, {2020, 3, 20}, true},  {1403, {2024, 3, 20}, true}, {1404, {2025, 3, 21}, false},
                 {1405, {2026, 3, 21}, false}, {1407, {2028, 3, 20}, false}, {1408, {2029, 3, 20}, true}};
    for (const auto &y : years) {
        const QString first = QStringLiteral("%1/01/01").arg(y.year);
        EXPECT_EQ(PelikDate::fromPersianText(first), y.nowruz) << y.year;
        EXPECT_EQ(PelikDate::toPersianText(y.nowruz), first) << y.year;
        EXPECT_EQ(PelikDate::fromPersianText(QStringLiteral("%1/12/30").arg(y.year)).isValid(), y.leap) << y.year;
        EXPECT_EQ(PelikDate::toPersianText(y.nowruz.addDays(-1)).left(8), QStringLiteral("%1/12/").arg(y.year - 1));
    }
}

TEST(PelikDate, TypedTextIsTakenWhenEditingEndsAndANonDateEmptiesThePicker)
{
    PelikDate picker;
    auto *edit = picker.findChild<QLineEdit *>();
    edit->setText(QStringLiteral("1405/10/5"));
    Q_EMIT edit->editingFinished();
    EXPECT_EQ(picker.englishdate(), QDate(2026, 12, 26));
    edit->setText(QStringLiteral("1404/12/30")); // 1404 is not leap
    Q_EMIT edit->editingFinished();
    EXPECT_TRUE(picker.isEmpty());
}
