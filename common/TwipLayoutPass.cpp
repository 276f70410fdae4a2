#include "common/TwipLayoutPass.h"

#include <cmath>

namespace oruhr {
namespace {

constexpr double minimumLaidOut = 8000; // twips, in both directions

} // namespace

bool TwipLayoutPass::applies(double w, double h)
{
    return w > minimumLaidOut && h > minimumLaidOut;
}

TwipLayoutPass::TwipLayoutPass(QHash<QString, TwipRect> &places, int baseWidth, int baseHeight, double w, double h)
    : m_places(places)
    , m_w(w)
    , m_h(h)
    , m_dW(w - baseWidth)
    , m_dH(h - baseHeight)
{
}

TwipRect &TwipLayoutPass::at(const char *name)
{
    return m_places[QLatin1String(name)];
}

void TwipLayoutPass::shareWidthChange(std::initializer_list<const char *> row)
{
    const double count = double(row.size());
    int k = 0;
    for (const char *button : row) {
        TwipRect &place = at(button);
        place.width += m_dW / count;
        place.left += k++ * m_dW / count;
    }
}

void TwipLayoutPass::stretchListAndBottomRow()
{
    TwipRect &list = at("lstEmployee");
    list.width += m_dW;
    list.height += m_dH;

    for (const char *name : {"cmdDeselect", "cmdSelect"})
        at(name).top += m_dH;

    at("lblProgress").width = m_w / 2;
    for (const char *name : {"lblRecordCount", "lblTotalCount"})
        at(name).left += m_dW;
    at("pgb").width += m_dW;
    for (const char *name : {"lblProgress", "lblRecordCount", "lblTotalCount", "pgb"})
        at(name).top += m_dH;
}

void TwipLayoutPass::keepAsBase(int &baseWidth, int &baseHeight) const
{
    baseWidth = static_cast<int>(std::lrint(m_w));
    baseHeight = static_cast<int>(std::lrint(m_h));
}

} // namespace oruhr
