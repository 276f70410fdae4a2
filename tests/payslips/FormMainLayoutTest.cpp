#include "payslips/FormErrorEmployeeLayout.h"
#include "payslips/FormMainLayout.h"
#include "tests/support/TestKit.h"

using namespace oruhr;

namespace oruhr {
inline void PrintTo(const TwipRect &r, std::ostream *os)
{
    *os << '{' << r.left << ", " << r.top << ", " << r.width << ", " << r.height << '}';
}
} // namespace oruhr

// What each window moves is checked on the windows; here when the shared pass moves nothing.
TEST(FormMainLayout, NothingMovesAtOrBelowTheLimitAndTheBasesAreRoundedTiesToEven)
{
    auto places = FormMainLayout::designedPlaces();
    const auto designed = places;
    int baseWidth = FormMainLayout::designedWidth, baseHeight = FormMainLayout::designedHeight;
    const auto resize = [&](double w, double h) { return FormMainLayout::resize(places, baseWidth, baseHeight, w, h); };
    for (auto [w, h] : {std::pair(9705, 8000), {8000, 9000}, {6000, 5000}})
        EXPECT_FALSE(resize(w, h)) << w << 'x' << h;
    EXPECT_EQ(places, designed);
    // Below the limit the bases stay, so the next pass above it makes up the whole change.
    ASSERT_TRUE(resize(9100.4, 9700.5));
    EXPECT_EQ(std::pair(baseWidth, baseHeight), std::pair(9100, 9700));
    EXPECT_DOUBLE_EQ(places.value(QStringLiteral("lstEmployee")).width,
                     designed.value(QStringLiteral("lstEmployee")).width - 604.6);
}

TEST(FormErrorEmployeeLayout, ASizeThatWouldBeNegativeKeepsItsOldValue)
{
    auto places = FormErrorEmployeeLayout::designedPlaces();
    FormErrorEmployeeLayout::resize(places, 12000, 8000);
    const auto fitted = places;
    FormErrorEmployeeLayout::resize(places, 149, 834);
    EXPECT_EQ(places.flxError, fitted.flxError);
    FormErrorEmployeeLayout::resize(places, 150, 835); // exactly nothing left is allowed
    EXPECT_EQ(places.flxError, (TwipRect{15, 15, 0, 0}));
}
