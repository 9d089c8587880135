// The Qt canvas: the page painted on a picture where the recording canvas says it is, texts by
// their top-left corner on their background, the document ended after a failure, and the page
// written to a PDF file.
#include "PrintTestSupport.h"

#include "core/page/RecordingCanvas.h"
#include "core/session/PrintedPage.h"
#include "tests/core/page/PrintFixtures.h"
#include "ui/qt/PdfPage.h"
#include "ui/qt/PrinterCanvas.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <stdexcept>

namespace titralab {
namespace {

using printtest::titrationPage;

// A letter-sized printable area at 100 dots per inch: small enough to look at every dot.
constexpr int kDpi = 100;
constexpr int kWidth = 800;
constexpr int kHeight = 1100;
const QColor kGrey(200, 200, 200);

QImage blankPage(const QColor& colour = Qt::white) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Whether the dot at p, or one of its eight neighbours, has the ink's colour.
bool inkNear(const QImage& image, CanvasPoint p, const QColor& ink) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            if (!image.rect().contains(p.x + dx, p.y + dy)) continue;
            const QColor c = image.pixelColor(p.x + dx, p.y + dy);
            if (std::abs(c.red() - ink.red()) < 60 && std::abs(c.green() - ink.green()) < 60 &&
                std::abs(c.blue() - ink.blue()) < 60)
                return true;
        }
    return false;
}

// Whether some dot of the rectangle [x0, x1) x [y0, y1) is darker than the background.
bool anyDark(const QImage& image, int x0, int y0, int x1, int y1) {
    for (int y = std::max(0, y0); y < std::min(image.height(), y1); ++y)
        for (int x = std::max(0, x0); x < std::min(image.width(), x1); ++x)
            if (qGray(image.pixel(x, y)) < 128) return true;
    return false;
}

// The colour of the last line of the recording that covers p (within its pen's half-width),
// or white.
QColor lastInkAt(const RecordingCanvas& recorded, CanvasPoint p) {
    QColor ink(Qt::white);
    for (const CanvasSegment& s : recorded.segments()) {
        const double dx = s.to.x - s.from.x, dy = s.to.y - s.from.y;
        const double length2 = dx * dx + dy * dy;
        double t = length2 > 0 ? ((p.x - s.from.x) * dx + (p.y - s.from.y) * dy) / length2 : 0;
        t = std::clamp(t, 0.0, 1.0);
        const double ex = s.from.x + t * dx - p.x, ey = s.from.y + t * dy - p.y;
        if (std::sqrt(ex * ex + ey * ey) <= s.pen.width / 2.0)
            ink = QColor(s.pen.color.r, s.pen.color.g, s.pen.color.b);
    }
    return ink;
}

struct PaintedPage {
    RecordingCanvas recorded{kWidth, kHeight, kDpi};
    QImage image{blankPage()};
    PageLayout layout;
};

PaintedPage paint(const PageInput& in, const PrintSettings& settings) {
    PaintedPage p;
    p.layout = PrintPage(in, settings, p.recorded);
    PrinterCanvas canvas(&p.image, kDpi);
    const PageLayout painted = PrintPage(in, settings, canvas);
    EXPECT_EQ(painted.regionHeight, p.layout.regionHeight);
    EXPECT_TRUE(canvas.error().isEmpty()) << canvas.error().toStdString();
    EXPECT_FALSE(canvas.active()) << "the document is ended";
    return p;
}

struct LineCase {
    const char* label;
    PrintSettings settings;
    QColor axisInk;
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << c.label;
}

class PrinterCanvasLines : public ::testing::TestWithParam<LineCase> {};

