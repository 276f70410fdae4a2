#include "common/PersianMonth.h"
#include "tests/support/TestKit.h"

using namespace oruhr;

TEST(FirstDayOfNextMonth, GivesTheFirstOfTheFollowingMonthReadingOnlyTheLeadingNumber)
{
    const std::pair<const char *, const char *> cases[] = {
        {"1393/12/15", "1394/01/01"}, {"1405/08/30", "1405/09/01"}, // keeps the leading zero
        {"1405/13/01", ""},                                         // no month above 12
        {"1405/ 9/01", "1405/10/01"}, {"1405/7x/01", "1405/08/01"}, // blanks before, text after the number
        {"140", "14001/01"},                                        // too short: month 0 after the text as it is
    };
    for (const auto &[month, next] : cases)
        EXPECT_EQ(FirstDayOfNextMonth(QString::fromLatin1(month)), QString::fromLatin1(next)) << month;
}
