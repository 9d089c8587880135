// Draws a diagram of the solution (core/session/DiagramView.h) with a QPainter: on screen, into a
// picture for the clipboard or a file, on a printed page. Each line has its own colour and its
// own dashes, so that the diagram reads in black and white too.
#pragma once

#include "core/base/Language.h"
#include "core/session/DiagramView.h"
#include "core/system/WholeFile.h"

#include <QImage>
#include <QRectF>

#include <string>

class QFont;
class QPainter;

namespace titralab {

// The diagram in `area`: the titles, the plot with its axes and ticks, the lines, the marks,
// the legend at the right and the predominance strips under the plot.
void paintDiagram(QPainter& painter, const QRectF& area, const DiagramView& view, char separator);

// Where paintDiagram draws the plot itself (inside its axes) in `area`, for a widget that maps
// the mouse to the diagram's values; `font` is the painter's font before the diagram sizes it.
QRectF diagramPlotArea(const QRectF& area, const DiagramView& view, char separator,
                       const QFont& font);

// The diagram on a white picture of `width` x `height` pixels.
QImage diagramImage(const DiagramView& view, char separator, int width = 1000, int height = 750);

// Writes the diagram as PNG (`width` pixels wide, three quarters as high), or SVG when `path`
// ends with ".svg", whole or not at all.
WholeFileResult writeDiagramPicture(const DiagramView& view, char separator, const std::string& path,
                                    Language language, int width = 1000);

} // namespace titralab
