// Closed-form equilibrium formulas and the pH solvers built on them.
#pragma once

#include "core/chemistry/ChemicalState.h"
#include "core/base/Language.h"

#include <optional>
#include <stdexcept>

namespace titralab {

// An arithmetic fault of the mixture solver; it ends the command that met it. what() is the
// French message; message() gives it in either language.
class ArithmeticFault : public std::runtime_error {
  public:
    explicit ArithmeticFault(Text message) : std::runtime_error(message.fr), m_message(message) {}
    const char* message(Language language) const { return m_message.in(language); }

  private:
    Text m_message;
};

// What a fault says, in `language` where it is one of the program's own.
inline const char* faultText(const std::exception& fault, Language language) {
    if (const auto* own = dynamic_cast<const ArithmeticFault*>(&fault))
        return own->message(language);
    return fault.what();
}

inline constexpr Text kMixtureFloatingPointFault{
    "Erreur de calcul en virgule flottante dans le mélange",
    "Floating-point error while computing the mixture"};

double pToConc(double x);   // 10^-x
double safeLog10(double x); // log10 x, or 1e-50 when x <= 0
double toWorkingConc(const ChemicalState& s, double x);
double workingConcFromPH(const ChemicalState& s, double pH);
double displayPH(const ChemicalState& s, double x);

// Volume of titrant (unit of vol1) that brings acid 1 alone to the working concentration h;
// -1 when it cannot be computed.
double titrantVolume(const ChemicalState& s, double h);
// The same for the mixture of two monoacids.
double titrantVolumeTwoMono(const ChemicalState& s, double h);
// Concentration (mol/L) of species j (0..3) of acid 1 / acid 2 of total concentration c;
// -1 when it cannot be computed.
double speciesConc(const ChemicalState& s, int j, double h, double c);
double speciesConc2(const ChemicalState& s, int j, double h, double c);
// Charge balance of the mixture of the two triacids; zero at the mixture's h.
double mixtureBalance(const ChemicalState& s, double h);
// -log10 of the concentration of acid 1 whose solution has working concentration h; -1 when none.
double dilutionPC(const ChemicalState& s, double h);

// Displayed pH of the beaker after adding v of titrant (TitrationVsVolume / TwoMonoTitration).
double solvePH(const ChemicalState& s, double v);
double solvePHTwoMono(const ChemicalState& s, double v);
// Working concentration of the two-polyacid mixture. Throws ArithmeticFault on overflow.
double solveMixture(const ChemicalState& s);

struct PHRange {
    double low{};
    double high{};
};
// The lower and higher of the pH at volume 0 and at volumeSpan.
PHRange pHAtVolumeRange(const ChemicalState& s);
PHRange pHAtVolumeRangeTwoMono(const ChemicalState& s);

} // namespace titralab

namespace titralab {

// The beaker of the two titration studies, as the exact readings see it.
enum class Titration {
    OneAcid,      // acid (base) 1 with its three constants
    TwoMonoacids, // acids (bases) 1 and 2, one constant each
};

// The titrant volume that brings the beaker to a displayed pH, and its first two derivatives
// with respect to that pH, all in closed form. Volumes in the unit of vol1.
struct VolumeAtPH {
    double volume{}; // negative below the initial pH; +infinity at or beyond the titrant's pH
    double perPH{};  // dv/dpH
    double perPH2{}; // d2v/dpH2
};

// The charge balance solved for v: v·B(h) = A(h), with B = h + Cb - Ke/h and
// A = Vw·(Ke/h - h) + sum of Ci·Vi·(mean protons released by acid i), Vw the initial volume.
// The derivatives follow from the moments of the number of released protons: with u = ln h,
// d(mean)/du = -variance and d(variance)/du = -(third central moment); every term of dA/du
// has the same sign, so the slope carries no cancellation.
VolumeAtPH titrantVolumeAtPH(const ChemicalState& s, Titration t, double pH);

// dpH/dv (per unit of vol1) at a displayed pH, exact: 1 / (dv/dpH).
double pHSlopeAtPH(const ChemicalState& s, Titration t, double pH);
// The same at a working concentration h, for callers that hold it already.
double pHSlopeAtWorkingConc(const ChemicalState& s, Titration t, double h);

// The displayed pH of the beaker after adding v >= 0 of titrant, to the last bit a bisection on
// the closed-form volume can reach. The volume rises with the working coordinate -log10 h from
// negative values (a concentration above every acid's) to +infinity (the titrant's own
// concentration), so a bracket always holds the one root.
double exactPH(const ChemicalState& s, Titration t, double v);

// The root, to the last bit, of the second derivative of the volume (the inflection of the
// curve) between two displayed pH values where it has opposite signs; nullopt otherwise.
std::optional<double> inflectionBetween(const ChemicalState& s, Titration t, double pHa,
                                        double pHb);

} // namespace titralab
