#include "payslips/FormMainLayout.h"

#include <cmath>

namespace oruhr {

namespace {

constexpr double minimumLaidOut = 8000; // twips, in both directions
constexpr double twipsPerPixelAt96 = 15;

// A screen that reports no dpi is taken as the usual 96, rather than dividing by zero.
double dpiOrDefault(double logicalDpi)
{
    return logicalDpi > 0 ? logicalDpi : 96;
}

} // namespace

QHash<QString, TwipRect> FormMainLayout::designedPlaces()
{
    return {
        {QStringLiteral("framePrint"), {0, 30, 9630, 465}},
        {QStringLiteral("cmdExit"), {60, 15, 1650, 435}},
        {QStringLiteral("cmdPrint"), {2325, 15, 1680, 435}},
        {QStringLiteral("cmdView"), {4320, 15, 1725, 435}},
        {QStringLiteral("cmdViewPrint"), {30, 30, 1620, 405}},
        {QStringLiteral("cmdBackToTemp"), {1635, 30, 1620, 405}},
        {QStringLiteral("cmdFinalize"), {3240, 30, 1620, 405}},
        {QStringLiteral("cmdCalc"), {4845, 30, 1620, 405}},
        {QStringLiteral("cmdTempSave"), {6450, 30, 1620, 405}},
        {QStringLiteral("cmdDelete"), {8055, 30, 1635, 405}},
        {QStringLiteral("cmdAccount"), {90, 495, 1530, 375}},
        {QStringLiteral("chkOrdinancePrint"), {5355, 510, 2100, 315}},
        {QStringLiteral("datEndDate"), {1710, 525, 1530, 345}},
        {QStringLiteral("lblEndDate"), {3285, 555, 510, 195}},
        {QStringLiteral("sltRecruitmentType"), {3270, 570, 1530, 315}},
        {QStringLiteral("lblRecruitmentType"), {4845, 600, 945, 195}},
        {QStringLiteral("datBeginDate"), {7515, 510, 1530, 345}},
        {QStringLiteral("lblBeginDate"), {9120, 570, 525, 195}},
        {QStringLiteral("sltCostCenter"), {3270, 885, 1530, 315}},
        {QStringLiteral("lblCostCenter"), {4860, 930, 810, 195}},
        {QStringLiteral("cmdShowError"), {75, 915, 3045, 375}},
        {QStringLiteral("optNonMonthlySalaryEmployee"), {7080, 930, 2505, 255}},
        {QStringLiteral("sltBranch"), {3270, 1200, 1530, 315}},
        {QStringLiteral("lblBranch"), {4875, 1230, 465, 195}},
        {QStringLiteral("optTempSaveEmployee"), {6300, 1230, 3285, 255}},
        {QStringLiteral("optFinalSaveEmployee"), {-240, 1305, 3360, 255}},
        {QStringLiteral("lstEmployee"), {75, 1575, 9615, 5640}},
        {QStringLiteral("pgb"), {75, 7215, 9615, 255}},
        {QStringLiteral("cmdDeselect"), {90, 7515, 1230, 405}},
        {QStringLiteral("cmdSelect"), {1380, 7515, 1215, 405}},
        {QStringLiteral("lblProgress"), {3975, 7620, 645, 240}},
        // Designed for three digits; it reaches further left, so that a count of a hundred
        // thousand is not cut off next to its caption.
        {QStringLiteral("lblRecordCount"), {8115, 7575, 765, 195}},
        {QStringLiteral("lblTotalCount"), {8955, 7560, 645, 195}},
    };
}

bool FormMainLayout::resize(QHash<QString, TwipRect> &places, int &baseWidth, int &baseHeight, double w, double h)
{
    if (!(w > minimumLaidOut) || !(h > minimumLaidOut))
        return false;

    const double dW = w - baseWidth;
    const double dH = h - baseHeight;
    auto at = [&places](const char *name) -> TwipRect & { return places[QLatin1String(name)]; };

    // The steps read what the earlier ones wrote, so their order matters.
    TwipRect &frame = at("framePrint");
    frame.left = 0;
    frame.width = w;
    frame.top = 0;

    TwipRect &recruitment = at("sltRecruitmentType");
    recruitment.left += dW / 3;
    recruitment.width += dW / 3;
    TwipRect &recruitmentLabel = at("lblRecruitmentType");
    recruitmentLabel.left = recruitment.left + recruitment.width;

    for (const char *selector : {"sltBranch", "sltCostCenter"}) {
        TwipRect &r = at(selector);
        r.left = recruitment.left;
        r.width = recruitment.width;
    }
    for (const char *label : {"lblBranch", "lblCostCenter"})
        at(label).left = recruitmentLabel.left;

    double printLeft = 0;
    for (const char *button : {"cmdExit", "cmdPrint", "cmdView"}) {
        TwipRect &r = at(button);
        r.width = (frame.width - 20) / 3;
        r.left = printLeft;
        printLeft = r.left + r.width;
    }

    static const char *const batchButtons[] = {"cmdViewPrint", "cmdBackToTemp", "cmdFinalize",
                                               "cmdCalc",      "cmdTempSave",   "cmdDelete"};
    for (const char *button : batchButtons)
        at(button).width += dW / 6;
    int k = 0;
    for (const char *button : batchButtons)
        at(button).left += k++ * dW / 6;

    for (const char *name : {"lblBeginDate", "datBeginDate", "optNonMonthlySalaryEmployee", "optTempSaveEmployee"})
        at(name).left += dW;

    TwipRect &list = at("lstEmployee");
    list.width += dW;
    list.height += dH;

    for (const char *name : {"cmdDeselect", "cmdSelect"})
        at(name).top += dH;

    at("lblProgress").width = w / 2;
    for (const char *name : {"lblRecordCount", "lblTotalCount"})
        at(name).left += dW;
    at("pgb").width += dW;
    for (const char *name : {"lblProgress", "lblRecordCount", "lblTotalCount", "pgb"})
        at(name).top += dH;

    // Whole twips, ties to even.
    baseWidth = static_cast<int>(std::lrint(w));
    baseHeight = static_cast<int>(std::lrint(h));
    return true;
}

} // namespace oruhr
