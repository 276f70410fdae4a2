#include "common/TwipPlacement.h"

#include <QRectF>
#include <QWidget>

namespace oruhr {

void TwipPlacement::place(QWidget &window, const QHash<QString, TwipRect> &places)
{
    const double dpi = window.logicalDpiX();
    for (auto it = places.cbegin(); it != places.cend(); ++it) {
        auto *widget = window.findChild<QWidget *>(it.key());
        if (!widget)
            continue;
        const TwipRect &place = it.value();
        widget->setGeometry(QRectF(twipsToPixels(place.left, dpi), twipsToPixels(place.top, dpi),
                                   twipsToPixels(place.width, dpi), twipsToPixels(place.height, dpi))
                                .toRect());
    }
}

void TwipPlacement::resize(QWidget &window, double width, double height)
{
    const double dpi = window.logicalDpiX();
    window.resize(qRound(twipsToPixels(width, dpi)), qRound(twipsToPixels(height, dpi)));
}

QSizeF TwipPlacement::size(const QWidget &window)
{
    const double dpi = window.logicalDpiX();
    return {pixelsToTwips(window.width(), dpi), pixelsToTwips(window.height(), dpi)};
}

} // namespace oruhr
