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

} // namespace

PHExplanation explainPH(const Solution& solution, double exactPH) {
    PHExplanation e;
    e.exactPH = exactPH;
    const std::vector<Pool> pools = poolsOf(solution);
    const std::size_t count = pools.size();

    // The proton ladder.
    std::vector<Level> levels;
    double protons = 0;
    for (const Solute& s : solution.solutes)
        if (s.kind == SoluteKind::Spectator && s.concentration > 0)
            protons -= spectatorIonData(s.ion).charge * s.concentration;
    for (std::size_t i = 0; i < count; ++i) {
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
    double reference = 0;
    for (std::size_t m = 0; m < filled; ++m) reference += levels[m].amount;
    const double delta = protons - reference;

    // Each system's reference form: the number of its sites left empty.
    std::vector<int> referenceForm(count, 0);
    for (std::size_t i = 0; i < count; ++i) referenceForm[i] = pools[i].system->acidities();
    for (std::size_t m = 0; m < filled; ++m)
        --referenceForm[static_cast<std::size_t>(levels[m].pool)];

    // The proton balance at the exact pH.
    const double h = std::pow(10.0, -exactPH);
    const double hydroxide = waterProduct / h;
    std::vector<BalanceTerm> sources{{Term::Water, hydroxide}};
    std::vector<BalanceTerm> sinks{{Term::Water, h}};
    if (delta > 0) sources.push_back({Term::Excess, delta});
    if (delta < 0) sinks.push_back({Term::Excess, -delta});
    for (std::size_t i = 0; i < count; ++i) {
        const Pool& pool = pools[i];
        const std::vector<double> forms = formsAtPH(*pool.system, pool.concentration, exactPH);
        const int f = referenceForm[i];
        double released = 0, taken = 0;
        for (int k = 0; k < static_cast<int>(forms.size()); ++k) {
            if (k > f) released += (k - f) * forms[static_cast<std::size_t>(k)];
            if (k < f) taken += (f - k) * forms[static_cast<std::size_t>(k)];
        }
        if (f < pool.system->acidities())
            sources.push_back({Term::System, released, static_cast<int>(i)});
        if (f > 0) sinks.push_back({Term::System, taken, static_cast<int>(i)});
    }
    auto largest = [](const std::vector<BalanceTerm>& terms) {
        return static_cast<std::size_t>(
            std::max_element(
                terms.begin(), terms.end(),
                [](const BalanceTerm& a, const BalanceTerm& b) { return a.value < b.value; }) -
            terms.begin());
    };
    const std::size_t source = largest(sources), sink = largest(sinks);
    const BalanceTerm& in = sources[source];
    const BalanceTerm& out = sinks[sink];
    auto pKaOf = [&](int pool, int site) {
        return pools[static_cast<std::size_t>(pool)].system->pKa[static_cast<std::size_t>(site)];
    };
    auto concentrationOf = [&](int pool) {
        return pools[static_cast<std::size_t>(pool)].concentration;
    };
    auto soluteOf = [&](int pool) { return pools[static_cast<std::size_t>(pool)].solute; };

    double ownAssumption = 0; // relative size of the formula's own neglect
    PHHypothesis ownHypothesis = PHHypothesis::None;
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
        e.solute = soluteOf(in.pool);
        e.pKa = pKaOf(in.pool, referenceForm[static_cast<std::size_t>(in.pool)]);
        e.concentration = concentrationOf(in.pool);
        e.approximatePH = (e.pKa - log10Of(e.concentration)) / 2;
        ownAssumption = in.value / e.concentration;
        ownHypothesis = PHHypothesis::AcidNotLittleDissociated;
    } else if (in.term == Term::Water && out.term == Term::System) {
        e.formula = PHFormula::WeakBase;
        e.solute = soluteOf(out.pool);
        e.pKa = pKaOf(out.pool, referenceForm[static_cast<std::size_t>(out.pool)] - 1);
        e.concentration = concentrationOf(out.pool);
        e.approximatePH = (waterPK + e.pKa + log10Of(e.concentration)) / 2;
        ownAssumption = out.value / e.concentration;
        ownHypothesis = PHHypothesis::BaseNotLittleProtonated;
    } else if (in.term == Term::System && out.term == Term::System) {
        e.formula = PHFormula::Amphoteric;
        e.solute = soluteOf(in.pool);
        const double upper = pKaOf(in.pool, referenceForm[static_cast<std::size_t>(in.pool)]);
        const double lower = pKaOf(out.pool, referenceForm[static_cast<std::size_t>(out.pool)] - 1);
        e.pKa = std::min(lower, upper);
        e.pKa2 = std::max(lower, upper);
        e.concentration = concentrationOf(in.pool);
        e.approximatePH = (lower + upper) / 2;
    } else {
        e.formula = PHFormula::Buffer;
        // δ > 0 fills part of the sinking system's next site; δ < 0 empties part of the
        // releasing system's last filled one. |δ| is at most half of the level (the nearest
        // boundary was taken), so both parts are positive unless levels of equal pKa share it.
        const bool acidAdded = in.term == Term::Excess;
        const int pool = acidAdded ? out.pool : in.pool;
        const int site = referenceForm[static_cast<std::size_t>(pool)] - (acidAdded ? 1 : 0);
        e.solute = soluteOf(pool);
        e.pKa = pKaOf(pool, site);
        const double c = concentrationOf(pool), part = std::abs(delta);
        e.acidConcentration = acidAdded ? part : c - part;
        e.baseConcentration = acidAdded ? c - part : part;
        e.concentration = c;
        if (e.acidConcentration > 0 && e.baseConcentration > 0)
            e.approximatePH = e.pKa + log10Of(e.baseConcentration / e.acidConcentration);
        else
            e.approximatePH = e.pKa;
    }
    e.difference = e.approximatePH - e.exactPH;
    e.holds = std::isfinite(e.difference) && std::abs(e.difference) < kFormulaTolerance;
    if (e.holds) return e;

    // The largest neglected term, relative to the kept term on its side.
    double worst = ownAssumption;
    e.failed = ownHypothesis;
    auto weigh = [&](const std::vector<BalanceTerm>& terms, std::size_t kept) {
        for (std::size_t k = 0; k < terms.size(); ++k) {
            if (k == kept || !(terms[kept].value > 0)) continue;
            const double relative = terms[k].value / terms[kept].value;
            if (!(relative > worst)) continue;
            worst = relative;
            if (terms[k].term != Term::Water)
                e.failed = PHHypothesis::OtherSpeciesNotNegligible;
            else if (e.formula == PHFormula::Buffer) {
                const double ratio = e.baseConcentration / e.acidConcentration;
                e.failed = ratio > 10 || ratio < 0.1 ? PHHypothesis::BufferTooUnbalanced
                                                     : PHHypothesis::BufferTooDilute;
            } else if (e.formula == PHFormula::Amphoteric && &terms == &sinks)
                e.failed = PHHypothesis::AmphotericTooDilute; // h beside the acid form: c ≈ K1
            else
                e.failed = PHHypothesis::WaterNotNegligible;
        }
    };
    weigh(sources, source);
    weigh(sinks, sink);
    if (e.failed == PHHypothesis::None) e.failed = PHHypothesis::OtherSpeciesNotNegligible;
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
