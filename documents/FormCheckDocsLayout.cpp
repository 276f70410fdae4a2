#include "documents/FormCheckDocsLayout.h"

#include <cmath>

namespace oruhr {

namespace {

constexpr double minimumLaidOut = 8000; // twips, in both directions

} // namespace

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
    if (!(w > minimumLaidOut) || !(h > minimumLaidOut))
        return false;

    const double dW = w - baseWidth;
    const double dH = h - baseHeight;
    auto at = [&places](const char *name) -> TwipRect & { return places[QLatin1String(name)]; };

    for (const char *group : {"grpCode", "grpDocs"})
        at(group).width += dW;

    // The four buttons share the extra width, so the gaps between them stay.
    static const char *const buttons[] = {"cmdBackToTemp", "cmdFinalize", "cmdTempSave", "cmdDelete"};
    for (const char *button : buttons)
        at(button).width += dW / 4;
    int k = 0;
    for (const char *button : buttons)
        at(button).left += k++ * dW / 4;

    for (const char *name : {"lblBeginDate", "datBeginDate"})
        at(name).left += dW;
    at("optTempSaveEmployee").left += dW / 2;

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
