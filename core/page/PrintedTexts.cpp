// The texts of the printed page: comments, constants block, legend and the dilution warning.
#include "core/page/PrintedPage.h"

#include "core/chemistry/Database.h"
#include "core/curves/SeriesColours.h"
#include "core/page/PageDrawing.h"
#include "core/page/PrintColours.h"
#include "core/page/PrintedReading.h"
#include "core/texts/CurveTexts.h"
#include "core/texts/PageTexts.h"

#include <algorithm>
#include <cmath>

namespace titralab {

using namespace pagedraw;

namespace {

// French elides "de" before a vowel or a mute h: "d'acide", "d'éthylamine", "d'hydrazine".
bool takesElision(const std::string& s) {
    if (s.empty()) return false;
    if (std::string_view("AEIOUYHaeiouyh").find(s[0]) != std::string_view::npos) return true;
    for (const char* accented : {"é", "è", "ê", "É", "È", "Ê"})
        if (s.rfind(accented, 0) == 0) return true;
    return false;
}

// The rows of text below the frame, one after another: row j starts at H - m + j * ch.
struct TextRows {
    const PageLayout& L;
    int j{1};
    int top() const { return L.regionHeight - L.margin + j * L.lineHeight; }
};

// The constants block: the concentrations, volumes and pKa of the study, then its remarkable
// points.
void printConstants(const PageInput& in, const PageLayout& L, TextRows& rows, Canvas& canvas) {
    const ChemicalState& st = in.state;
    const Study study = st.study;
    const bool acidSide = st.side == BuretteSide::AcidSide;
    const int W = L.regionWidth, m = L.margin;
    const auto& L1 = in.speciesLabels[0];
    const auto& L2 = in.speciesLabels[1];
    int& j = rows.j;
    auto lineTop = [&rows] { return rows.top(); };
    // The base side prints the pKa of the couple, as typed, not the working pKb.
    auto pk = [&](double v) { return formatOnPaper(acidSide ? v : pKaOfBase(v)); };
    auto write = [&](int step, const std::string& text) {
        j += step;
        canvas.textOut(W - 7 * m, lineTop(), text);
    };
    const Language language = in.language;
    const std::string colon = kColon.in(language);
    // The volume poured into the beaker before the titration: "volume initial d'acide
    // éthanoïque : 0,02 L", not a volume added from the burette.
    auto volumeLine = [&](const std::string& name, double volume) {
        const std::string litres = formatOnPaper(volume) + " L";
        if (language == Language::English) return "initial volume of " + name + colon + litres;
        return std::string(takesElision(name) ? "volume initial d'" : "volume initial de ") + name +
               colon + litres;
    };
    write(2, (acidSide ? texts::kBaseConcentration : texts::kAcidConcentration).in(language) +
                 colon + formatOnPaper(st.titrantConc) + " mol/L");
    write(2, texts::kInitialConcentrationOf.in(language) + L1[0] + colon + formatOnPaper(st.conc1) +
                 " mol/L");
    write(1, volumeLine(L1[0], st.vol1));
    write(1, (acidSide ? texts::kAcidPKa : texts::kBasePKa).in(language) + colon + pk(st.pK1[0]));
    if (L.acidities >= 2) write(1, "pKa2" + colon + pk(st.pK1[1]));
    if (L.acidities == 3) write(1, "pKa3" + colon + pk(st.pK1[2]));
    if (study == Study::TwoMonoTitration) {
        write(2, texts::kInitialConcentrationOf.in(language) + L2[0] + colon +
                     formatOnPaper(st.conc2) + " mol/L");
        write(1, volumeLine(L2[0], st.vol2));
        write(1,
              (acidSide ? texts::kAcidPKa : texts::kBasePKa).in(language) + colon + pk(st.pK2[0]));
    }
    for (std::size_t k = 0; k < in.conditionsLines.size(); ++k)
        write(k == 0 ? 2 : 1, in.conditionsLines[k]);
    // The remarkable points, on rows of their own, starting further left: they are longer.
    std::vector<std::string> points = printedPointLines(in);
    points.insert(points.end(), in.measuredLines.begin(), in.measuredLines.end());
    for (std::size_t k = 0; k < points.size(); ++k) {
        j += k == 0 ? 2 : 1;
        canvas.textOut(W - 9 * m, lineTop(), points[k]);
    }
}

// The legend: each entry's name, then a sample of its line under the vertical axis.
void printLegend(const PageInput& in, const PageLayout& L, TextRows& rows, DashedPen& dashes,
                 Canvas& canvas) {
    const Study study = in.state.study;
    const int H = L.regionHeight, m = L.margin, ch = L.lineHeight;
    const auto& L1 = in.speciesLabels[0];
    const auto& L2 = in.speciesLabels[1];
    int& j = rows.j;
    auto lineTop = [&rows] { return rows.top(); };
    // series: 1..8, whose screen colour the sample takes in colour; 0 for black.
    auto entry = [&](const std::string& text, DashCode code, int series) {
        ++j;
        setPen(canvas, L.penWidth, kBlack);
        canvas.textOut(3 * m, lineTop(), text);
        const int ys = static_cast<int>((j + 0.6) * ch + H - m);
        // The sample in the ink of its curve.
        setPen(canvas, L.penWidth,
               L.inColour && series > 0 ? inkOnPaper(kScreenSeriesColours[series - 1]) : kBlack);
        canvas.moveTo(m, ys);
        DashedSample(dashes, canvas, m, ys, m, code);
    };
    const GraphOptions& g = in.graph;
    if (!isSpeciesOrDilution(study)) {
        // With kept curves beside it, the current curve is named by its values.
        const std::string& current = in.overlays.currentLabel;
        entry(in.overlays.curves.empty() || current == "pH" ? std::string("pH")
                                                            : "pH (" + current + ")",
              kSolidDash, 1);
        if (g.isChecked(10)) entry("c (H3O+)", 1, 6);
    }
    for (int box = 2; box <= 5; ++box)
        if (g.isChecked(box)) entry(L1[box - 2], box, box);
    if (g.isChecked(6)) entry(L2[0], 4, 4);
    if (g.isChecked(7)) entry(L2[1], 5, 5);
    // The conductivity has no axis of its own: its entry gives its scale.
    if (const std::optional<double> top = printedConductivityAtTen(in))
        entry(texts::kConductivityLegend.in(in.language) + std::string(" (10 = ") +
                  formatOnPaper(*top) + " S/m)",
              kConductivityDash, 8);
    for (const auto& [text, code] : readingLegend(in)) {
        if (code >= 0) {
            entry(text, code, 0); // drawn in black
            continue;
        }
        // The indicator: a patch of its band's colours.
        ++j;
        canvas.textOut(3 * m, lineTop(), text);
        PrintLegendPatch(in, canvas, m, H - m + j * ch + ch / 5, static_cast<int>(1.5 * m),
                         ch * 3 / 5);
        setPen(canvas, L.penWidth, kBlack);
    }
    const std::vector<OverlayCurve>& kept = in.overlays.curves;
    for (std::size_t c = 0; c < kept.size(); ++c)
        for (const auto& [number, points] : kept[c].series)
            entry((number == 1 ? std::string("pH") : L1[number - 2]) + " (" + kept[c].label + ")",
                  overlayDash(c), number);
}

} // namespace

void PrintTexts(const PageInput& in, const PrintSettings& settings, const PageLayout& L,
                DashedPen& dashes, Canvas& canvas) {
    const Study study = in.state.study;
    const int W = L.regionWidth, m = L.margin, ch = L.lineHeight;
    setPen(canvas, L.penWidth, kBlack);

    TextRows rows{L};
    for (const std::string* comment : {&settings.comment1, &settings.comment2}) {
        if (comment->empty()) continue;
        ++rows.j;
        canvas.textOut(W / 2 + m, rows.top(), *comment);
    }
    // The free study's constants are its rows, which the page does not list.
    if (settings.printConstants && !isSpeciesOrDilution(study) && study != Study::FreeSolutions)
        printConstants(in, L, rows, canvas);
    printLegend(in, L, rows, dashes, canvas);
    setPen(canvas, L.penWidth, kBlack);

    // The free study draws the concentrations of the mixture: no dilution warning.
    if (!in.graph.isChecked(1) && !isSpeciesOrDilution(study) && study != Study::FreeSolutions) {
        const int x = static_cast<int>(1.6 * m + L.textOffset);
        canvas.textOut(x, 2 * m, texts::kDilutionWarning1.in(in.language));
        canvas.textOut(x, 2 * m + ch, texts::kDilutionWarning2.in(in.language));
    }
}

} // namespace titralab
