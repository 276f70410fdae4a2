#include "payslips/FormErrorEmployeeLayout.h"
#include "payslips/FormMainLayout.h"

#include <gtest/gtest.h>

using namespace oruhr;

namespace oruhr {
inline void PrintTo(const TwipRect &r, std::ostream *os)
{
    *os << '{' << r.left << ", " << r.top << ", " << r.width << ", " << r.height << '}';
}
} // namespace oruhr

// Both list windows resize through the same pass; what each moves is checked on the windows.
TEST(FormMainLayout, FollowsTheSharedResizeRules)
{
    auto places = FormMainLayout::designedPlaces();
    const auto designed = places;
    int baseWidth = FormMainLayout::designedWidth, baseHeight = FormMainLayout::designedHeight;
    const auto resize = [&](double w, double h) { return FormMainLayout::resize(places, baseWidth, baseHeight, w, h); };
    const auto list = [&] { return places.value(QStringLiteral("lstEmployee")); };

    // At or below 8000 twips either way nothing moves and the bases stay.
    for (auto [w, h] : {std::pair(9705, 7995), {9705, 8000}, {8000, 9000}, {6000, 5000}})
        EXPECT_FALSE(resize(w, h)) << w << 'x' << h;
    EXPECT_EQ(places, designed);
    EXPECT_EQ(std::pair(baseWidth, baseHeight), std::pair(FormMainLayout::designedWidth, FormMainLayout::designedHeight));

    // The first pass measures from the design; below the limit the bases stay, so the next
    // pass above it makes up the whole change.
    ASSERT_TRUE(resize(9000, 8500));
    const TwipRect before = list(), designedList = designed.value(QStringLiteral("lstEmployee"));
    EXPECT_EQ(before, (TwipRect{designedList.left, designedList.top, designedList.width - 705, designedList.height + 505}));
    const double selectTop = places.value(QStringLiteral("cmdSelect")).top;
    EXPECT_FALSE(resize(8000, 9100));
    ASSERT_TRUE(resize(9000, 9100));
    EXPECT_EQ(list(), (TwipRect{before.left, before.top, before.width, before.height + 600}));
    EXPECT_EQ(places.value(QStringLiteral("cmdSelect")).top, selectTop + 600);

    // Fractions stay in the places; the bases are rounded, ties to even.
    ASSERT_TRUE(resize(9100.4, 9700.5));
    EXPECT_EQ(std::pair(baseWidth, baseHeight), std::pair(9100, 9700));
    EXPECT_DOUBLE_EQ(list().width, before.width + 100.4);
}

TEST(FormErrorEmployeeLayout, TheGridFillsTheWindowAboveTheButtonAndNeverGoesNegative)
{
    auto places = FormErrorEmployeeLayout::designedPlaces();
    FormErrorEmployeeLayout::resize(places, 12000, 8000);
    EXPECT_EQ(places.flxError, (TwipRect{15, 15, 11850, 7165}));
    EXPECT_EQ(places.cmdOK, (TwipRect{15, 7180, 1215, 405}));

    places.flxError.left = places.cmdOK.left = 300;
    FormErrorEmployeeLayout::resize(places, 149, 834); // a size that would be negative keeps its old value
    EXPECT_EQ(places.flxError, (TwipRect{15, 15, 11850, 7165}));
    EXPECT_EQ(places.cmdOK, (TwipRect{15, 7180, 1215, 405}));
    FormErrorEmployeeLayout::resize(places, 150, 835); // exactly nothing left is allowed
    EXPECT_EQ(places.flxError, (TwipRect{15, 15, 0, 0}));
    EXPECT_EQ(places.cmdOK.top, 15);
}
