#include "core/page/RecordingCanvas.h"

#include <algorithm>
#include <utility>

namespace titralab {

RecordingCanvas::RecordingCanvas(int width, int height, int dpi)
    : m_width(width), m_height(height), m_dpi(dpi) {}

void RecordingCanvas::record(CanvasOp op, std::vector<CanvasPoint> points, std::string text) {
    m_calls.push_back(CanvasCall{op, std::move(points), std::move(text), m_pen, m_brush, m_font});
}

void RecordingCanvas::beginDocument(const std::string& title) {
    record(CanvasOp::BeginDocument, {}, title);
}

void RecordingCanvas::endDocument() {
    record(CanvasOp::EndDocument);
}

void RecordingCanvas::setPen(const Pen& pen) {
    m_pen = pen;
    record(CanvasOp::SetPen);
}

void RecordingCanvas::setBrush(const Brush& brush) {
    m_brush = brush;
    record(CanvasOp::SetBrush);
}

void RecordingCanvas::setFont(const CanvasFont& font) {
    m_font = font;
    record(CanvasOp::SetFont);
}

void RecordingCanvas::moveTo(int x, int y) {
    m_position = {x, y};
    record(CanvasOp::MoveTo, {m_position});
}

void RecordingCanvas::lineTo(int x, int y) {
    const CanvasPoint from = m_position;
    m_position = {x, y};
    record(CanvasOp::LineTo, {from, m_position});
}

void RecordingCanvas::polygon(const std::vector<CanvasPoint>& corners) {
    record(CanvasOp::Polygon, corners);
}

void RecordingCanvas::ellipse(int left, int top, int right, int bottom) {
    record(CanvasOp::Ellipse, {{left, top}, {right, bottom}});
}

void RecordingCanvas::textOut(int x, int y, const std::string& text) {
    record(CanvasOp::TextOut, {{x, y}}, text);
}

int RecordingCanvas::textWidth(const std::string& text) const {
    // Count code points: every byte that does not continue a UTF-8 sequence.
    const auto characters = std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    return static_cast<int>(characters) * (m_font.heightDots / 2);
}

int RecordingCanvas::textHeight(const std::string& /*text*/) const {
    return m_font.heightDots;
}

std::vector<CanvasCall> RecordingCanvas::callsOf(CanvasOp op) const {
    std::vector<CanvasCall> out;
    for (const CanvasCall& c : m_calls)
        if (c.op == op) out.push_back(c);
    return out;
}

int RecordingCanvas::count(CanvasOp op) const {
    return static_cast<int>(std::count_if(m_calls.begin(), m_calls.end(),
                                          [op](const CanvasCall& c) { return c.op == op; }));
}

std::vector<CanvasSegment> RecordingCanvas::segments() const {
    std::vector<CanvasSegment> out;
    for (const CanvasCall& c : m_calls)
        if (c.op == CanvasOp::LineTo) out.push_back({c.points[0], c.points[1], c.pen});
    return out;
}

std::vector<CanvasText> RecordingCanvas::texts() const {
    std::vector<CanvasText> out;
    for (const CanvasCall& c : m_calls)
        if (c.op == CanvasOp::TextOut) out.push_back({c.points[0], c.text, c.font, c.brush});
    return out;
}

std::optional<CanvasText> RecordingCanvas::findText(const std::string& text) const {
    for (const CanvasCall& c : m_calls)
        if (c.op == CanvasOp::TextOut && c.text == text)
            return CanvasText{c.points[0], c.text, c.font, c.brush};
    return std::nullopt;
}

} // namespace titralab
