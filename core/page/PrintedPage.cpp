#include "core/page/PrintedPage.h"

#include "core/page/PageDrawing.h"
#include "core/page/PrintColours.h"
#include "core/page/PrintedReading.h"
#include "core/texts/PageTexts.h"

namespace titralab {

using namespace pagedraw;

PageLayout PrintPage(const PageInput& in, const PrintSettings& settings, Canvas& canvas) {
    const Brush savedBrush = canvas.brush();
    const PageLayout L =
        LayOutPage(in, settings, canvas.pageWidth(), canvas.pageHeight(), canvas.resolution());
    canvas.beginDocument(texts::kDocumentTitle.in(in.language));
    try {
        setPen(canvas, L.penWidth, kBlack);
        DashedPen dashes =
            SetUpDashes(ReadPrintSettings(settings).dashLengthMm, L.pixelsPerCm, L.nRef);
        SymbolPen symbols{in.pointStyle, std::nullopt};
        // Curves first, so that the frame and the texts come on top.
        if (L.curvesPrinted) {
            PrintIndicatorBand(in, L, canvas);
            PrintCurves(in, L, dashes, symbols, canvas);
            PrintReadingCurves(in, L, dashes, canvas);
        }
        drawFrame(in, settings, L, canvas);
        PrintTexts(in, settings, L, dashes, canvas);
    } catch (...) {
        canvas.endDocument();
        canvas.setBrush(savedBrush);
        throw;
    }
    canvas.endDocument();
    canvas.setBrush(savedBrush);
    return L;
}

} // namespace titralab
