#include "core/chemistry/SolutionItems.h"

#include "core/base/SearchFolding.h"
#include "core/base/Trimmed.h"
#include "core/chemistry/Database.h"
#include "core/numbers/NumberInput.h"

#include <algorithm>
#include <vector>

namespace titralab {

namespace {

// A name matches when equal after folding, whole, or the part before " (", or the part within
// the brackets: "ethanoic acid (acetic acid)" answers to all three.
bool nameMatches(const char* name, const std::string& folded) {
    if (name == nullptr || name[0] == '\0') return false;
    const std::string full = foldForSearch(name);
    if (full == folded) return true;
    const std::size_t open = full.find(" (");
    if (open == std::string::npos || full.back() != ')') return false;
    return full.substr(0, open) == folded ||
           full.substr(open + 2, full.size() - open - 3) == folded;
}

// "acid(2.15, 7.2)" or "base(9.25)", French "acide(...)" too: the system, nullopt when the
// text is not of that shape, and an empty pKa list when the numbers are wrong.
std::optional<AcidBaseSystem> genericSystem(const std::string& folded) {
    const std::size_t open = folded.find('(');
    if (open == std::string::npos || folded.back() != ')') return std::nullopt;
    const std::string head(trimmed(std::string_view(folded).substr(0, open)));
    const bool acid = head == "acid" || head == "acide";
    const bool base = head == "base";
    if (!acid && !base) return std::nullopt;
    AcidBaseSystem system;
    const std::string_view inside =
        std::string_view(folded).substr(open + 1, folded.size() - open - 2);
    std::vector<double> pKa;
    std::size_t start = 0;
    bool wrong = false;
    while (start <= inside.size()) {
        const std::size_t comma = std::min(inside.find(',', start), inside.size());
        const std::string_view part = trimmed(inside.substr(start, comma - start));
        const BoundedNumber n = ParseBoundedNumber(part, kMinPK, kMaxPK);
        if (part.empty() || part.find('.') != part.rfind('.') || !n.ok) wrong = true;
        pKa.push_back(n.value);
        start = comma + 1;
    }
    if (wrong || pKa.empty() || pKa.size() > static_cast<std::size_t>(kMaxSystemAcidities))
        return system;
    // As the studies do, the acidities are taken in order of strength.
    std::sort(pKa.begin(), pKa.end());
    system.pKa = pKa;
    system.protonatedCharge = base ? static_cast<int>(pKa.size()) : 0;
    return system;
}

} // namespace

std::optional<std::vector<Solute>> soluteNamed(std::string_view what,
                                               const std::vector<SoluteEntry>* extra) {
    const std::string folded = foldForSearch(trimmed(what));
    if (folded.empty()) return std::nullopt;
    for (const SpectatorIonData& ion : spectatorIons())
        if (foldForSearch(ion.formula) == folded)
            return std::vector<Solute>{spectatorSolute(ion.ion, 1)};
    for (const Compound& c : compounds())
        if (foldForSearch(c.formula) == folded) return compoundSolutes(c, 1);
    for (const Compound& c : compounds())
        if (nameMatches(c.name.fr, folded) || nameMatches(c.name.en, folded))
            return compoundSolutes(c, 1);
    for (BuretteSide side : {BuretteSide::AcidSide, BuretteSide::BaseSide})
        for (int n = 1; n <= entryCount(side); ++n) {
            const AcidBaseEntry& e = entryOf(side, n);
            if (nameMatches(e.names[0].fr, folded) || nameMatches(e.names[0].en, folded))
                return std::vector<Solute>{
                    systemSolute(systemOfEntry(side, n), 1, std::string(trimmed(what)))};
        }
    if (extra)
        for (const SoluteEntry& e : *extra) {
            bool named = nameMatches(e.nameFr.c_str(), folded) ||
                         nameMatches(e.nameEn.c_str(), folded) ||
                         foldForSearch(e.formula) == folded;
            for (const std::string& s : e.synonyms) named = named || foldForSearch(s) == folded;
            if (named) return std::vector<Solute>{systemSolute(e.system, 1, e.nameFr)};
        }
    return std::nullopt;
}

ParsedItems parseSolutionItems(std::string_view text, const std::vector<SoluteEntry>* extra) {
    ParsedItems out;
    auto fail = [&out](ItemProblem problem, int position, std::string_view item) {
        out.solution.solutes.clear();
        out.error = ItemError{problem, position, std::string(item.substr(0, 60))};
        return out;
    };
    if (text.size() > kMaxItemsText) return fail(ItemProblem::TooLong, 0, {});
    std::string_view rest = trimmed(text);
    // One separator after the last item is allowed.
    if (!rest.empty() && rest.back() == ';') rest = trimmed(rest.substr(0, rest.size() - 1));
    if (rest.empty()) return fail(ItemProblem::NoItem, 0, {});
    int position = 0;
    std::size_t start = 0;
    while (start <= rest.size()) {
        const std::size_t end = std::min(rest.find(';', start), rest.size());
        const std::string_view item = trimmed(rest.substr(start, end - start));
        start = end + 1;
        if (++position > kMaxItems) return fail(ItemProblem::TooManyItems, position, item);
        if (item.empty()) return fail(ItemProblem::Empty, position, item);
        const std::size_t equals = item.rfind('=');
        if (equals == std::string_view::npos)
            return fail(ItemProblem::NoConcentration, position, item);
        const std::string_view what = trimmed(item.substr(0, equals));
        const std::string_view amount = trimmed(item.substr(equals + 1));
        const BoundedNumber c =
            ParseBoundedNumber(amount, kItemMinConcentration, kItemMaxConcentration);
        if (amount.empty() || !c.ok) return fail(ItemProblem::BadConcentration, position, item);
        const std::string folded = foldForSearch(what);
        if (!folded.empty() && folded.find('(') != std::string::npos) {
            if (const auto system = genericSystem(folded)) {
                if (system->pKa.empty()) return fail(ItemProblem::BadPKa, position, item);
                out.solution.solutes.push_back(systemSolute(*system, c.value, std::string(what)));
                continue;
            }
        }
        const auto solutes = soluteNamed(what, extra);
        if (!solutes) return fail(ItemProblem::UnknownName, position, item);
        for (Solute s : *solutes) {
            s.concentration *= c.value;
            out.solution.solutes.push_back(std::move(s));
        }
    }
    return out;
}

} // namespace titralab
