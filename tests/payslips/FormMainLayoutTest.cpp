#include "payslips/FormMainLayout.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <ostream>

namespace oruhr {
void PrintTo(const TwipRect &r, std::ostream *os)
{
    *os << '{' << r.left << ", " << r.top << ", " << r.width << ", " << r.height << '}';
}
} // namespace oruhr

using namespace oruhr;

namespace {

using Places = QHash<QString, TwipRect>;

const char *const batchButtons[] = {"cmdViewPrint", "cmdBackToTemp", "cmdFinalize", "cmdCalc", "cmdTempSave", "cmdDelete"};

// The controls whose places differ, sorted, so that a failure names them.
std::string changed(const Places &a, const Places &b)
{
    QStringList names = a.keys() + b.keys();
    names.removeDuplicates();
    names.removeIf([&](const QString &n) { return a.contains(n) == b.contains(n) && a.value(n) == b.value(n); });
    names.sort();
    return names.join(QLatin1Char(',')).toStdString();
}

class FormMainLayoutResize : public ::testing::Test {
protected:
    Places places = FormMainLayout::designedPlaces();
    int baseWidth = FormMainLayout::designedWidth, baseHeight = FormMainLayout::designedHeight;

    bool resize(double w, double h) { return FormMainLayout::resize(places, baseWidth, baseHeight, w, h); }
    TwipRect at(const char *n) const { return places.value(QLatin1String(n)); }
};

} // namespace

TEST(FormMainLayout, DesignedPlacesLineUp)
{
    const Places p = FormMainLayout::designedPlaces();
    auto at = [&p](const char *n) { return p.value(QLatin1String(n)); };
    EXPECT_EQ(p.size(), 33);
    EXPECT_FALSE(p.contains(QStringLiteral("datTempDate")));
    EXPECT_EQ(at("framePrint"), (TwipRect{0, 30, 9630, 465}));
    EXPECT_EQ(at("optFinalSaveEmployee"), (TwipRect{-240, 1305, 3360, 255}));
    // The list, the bar under it and the button row end at one right edge.
    for (const char *n : {"lstEmployee", "pgb", "cmdDelete"})
        EXPECT_EQ(at(n).left + at(n).width, 9690) << n;
    EXPECT_EQ(at("pgb").top, at("lstEmployee").top + at("lstEmployee").height);
}

TEST_F(FormMainLayoutResize, AtOrBelowTheLimitNothingMoves)
{
    for (auto [w, h] : {std::pair{9705, 7995}, {9705, 8000}, {8000, 9000}, {6000, 5000}})
        EXPECT_FALSE(resize(w, h)) << w << 'x' << h;
    EXPECT_EQ(changed(FormMainLayout::designedPlaces(), places), "");
    EXPECT_EQ(baseWidth, 9705);
    EXPECT_EQ(baseHeight, 7995);
}

TEST_F(FormMainLayoutResize, WideningSharesTheChangeAlongTheRows)
{
    ASSERT_TRUE(resize(9000, 8500));
    const Places was = places;
    auto moved = [&](const char *n) {
        const TwipRect a = at(n), b = was.value(QLatin1String(n));
        return TwipRect{a.left - b.left, a.top - b.top, a.width - b.width, a.height - b.height};
    };
    ASSERT_TRUE(resize(9600, 8500));

    for (const char *n : {"sltRecruitmentType", "sltCostCenter", "sltBranch"})
        EXPECT_EQ(moved(n), (TwipRect{200, 0, 200, 0})) << n;
    for (const char *n : {"lblRecruitmentType", "lblCostCenter", "lblBranch"})
        EXPECT_EQ(moved(n), (TwipRect{400, 0, 0, 0})) << n;
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(moved(batchButtons[k]), (TwipRect{100.0 * k, 0, 100, 0})) << batchButtons[k];
    for (const char *n : {"lblBeginDate", "datBeginDate", "optNonMonthlySalaryEmployee", "optTempSaveEmployee",
                          "lblRecordCount", "lblTotalCount"})
        EXPECT_EQ(moved(n), (TwipRect{600, 0, 0, 0})) << n;
    EXPECT_EQ(moved("lstEmployee"), (TwipRect{0, 0, 600, 0}));
    EXPECT_EQ(moved("pgb"), (TwipRect{0, 0, 600, 0}));
    EXPECT_EQ(at("lblProgress").width, 4800);
    // Nothing else moves, the controls without a rule among them.
    EXPECT_EQ(changed(was, places),
              "cmdBackToTemp,cmdCalc,cmdDelete,cmdExit,cmdFinalize,cmdPrint,cmdTempSave,cmdView,cmdViewPrint,"
              "datBeginDate,framePrint,lblBeginDate,lblBranch,lblCostCenter,lblProgress,lblRecordCount,"
              "lblRecruitmentType,lblTotalCount,lstEmployee,optNonMonthlySalaryEmployee,optTempSaveEmployee,pgb,"
              "sltBranch,sltCostCenter,sltRecruitmentType");
    EXPECT_EQ(baseWidth, 9600);
}

