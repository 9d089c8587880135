// Regenerating the simulation's study: the one entry point, its steps and the curve generators.
#pragma once

#include "core/base/Notifier.h"
#include "core/curves/Curves.h"
#include "core/panel/SimulationSetup.h"
#include "core/session/Simulation.h"

namespace titralab {

// Runs the whole chain on the simulation context: set-up (messages through the notifier),
// species labels, study preparation, check-box captions and visibility, then the plot driver.
// Throws ArithmeticFault when the mixture solver meets an overflow. Fields given a value in
// `given` are computed with it, whatever their text says (a member of a family).
void RefreshSimulation(Simulation& sim, Notifier& notifier, const FieldValues& given = {});

// The steps of RefreshSimulation, exposed for the windows and the tests.
void BuildSpeciesLabels(Simulation& sim);
void PrepareStudy(Simulation& sim);
void ApplyCheckBoxCaptions(Simulation& sim);
void PlotStudy(Simulation& sim, Notifier& notifier);

void GenerateTitrationCurves(Simulation& sim, int n, Notifier& notifier);
void GenerateTitrationTableByVolume(Simulation& sim, int n);
void GenerateSpeciesCurves(Simulation& sim, int n);
void GenerateTwoMonoacidCurves(Simulation& sim, int n, Notifier& notifier);
void GenerateTwoMonoacidTableByVolume(Simulation& sim, int n);
void GenerateDilutionCurve(Simulation& sim, int n);
// Computes the two-polyacid mixture into sim.results.mixture and its results text into exportText.
void ComputeTwoPolyacidMixture(Simulation& sim);

// The free study's regeneration (RefreshSimulation runs it for Study::FreeSolutions): reads the
// rows (every refusal through the notifier, one message), then draws the pH, the first forms,
// [H3O+] and the conductivity when every λ° is known, and the pasted points when ticked, fills the
// copied table with every form and the chart reading with the remarkable points (RefreshSimulation
// then adds the kept curves' columns and the points' lines).
void refreshFreeStudy(Simulation& sim, Notifier& notifier);

// Runs checkPointCount on the graph window's field (sim.panel.pointCount), shows pointCountMessage
// through the notifier when needed, and writes the value back into the field and into
// PointCount.
PointCountCheck ValidatePointCount(Simulation& sim, Notifier& notifier);

} // namespace titralab
