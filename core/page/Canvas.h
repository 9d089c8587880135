// The drawing surface of the printed page, in printer dots: document, pen, fill, font, lines,
// polygons, ellipses and texts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace titralab {

// A position on the page, in dots from the top-left corner of the printable area (y downwards).
struct CanvasPoint {
    int x{};
    int y{};
    bool operator==(const CanvasPoint& o) const { return x == o.x && y == o.y; }
    bool operator!=(const CanvasPoint& o) const { return !(*this == o); }
};

struct CanvasColor {
    std::uint8_t r{}, g{}, b{};
    bool operator==(const CanvasColor& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const CanvasColor& o) const { return !(*this == o); }
};

inline constexpr CanvasColor kBlack{0, 0, 0};
inline constexpr CanvasColor kBlue{0, 0, 255};
inline constexpr CanvasColor kWhite{255, 255, 255};

enum class PenStyle { Solid, Dash, Dot, Clear };

struct Pen {
    int width{1}; // dots
    CanvasColor color{kBlack};
    PenStyle style{PenStyle::Solid};
    bool operator==(const Pen& o) const {
        return width == o.width && color == o.color && style == o.style;
    }
};

// The fill of polygons and ellipses, and the background behind texts (Clear: transparent).
enum class BrushStyle { Solid, Clear };

struct Brush {
    BrushStyle style{BrushStyle::Solid};
    CanvasColor color{kWhite};
    bool operator==(const Brush& o) const { return style == o.style && color == o.color; }
};

struct CanvasFont {
    std::string family; // empty: the printer's default face
    int pointSize{10};  // points
    int heightDots{};   // character height (em) in dots: the height of a text line
    bool operator==(const CanvasFont& o) const {
        return family == o.family && pointSize == o.pointSize && heightDots == o.heightDots;
    }
};

class Canvas {
  public:
    virtual ~Canvas() = default;

    // One document holds one page; the title is the name the print queue shows.
    virtual void beginDocument(const std::string& title) = 0;
    virtual void endDocument() = 0;

    virtual int pageWidth() const = 0;  // printable width, dots
    virtual int pageHeight() const = 0; // printable height, dots
    virtual int resolution() const = 0; // vertical resolution, dots per inch

    virtual void setPen(const Pen& pen) = 0;
    virtual Pen pen() const = 0;
    virtual void setBrush(const Brush& brush) = 0;
    virtual Brush brush() const = 0;
    virtual void setFont(const CanvasFont& font) = 0;
    virtual CanvasFont font() const = 0;

    // Lines start at the current position; lineTo draws with the pen and moves there.
    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    // A closed polygon, filled with the brush and outlined with the pen.
    virtual void polygon(const std::vector<CanvasPoint>& corners) = 0;
    // The ellipse inscribed in the box, filled with the brush and outlined with the pen.
    virtual void ellipse(int left, int top, int right, int bottom) = 0;
    // A UTF-8 text whose top-left corner is (x, y), on the brush as background.
    virtual void textOut(int x, int y, const std::string& text) = 0;

    // Size of a text in the current font, dots.
    virtual int textWidth(const std::string& text) const = 0;
    virtual int textHeight(const std::string& text) const = 0;
};

} // namespace titralab
