// Texts of the input side: what pasted data, the database search and the base-side
// pKa fields tell the user.
#pragma once

#include "core/chemistry/ChemicalState.h"
#include "core/texts/WindowTexts.h"

namespace titralab::texts {

// The base side's pKa fields take the pKa of each couple of the base, as tables give it.
inline constexpr Text kBasePKaHint[3] = {
    {"pKa1 du couple de la base dans le bécher (NH4+/NH3 : 9,2)",
     "pKa1 of the base's couple in the beaker (NH4+/NH3: 9,2)"},
    {"pKa2 du couple de la base dans le bécher", "pKa2 of the base's couple in the beaker"},
    {"pKa3 du couple de la base dans le bécher", "pKa3 of the base's couple in the beaker"}};

// The base side's fields that name a substance: the burette holds a strong acid, the beaker
// one or two bases. [0] D1, [1] D2, [2] D3, [3] D12, [4] D13.
inline constexpr Text kBaseSideHint[5] = {
    {"|Concentration du monoacide fort dans la burette, en mol/L",
     "|Concentration of the strong acid in the burette, in mol/L"},
    {"|Concentration de la base (mono, di ou tri) dans le bécher, en mol/L",
     "|Beaker: concentration of the mono-, di- or tribasic base, in mol/L"},
    {"|Volume initial de la base, en L", "|Initial volume of base, in L"},
    {"|Concentration de la deuxième base (mono, di ou tri) dans le bécher, en mol/L",
     "|Beaker: concentration of the second mono-, di- or tribasic base, in mol/L"},
    {"|Volume initial de la deuxième base, en L", "|Initial volume of the second base, in L"}};

// Column 2 holds the second acid or base: its volume and pKa. [side][0] D13, [side][1..3]
// D14..D16.
inline constexpr Text kColumn2Hint[2][4] = {
    {{"|Volume initial du deuxième acide, en L", "|Initial volume of the second acid, in L"},
     {"pKa1 du deuxième acide dans le bécher", "pKa1 of the second acid in the beaker"},
     {"pKa2 du deuxième acide dans le bécher", "pKa2 of the second acid in the beaker"},
     {"pKa3 du deuxième acide dans le bécher", "pKa3 of the second acid in the beaker"}},
    {{"|Volume initial de la deuxième base, en L", "|Initial volume of the second base, in L"},
     {"pKa1 du couple de la deuxième base dans le bécher",
      "pKa1 of the second base's couple in the beaker"},
     {"pKa2 du couple de la deuxième base dans le bécher",
      "pKa2 of the second base's couple in the beaker"},
     {"pKa3 du couple de la deuxième base dans le bécher",
      "pKa3 of the second base's couple in the beaker"}}};

// The hint of field D1..D16 on a side: each names what its field holds on that side and in
// its column.
inline const char* fieldHint(BuretteSide side, int field, Language language) {
    const bool base = side == BuretteSide::BaseSide;
    if (field >= 13 && field <= 16) return kColumn2Hint[base ? 1 : 0][field - 13].in(language);
    const bool pKa = field >= 4 && field <= 6;
    if (base && pKa) return kBasePKaHint[field - 4].in(language);
    if (base && (field <= 3 || field == 12) && field >= 1)
        return kBaseSideHint[field == 12 ? 3 : field - 1].in(language);
    return field >= 0 && field <= 16 ? kFieldHint[field].in(language) : "";
}

// The hints of the row labels A2 (the beaker's concentration) and A3 (its volume): [side][0]
// A2, [side][1] A3.
inline constexpr Text kBeakerLabelHint[2][2] = {
    {{"Concentration de l'acide, dans le bécher", "Acid concentration, in the beaker"},
     {"Volume d'acide, dans le bécher", "Volume of acid, in the beaker"}},
    {{"Concentration de la base, dans le bécher", "Base concentration, in the beaker"},
     {"Volume de base, dans le bécher", "Volume of base, in the beaker"}}};

// Status line of the graph window when the pasted volumes were read as millilitres.
inline constexpr Text kPastedInMillilitres{"volumes lus en mL", "volumes read in mL"};

} // namespace titralab::texts
