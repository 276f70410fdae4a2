#include "documents/FormCheckDocsLayout.h"

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

const char *const topButtons[] = {"cmdBackToTemp", "cmdFinalize", "cmdTempSave", "cmdDelete"};

// The controls whose places differ, sorted, so that a failure names them.
std::string changed(const Places &a, const Places &b)
{
    QStringList names = a.keys() + b.keys();
    names.removeDuplicates();
    names.removeIf([&](const QString &n) { return a.contains(n) == b.contains(n) && a.value(n) == b.value(n); });
    names.sort();
    return names.join(QLatin1Char(',')).toStdString();
}

TwipRect difference(const TwipRect &now, const TwipRect &was)
{
    return {now.left - was.left, now.top - was.top, now.width - was.width, now.height - was.height};
}

class FormCheckDocsLayoutResize : public ::testing::Test {
protected:
    Places places = FormCheckDocsLayout::designedPlaces();
    int baseWidth = FormCheckDocsLayout::designedWidth, baseHeight = FormCheckDocsLayout::designedHeight;

    bool resize(double w, double h) { return FormCheckDocsLayout::resize(places, baseWidth, baseHeight, w, h); }
    TwipRect at(const char *n) const { return places.value(QLatin1String(n)); }
    TwipRect moved(const Places &was, const char *n) const { return difference(at(n), was.value(QLatin1String(n))); }
};

} // namespace

TEST(FormCheckDocsLayout, DesignedPlacesLineUp)
{
    const Places p = FormCheckDocsLayout::designedPlaces();
    auto at = [&p](const char *n) { return p.value(QLatin1String(n)); };
    EXPECT_EQ(p.size(), 20);
    EXPECT_FALSE(p.contains(QStringLiteral("datTempDate")));
    // The bar lies right under the list, and both span the same width.
    EXPECT_EQ(at("pgb").top, at("lstEmployee").top + at("lstEmployee").height);
    EXPECT_EQ(at("pgb").width, at("lstEmployee").width);
    // The option buttons fit inside their groups.
    for (const char *n : {"optFinalSaveEmployee", "optTempSaveEmployee"})
        EXPECT_LE(at(n).left + at(n).width, at("grpCode").width) << n;
    EXPECT_LE(at("optAllDocs").left + at("optAllDocs").width, at("grpDocs").width);
    // The four top buttons are evenly spaced, in one row from left to right.
    for (int k = 1; k < 4; ++k)
        EXPECT_EQ(at(topButtons[k]).left - at(topButtons[k - 1]).left, 3040) << topButtons[k];
}

TEST_F(FormCheckDocsLayoutResize, AtTheDesignedSizeAndAtOrBelowTheLimitNothingMoves)
{
    for (auto [w, h] : {std::pair{12060, 7995}, {12060, 8000}, {8000, 9000}, {20000, 8000}, {6000, 5000}})
        EXPECT_FALSE(resize(w, h)) << w << 'x' << h;
    EXPECT_EQ(changed(FormCheckDocsLayout::designedPlaces(), places), "");
    EXPECT_EQ(at("lblProgress").width, 645);
    EXPECT_EQ(baseWidth, 12060);
    EXPECT_EQ(baseHeight, 7995);
}

TEST_F(FormCheckDocsLayoutResize, TheFirstLayoutMeasuresFromTheDesignedSize)
{
    const Places was = places;
    ASSERT_TRUE(resize(12460, 8100)); // 400 wider, 105 higher than designed
    EXPECT_EQ(moved(was, "lstEmployee"), (TwipRect{0, 0, 400, 105}));
    EXPECT_EQ(moved(was, "cmdSelect"), (TwipRect{0, 105, 0, 0}));
    EXPECT_EQ(at("lblProgress").width, 6230);
    EXPECT_EQ(baseWidth, 12460);
    EXPECT_EQ(baseHeight, 8100);
}

