#include "payslips/FormMainLayout.h"

#include "common/TwipLayoutPass.h"

namespace oruhr {

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
        {QStringLiteral("lblRecordCount"), {8595, 7575, 285, 195}},
        {QStringLiteral("lblTotalCount"), {8955, 7560, 645, 195}},
    };
}

bool FormMainLayout::resize(QHash<QString, TwipRect> &places, int &baseWidth, int &baseHeight, double w, double h)
{
    if (!TwipLayoutPass::applies(w, h))
        return false;
    TwipLayoutPass pass(places, baseWidth, baseHeight, w, h);
    const double dW = pass.dW();

    // The steps read what the earlier ones wrote, so their order matters.
    TwipRect &frame = pass.at("framePrint");
    frame.left = 0;
    frame.width = w;
    frame.top = 0;

    TwipRect &recruitment = pass.at("sltRecruitmentType");
    recruitment.left += dW / 3;
    recruitment.width += dW / 3;
    TwipRect &recruitmentLabel = pass.at("lblRecruitmentType");
    const double labelMove = recruitment.left + recruitment.width - recruitmentLabel.left;
    recruitmentLabel.left += labelMove;
    // The check box overlaps the label by design; standing still, it would have the label's
    // text slide under its own.
    pass.at("chkOrdinancePrint").left += labelMove;

    for (const char *selector : {"sltBranch", "sltCostCenter"}) {
        TwipRect &r = pass.at(selector);
        r.left = recruitment.left;
        r.width = recruitment.width;
    }
    for (const char *label : {"lblBranch", "lblCostCenter"})
        pass.at(label).left = recruitmentLabel.left;

    double printLeft = 0;
    for (const char *button : {"cmdExit", "cmdPrint", "cmdView"}) {
        TwipRect &r = pass.at(button);
        r.width = (frame.width - 20) / 3;
        r.left = printLeft;
        printLeft = r.left + r.width;
    }

    pass.shareWidthChange({"cmdViewPrint", "cmdBackToTemp", "cmdFinalize", "cmdCalc", "cmdTempSave", "cmdDelete"});
    for (const char *name : {"lblBeginDate", "datBeginDate", "optNonMonthlySalaryEmployee", "optTempSaveEmployee"})
        pass.at(name).left += dW;
    pass.stretchListAndBottomRow();
    pass.keepAsBase(baseWidth, baseHeight);
    return true;
}

} // namespace oruhr
