#include "common/PersianMonth.h"
#include "platform/controls/PelikDate.h"

#include <gtest/gtest.h>

using namespace oruhr;

namespace {

std::string next(const char *s)
{
    return FirstDayOfNextMonth(QString::fromLatin1(s)).toStdString();
}

} // namespace

TEST(FirstDayOfNextMonth, GivesTheFirstOfTheFollowingMonth)
{
    EXPECT_EQ(next("1393/05/20"), "1393/06/01");
    EXPECT_EQ(next("1393/09/01"), "1393/10/01");
    EXPECT_EQ(next("1393/12/15"), "1394/01/01");
    EXPECT_EQ(next("1405/08/30"), "1405/09/01"); // keeps the leading zero
    EXPECT_EQ(next("1405/11/01"), "1405/12/01");
    EXPECT_EQ(next("1405/01/31"), "1405/02/01"); // the day is ignored
    EXPECT_EQ(next("1405/00/01"), "1405/01/01");
}

TEST(FirstDayOfNextMonth, ReadsOnlyTheLeadingNumber)
{
    EXPECT_EQ(next("1405/13/01"), "");            // no month above 12
    EXPECT_EQ(next("1405/7x/01"), "1405/08/01");  // "7x" reads as 7
    EXPECT_EQ(next("1405/ 9/01"), "1405/10/01");  // blanks before the number are skipped
    EXPECT_EQ(next("1405/xx/01"), "1405/01/01");  // no number reads as 0
    EXPECT_EQ(next("abcd/12/01"), "1/01/01");     // neither has the year
    EXPECT_EQ(next("140"), "14001/01");           // too short: month 0 after the text as it is
    EXPECT_EQ(next(""), "01/01");
}

TEST(FirstDayOfNextMonth, LastDayOfMonthComesFromThePicker)
{
    PelikDate picker;
    ShowLastDayOfMonth(picker, QStringLiteral("1405/01/01"));
    EXPECT_EQ(picker.persianText(), QStringLiteral("1405/01/31"));
    ShowLastDayOfMonth(picker, QStringLiteral("1405/07/10"));
    EXPECT_EQ(picker.persianText(), QStringLiteral("1405/07/30"));
    ShowLastDayOfMonth(picker, QStringLiteral("1404/12/01"));
    EXPECT_EQ(picker.persianText(), QStringLiteral("1404/12/29"));
    ShowLastDayOfMonth(picker, QStringLiteral("1403/12/01")); // a leap year
    EXPECT_EQ(picker.persianText(), QStringLiteral("1403/12/30"));
    EXPECT_EQ(picker.englishdate(), QDate(2025, 3, 20));
    ShowLastDayOfMonth(picker, QStringLiteral("1405/13/01"));
    EXPECT_TRUE(picker.isEmpty());
}
