// Helpers shared by the printing tests: hand-filled pages printed on a recording canvas.
#pragma once

#include "core/page/RecordingCanvas.h"
#include "core/session/PrintedPage.h"

#include <algorithm>
#include <string>
#include <vector>

namespace titralab::printtest {

// An 8 x 11 inch printable area at 600 dots per inch.
constexpr int kDpi = 600;
constexpr int kWidth = 4800;
constexpr int kHeight = 6600;

// n points evenly spaced on the straight line from (x0, y0) to (x1, y1).
inline Series straight(double x0, double y0, double x1, double y1, int n) {
    Series s;
    for (int i = 0; i < n; ++i) {
        const double f = static_cast<double>(i) / (n - 1);
        s.push_back({x0 + f * (x1 - x0), y0 + f * (y1 - y0)});
    }
    return s;
}

// A monoacid titrated up to lastVolume mL: a 100-point pH curve from pH 3 to 12.5.
inline PageInput titrationPage(double lastVolume = 25) {
    PageInput in;
    in.state.study = Study::TitrationVsVolume;
    in.state.side = BuretteSide::AcidSide;
    in.state.row1 = 17; // acide éthanoïque, one acidity
    in.state.row2 = 22;
    in.state.titrantConc = 0.1;
    in.state.conc1 = 0.02;
    in.state.vol1 = 0.02;
    in.state.pK1 = {4.756, 50, 50};
    in.curves[1] = straight(0, 3, lastVolume, 12.5, 100);
    in.speciesLabels = {
        {{"acide éthanoïque", "ion éthanoate", "", ""}, {"phénol", "ion phénolate", "", ""}}};
    in.bottomAxisTitle = "v de monobase forte versé, en mL";
    return in;
}

inline void tick(PageInput& in, std::initializer_list<int> boxes) {
    for (int box : boxes) in.graph.checked[box - 1] = true;
}

struct Printed {
    RecordingCanvas canvas{kWidth, kHeight, kDpi};
    PageLayout layout;
};

inline Printed print(const PageInput& in, const PrintSettings& settings = {}) {
    Printed p;
    p.layout = PrintPage(in, settings, p.canvas);
    return p;
}

inline std::vector<std::string> textsAt(const RecordingCanvas& c, bool (*pick)(CanvasPoint, int),
                                        int value) {
    std::vector<std::string> out;
    for (const CanvasText& t : c.texts())
        if (pick(t.at, value)) out.push_back(t.text);
    return out;
}

// Texts whose top is at y, left to right as written.
inline std::vector<std::string> textsWithTop(const RecordingCanvas& c, int y) {
    return textsAt(
        c, [](CanvasPoint p, int v) { return p.y == v; }, y);
}

inline std::vector<std::string> textsWithLeft(const RecordingCanvas& c, int x) {
    return textsAt(
        c, [](CanvasPoint p, int v) { return p.x == v; }, x);
}

// Whether a move or a line of the canvas ends at p.
inline bool reaches(const RecordingCanvas& c, CanvasPoint p) {
    return std::any_of(c.calls().begin(), c.calls().end(), [p](const CanvasCall& call) {
        return (call.op == CanvasOp::MoveTo || call.op == CanvasOp::LineTo) &&
               call.points.back() == p;
    });
}

inline int countReaching(const RecordingCanvas& c, CanvasPoint p) {
    return static_cast<int>(
        std::count_if(c.calls().begin(), c.calls().end(), [p](const CanvasCall& call) {
            return (call.op == CanvasOp::MoveTo || call.op == CanvasOp::LineTo) &&
                   call.points.back() == p;
        }));
}

inline bool hasSegment(const RecordingCanvas& c, CanvasPoint from, CanvasPoint to) {
    for (const CanvasSegment& s : c.segments())
        if (s.from == from && s.to == to) return true;
    return false;
}

} // namespace titralab::printtest
