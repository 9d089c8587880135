// The pictures a lesson draws on the board for any solution: the logarithmic diagram (log10 of
// every concentration against pH), the predominance strip of each system, and the buffer
// capacity β = dCb/dpH with its maxima, against pH or along a titration.
#pragma once

#include "core/chemistry/ChemicalState.h"
#include "core/chemistry/FreeTitration.h"
#include "core/chemistry/Solution.h"

#include <optional>
#include <string>
#include <vector>

namespace titralab {

// ---- Logarithmic diagram ----

constexpr double kLogFloorLowest = -14; // lowest lower bound of the diagram, log10(mol/L)
constexpr double kLogFloorHighest = -1;
constexpr int kMaxDiagramPoints = 20001;

struct LogDiagramRequest {
    double pHLow{0};
    double pHHigh{14};
    int points{281};  // 2 to kMaxDiagramPoints; 281 gives a step of 0.05 over 0..14
    double floor{-8}; // log10(mol/L), clamped into [kLogFloorLowest, kLogFloorHighest]
};

enum class DiagramSpeciesKind { Hydronium, Hydroxide, Form };

// One line of the diagram. Series 0 is H3O+, series 1 HO-, then every form of every system
// in the order of the solutes and of the forms (form 0 the fully protonated one): the same
// solution always gives the same index to the same species, for colours and dashes.
struct LogDiagramSeries {
    DiagramSpeciesKind kind{DiagramSpeciesKind::Form};
    int solute{-1}; // index into the solution's solutes, for a form
    int form{-1};
    std::vector<double> log10c{}; // one per pH of the grid, clipped to the floor from below
};

enum class DiagramMarkKind {
    PKa,      // two forms of one couple are equal: pH = pKa
    Crossing, // two other lines cross (H3O+ and a base form, two systems' forms, ...)
};

struct LogDiagramMark {
    DiagramMarkKind kind{};
    double pH{};
    double log10c{};
    int seriesA{}; // the two series that meet
    int seriesB{};
};

struct LogDiagram {
    double floor{};           // the lower bound used, log10(mol/L)
    std::vector<double> pH{}; // the grid
    std::vector<LogDiagramSeries> series{};
    std::vector<LogDiagramMark> marks{}; // above the floor only, sorted by pH
};

// An empty diagram (no grid) when the request's range is not finite and increasing or its
// point count is out of range.
LogDiagram logDiagram(const Solution& solution, const LogDiagramRequest& request = {});

// log10 (mol/L) of one series of logDiagram at a pH, unclipped (-infinity when the
// concentration is zero).
double diagramLog10(const Solution& solution, int series, double pH);

// ---- Predominance strip ----

// A form predominates where its concentration is the greatest of its system's: log10 of the
// ratio of form k to form 0 is k·pH - (pKa1 + ... + pKak), so the strip is the upper envelope
// of these lines. With pKa values in increasing order the boundaries are the pKa values; when
// a pKa is not above the one before it (inverted, or equal), the form between them never
// predominates: it gets no domain, is listed in neverPredominant, and its neighbours meet at
// the mean of the pKa values around it.
struct PredominanceDomain {
    int form{};
    double low{};               // pH; the range's low end when the domain reaches beyond it
    double high{};              // pH
    std::string formula{};      // a generic formula: AH3, AH2-, AH(2-), A(3-), BH+, ...
    std::optional<Text> name{}; // the form's name when the system has one
};

struct PredominanceStrip {
    int solute{};
    std::vector<PredominanceDomain> domains{}; // in increasing pH, within the range asked
    std::vector<int> neverPredominant{};       // forms with no domain anywhere
};

// One strip per system of the solution, over [pHLow, pHHigh].
std::vector<PredominanceStrip> predominanceStrips(const Solution& solution, double pHLow = 0,
                                                  double pHHigh = 14);

// The generic formula of a form: A with the protons it still holds and its charge, written
// as the plain species names are ("AH2-", "A(3-)", "AH+").
std::string genericFormula(const AcidBaseSystem& system, int form);

// ---- Buffer capacity ----

// β = dCb/dpH (mol/L per pH unit) of a solution at a pH, exact, activities off:
//   ln10 · (h + Kw/h + Σj Cj·(Σk k²·αk - (Σk k·αk)²)),
// the last term the variance of the number of protons each system has lost.
double bufferCapacity(const Solution& solution, double pH);

// The solution in the beaker after adding v (the beaker's volume unit) from the burette.
Solution titrationMixture(const FreeTitration& titration, double v);

struct BufferPoint {
    double volume{}; // unit of the beaker's volume; 0 against pH
    double pH{};
    double beta{}; // mol/L per pH unit
};

// β along a titration curve of n points over [0, maxVolume] (as freeTitrationCurve).
std::vector<BufferPoint> bufferCapacityAlong(const FreeTitration& titration, double maxVolume,
                                             int n);
// β against pH on n points over [pHLow, pHHigh] (volume 0).
std::vector<BufferPoint> bufferCapacityCurve(const Solution& solution, double pHLow, double pHHigh,
                                             int n);

// The local maxima of β: against pH within [pHLow, pHHigh], or along a titration's volume
// within [0, maxVolume]; each found on a grid of `n` points and refined by golden-section
// search. A maximum at an end of the range is not local and is not given.
std::vector<BufferPoint> bufferMaximaAgainstPH(const Solution& solution, double pHLow = 0,
                                               double pHHigh = 14, int n = 561);
std::vector<BufferPoint> bufferMaximaAlong(const FreeTitration& titration, double maxVolume,
                                           int n = 401);

// ---- The studies as solutions ----

// The solution a study stands for: acid (base) 1 at its concentration for the species,
// dilution and one-acid titration studies (the beaker before any titrant), the two columns
// mixed in the two-acid studies. Working pK values of the base side are turned back into pKa.
Solution studySolution(const ChemicalState& state);
// The titration of a titration study (volumes in the unit of vol1); none for the others.
std::optional<FreeTitration> studyTitration(const ChemicalState& state);

} // namespace titralab