TEST_F(FormCheckDocsLayoutResize, WideningStretchesTheButtonRowEvenly)
{
    ASSERT_TRUE(resize(12060, 8500));
    const Places was = places;
    ASSERT_TRUE(resize(12460, 8500));

    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(moved(was, topButtons[k]), (TwipRect{100.0 * k, 0, 100, 0})) << topButtons[k];
    for (int k = 1; k < 4; ++k) // the gaps stay
        EXPECT_EQ(at(topButtons[k]).left - (at(topButtons[k - 1]).left + at(topButtons[k - 1]).width),
                  was.value(QLatin1String(topButtons[k])).left
                      - (was.value(QLatin1String(topButtons[k - 1])).left
                         + was.value(QLatin1String(topButtons[k - 1])).width))
            << topButtons[k];
    for (const char *n : {"lblBeginDate", "datBeginDate", "lblRecordCount", "lblTotalCount"})
        EXPECT_EQ(moved(was, n), (TwipRect{400, 0, 0, 0})) << n;
    EXPECT_EQ(moved(was, "optTempSaveEmployee"), (TwipRect{200, 0, 0, 0}));
    for (const char *n : {"grpCode", "grpDocs", "lstEmployee", "pgb"})
        EXPECT_EQ(moved(was, n), (TwipRect{0, 0, 400, 0})) << n;
    EXPECT_EQ(at("lblProgress").width, 6230);
    // The end date, its label, the other options and the select buttons stay where they were.
    EXPECT_EQ(changed(was, places),
              "cmdBackToTemp,cmdDelete,cmdFinalize,cmdTempSave,datBeginDate,grpCode,grpDocs,lblBeginDate,"
              "lblProgress,lblRecordCount,lblTotalCount,lstEmployee,optTempSaveEmployee,pgb");
    EXPECT_EQ(baseWidth, 12460);
}

TEST_F(FormCheckDocsLayoutResize, ChangeOfHeightAloneMovesOnlyTheListAndTheBottomRow)
{
    ASSERT_TRUE(resize(12060, 8500));
    Places expected = places;
    expected[QStringLiteral("lstEmployee")].height += 600;
    for (const char *n : {"cmdDeselect", "cmdSelect", "pgb", "lblProgress", "lblRecordCount", "lblTotalCount"})
        expected[QLatin1String(n)].top += 600;
    ASSERT_TRUE(resize(12060, 9100));
    EXPECT_EQ(changed(expected, places), "");
    EXPECT_EQ(baseHeight, 9100);
}

TEST_F(FormCheckDocsLayoutResize, NarrowingToTheLimitThenWideningMakesUpTheChangeFromTheLastLayout)
{
    ASSERT_TRUE(resize(12060, 8500));
    Places direct = places;
    EXPECT_FALSE(resize(8000, 8500));
    EXPECT_EQ(changed(direct, places), "");
    EXPECT_EQ(baseWidth, 12060);

    int w = 12060, h = 8500;
    ASSERT_TRUE(FormCheckDocsLayout::resize(direct, w, h, 13000, 8500));
    ASSERT_TRUE(resize(13000, 8500));
    EXPECT_EQ(changed(direct, places), "");
    EXPECT_EQ(at("cmdDelete").left, 9195 + 3 * 940.0 / 4);
}

TEST_F(FormCheckDocsLayoutResize, FractionsAreKeptAndBasesRounded)
{
    ASSERT_TRUE(resize(12060, 8500));
    const double finalizeLeft = at("cmdFinalize").left;
    ASSERT_TRUE(resize(12161.4, 8500.5));
    EXPECT_DOUBLE_EQ(at("lblProgress").width, 6080.7);
    EXPECT_DOUBLE_EQ(at("cmdFinalize").left, finalizeLeft + 101.4 / 4);
    EXPECT_DOUBLE_EQ(at("optTempSaveEmployee").left, 4695 + 101.4 / 2);
    EXPECT_EQ(baseWidth, 12161);
    EXPECT_EQ(baseHeight, 8500); // ties to even
}