// Every line of the page's frame and curve lies, on the picture, where the recording canvas
// put it, in the colour of the pen; the rest of the page stays white.
TEST_P(PrinterCanvasLines, LinesAreInkedWhereTheRecordingCanvasDrawsThem) {
    const LineCase& lc = GetParam();
    PageInput in = titrationPage(25);
    in.graph.checked.fill(false);
    in.graph.checked[0] = true; // no dilution warning over the curve
    const PaintedPage p = paint(in, lc.settings);
    const PageLayout& L = p.layout;
    const int m = L.margin, H = L.regionHeight, W = L.regionWidth;
    ASSERT_GE(L.penWidth, 3);

    // The axes, every fifth dot, in the colour of the last line there: the axis's own, or the
    // black of a vertical tick across it.
    int axisInk = 0;
    auto onAxis = [&](CanvasPoint at) {
        const QColor ink = lastInkAt(p.recorded, at);
        EXPECT_NE(ink, QColor(Qt::white)) << at.x << "," << at.y;
        EXPECT_TRUE(inkNear(p.image, at, ink)) << at.x << "," << at.y;
        axisInk += ink == lc.axisInk;
    };
    for (int y = m + 2 * L.arrowSize; y < H - m; y += 5) onAxis({m, y});
    for (int x = m; x < W - m - 2 * L.arrowSize; x += 5) onAxis({x, H - m});
    EXPECT_GT(axisInk, (H - 2 * m) / 5) << "most of the axes in the axis colour";

    // The pH curve, black or red: the middle of each of its segments long enough to have one.
    const CanvasColor curveInk = lc.settings.printInColour ? CanvasColor{255, 0, 0} : kBlack;
    int checked = 0;
    for (const CanvasSegment& s : p.recorded.segments()) {
        if (s.pen.color != curveInk || s.from.x <= m || s.to.y >= H - m - L.tickHalf) continue;
        if (std::abs(s.to.x - s.from.x) + std::abs(s.to.y - s.from.y) < 4) continue;
        const CanvasPoint middle{(s.from.x + s.to.x) / 2, (s.from.y + s.to.y) / 2};
        EXPECT_TRUE(inkNear(p.image, middle, QColor(curveInk.r, curveInk.g, curveInk.b)))
            << middle.x << "," << middle.y;
        ++checked;
    }
    EXPECT_GT(checked, 20);

    // Above the frame's title and right of the page's region nothing is drawn.
    EXPECT_FALSE(anyDark(p.image, 0, 0, kWidth, m - 2 * L.lineHeight - 2));
    EXPECT_FALSE(anyDark(p.image, W - m + L.arrowSize + 2, 0, kWidth, H - m - 2 * L.lineHeight));
}

// Lines 3 dots wide or more at 100 dots per inch.
PrintSettings page(const char* lineWidth, bool colour, bool arrows) {
    PrintSettings s;
    s.lineWidth = lineWidth;
    s.printInColour = colour;
    s.axisArrows = arrows;
    return s;
}

INSTANTIATE_TEST_SUITE_P(Pages, PrinterCanvasLines,
                         ::testing::Values(LineCase{"Black", page("80", false, true), Qt::black},
                                           LineCase{"Colour", page("80", true, true), Qt::blue},
                                           LineCase{"ThickWithoutArrows", page("150", false, false),
                                                    Qt::black}),
                         [](const auto& info) { return std::string(info.param.label); });

// Texts are placed by the top-left corner of their line: the axis title "pH" lies in the box
// below its corner, nothing of it above; its background covers the page under it.
TEST(PrinterCanvasText, TextsHangBelowTheirCornerOnTheirBackground) {
    PageInput in = titrationPage(25);
    PaintedPage p;
    p.image = blankPage(kGrey);
    p.layout = PrintPage(in, PrintSettings{}, p.recorded);
    PrinterCanvas canvas(&p.image, kDpi);
    PrintPage(in, PrintSettings{}, canvas);

    const auto title = p.recorded.findText("pH");
    ASSERT_TRUE(title);
    const int ch = p.layout.lineHeight;
    const CanvasPoint at = title->at;
    EXPECT_TRUE(anyDark(p.image, at.x, at.y, at.x + 2 * ch, at.y + ch));
    EXPECT_FALSE(anyDark(p.image, at.x - 2, at.y - ch / 2, at.x + 2 * ch, at.y - 1));
    // The background is the page's white brush, from the corner on; the grey page around.
    EXPECT_EQ(p.image.pixelColor(at.x + 1, at.y + 1), QColor(Qt::white));
    EXPECT_EQ(p.image.pixelColor(at.x - 3, at.y + 1), kGrey);
}

// Lines of text are one em apart, less than a font's full height: the background of a line
// must not cut the descenders of the line above.
TEST(PrinterCanvasText, NextLineKeepsTheDescendersAbove) {
    QImage image = blankPage(kGrey);
    PrinterCanvas canvas(&image, kDpi);
    canvas.beginDocument("test");
    const int ch = 40;
    canvas.setFont(CanvasFont{"", 29, ch});
    canvas.setBrush(Brush{BrushStyle::Solid, kWhite});
    canvas.textOut(10, 10, "pqgjy");
    canvas.textOut(10, 10 + ch, "xxxxx");
    canvas.endDocument();
    // The descenders of "pqgjy" reach below the top of the second line.
    EXPECT_TRUE(anyDark(image, 10, 10 + ch, 200, 10 + ch + ch / 6));
}

