// The table of texts: the program's messages, titles and study names, in French and English.
#pragma once

#include "core/chemistry/ChemicalState.h"
#include "core/base/Language.h"

#include <string>

namespace titralab::texts {

// Line break inside a message: the carriage return, shown by message boxes as a new line.
inline constexpr char kLineBreak = '\r';

// A number field that does not read as a number in range.
std::string numberRangeMessage(Language language);
// A concentration field out of range.
std::string concentrationRangeMessage(Language language);
// A volume field out of range.
std::string volumeRangeMessage(Language language);
// The number of points of the curves out of range.
std::string pointCountMessage(Language language);

// Name of a study in the study list, on either side.
std::string studyName(BuretteSide side, Study study, Language language);

} // namespace titralab::texts
