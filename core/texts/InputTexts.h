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

// The hint of field D1..D16 on a side: only the pKa fields change with it.
inline const char* fieldHint(BuretteSide side, int field, Language language) {
    const bool pKa = (field >= 4 && field <= 6) || (field >= 14 && field <= 16);
    if (side == BuretteSide::BaseSide && pKa) return kBasePKaHint[(field - 4) % 10].in(language);
    return field >= 0 && field <= 16 ? kFieldHint[field].in(language) : "";
}
// Transitional: French, until every caller passes a language.
inline const char* fieldHint(BuretteSide side, int field) {
    return fieldHint(side, field, Language::French);
}

// Status line of the graph window when the pasted volumes were read as millilitres.
inline constexpr Text kPastedInMillilitres{"volumes lus en mL", "volumes read in mL"};

} // namespace titralab::texts
