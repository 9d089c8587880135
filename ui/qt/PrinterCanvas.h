// The printed page's canvas over QPainter: a printer, a PDF writer or a picture, in device dots.
#pragma once

#include "core/page/Canvas.h"

#include <QPainter>
#include <QPoint>
#include <QPolygon>
#include <QRegion>
#include <QString>

class QImage;
class QPaintDevice;

namespace titralab {

// Paints the calls of the printed page on a paint device. The page is the device's printable
// area (its width and height in dots, origin at its top-left corner) and the resolution is the
// device's vertical resolution. A failing device never throws: drawing then does nothing and
// error() tells why.
class PrinterCanvas : public Canvas {
  public:
    // A QPrinter or a QPdfWriter (or any paint device); not owned, and left in its state.
    explicit PrinterCanvas(QPaintDevice* device);
    // A picture of the page; its resolution is taken as `dpi` dots per inch.
    PrinterCanvas(QImage* image, int dpi);
    ~PrinterCanvas() override;
    PrinterCanvas(const PrinterCanvas&) = delete;
    PrinterCanvas& operator=(const PrinterCanvas&) = delete;

    // Names the document (the print queue's name, the PDF title) and starts painting.
    void beginDocument(const std::string& title) override;
    // Finishes the page (a printer sends it); harmless when no document is open.
    void endDocument() override;

    int pageWidth() const override;
    int pageHeight() const override;
    int resolution() const override;

    // Pen, brush and font are kept between documents and may be set at any time.
    void setPen(const Pen& pen) override;
    Pen pen() const override { return m_pen; }
    void setBrush(const Brush& brush) override;
    Brush brush() const override { return m_brush; }
    void setFont(const CanvasFont& font) override;
    CanvasFont font() const override { return m_font; }

    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void polygon(const std::vector<CanvasPoint>& corners) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void textOut(int x, int y, const std::string& text) override;
    int textWidth(const std::string& text) const override;
    int textHeight(const std::string& text) const override;

    // Empty while all is well; else why the device refused to start or to finish the page.
    const QString& error() const { return m_error; }
    // Whether a document is open.
    bool active() const { return m_painter.isActive(); }

  private:
    QFont qtFont() const;
    void applyPen();
    void applyBrush();
    // Draws the lines gathered since the last move as one polyline, so that the joints of a
    // curve drawn in thousands of short steps are joined like those of one line.
    void flush();

    QPaintDevice* m_device;
    int m_imageDpi{0}; // a picture's resolution; 0 for printers and PDF writers
    QPainter m_painter;
    Pen m_pen{};
    Brush m_brush{};
    CanvasFont m_font{};
    QPoint m_position;
    QPolygon m_pending; // the current polyline, from the last move
    QRegion m_texts;    // the boxes of the texts of the page so far
    QString m_error;
};

} // namespace titralab
