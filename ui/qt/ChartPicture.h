// The chart as a picture: a PNG at the screen's size or a chosen width, an SVG (vector), the
// clipboard; and the chart of a simulation drawn without a window, for the command-line tool.
#pragma once

#include "core/system/WholeFile.h"
#include "core/base/Language.h"

#include <QImage>
#include <QString>

#include <string>

class QChartView;

namespace titralab {

class ChartView;
struct Simulation;

// The chart (curves, titles, axes, legend) at `width` pixels (0: its size on screen), the
// height in proportion, on a white page.
QImage chartImage(QChartView& view, int width = 0);

// Writes the chart as PNG (`width` as above) or SVG into `path` (UTF-8): the file is replaced
// only once complete. Returns the reason for the user, in `language`, when it was not, and a
// notice when `path` was a link.
WholeFileResult writeChartPng(QChartView& view, const QString& path, int width, Language language);
WholeFileResult writeChartSvg(QChartView& view, const QString& path, Language language);

// Shows the simulation's titles, axes, curves, pasted-point marker and kept curves on a chart,
// as the graph window does.
void drawSimulation(ChartView& chart, const Simulation& sim);

// The chart of `sim` drawn offscreen at `width` x `height` pixels and written as PNG (at
// `pngWidth`, 0 for the drawn size) or SVG. Needs a QApplication; no display.
WholeFileResult writeSimulationPicture(const Simulation& sim, const std::string& path, bool svg,
                                       int pngWidth = 0, int width = 1000, int height = 700);

} // namespace titralab
