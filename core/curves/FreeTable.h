// What the tool and the copied table read from a titration of any solution by any solution:
// the sampled table, the state at one volume, and the remarkable points, as text.
#pragma once

#include "core/base/Language.h"
#include "core/chemistry/FreeTitration.h"
#include "core/curves/ExportTable.h"

#include <string>
#include <vector>

namespace titralab {

// A form of a system of the beaker or of the burette, as the table and the readings name it.
struct FreeSpecies {
    bool burette{}; // false: a solute of the beaker
    int solute{};   // index of the solute in its solution
    int form{};     // 0: the fully protonated form
    std::string name{};
};

// Every form of every system, the beaker's first, in the order of the solutes. A form without
// a name of its own is written after the items' grammar: "acid(4.76) HA", "base(9.25) BH+".
std::vector<FreeSpecies> freeSpecies(const FreeTitration& t, Language language);

struct FreeTableRequest {
    double maxVolume{};         // L, the curve's last volume
    int points{100};            // lines of the table, 2 to kMaxFreeCurvePoints
    bool byVolume{false};       // false: evenly spread in pH between the ends of the curve
    bool derivative{false};     // add dpH/dV, per L
    std::vector<int> species{}; // 1-based numbers in freeSpecies(), as columns (mol/L)
    bool decimalComma{true};
    int digits{5};
    Language language{Language::French};
    // Ideal at 25 °C by default; with activities a note line above the heading says so, with
    // the range of the ionic strength, and the Davies range warning once when it passes 0.5.
    Conditions conditions{};
};

// The largest volume drawn when none is typed (L): twice the last equivalence, else twice the
// beaker's volume.
double defaultFreeMaxVolume(const FreeTitration& t, const FreeEquivalences& points);

// The note of a table computed with activities: "avec activités (Davies), I = a à b mol/L",
// I the ionic strength over the lines (mol/L).
std::string activitiesNote(double lowStrength, double highStrength, bool decimalComma,
                           Language language);

// The table, tab-separated, LF line ends, a heading line first.
std::string freeTitrationTable(const FreeTitration& t, const FreeTableRequest& request);

// The state at v (L): the volume (L), pH, [H3O+], every species (mol/L) and the conductivity
// (S/m) when known, one "name<TAB>value" line each. In other conditions than ideal at 25 °C,
// one more line gives the ionic strength (mol/L), and at another temperature the conductivity
// line carries the note that its λ° are those of 25 °C as a third field.
std::string freePointLines(const FreeTitration& t, double v, bool decimalComma, int digits,
                           Language language, const Conditions& conditions = {});

// The table of one titration at several temperatures (°C): request.points lines evenly spread
// in volume over [0, maxVolume], one pH column per temperature headed "Température (°C) = T",
// in the request's activities; the same note as the table above the heading.
std::string freeTemperatureTable(const FreeTitration& t, const FreeTableRequest& request,
                                 const std::vector<double>& temperatures);

// A family of titrations (one value of a row varied): request.points lines evenly spread in
// volume over [0, maxVolume], the volume (L, shown in mL by the workbook) then one pH column
// per member headed by its label, in the request's conditions; with activities, the note of
// the table above.
ExportTable freeFamilyColumns(const std::vector<FreeTitration>& members,
                              const std::vector<std::string>& labels,
                              const FreeTableRequest& request);
// Those columns as the tool prints them: the note line when there is one, a heading line,
// tab-separated, LF line ends.
std::string freeColumnsText(const ExportTable& table, const FreeTableRequest& request);

// What the program says of the solutes of either solution whose pKa stay as at 25 °C at
// another temperature, for want of a ΔH° (empty when none).
std::string freeKeptAt25Message(const FreeTitration& t, double celsius, Language language);

// One line per remarkable point: kind (equivalence, inflection, half), number, volume (L), pH.
std::string freeEquivalenceLines(const FreeEquivalences& points, bool decimalComma, int digits);

// One line per equivalence: "equivalence", number, pH, the indicator's verdict.
std::string freeIndicatorLines(const FreeEquivalences& points, const ColourIndicator& indicator,
                               bool decimalComma, int digits, Language language);

// What the engine says of acidities (basicities) the titrant cannot reach, one line each.
std::vector<std::string> freeUntitratedMessages(const FreeEquivalences& points, Language language);

} // namespace titralab
