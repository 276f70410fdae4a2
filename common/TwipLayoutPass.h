#pragma once

#include "common/TwipRect.h"

#include <QHash>
#include <QString>

#include <initializer_list>

namespace oruhr {

// One pass of a window's resize rule over its places in twips: the change of size since the
// last pass, and the steps both list windows share. Below 8000 twips in either direction
// there is no pass, and the bases stay, so the next pass above the limit makes up the whole
// change.
class TwipLayoutPass {
public:
    static bool applies(double w, double h);

    TwipLayoutPass(QHash<QString, TwipRect> &places, int baseWidth, int baseHeight, double w, double h);

    TwipRect &at(const char *name);
    double width() const { return m_w; }
    double dW() const { return m_dW; }

    // The buttons share the change of width equally: each grows by its part, and the k-th
    // (from 0) moves by k parts, so the last one's right edge moves by the whole change.
    void shareWidthChange(std::initializer_list<const char *> row);
    // The list stretches both ways; the selection buttons keep their distance from the
    // bottom; the progress row stretches, its label takes half the width, and the counts
    // keep their distance from the right edge.
    void stretchListAndBottomRow();
    // The size of this pass, in whole twips (ties to even), as the base of the next.
    void keepAsBase(int &baseWidth, int &baseHeight) const;

private:
    QHash<QString, TwipRect> &m_places;
    double m_w, m_h, m_dW, m_dH;
};

} // namespace oruhr