TEST_F(FormMainLayoutResize, ChangeOfHeightAloneMovesOnlyTheListAndTheBottomRow)
{
    ASSERT_TRUE(resize(9000, 8500));
    Places expected = places;
    expected[QStringLiteral("lstEmployee")].height += 600;
    for (const char *n : {"cmdDeselect", "cmdSelect", "pgb", "lblProgress", "lblRecordCount", "lblTotalCount"})
        expected[QLatin1String(n)].top += 600;
    ASSERT_TRUE(resize(9000, 9100));
    EXPECT_EQ(changed(expected, places), "");
    EXPECT_EQ(baseHeight, 9100);
}

TEST_F(FormMainLayoutResize, GrowingAgainAfterShrinkingMakesUpTheWholeChange)
{
    ASSERT_TRUE(resize(9000, 8500));
    Places direct = places;
    EXPECT_FALSE(resize(8000, 9500));
    EXPECT_FALSE(resize(9500, 7000));
    EXPECT_EQ(changed(direct, places), "");
    EXPECT_EQ(baseWidth, 9000);
    EXPECT_EQ(baseHeight, 8500);

    int w = 9000, h = 8500;
    ASSERT_TRUE(FormMainLayout::resize(direct, w, h, 9600, 9100));
    ASSERT_TRUE(resize(9600, 9100));
    EXPECT_EQ(changed(direct, places), "");
}

TEST_F(FormMainLayoutResize, PrintFrameSpansTheWidthAndSplitsItInThree)
{
    for (double w : {10000.0, 9001.0}) {
        ASSERT_TRUE(resize(w, 9000));
        EXPECT_EQ(at("framePrint"), (TwipRect{0, 0, w, 465}));
        const double third = (w - 20) / 3;
        EXPECT_EQ(at("cmdExit"), (TwipRect{0, 15, third, 435}));
        EXPECT_EQ(at("cmdPrint"), (TwipRect{third, 15, third, 435}));
        EXPECT_DOUBLE_EQ(at("cmdView").left, 2 * third);
        EXPECT_DOUBLE_EQ(at("cmdView").width, third);
    }
}

TEST_F(FormMainLayoutResize, FractionsAreKeptAndBasesRounded)
{
    ASSERT_TRUE(resize(9000, 8500));
    const double calcLeft = at("cmdCalc").left;
    ASSERT_TRUE(resize(9100.4, 8500.6));
    EXPECT_DOUBLE_EQ(at("lblProgress").width, 4550.2);
    EXPECT_DOUBLE_EQ(at("cmdCalc").left, calcLeft + 3 * 100.4 / 6);
    EXPECT_EQ(baseWidth, 9100);
    EXPECT_EQ(baseHeight, 8501);
}

TEST(FormMainLayout, TwipsAndPixels)
{
    EXPECT_DOUBLE_EQ(twipsToPixels(9705, 96), 647);
    EXPECT_DOUBLE_EQ(twipsToPixels(9705, 144), 970.5);
    EXPECT_DOUBLE_EQ(pixelsToTwips(647, 96), 9705);
    EXPECT_DOUBLE_EQ(pixelsToTwips(970.5, 144), 9705);
    EXPECT_DOUBLE_EQ(twipsToPixels(1440, 0), 96);
}
