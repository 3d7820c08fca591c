// Window-free arithmetic of the signal graph: plot box, label margin, value-to-row mapping.
#pragma once

// Plot rectangle in client pixels; right and bottom are the last plotted column and row.
struct GraphBox
{
    int left;
    int top;
    int right;
    int bottom;
};

// Fixed margins around the plot before the label margin replaces the left edge.
enum : int
{
    kGraphPlotLeft = 20,
    kGraphPlotTop = 10,
    kGraphPlotRightGap = 10,
    kGraphPlotBottomGap = 25,
    kGraphPixelsPerChar = 6
};

// Plot box for a client rectangle whose left and top are 0.
GraphBox GraphPlotBox(int clientRight, int clientBottom);

// Integer digits a bound adds to the label margin: |trunc(log10 |b|)|, 0 for 0.
int GraphBoundDigits(double bound);

// Left edge of the plot: 6 pixels per character of the wider bound label plus room.
int GraphLabelMargin(double lower, double upper, int decimals);

// Decimal places a bound label can show: 0 to 17.
int GraphClampDecimals(int decimals);

// Pixels per value unit; a zero span gives 0 so nothing divides by it later.
double GraphPixelsPerUnit(int plotHeight, double span);

// Row of a value: plot bottom minus the truncated pixel offset above the lower bound.
int GraphValueToRow(double value, double lower, double pixelsPerUnit, int plotBottom);

// Number of points that fit across the plot.
int GraphSampleCount(int plotWidth, int scrollStep);
