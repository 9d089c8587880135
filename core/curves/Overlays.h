// Curves kept beside the current one: frozen curves and families of curves, the names their
// legend gives them, their columns in the export table, and the table of one field varied
// over several values.
#pragma once

#include "core/chemistry/ChemicalState.h"
#include "core/curves/Curves.h"
#include "core/texts/Language.h"

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace titralab {

struct Simulation;
class Notifier;

// The values a curve was computed from, as its legend compares them with the current ones.
struct CurveInputs {
    BuretteSide side{BuretteSide::AcidSide};
    Study study{Study::None};
    int row1{1};
    int row2{1};
    std::string entryName;           // the database entry of column 1
    std::array<double, 17> values{}; // values[1..16]: D1..D16 as read, clamped
    std::array<bool, 17> used{};     // the fields shown in the panel
};

CurveInputs currentInputs(const Simulation& sim);

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

struct Overlays {
    std::vector<OverlayCurve> curves;
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
// Transitional: French, until every caller passes a language.
inline FieldQuantity fieldQuantity(int field, BuretteSide side) {
    return fieldQuantity(field, side, Language::French);
}
inline std::string describeValue(int field, BuretteSide side, double value) {
    return describeValue(field, side, value, Language::French);
}
// The accepted range of a field (D1..D16), as the set-up checks it.
std::pair<double, double> fieldBounds(int field);
// The text a value is written into a field with: the point, up to 6 significant digits.
std::string fieldText(double value);

// What differs in `curve` from `current`: the entry's name, then each differing field with
// its value ("pKa = 4,7 ; Cai = 0,01 mol/L"); kSameValues when nothing does. The entry's name
// is the one the inputs hold (in the simulation's language).
std::string differenceLabel(const CurveInputs& curve, const CurveInputs& current,
                            Language language);

enum class FreezeOutcome { Frozen, Full, NothingToFreeze };

// Keeps the current pH curve (the species curves in the species study) as a frozen curve.
FreezeOutcome FreezeCurrentCurve(Simulation& sim);
void RemoveOverlay(Simulation& sim, int index);
void ClearOverlays(Simulation& sim);

// Run at the end of every regeneration: drops the kept curves of another study or side,
// names them against the new values, and appends their columns to the export table.
void RefreshOverlays(Simulation& sim);

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
// Transitional: French, until every caller passes a language.
inline ValueList parseValueList(int field, BuretteSide side, const std::string& text) {
    return parseValueList(field, side, text, Language::French);
}
inline ValueList valueRange(int field, BuretteSide side, RangeKind kind, const std::string& first,
                            const std::string& last, const std::string& count) {
    return valueRange(field, side, kind, first, last, count, Language::French);
}

// Draws a family: the field takes the first value (the current curve), and every other value
// gives a kept curve; earlier kept curves are cleared. Messages of the computations of the
// other values are not shown (their values are checked); those of the current one are.
void DrawFamily(Simulation& sim, int field, const std::vector<double>& values, Notifier& notifier);

// The study computed once per value of a field, in one table: the regular volumes from 0 to
// the largest span and one pH column per value (titration studies), or the pH sweep and the
// species (species study) or -log c (dilution) per value, headed "label = value". Fields are
// tab-separated, lines end with a carriage return; numbers as in the export table.
// Empty for the mixture study.
std::string VaryTable(const Simulation& sim, int field, const std::vector<double>& values,
                      Notifier& notifier);

} // namespace titralab
