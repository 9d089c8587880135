// The scales of the chart: the round steps of its labelled ticks, and the right-hand axis that
// reads the curves drawn rescaled on the pH axis (concentrations in mol/L, or the conductivity
// in S/m when it is drawn without them), following the left axis through every zoom.
#pragma once

#include "core/base/Language.h"
#include "core/chemistry/ChemicalState.h"
#include "core/curves/Curves.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace titralab {

// The step between labelled ticks over `span`: 1, 2 or 5 times a power of ten, giving at most
// `steps` steps. 1 for a span that is not a positive finite number.
double roundTickStep(double span, int steps);

enum class ScaledQuantity { Concentration, Conductivity };

// A quantity drawn at `scale` times its value on the pH axis.
struct SideScale {
    ScaledQuantity quantity{ScaledQuantity::Concentration};
    double scale{1};   // drawn height per mol/L, or per S/m
    std::string title; // the axis title, with its unit
};

// The right-hand scale of the chart for the curves of `study` drawn with these scales: in the
// titration studies, the concentrations when one is drawn (species, H3O+), else the
// conductivity when it is drawn; in the species study, whose left axis is already in mol/L,
// the conductivity when drawn. None otherwise. The title is in `language`.
std::optional<SideScale> sideScaleOf(Study study, const CurveSet& curves, double concentrationScale,
                                     double conductivityScale, Language language);

// The right-hand axis for a left axis showing [leftLow, leftHigh]: the same span divided by the
// scale, labelled at round values (at most seven steps), the first tick at `anchor`.
struct SideAxisRange {
    double low{}, high{};
    double step{1};
    double anchor{};
};
SideAxisRange sideAxisRange(const SideScale& side, double leftLow, double leftHigh);

// Where the legend goes on the plot: of a few places along the plot's edges, the one the
// curves cross least (the top right corner first among equals). Positions are fractions of
// the plot, x to the right and y down from its top left corner; `width` and `height` are the
// legend's size in the same fractions. Returns the legend's top left corner.
using PlotPoint = std::pair<double, double>;
PlotPoint legendPlace(const std::vector<std::vector<PlotPoint>>& curves, double width,
                      double height);

} // namespace titralab
