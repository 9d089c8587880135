#include "core/chemistry/PHExplanation.h"

#include "core/chemistry/Diagrams.h"
#include "core/chemistry/Equilibrium.h"

#include <algorithm>
#include <cmath>

namespace titralab {

namespace {

// How the case is chosen.
//
// The protons of the solution, counted above every system's fully deprotonated form, are
//   P = Σ Cj·Nj - (charge of the spectator ions and of the fully protonated forms),
// and the charge balance shares them between bound sites and water: h - Kw/h + bound = P.
// Filling the sites of all systems in decreasing pKa with P gives the solution's formal
// composition; the boundary of that ladder nearest to P (all sites of the m most basic levels
// filled) is taken as the reference, and δ = P - boundary is a strong acid (δ > 0) or a strong
// base (δ < 0) in excess of it. At the exact pH the proton balance against that reference reads
//   sources: δ (if > 0), Kw/h, the protons each system has released below its reference form
//   sinks:   -δ (if < 0), h, the protons each system has taken above its reference form.
// The largest source and the largest sink govern the pH, and their pair names the formula:
//   δ and h: strong acid;      Kw/h and -δ: strong base;     Kw/h and h: water;
//   release and h: weak acid;  Kw/h and uptake: weak base;   release and uptake: amphoteric;
//   δ and uptake, or release and -δ: buffer.
// Every other term of the balance is neglected by the formula; when the formula strays, the
// largest neglected term (relative to the kept term on its side), or the formula's own
// assumption (a weak acid little dissociated, a weak base little protonated), names the
// hypothesis that fails.

enum class Term { Excess, Water, System };

struct BalanceTerm {
    Term term{};
    double value{}; // mol/L
    int pool{-1};
};

struct Level {
    double pKa{};
    double amount{}; // mol/L
    int pool{};
};

// Solutes of one same system (ethanoic acid and sodium ethanoate) are one pool of that system:
// the couple they share is a buffer, not two couples.
struct Pool {
    const AcidBaseSystem* system{};
    double concentration{}; // mol/L
    int solute{};           // the first solute of the pool
};

std::vector<Pool> poolsOf(const Solution& solution) {
    std::vector<Pool> pools;
    for (std::size_t i = 0; i < solution.solutes.size(); ++i) {
        const Solute& s = solution.solutes[i];
        if (s.kind != SoluteKind::System || !(s.concentration > 0)) continue;
        auto same = std::find_if(pools.begin(), pools.end(), [&](const Pool& p) {
            return p.system->pKa == s.system.pKa &&
                   p.system->protonatedCharge == s.system.protonatedCharge;
        });
        if (same != pools.end())
            same->concentration += s.concentration;
        else
            pools.push_back({&s.system, s.concentration, static_cast<int>(i)});
    }
    return pools;
}

double log10Of(double x) {
    return std::log10(x);
}

// The reference of the proton ladder: δ, the protons in excess of the nearest boundary, and
// each pool's reference form (the number of its sites left empty).
struct Reference {
    double delta{};
    std::vector<int> form;
};

Reference referenceOf(const Solution& solution, const std::vector<Pool>& pools) {
    std::vector<Level> levels;
    double protons = 0;
    for (const Solute& s : solution.solutes)
        if (s.kind == SoluteKind::Spectator && s.concentration > 0)
            protons -= spectatorIonData(s.ion).charge * s.concentration;
    for (std::size_t i = 0; i < pools.size(); ++i) {
        const Pool& p = pools[i];
        protons += (p.system->acidities() - p.system->protonatedCharge) * p.concentration;
        for (double pK : p.system->pKa)
            levels.push_back({pK, p.concentration, static_cast<int>(i)});
    }
    std::stable_sort(levels.begin(), levels.end(),
                     [](const Level& a, const Level& b) { return a.pKa > b.pKa; });
    std::size_t filled = 0;
    double boundary = 0, best = std::abs(protons);
    for (std::size_t m = 1; m <= levels.size(); ++m) {
        const double b = boundary + levels[m - 1].amount;
        if (std::abs(protons - b) < best) {
            best = std::abs(protons - b);
            filled = m;
        }
        boundary = b;
    }
    Reference r;
    double reference = 0;
    for (std::size_t m = 0; m < filled; ++m) reference += levels[m].amount;
    r.delta = protons - reference;
    for (const Pool& p : pools) r.form.push_back(p.system->acidities());
    for (std::size_t m = 0; m < filled; ++m) --r.form[static_cast<std::size_t>(levels[m].pool)];
    return r;
}

// The proton balance against the reference at the exact pH, and its largest terms.
struct Balance {
    std::vector<BalanceTerm> sources;
    std::vector<BalanceTerm> sinks;
    std::size_t source{}; // the largest of each side
    std::size_t sink{};
};

std::size_t largestTerm(const std::vector<BalanceTerm>& terms) {
    return static_cast<std::size_t>(
        std::max_element(
            terms.begin(), terms.end(),
            [](const BalanceTerm& a, const BalanceTerm& b) { return a.value < b.value; }) -
        terms.begin());
}

Balance balanceAt(const std::vector<Pool>& pools, const Reference& r, double exactPH) {
    const double h = std::pow(10.0, -exactPH);
    Balance b;
    b.sources.push_back({Term::Water, waterProduct / h});
    b.sinks.push_back({Term::Water, h});
    if (r.delta > 0) b.sources.push_back({Term::Excess, r.delta});
    if (r.delta < 0) b.sinks.push_back({Term::Excess, -r.delta});
    for (std::size_t i = 0; i < pools.size(); ++i) {
        const Pool& pool = pools[i];
        const std::vector<double> forms = formsAtPH(*pool.system, pool.concentration, exactPH);
        const int f = r.form[i];
        double released = 0, taken = 0;
        for (int k = 0; k < static_cast<int>(forms.size()); ++k) {
            if (k > f) released += (k - f) * forms[static_cast<std::size_t>(k)];
            if (k < f) taken += (f - k) * forms[static_cast<std::size_t>(k)];
        }
        if (f < pool.system->acidities())
            b.sources.push_back({Term::System, released, static_cast<int>(i)});
        if (f > 0) b.sinks.push_back({Term::System, taken, static_cast<int>(i)});
    }
    b.source = largestTerm(b.sources);
    b.sink = largestTerm(b.sinks);
    return b;
}

// The formula named by the largest source and sink, its values and approximate pH. Returns the
// relative size of the formula's own assumption and the hypothesis it stands for.
std::pair<double, PHHypothesis> applyFormula(PHExplanation& e, const std::vector<Pool>& pools,
                                             const Reference& r, const Balance& b) {
    const BalanceTerm& in = b.sources[b.source];
    const BalanceTerm& out = b.sinks[b.sink];
    auto pool = [&](int k) -> const Pool& { return pools[static_cast<std::size_t>(k)]; };
    auto pKaOf = [&](int k, int site) {
        return pool(k).system->pKa[static_cast<std::size_t>(site)];
    };
    auto formOf = [&](int k) { return r.form[static_cast<std::size_t>(k)]; };
    const double delta = r.delta;
    if (in.term == Term::Excess && out.term == Term::Water) {
        e.formula = PHFormula::StrongAcid;
        e.concentration = delta;
        e.approximatePH = -log10Of(delta);
    } else if (in.term == Term::Water && out.term == Term::Excess) {
        e.formula = PHFormula::StrongBase;
        e.concentration = -delta;
        e.approximatePH = waterPK + log10Of(-delta);
    } else if (in.term == Term::Water && out.term == Term::Water) {
        e.formula = PHFormula::Water;
        e.approximatePH = waterPK / 2;
    } else if (in.term == Term::System && out.term == Term::Water) {
        e.formula = PHFormula::WeakAcid;
        e.solute = pool(in.pool).solute;
        e.pKa = pKaOf(in.pool, formOf(in.pool));
        e.concentration = pool(in.pool).concentration;
        e.approximatePH = (e.pKa - log10Of(e.concentration)) / 2;
        return {in.value / e.concentration, PHHypothesis::AcidNotLittleDissociated};
    } else if (in.term == Term::Water && out.term == Term::System) {
        e.formula = PHFormula::WeakBase;
        e.solute = pool(out.pool).solute;
        e.pKa = pKaOf(out.pool, formOf(out.pool) - 1);
        e.concentration = pool(out.pool).concentration;
        e.approximatePH = (waterPK + e.pKa + log10Of(e.concentration)) / 2;
        return {out.value / e.concentration, PHHypothesis::BaseNotLittleProtonated};
    } else if (in.term == Term::System && out.term == Term::System) {
        e.formula = PHFormula::Amphoteric;
        e.solute = pool(in.pool).solute;
        const double upper = pKaOf(in.pool, formOf(in.pool));
        const double lower = pKaOf(out.pool, formOf(out.pool) - 1);
        e.pKa = std::min(lower, upper);
        e.pKa2 = std::max(lower, upper);
        e.concentration = pool(in.pool).concentration;
        e.approximatePH = (lower + upper) / 2;
    } else {
        e.formula = PHFormula::Buffer;
        // δ > 0 fills part of the sinking system's next site; δ < 0 empties part of the
        // releasing system's last filled one. |δ| is at most half of the level (the nearest
        // boundary was taken), so both parts are positive unless levels of equal pKa share it.
        const bool acidAdded = in.term == Term::Excess;
        const int k = acidAdded ? out.pool : in.pool;
        e.solute = pool(k).solute;
        e.pKa = pKaOf(k, formOf(k) - (acidAdded ? 1 : 0));
        const double c = pool(k).concentration, part = std::abs(delta);
        e.acidConcentration = acidAdded ? part : c - part;
        e.baseConcentration = acidAdded ? c - part : part;
        e.concentration = c;
        if (e.acidConcentration > 0 && e.baseConcentration > 0)
            e.approximatePH = e.pKa + log10Of(e.baseConcentration / e.acidConcentration);
        else
            e.approximatePH = e.pKa;
    }
    return {0, PHHypothesis::None};
}

// The hypothesis that fails: the largest neglected term relative to the kept term on its side,
// or the formula's own assumption when it is larger.
PHHypothesis failedHypothesis(const PHExplanation& e, const Balance& b,
                              std::pair<double, PHHypothesis> own) {
    double worst = own.first;
    PHHypothesis failed = own.second;
    auto weigh = [&](const std::vector<BalanceTerm>& terms, std::size_t kept, bool sinks) {
        for (std::size_t k = 0; k < terms.size(); ++k) {
            if (k == kept || !(terms[kept].value > 0)) continue;
            const double relative = terms[k].value / terms[kept].value;
            if (!(relative > worst)) continue;
            worst = relative;
            if (terms[k].term != Term::Water)
                failed = PHHypothesis::OtherSpeciesNotNegligible;
            else if (e.formula == PHFormula::Buffer) {
                const double ratio = e.baseConcentration / e.acidConcentration;
                failed = ratio > 10 || ratio < 0.1 ? PHHypothesis::BufferTooUnbalanced
                                                   : PHHypothesis::BufferTooDilute;
            } else if (e.formula == PHFormula::Amphoteric && sinks)
                failed = PHHypothesis::AmphotericTooDilute; // h beside the acid form: c ≈ K1
            else
                failed = PHHypothesis::WaterNotNegligible;
        }
    };
    weigh(b.sources, b.source, false);
    weigh(b.sinks, b.sink, true);
    return failed == PHHypothesis::None ? PHHypothesis::OtherSpeciesNotNegligible : failed;
}

} // namespace

PHExplanation explainPH(const Solution& solution, double exactPH) {
    PHExplanation e;
    e.exactPH = exactPH;
    const std::vector<Pool> pools = poolsOf(solution);
    const Reference reference = referenceOf(solution, pools);
    const Balance balance = balanceAt(pools, reference, exactPH);
    const auto own = applyFormula(e, pools, reference, balance);
    e.difference = e.approximatePH - e.exactPH;
    e.holds = std::isfinite(e.difference) && std::abs(e.difference) < kFormulaTolerance;
    if (!e.holds) e.failed = failedHypothesis(e, balance, own);
    return e;
}

PHExplanation explainPH(const Solution& solution) {
    return explainPH(solution, equilibriumOf(solution).pH);
}

PHExplanation explainTitrationPoint(const FreeTitration& titration, double v) {
    return explainPH(titrationMixture(titration, v), freeTitrationPH(titration, v));
}

std::vector<FormulaRange> formulaRanges(const FreeTitration& titration, double maxVolume, int n) {
    std::vector<FormulaRange> ranges;
    bool open = false;
    for (const FreeCurvePoint& p : freeTitrationCurve(titration, maxVolume, n)) {
        const PHExplanation e = explainPH(titrationMixture(titration, p.volume), p.pH);
        if (!e.holds) {
            open = false;
            continue;
        }
        if (open && ranges.back().formula == e.formula)
            ranges.back().to = p.volume;
        else
            ranges.push_back({e.formula, p.volume, p.volume});
        open = true;
    }
    return ranges;
}

} // namespace titralab
