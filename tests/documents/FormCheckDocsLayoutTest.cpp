#include "documents/FormCheckDocsLayout.h"
#include "tests/common/TwipLayoutCheck.h"

#include <gtest/gtest.h>

using namespace oruhr;
using namespace oruhr::test;

namespace {

Layout designed()
{
    return {&FormCheckDocsLayout::resize, FormCheckDocsLayout::designedPlaces(), FormCheckDocsLayout::designedWidth,
            FormCheckDocsLayout::designedHeight};
}

} // namespace

TEST(FormCheckDocsLayout, FollowsTheSharedResizeRules)
{
    expectTheSharedRules(designed(), {{12060, 7995}, {12060, 8000}, {8000, 9000}, {20000, 8000}}, 12060, 8500);
}

TEST(FormCheckDocsLayout, WideningBy600StretchesTheButtonRowEvenly)
{
    Layout layout = designed();
    ASSERT_TRUE(layout.resize(12060, 8500));
    Places expected;
    const char *const row[] = {"cmdBackToTemp", "cmdFinalize", "cmdTempSave", "cmdDelete"};
    for (int k = 0; k < 4; ++k)
        expected.insert(QLatin1String(row[k]), {150.0 * k, 0, 150, 0});
    for (const char *n : {"lblBeginDate", "datBeginDate", "lblRecordCount", "lblTotalCount"})
        expected.insert(QLatin1String(n), {600, 0, 0, 0});
    expected.insert(QStringLiteral("optTempSaveEmployee"), {300, 0, 0, 0});
    for (const char *n : {"grpCode", "grpDocs", "lstEmployee", "pgb"})
        expected.insert(QLatin1String(n), {0, 0, 600, 0});
    expected.insert(QStringLiteral("lblProgress"), {0, 0, 300, 0});
    // The end date, its label, the other options and the select buttons stay where they were.
    EXPECT_EQ(changed(layout.movedBy(12660, 8500), expected), "");
    EXPECT_EQ(layout.at("lblProgress").width, 6330);
    EXPECT_EQ(layout.baseWidth, 12660);
}
