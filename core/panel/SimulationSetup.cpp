#include "core/panel/SimulationSetup.h"

#include "core/numbers/NumberInput.h"

#include "core/chemistry/Conductivity.h"
#include "core/chemistry/Formulas.h"
#include "core/texts/Messages.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace titralab {

namespace {

// Reads field `field` of the panel; a refused or clamped text shows the check's message and
// is listed in `refused`.
struct FieldReader {
    const PanelFields& panel;
    const FieldValues& given;
    Notifier& notifier;
    std::vector<int> refused;

    double read(int field, double low, double high, const std::string& message) {
        const auto value = std::find_if(given.begin(), given.end(),
                                        [field](const auto& g) { return g.first == field; });
        const std::string& text = field == kPointCountField ? panel.pointCount : panel.text[field];
        const BoundedNumber read = value != given.end()
                                       ? boundedValue(value->second, low, high)
                                       : ParseBoundedNumber(text, low, high);
        if (!read.ok) {
            notifier.inform(message);
            refused.push_back(field);
        }
        return read.value;
    }
    double read(Field field, double low, double high, const std::string& message) {
        return read(static_cast<int>(slot(field)), low, high, message);
    }
};

void sortAscending(std::array<double, 3>& pK) {
    if (pK[0] > pK[1]) std::swap(pK[0], pK[1]);
    if (pK[1] > pK[2]) std::swap(pK[1], pK[2]);
    if (pK[0] > pK[1]) std::swap(pK[0], pK[1]);
}

} // namespace

std::vector<int> setUpSimulation(ChemicalState& state, const PanelFields& panel,
                                 Notifier& notifier, Language language, const FieldValues& given) {
    FieldReader fields{panel, given, notifier, {}};
    state.side = panel.side;
    state.study = panel.study;
    state.baseKind = panel.baseKind;

    const std::string a = texts::numberRangeMessage(language);
    auto readPK = [&](Field field) { return fields.read(field, kMinPK, kMaxPK, a); };
    state.pK1[0] = readPK(Field::PKa1);
    state.pK2[0] = readPK(Field::PKa2_1);
    state.pK1[1] = readPK(Field::PKa2);
    state.pK2[1] = readPK(Field::PKa2_2);
    state.pK1[2] = readPK(Field::PKa3);
    state.pK2[2] = readPK(Field::PKa2_3);

    state.pOffset = 0;
    state.pSlope = 1;
    if (state.side == BuretteSide::BaseSide) {
        for (double& pK : state.pK1) pK = workingPKOfBase(pK);
        for (double& pK : state.pK2) pK = workingPKOfBase(pK);
        state.pOffset = waterPK;
        state.pSlope = -1;
    }
    sortAscending(state.pK1);
    sortAscending(state.pK2);
    for (int k = 0; k < 3; ++k) {
        state.ka1[k] = pToConc(state.pK1[k]);
        state.ka2[k] = pToConc(state.pK2[k]);
    }

    const std::string b = texts::concentrationRangeMessage(language);
    state.titrantConc = fields.read(Field::BuretteConcentration, 1e-8, 15, b);
    state.conc1 = fields.read(Field::Concentration1, 1e-8, 15, b);
    state.conc2 = fields.read(Field::Concentration2, 1e-8, 15, b);

    const std::string c = texts::volumeRangeMessage(language);
    state.vol1 = fields.read(Field::Volume1, 1e-5, 100, c);
    state.vol2 = fields.read(Field::Volume2, 1e-5, 100, c);

    state.pointCount = static_cast<int>(
        std::trunc(fields.read(kPointCountField, 5, 200, texts::pointCountMessage(language))));

    state.volumesInMillilitres =
        state.vol1 <= 1 && state.study != Study::SpeciesVsPH && state.study != Study::Dilution;
    state.volumeFactor = state.volumesInMillilitres ? 1000 : 1;

    const ConductivityAvailability conductivity = UpdateConductivityAvailability(state);
    state.conductivityAvailable = conductivity.available;
    state.conductivities = conductivity.conductivities;
    return fields.refused;
}

} // namespace titralab