// Polygons and ellipses are filled with the brush, unless it is clear, and outlined with the
// pen.
TEST(PrinterCanvasShapes, FilledWithTheBrushOutlinedWithThePen) {
    struct ShapeCase {
        const char* label;
        BrushStyle style;
        QColor inside;
    };
    for (const ShapeCase& c : {ShapeCase{"Solid", BrushStyle::Solid, QColor(255, 0, 0)},
                               ShapeCase{"Clear", BrushStyle::Clear, kGrey}}) {
        QImage image = blankPage(kGrey);
        PrinterCanvas canvas(&image, kDpi);
        canvas.beginDocument("shapes");
        canvas.setPen(Pen{3, kBlue, PenStyle::Solid});
        canvas.setBrush(Brush{c.style, CanvasColor{255, 0, 0}});
        canvas.polygon({{100, 100}, {300, 100}, {100, 300}});
        canvas.ellipse(400, 100, 600, 300);
        canvas.endDocument();
        for (CanvasPoint inside : {CanvasPoint{150, 150}, CanvasPoint{500, 200}})
            EXPECT_EQ(image.pixelColor(inside.x, inside.y), c.inside) << c.label;
        for (CanvasPoint edge : {CanvasPoint{200, 100}, CanvasPoint{100, 200},
                                 CanvasPoint{400, 200}, CanvasPoint{500, 300}})
            EXPECT_TRUE(inkNear(image, edge, Qt::blue))
                << c.label << " " << edge.x << "," << edge.y;
        EXPECT_EQ(image.pixelColor(250, 250), kGrey) << "outside the triangle";
    }
}

// A page that fails half-way ends its document and gets its brush back; ending twice and
// setting the brush afterwards are harmless.
TEST(PrinterCanvasFailure, DocumentIsEndedWhenAStepThrows) {
    class FailingCanvas : public PrinterCanvas {
      public:
        using PrinterCanvas::PrinterCanvas;
        void polygon(const std::vector<CanvasPoint>&) override {
            throw std::runtime_error("printer gone");
        }
    };
    QImage image = blankPage();
    FailingCanvas canvas(&image, kDpi);
    const Brush initial = canvas.brush();
    EXPECT_THROW(PrintPage(titrationPage(25), PrintSettings{}, canvas), std::runtime_error);
    EXPECT_FALSE(canvas.active());
    EXPECT_EQ(canvas.brush(), initial);
    canvas.endDocument();
    canvas.setBrush(Brush{BrushStyle::Clear, kBlack});
    EXPECT_EQ(canvas.brush().style, BrushStyle::Clear);
    EXPECT_TRUE(canvas.error().isEmpty());
}

// The page on a PDF writer: the printable area and resolution of the writer, one page, named.
TEST(PrinterCanvasPdf, PageOnAPdfWriterFillsOnePage) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("page.pdf");
    {
        QPdfWriter writer(path);
        writer.setResolution(600);
        writer.setPageLayout(defaultPdfPageLayout());
        PrinterCanvas canvas(&writer);
        // A4 less 10 mm on each side, in dots at 600 per inch.
        const QRect printable = defaultPdfPageLayout().paintRectPixels(600);
        EXPECT_EQ(canvas.pageWidth(), printable.width());
        EXPECT_EQ(canvas.pageHeight(), printable.height());
        EXPECT_NEAR(canvas.pageWidth(), 190 / 25.4 * 600, 8);
        EXPECT_EQ(canvas.resolution(), 600);
        const PageLayout L = PrintPage(titrationPage(25), PrintSettings{}, canvas);
        EXPECT_TRUE(canvas.error().isEmpty());
        EXPECT_EQ(L.penWidth, 7) << "0.3 mm at 600 dots per inch";
    }
    const printing::PdfFacts pdf = printing::readPdf(path);
    EXPECT_EQ(pdf.header, "%PDF-");
    EXPECT_EQ(pdf.pages, 1);
    EXPECT_NEAR(pdf.mediaBox.width(), 595, 1);
    EXPECT_NEAR(pdf.mediaBox.height(), 842, 1);
    EXPECT_GT(pdf.size, 5000);
    EXPECT_LT(pdf.size, 2000000);
    // The document's title, in the document information, in UTF-16 with its byte-order mark.
    QByteArray title("/Title (\xFE\xFF", 10);
    for (const QChar c : QStringLiteral("pH et concentrations"))
        title.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains(title));
}

// writePdfPage: a complete file, or an error and no file.
TEST(PrinterCanvasPdf, WritePdfPageReportsAnUnwritablePlace) {
    QTemporaryDir dir;
    const Simulation sim = printing::titrationOfAceticAcid();
    const QString good = dir.filePath("titration.pdf");
    EXPECT_EQ(writePdfPage(sim, PrintSettings{}, good.toStdString()).error, "");
    const printing::PdfFacts pdf = printing::readPdf(good);
    EXPECT_EQ(pdf.header, "%PDF-");
    EXPECT_EQ(pdf.pages, 1);

    const QString bad = dir.filePath("missing/folder/titration.pdf");
    const std::string error = writePdfPage(sim, PrintSettings{}, bad.toStdString()).error;
    EXPECT_EQ(error, "Impossible d'écrire le fichier « " + bad.toStdString() +
                         " » : le dossier n'existe pas.");
    EXPECT_FALSE(QFile::exists(bad));
}

} // namespace
} // namespace titralab
