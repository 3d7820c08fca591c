// Window-free arithmetic of the signal graph.
#include "graph/GraphLayout.h"

#include <cmath>

// Rows far enough outside any bitmap that clipping hides them, yet small enough
// that the row and the line drawn to it stay within int and GDI coordinates.
static const double kRowLimit = 65536.0;

// More places than a double carries only widen the labels and the margin.
static const int kMaxDecimals = 17;

GraphBox GraphPlotBox(int clientRight, int clientBottom)
{
    GraphBox box;
    box.left = kGraphPlotLeft;
    box.top = kGraphPlotTop;
    box.right = clientRight - kGraphPlotRightGap;
    box.bottom = clientBottom - kGraphPlotBottomGap;
    return box;
}

int GraphBoundDigits(double bound)
{
    const double magnitude = std::fabs(bound);
    // 0 has no logarithm, and an infinite or NaN bound has no digits worth a margin.
    if (magnitude == 0.0 || !std::isfinite(magnitude))
        return 0;
    const double digits = std::fabs(std::trunc(std::log10(magnitude)));
    return static_cast<int>(digits);  // at most 324 for any finite double
}

int GraphLabelMargin(double lower, double upper, int decimals)
{
    const int upperDigits = GraphBoundDigits(upper);
    const int lowerDigits = GraphBoundDigits(lower);
    const int n = upperDigits > lowerDigits ? upperDigits : lowerDigits;
    return kGraphPixelsPerChar * (n + GraphClampDecimals(decimals) + 4);
}

int GraphClampDecimals(int decimals)
{
    if (decimals < 0)
        return 0;
    return decimals > kMaxDecimals ? kMaxDecimals : decimals;
}

double GraphPixelsPerUnit(int plotHeight, double span)
{
    if (span == 0.0)
        return 0.0;
    return plotHeight / span;
}

int GraphValueToRow(double value, double lower, double pixelsPerUnit, int plotBottom)
{
    double offset = (value - lower) * pixelsPerUnit;
    // Converting an out-of-range or NaN double to int is undefined; such values
    // land far outside the plot (NaN on the bottom row), where clipping applies.
    if (std::isnan(offset))
        offset = 0.0;
    else if (offset > kRowLimit)
        offset = kRowLimit;
    else if (offset < -kRowLimit)
        offset = -kRowLimit;
    return plotBottom - static_cast<int>(offset);
}

int GraphSampleCount(int plotWidth, int scrollStep)
{
    if (scrollStep <= 0)
        return 0;
    return plotWidth / scrollStep;
}
