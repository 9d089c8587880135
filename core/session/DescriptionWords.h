// Words the window descriptions and the chart's summary share: the French or English of a
// text, what the beaker holds, numbers and ranges, the graph window's species boxes.
#pragma once

#include "core/base/Language.h"
#include "core/chemistry/ChemicalState.h"
#include "core/curves/ChartReading.h"
#include "core/session/ChartReading.h"
#include "core/numbers/NumberFormat.h"
#include "core/session/WindowDescriptions.h"

#include <string>
#include <string_view>

namespace titralab::a11y::words {

inline bool onBaseSide(BuretteSide side) {
    return side == BuretteSide::BaseSide;
}

// The French or the English of a text.
inline std::string say(Language language, const char* french, const char* english) {
    return Text{french, english}.in(language);
}

// "de l'acide 1", "de la base 2": what the beaker holds in column 1 or 2.
inline std::string ofSubstance(BuretteSide side, int column, Language l) {
    return (onBaseSide(side) ? say(l, "de la base ", "of base ")
                             : say(l, "de l'acide ", "of acid ")) +
           std::to_string(column);
}

// The strong reagent of the burette.
inline std::string ofReagent(BuretteSide side, Language l) {
    return onBaseSide(side) ? say(l, "du monoacide fort", "of the strong acid")
                            : say(l, "de la monobase forte", "of the strong base");
}

// The text a hint shows in the status bar: after "|" when there is one, else the whole hint.
inline std::string statusPart(std::string_view hint) {
    const std::size_t bar = hint.find('|');
    return std::string(bar == std::string_view::npos ? hint : hint.substr(bar + 1));
}

inline constexpr Study kStudies[] = {Study::TitrationVsVolume, Study::SpeciesVsPH,
                                     Study::TwoMonoTitration,  Study::TwoPolyMixture,
                                     Study::Dilution,          Study::FreeSolutions};

inline std::string number(double x) {
    return formatGeneral(x, 4, '.');
}

using Range = ValueRange;

inline std::string fromTo(const Range& r, Language l) {
    const double span = r.high - r.low;
    return say(l, "de ", "from ") + number(withoutRoundingOfZero(r.low, span)) +
           say(l, " à ", " to ") + number(withoutRoundingOfZero(r.high, span));
}

// The graph window's species boxes by number: boxes 2..5 draw species 1..4 of the first acid
// (or base), boxes 6 and 7 species 1 and 2 of the second one; box k's caption is captions[k - 2].
inline constexpr Control kSpeciesBoxes[] = {
    Control::Species1Box, Control::Species2Box,        Control::Species3Box,
    Control::Species4Box, Control::Column2Species1Box, Control::Column2Species2Box};

// The box whose caption names the species drawn by series 2..5.
inline int speciesBoxOfSeries(Study study, int series) {
    if (study == Study::TwoMonoTitration && series >= 4) return series + 2; // the second acid's
    return series;
}

// The number of a box's species in its acid.
inline int speciesNumber(int box) {
    return box <= 5 ? box - 1 : box - 5;
}

// Each polyacid's pKa 1..3, initial volume and initial concentration in the mixture window.
inline constexpr Control kPolyacid1Fields[5] = {
    Control::Polyacid1PKa1Field, Control::Polyacid1PKa2Field, Control::Polyacid1PKa3Field,
    Control::Polyacid1VolumeField, Control::Polyacid1ConcentrationField};
inline constexpr Control kPolyacid2Fields[5] = {
    Control::Polyacid2PKa1Field, Control::Polyacid2PKa2Field, Control::Polyacid2PKa3Field,
    Control::Polyacid2VolumeField, Control::Polyacid2ConcentrationField};

// The mixture's species k (0..7: four of polyacid 1, then four of polyacid 2).
inline Control mixtureSpeciesField(int k) {
    return static_cast<Control>(static_cast<int>(Control::MixtureSpecies1Field) + k);
}

} // namespace titralab::a11y::words
