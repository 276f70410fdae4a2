#include "payslips/FormErrorEmployeeLayout.h"

#include <gtest/gtest.h>

#include <ostream>

namespace oruhr {
void PrintTo(const TwipRect &r, std::ostream *os); // with the payslip window's layout tests
} // namespace oruhr

using namespace oruhr;

TEST(FormErrorEmployeeLayout, TheGridFillsTheWindowAboveTheButton)
{
    auto places = FormErrorEmployeeLayout::designedPlaces();
    EXPECT_EQ(places.flxError, (TwipRect{15, 15, FormErrorEmployeeLayout::designedWidth - 150.0,
                                         FormErrorEmployeeLayout::designedHeight - 405.0 - 430}));
    EXPECT_EQ(places.cmdOK, (TwipRect{15, places.flxError.height + 15, 1215, 405}));

    FormErrorEmployeeLayout::resize(places, 12000, 8000);
    EXPECT_EQ(places.flxError, (TwipRect{15, 15, 11850, 7165}));
    EXPECT_EQ(places.cmdOK, (TwipRect{15, 7180, 1215, 405}));
}

TEST(FormErrorEmployeeLayout, ASizeThatWouldBeNegativeKeepsItsOldValue)
{
    auto places = FormErrorEmployeeLayout::designedPlaces();
    places.flxError.left = places.cmdOK.left = 300;
    const TwipRect grid = places.flxError;

    FormErrorEmployeeLayout::resize(places, 149, 834);
    EXPECT_EQ(places.flxError, (TwipRect{15, 15, grid.width, grid.height}));
    // the button goes under the grid as it stands
    EXPECT_EQ(places.cmdOK, (TwipRect{15, grid.height + 15, 1215, 405}));

    FormErrorEmployeeLayout::resize(places, 150, 835); // exactly nothing left is allowed
    EXPECT_EQ(places.flxError, (TwipRect{15, 15, 0, 0}));
    EXPECT_EQ(places.cmdOK.top, 15);
}
