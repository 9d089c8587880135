// Curves kept beside the current one: frozen curves and families of curves, the names their
// legend gives them, their columns in the export table, and the table of one field varied
// over several values.
#pragma once

#include "core/chemistry/ChemicalState.h"
#include "core/chemistry/Conditions.h"
#include "core/curves/Curves.h"
#include "core/curves/ExportTable.h"
#include "core/curves/FreeFit.h"
#include "core/base/Language.h"
#include "core/panel/SimulationSetup.h"

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace titralab {

// The values a curve was computed from, as its legend compares them with the current ones.
struct CurveInputs {
    BuretteSide side{BuretteSide::AcidSide};
    Study study{Study::None};
    int row1{1};
    int row2{1};
    std::string entryName;           // the database entry of column 1
    std::array<double, 17> values{}; // values[1..16]: D1..D16 as read, clamped
    std::array<bool, 17> used{};     // the fields shown in the panel
    // The free study: each value of its rows as a legend names it ("Bécher 1 (HCl) : c =
    // 0,1 mol/L"), the fields above unused.
    std::vector<std::string> freeValues;
    Conditions conditions{};         // the activities and the temperature
};

// One kept curve: the series it copied (1: pH; 2..5: species in the species study), with
// volumes as the state holds them (unscaled), so that a later change of unit keeps it right.
struct OverlayCurve {
    CurveInputs inputs;
    std::vector<std::pair<int, Series>> series;
    std::string label; // what differs from the current values
    bool family{false};
};

inline constexpr int kMaxFrozenCurves = 8;
inline constexpr int kMaxFamilyValues = 12;

// What a family varies: one field, several fields taking each value together (the burette's
// and the beaker's concentrations at 1, 0.1, 0.01 mol/L), or, with `dilution`, every
// concentration the study reads divided by each value (a dilution factor).
struct FamilyQuantity {
    std::vector<int> fields; // D1..D16; empty with dilution
    bool dilution{false};
    // The free study's family: a value of one of its rows (the fields unused).
    std::optional<FreeRowValue> freeRow{};
    // The temperature of the solutions, °C (the fields unused).
    bool temperature{false};
};
// A family as drawn: for each member, the texts its varied fields take. It is what a study
// file keeps; the curves are computed again from it.
struct FamilyMember {
    std::vector<std::pair<int, std::string>> fields; // field, text as typed
};
// The values a member gives its fields: each text read and clamped as the panel reads it.
FieldValues memberValues(const FamilyMember& member);

struct Family {
    std::vector<FamilyMember> members;
    bool pending{false}; // read from a file: the next regeneration computes the curves
};

struct Overlays {
    std::vector<OverlayCurve> curves;
    std::optional<Family> family;   // the family the curves with `family` set belong to
    std::string currentLabel{"pH"}; // the current curve's legend entry
    std::string plainTable;         // the export table before the kept curves' columns
};

// The quantity of a field: its label in the panel on that side ("pKa", "Cai", "Vbi"...), with
// " (2)" for column 2, and its unit (empty for a pKa).
struct FieldQuantity {
    std::string label;
    std::string unit;
};
FieldQuantity fieldQuantity(int field, BuretteSide side, Language language);
// "pKa = 4,7", "Cai = 0,01 mol/L": a field's label and a value, 3 significant digits.
std::string describeValue(int field, BuretteSide side, double value, Language language);
// The fields of the chemistry that a kept curve records and a family may vary.
inline constexpr std::array<int, 11> kChemistryFields{1, 2, 3, 4, 5, 6, 12, 13, 14, 15, 16};
// Field 0 stands for a dilution factor in what a family varies, field -1 for the temperature.
inline constexpr int kDilutionFactor = 0;
inline constexpr int kTemperatureQuantity = -1;
// The accepted range of a field (D1..D16), as the set-up checks it; of a dilution factor.
std::pair<double, double> fieldBounds(int field);
// The text a value is written into a field with: the point, up to 6 significant digits.
std::string fieldText(double value);

// What differs in `curve` from `current`: the entry's name, then each differing field with
// its value ("pKa = 4,7 ; Cai = 0,01 mol/L"); kSameValues when nothing does. The entry's name
// is the one the inputs hold (in the simulation's language).
std::string differenceLabel(const CurveInputs& curve, const CurveInputs& current,
                            Language language);

enum class FreezeOutcome { Frozen, Full, NothingToFreeze };

// The points of series `k` of a kept curve on the current chart (volumes times the factor).
Series overlayPoints(const OverlayCurve& curve, std::size_t k, double volumeFactor);

// Families of curves: values from a typed list, or an arithmetic or geometric range.
struct ValueList {
    std::vector<double> values;
    std::string refusal; // empty when the values are accepted
};
// The refusal is in `language`.
ValueList parseValueList(int field, BuretteSide side, const std::string& text, Language language);
enum class RangeKind { Arithmetic, Geometric };
ValueList valueRange(int field, BuretteSide side, RangeKind kind, const std::string& first,
                     const std::string& last, const std::string& count, Language language);

// "Cb et Ca", "facteur de dilution": how a legend or a choice names what varies.
std::string familyQuantityLabel(const FamilyQuantity& quantity, BuretteSide side,
                                Language language);

// A family as a study file's section (JSON text), and back: none when the text is not a
// family this program can draw (at most kMaxFamilyValues members, chemistry fields, short
// texts).
std::string familySectionText(const Family& family);
std::optional<Family> readFamilySection(const std::string& text);

} // namespace titralab
