#include "core/session/FreeStudy.h"

#include "core/base/SearchFolding.h"
#include "core/chemistry/SolutionItems.h"
#include "core/numbers/NumberFormat.h"
#include "core/numbers/NumberInput.h"
#include "core/texts/FreeStudyTexts.h"
#include "core/texts/SolutionTexts.h"

#include <algorithm>
#include <cmath>

namespace titralab {

namespace {

std::string sideName(FreeSide side, Language language) {
    return (side == FreeSide::Beaker ? texts::kFreeBeaker : texts::kFreeBurette).in(language);
}

// "Bécher, ligne 2 « xyz » : nom inconnu…" / "Beaker, row 2 “xyz”: unknown name…".
std::string rowProblem(FreeSide side, int position, const std::string& typed, ItemProblem problem,
                       Language language) {
    const bool english = language == Language::English;
    std::string out =
        sideName(side, language) + ", " + texts::kFreeRow.in(language) + std::to_string(position);
    if (!typed.empty())
        out += (english ? " “" : " « ") + typed.substr(0, 60) + (english ? "”" : " »");
    return out + kColon.in(language) + texts::itemProblemText(problem).in(language);
}

bool sameFolded(const std::string& a, const std::string& folded) {
    return !a.empty() && foldForSearch(a) == folded;
}

// A name, synonym or formula of the data folder's database that is exactly `what` (accents and
// case ignored): the solutes of 1 mol/L of it, with its formula.
std::optional<std::pair<std::vector<Solute>, std::string>>
databaseSolutes(const SoluteDatabase& db, const std::string& what, Language language) {
    const std::string folded = foldForSearch(what);
    if (folded.empty()) return std::nullopt;
    for (const SoluteMatch& m : searchSolutes(db, what)) {
        if (m.compound >= 0) {
            const SoluteCompound& c = db.compounds[static_cast<std::size_t>(m.compound)];
            bool exact = sameFolded(c.nameFr, folded) || sameFolded(c.nameEn, folded) ||
                         sameFolded(c.formula, folded);
            for (const std::string& s : c.synonyms) exact = exact || sameFolded(s, folded);
            if (exact) return std::pair{soluteCompoundSolutes(db, c, 1), c.formula};
            continue;
        }
        const SoluteEntry& e = db.entries[static_cast<std::size_t>(m.entry)];
        bool exact = sameFolded(e.nameFr, folded) || sameFolded(e.nameEn, folded) ||
                     sameFolded(e.formula, folded);
        for (const std::string& s : e.synonyms) exact = exact || sameFolded(s, folded);
        if (exact)
            return std::pair{std::vector<Solute>{systemSolute(
                                 e.system, 1, language == Language::English ? e.nameEn : e.nameFr)},
                             e.formula};
    }
    return std::nullopt;
}

// The formula of the built-in compound `what` names, or nothing.
std::string builtInFormula(const std::string& what) {
    const std::string folded = foldForSearch(what);
    for (const Compound& c : compounds())
        if (foldForSearch(c.formula) == folded || foldForSearch(c.name.fr) == folded ||
            foldForSearch(c.name.en) == folded)
            return c.formula;
    return {};
}

} // namespace

FreeStudyInputs FreeStudyInputs::atDesign(Language language) {
    const bool english = language == Language::English;
    FreeStudyInputs inputs;
    inputs.beaker = {{"HCl", english ? "0.1" : "0,1", {}, {}},
                     {"H3PO4", english ? "0.1" : "0,1", {}, {}}};
    inputs.burette = {{"NaOH", english ? "0.1" : "0,1", {}, {}}};
    inputs.beakerVolume = "10";
    inputs.maxVolume = "";
    return inputs;
}

FreeRowReading readFreeRow(const FreeRow& row, FreeSide side, int position,
                           const SoluteDatabase* database, Language language) {
    FreeRowReading out;
    const BoundedNumber c =
        ParseBoundedNumber(row.concentration, kItemMinConcentration, kItemMaxConcentration);
    if (row.concentration.empty() || !c.ok) {
        out.problem =
            rowProblem(side, position, row.concentration, ItemProblem::BadConcentration, language);
        return out;
    }
    const std::string& what = row.what;
    const bool oneItem = !what.empty() && what.size() <= kMaxStudyRowText &&
                         what.find_first_of(";=") == std::string::npos;
    std::optional<ItemProblem> problem;
    if (oneItem) {
        // The grammar of the solutions: built-in compounds, the entries of the two tables, the
        // spectator ions, acid(...) and base(...).
        ParsedItems parsed = parseSolutionItems(what + "=1");
        if (!parsed.error) {
            out.resolved = std::move(parsed.solution.solutes);
            out.formula = builtInFormula(what);
        } else if (parsed.error->problem == ItemProblem::BadPKa) {
            problem = ItemProblem::BadPKa;
        } else if (database) {
            if (auto found = databaseSolutes(*database, what, language)) {
                out.resolved = std::move(found->first);
                out.formula = std::move(found->second);
            }
        }
    }
    // An entry this computer does not know, as the study file kept it.
    if (out.resolved.empty() && !problem && !row.resolved.empty()) {
        out.resolved = row.resolved;
        out.formula = row.formula;
    }
    if (out.resolved.empty()) {
        out.problem =
            rowProblem(side, position, what, problem.value_or(ItemProblem::UnknownName), language);
        return out;
    }
    for (Solute s : out.resolved) {
        s.concentration *= c.value;
        out.solutes.push_back(std::move(s));
    }
    return out;
}

FreeInputsReading readFreeInputs(FreeStudyInputs& inputs, const SoluteDatabase* database,
                                 Language language) {
    FreeInputsReading out;
    FreeTitration t;
    for (FreeSide side : {FreeSide::Beaker, FreeSide::Burette}) {
        std::vector<FreeRow>& rows = inputs.rows(side);
        if (rows.empty())
            out.problems.push_back(sideName(side, language) + kColon.in(language) +
                                   texts::kFreeNoRow.in(language));
        Solution& solution = side == FreeSide::Beaker ? t.beaker : t.burette;
        const int count = std::min(static_cast<int>(rows.size()), kMaxFreeRows);
        for (int k = 0; k < count; ++k) {
            FreeRowReading read = readFreeRow(rows[k], side, k + 1, database, language);
            if (read.problem) {
                out.problems.push_back(*read.problem);
                continue;
            }
            rows[k].resolved = std::move(read.resolved);
            rows[k].formula = std::move(read.formula);
            for (Solute& s : read.solutes) solution.solutes.push_back(std::move(s));
        }
    }
    const BoundedNumber v0 = ParseBoundedNumber(inputs.beakerVolume, 0, kMaxFreeVolumeMl);
    if (!v0.ok || !(v0.value > 0))
        out.problems.emplace_back(texts::kFreeBeakerVolumeMessage.in(language));
    else
        t.beakerVolume = v0.value / 1000;
    if (!inputs.maxVolume.empty()) {
        const BoundedNumber vmax = ParseBoundedNumber(inputs.maxVolume, 0, kMaxFreeVolumeMl);
        if (!vmax.ok || !(vmax.value > 0))
            out.problems.emplace_back(texts::kFreeMaxVolumeMessage.in(language));
        else
            out.maxVolume = vmax.value / 1000;
    }
    if (out.problems.empty()) out.titration = std::move(t);
    return out;
}

void setFreeRow(FreeStudyInputs& inputs, FreeSide side, int index, const std::string& what,
                const std::string& concentration) {
    std::vector<FreeRow>& rows = inputs.rows(side);
    if (index < 0 || index >= static_cast<int>(rows.size())) return;
    FreeRow& row = rows[static_cast<std::size_t>(index)];
    if (row.what != what) {
        row.resolved.clear();
        row.formula.clear();
    }
    row.what = what;
    row.concentration = concentration;
}

int freeSliderPosition(const std::string& concentration) {
    const BoundedNumber c =
        ParseBoundedNumber(concentration, kItemMinConcentration, kItemMaxConcentration);
    const int top = kFreeSliderSteps * kFreeSliderDecades;
    if (!c.ok || !(c.value > 0)) return top / 2;
    const double position = (std::log10(c.value) + kFreeSliderDecades) * kFreeSliderSteps;
    return static_cast<int>(std::lround(std::clamp(position, 0.0, static_cast<double>(top))));
}

std::string freeSliderConcentration(int position, bool decimalComma) {
    const int top = kFreeSliderSteps * kFreeSliderDecades;
    const double exponent =
        static_cast<double>(std::clamp(position, 0, top)) / kFreeSliderSteps - kFreeSliderDecades;
    return formatGeneral(std::pow(10.0, exponent), 3, decimalComma ? ',' : '.');
}

} // namespace titralab
