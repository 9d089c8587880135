// The free study: a titration of any solution by any solution, its inputs as the panel holds
// them (rows of the beaker and of the burette as typed), what they resolved to, and what the
// last refresh computed from them.
#pragma once

#include "core/base/Language.h"
#include "core/chemistry/FreeTitration.h"
#include "core/chemistry/SoluteDatabase.h"
#include "core/chemistry/SolutionItems.h"
#include "core/curves/FreeFit.h"
#include "core/curves/Equivalence.h"
#include "core/curves/FreeTable.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace titralab {

enum class FreeSide { Beaker, Burette };

// One solute as typed: what (a database name or formula in either language, or an item of the
// solutions' grammar: "Na+", "acid(4.76)") and its concentration.
struct FreeRow {
    std::string what;
    std::string concentration; // mol/L, as typed (point or comma)
    // The solutes of 1 mol/L of `what` as last resolved, with the formula of the compound or
    // entry when one is known. A study file keeps them, so that a row naming an entry another
    // computer lacks (a teacher's own) still computes there; editing `what` forgets them.
    std::vector<Solute> resolved;
    std::string formula;
};

struct FreeStudyInputs {
    std::vector<FreeRow> beaker;
    std::vector<FreeRow> burette;
    std::string beakerVolume{"10"}; // mL, as typed
    std::string maxVolume;          // mL, as typed; empty: twice the last equivalence

    std::vector<FreeRow>& rows(FreeSide side) {
        return side == FreeSide::Beaker ? beaker : burette;
    }
    const std::vector<FreeRow>& rows(FreeSide side) const {
        return side == FreeSide::Beaker ? beaker : burette;
    }
    // Hydrochloric and phosphoric acids titrated by soda: the study as first chosen.
    static FreeStudyInputs atDesign(Language language);
};

// At most this many rows on each side, as the solutions' grammar allows items.
constexpr int kMaxFreeRows = kMaxItems;
constexpr double kMaxFreeVolumeMl = 10000;    // the beaker's volume and the largest volume, mL
constexpr std::size_t kMaxStudyRowText = 200; // bytes of a row's `what`

// What the last refresh made of the inputs.
struct FreeStudyResult {
    std::optional<FreeTitration> titration; // none when an input was refused
    std::vector<FreeSpecies> species;       // every form of every system, beaker first
    std::vector<int> drawnSpecies;          // indices into species of the forms drawn, ≤ 4
    FreeEquivalences equivalences;
    double maxVolume{};              // L, the curve's last volume
    bool conductivityKnown{false};   // every λ° of the mixture is known
    std::vector<std::string> errors; // the refusals of the last refresh, in the order met
};

// The chart draws four forms at most (its species boxes 2 to 5).
constexpr int kDrawnFreeForms = 4;

struct FreeStudy {
    FreeStudyInputs inputs{FreeStudyInputs::atDesign(Language::French)};
    // The forms the chart draws, by name, in the order they were ticked; none chosen: the first
    // four. Names that the solutions no longer hold are passed over.
    std::optional<std::vector<std::string>> drawnForms;
    FreeStudyResult result;
    // The data folder's solutes, searched for names the built-in compounds do not know; none:
    // the built-in names alone.
    std::shared_ptr<const SoluteDatabase> database;
    // The values a family member gives its rows in place of the typed ones (mol/L, or pKa);
    // empty for the study the panel shows.
    std::vector<std::pair<FreeRowValue, double>> given;
};

// A remarkable point of the general engine as the readings of the chart hold it.
EquivalenceReading equivalenceReadingOf(const FreeEquivalence& e);

// What a row stands for: its solutes at the typed concentration, or the refusal naming the side
// and the row. Tries the solutions' grammar, then the solute database, then what the row kept.
struct FreeRowReading {
    std::vector<Solute> solutes;
    std::vector<Solute> resolved; // at 1 mol/L, to keep with the row
    std::string formula;
    std::optional<std::string> problem;
};
FreeRowReading readFreeRow(const FreeRow& row, FreeSide side, int position,
                           const SoluteDatabase* database, Language language);

// The titration the inputs describe, or the refusals (every row and field checked). Rows that
// read are given back their resolved solutes.
struct FreeInputsReading {
    std::optional<FreeTitration> titration;
    std::optional<double> maxVolume; // L, when typed
    std::vector<std::string> problems;
};
FreeInputsReading readFreeInputs(FreeStudyInputs& inputs, const SoluteDatabase* database,
                                 Language language);

// The free panel's slider of a row's concentration: a logarithmic scale from 10^-4 to 1 mol/L,
// kFreeSliderSteps positions per decade; the text it writes keeps three significant digits.
constexpr int kFreeSliderSteps = 50;
constexpr int kFreeSliderDecades = 4;
int freeSliderPosition(const std::string& concentration);
std::string freeSliderConcentration(int position, bool decimalComma);

// Sets a row's texts; a changed `what` forgets what the row resolved to.
void setFreeRow(FreeStudyInputs& inputs, FreeSide side, int index, const std::string& what,
                const std::string& concentration);

// The study file's section of the free study, as JSON text, and its bounded reader; `problem`
// names the key refused, in `language`.
inline constexpr const char* kSolutionSection = "solution";
std::string solutionSectionText(const FreeStudyInputs& inputs);
struct SolutionSectionReading {
    std::optional<FreeStudyInputs> inputs;
    std::string problem;
};
SolutionSectionReading readSolutionSection(const std::string& text, Language language);

} // namespace titralab
