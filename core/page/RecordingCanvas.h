// A canvas that draws nothing and keeps every call with its arguments, for tests and previews
// of the page layout; it measures texts with a fixed width per character.
#pragma once

#include "core/page/Canvas.h"

#include <optional>
#include <string>
#include <vector>

namespace titralab {

enum class CanvasOp {
    BeginDocument,
    EndDocument,
    SetPen,
    SetBrush,
    SetFont,
    MoveTo,
    LineTo,
    Polygon,
    Ellipse,
    TextOut,
};

// One call. points: MoveTo {to}; LineTo {from, to}; Polygon the corners; Ellipse {top-left,
// bottom-right}; TextOut {top-left}. pen, brush and font are those in force after the call.
struct CanvasCall {
    CanvasOp op{};
    std::vector<CanvasPoint> points;
    std::string text; // TextOut: the text; BeginDocument: the title
    Pen pen;
    Brush brush;
    CanvasFont font;
};

struct CanvasSegment {
    CanvasPoint from;
    CanvasPoint to;
    Pen pen;
    bool operator==(const CanvasSegment& o) const { return from == o.from && to == o.to; }
};

struct CanvasText {
    CanvasPoint at; // top-left corner
    std::string text;
    CanvasFont font;
    Brush brush;
};

class RecordingCanvas : public Canvas {
  public:
    // A page of width x height dots at dpi dots per inch. Starts with a solid black pen one
    // dot wide, a solid white brush and a 10-point font.
    RecordingCanvas(int width, int height, int dpi);

    void beginDocument(const std::string& title) override;
    void endDocument() override;
    int pageWidth() const override { return m_width; }
    int pageHeight() const override { return m_height; }
    int resolution() const override { return m_dpi; }
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
    // Every character (UTF-8 code point) is half the font height wide; a text is one font
    // height high.
    int textWidth(const std::string& text) const override;
    int textHeight(const std::string& text) const override;

    const std::vector<CanvasCall>& calls() const { return m_calls; }
    std::vector<CanvasCall> callsOf(CanvasOp op) const;
    int count(CanvasOp op) const;
    // Every line drawn, in order.
    std::vector<CanvasSegment> segments() const;
    // Every text written, in order.
    std::vector<CanvasText> texts() const;
    // The first text equal to `text`, if any.
    std::optional<CanvasText> findText(const std::string& text) const;
    void clear() { m_calls.clear(); }

  private:
    void record(CanvasOp op, std::vector<CanvasPoint> points = {}, std::string text = {});

    int m_width{};
    int m_height{};
    int m_dpi{};
    Pen m_pen{};
    Brush m_brush{};
    CanvasFont m_font{};
    CanvasPoint m_position{};
    std::vector<CanvasCall> m_calls;
};

} // namespace titralab
