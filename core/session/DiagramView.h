// The diagrams window's pictures of the study's solution, ready to draw: the concentrations of
// every species against pH, the logarithmic diagram, the buffer capacity; each with its axes,
// ticks, named lines, marks and the predominance strip of every system. The windows, the
// clipboard picture, the printed page and the command-line tool draw the same description.
#pragma once

#include "core/chemistry/Solution.h"
#include "core/curves/Curves.h"
#include "core/session/Simulation.h"

#include <optional>
#include <string>
#include <vector>

namespace titralab {

enum class DiagramKind { Concentrations, Logarithmic, BufferCapacity };

struct DiagramLine {
    std::string name;
    Series points; // (pH, ordinate as drawn)
    int style{};   // the line's place among the diagram's lines: its colour and its dashes
};

struct DiagramMark {
    double x{};
    double y{};
    std::string label;
};

struct DiagramDomain {
    double low{}; // pH
    double high{};
    std::string name;    // the form's name
    std::string formula; // its generic formula (AH2-, BH+), shorter, where the name does not fit
};

struct DiagramStrip {
    std::string system; // the system's name, as its first form is named
    std::vector<DiagramDomain> domains;
};

struct DiagramView {
    std::string title;
    std::string solutionTitle; // which solution is drawn
    std::string xTitle;
    std::string yTitle;
    double xMin{0}, xMax{14}, yMin{0}, yMax{1};
    std::vector<double> xTicks, yTicks;
    std::vector<DiagramLine> lines;
    std::vector<DiagramMark> marks;
    std::vector<DiagramStrip> strips;
    std::string problem; // why nothing is drawn; empty when the diagram has lines
};

// The solution the diagrams draw: the beaker's in the titrations and the free study, the acid
// (or the mixture) of the other studies; none when the study's inputs were refused.
std::optional<Solution> diagramSolution(const Simulation& sim);

// The diagram of the study's solution, its texts in the simulation's language and its numbers
// with its decimal separator. `logFloor` is the logarithmic diagram's lower bound, clamped into
// −14…−1. `points` is the number of pH values drawn.
DiagramView diagramView(const Simulation& sim, DiagramKind kind, double logFloor = -8,
                        int points = 281);

// The predominance strips of the study's solution (the beaker's in a titration), each form
// named as the diagrams name it; empty when the inputs are refused.
std::vector<DiagramStrip> predominanceOf(const Simulation& sim);

// Ticks at a round step (1, 2 or 5 times a power of ten) covering [low, high], about `wanted`.
std::vector<double> roundTicks(double low, double high, int wanted = 7);

} // namespace titralab
