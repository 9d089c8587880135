#include "chemistry/U2PolyAc.h"

#include "chemistry/UFormules.h"

namespace titralab {

MixtureResult ComputeTwoPolyacidMixture(const ChemicalState& s) {
    MixtureResult r;
    r.c1m = s.conc1 * s.vol1 / (s.vol1 + s.vol2);
    r.c2m = s.conc2 * s.vol2 / (s.vol1 + s.vol2);
    r.h = solveMixture(s);
    r.pH = -safeLog10(r.h);
    for (int j = 0; j < 4; ++j) {
        r.c1[j] = speciesConc(s, j, r.h, r.c1m);
        r.c2[j] = speciesConc2(s, j, r.h, r.c2m);
    }
    return r;
}

} // namespace titralab
