#include "payslips/FormErrorEmployeeLayout.h"

namespace oruhr {
namespace {

constexpr double margin = 15;

// A control refuses a negative size; the step is then skipped.
void setSize(double &field, double value)
{
    if (value >= 0)
        field = value;
}

} // namespace

FormErrorEmployeeLayout::Places FormErrorEmployeeLayout::designedPlaces()
{
    Places places{{}, {0, 0, 1215, 405}};
    resize(places, designedWidth, designedHeight);
    return places;
}

void FormErrorEmployeeLayout::resize(Places &places, double w, double h)
{
    TwipRect &grid = places.flxError;
    TwipRect &ok = places.cmdOK;
    grid.top = margin;
    grid.left = margin;
    setSize(grid.width, w - 150);
    setSize(grid.height, h - ok.height - 30 - 400);
    ok.top = grid.height + margin;
    ok.left = margin;
}

} // namespace oruhr
