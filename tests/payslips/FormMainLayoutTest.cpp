#include "payslips/FormErrorEmployeeLayout.h"
#include "payslips/FormMainLayout.h"
#include "tests/common/TwipLayoutCheck.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace oruhr;
using namespace oruhr::test;

namespace {

Layout designed()
{
    return {&FormMainLayout::resize, FormMainLayout::designedPlaces(), FormMainLayout::designedWidth,
            FormMainLayout::designedHeight};
}

} // namespace

TEST(FormMainLayout, FollowsTheSharedResizeRules)
{
    expectTheSharedRules(designed(), {{9705, 7995}, {9705, 8000}, {8000, 9000}, {6000, 5000}}, 9000, 8500);
}

TEST(FormMainLayout, WideningBy600SharesTheChangeAlongTheRows)
{
    Layout layout = designed();
    ASSERT_TRUE(layout.resize(9000, 8500));
    Places expected;
    for (const char *n : {"sltRecruitmentType", "sltCostCenter", "sltBranch"})
        expected.insert(QLatin1String(n), {200, 0, 200, 0});
    for (const char *n : {"lblRecruitmentType", "lblCostCenter", "lblBranch"})
        expected.insert(QLatin1String(n), {400, 0, 0, 0});
    const char *const row[] = {"cmdViewPrint", "cmdBackToTemp", "cmdFinalize", "cmdCalc", "cmdTempSave", "cmdDelete"};
    for (int k = 0; k < 6; ++k)
        expected.insert(QLatin1String(row[k]), {100.0 * k, 0, 100, 0});
    for (const char *n : {"lblBeginDate", "datBeginDate", "optNonMonthlySalaryEmployee", "optTempSaveEmployee",
                          "lblRecordCount", "lblTotalCount"})
        expected.insert(QLatin1String(n), {600, 0, 0, 0});
    for (const char *n : {"lstEmployee", "pgb", "framePrint"})
        expected.insert(QLatin1String(n), {0, 0, 600, 0});
    expected.insert(QStringLiteral("lblProgress"), {0, 0, 300, 0});
    expected.insert(QStringLiteral("cmdExit"), {0, 0, 200, 0}); // the print frame splits in three
    expected.insert(QStringLiteral("cmdPrint"), {200, 0, 200, 0});
    expected.insert(QStringLiteral("cmdView"), {400, 0, 200, 0});
    Places moved = layout.movedBy(9600, 8500);
    for (TwipRect &r : moved) // the thirds are fractions
        r = {std::round(r.left * 1000) / 1000, r.top, std::round(r.width * 1000) / 1000, r.height};
    EXPECT_EQ(changed(moved, expected), "");
    EXPECT_EQ(layout.at("lblProgress").width, 4800);
    EXPECT_EQ(layout.at("framePrint"), (TwipRect{0, 0, 9600, 465}));
    EXPECT_EQ(layout.baseWidth, 9600);
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

TEST(TwipRect, TwipsAndPixels)
{
    EXPECT_DOUBLE_EQ(twipsToPixels(9705, 96), 647);
    EXPECT_DOUBLE_EQ(pixelsToTwips(970.5, 144), 9705);
    EXPECT_DOUBLE_EQ(twipsToPixels(1440, 0), 96);
}
