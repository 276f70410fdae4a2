#include "documents/FormCheckDocsLayout.h"

#include "common/TwipLayoutPass.h"

namespace oruhr {

QHash<QString, TwipRect> FormCheckDocsLayout::designedPlaces()
{
    return {
        {QStringLiteral("cmdBackToTemp"), {75, 45, 2775, 405}},
        {QStringLiteral("cmdFinalize"), {3115, 45, 2775, 405}},
        {QStringLiteral("cmdTempSave"), {6155, 45, 2775, 405}},
        {QStringLiteral("cmdDelete"), {9195, 30, 2775, 405}},
        {QStringLiteral("datEndDate"), {840, 525, 1530, 345}},
        {QStringLiteral("lblEndDate"), {2415, 555, 510, 195}},
        {QStringLiteral("datBeginDate"), {9795, 555, 1530, 345}},
        {QStringLiteral("lblBeginDate"), {11400, 615, 525, 195}},
        {QStringLiteral("grpCode"), {90, 930, 11925, 585}},
        {QStringLiteral("optFinalSaveEmployee"), {0, 255, 3360, 255}},
        {QStringLiteral("optTempSaveEmployee"), {4695, 225, 3360, 255}},
        {QStringLiteral("grpDocs"), {90, 1605, 11925, 585}},
        {QStringLiteral("optAllDocs"), {690, 195, 1605, 255}},
        {QStringLiteral("lstEmployee"), {75, 2250, 11925, 4965}},
        {QStringLiteral("pgb"), {75, 7215, 11925, 255}},
        {QStringLiteral("cmdDeselect"), {90, 7515, 1230, 405}},
        {QStringLiteral("cmdSelect"), {1380, 7515, 1215, 405}},
        {QStringLiteral("lblProgress"), {6480, 7590, 645, 240}},
        {QStringLiteral("lblRecordCount"), {10920, 7575, 285, 195}},
        {QStringLiteral("lblTotalCount"), {11280, 7560, 645, 195}},
    };
}

bool FormCheckDocsLayout::resize(QHash<QString, TwipRect> &places, int &baseWidth, int &baseHeight, double w,
                                 double h)
{
    if (!TwipLayoutPass::applies(w, h))
        return false;
    TwipLayoutPass pass(places, baseWidth, baseHeight, w, h);
    for (const char *group : {"grpCode", "grpDocs"})
        pass.at(group).width += pass.dW();
    pass.shareWidthChange({"cmdBackToTemp", "cmdFinalize", "cmdTempSave", "cmdDelete"});
    for (const char *name : {"lblBeginDate", "datBeginDate"})
        pass.at(name).left += pass.dW();
    pass.at("optTempSaveEmployee").left += pass.dW() / 2;
    pass.stretchListAndBottomRow();
    pass.keepAsBase(baseWidth, baseHeight);
    return true;
}

} // namespace oruhr
