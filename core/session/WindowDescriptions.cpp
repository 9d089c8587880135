#include "core/session/WindowDescriptions.h"

#include "core/chemistry/Indicators.h"
#include "core/chemistry/Mixture.h"
#include "core/curves/ChartReading.h"
#include "core/curves/CopyExport.h"
#include "core/curves/Readout.h"
#include "core/numbers/NumberFormat.h"
#include "core/page/PointStyles.h"
#include "core/page/PrintSettings.h"
#include "core/texts/CopyTexts.h"
#include "core/texts/InputTexts.h"
#include "core/texts/Messages.h"
#include "core/texts/PageTexts.h"
#include "core/texts/ReadingTexts.h"
#include "core/texts/WindowTexts.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

namespace titralab::a11y {

namespace {

bool onBaseSide(BuretteSide side) {
    return side == BuretteSide::BaseSide;
}

// The French or the English of a text.
std::string say(Language language, const char* french, const char* english) {
    return Text{french, english}.in(language);
}

// "de l'acide 1", "de la base 2": what the beaker holds in column 1 or 2.
std::string ofSubstance(BuretteSide side, int column, Language l) {
    return (onBaseSide(side) ? say(l, "de la base ", "of base ")
                             : say(l, "de l'acide ", "of acid ")) +
           std::to_string(column);
}

// The strong reagent of the burette.
std::string ofReagent(BuretteSide side, Language l) {
    return onBaseSide(side) ? say(l, "du monoacide fort", "of the strong acid")
                            : say(l, "de la monobase forte", "of the strong base");
}

// The text a hint shows in the status bar: after "|" when there is one, else the whole hint.
std::string statusPart(std::string_view hint) {
    const std::size_t bar = hint.find('|');
    return std::string(bar == std::string_view::npos ? hint : hint.substr(bar + 1));
}

constexpr Study kStudies[] = {Study::TitrationVsVolume, Study::SpeciesVsPH, Study::TwoMonoTitration,
                              Study::TwoPolyMixture, Study::Dilution};

std::string number(double x) {
    return formatGeneral(x, 4, '.');
}

using Range = ValueRange;

std::string fromTo(const Range& r, Language l) {
    const double span = r.high - r.low;
    return say(l, "de ", "from ") + number(withoutRoundingOfZero(r.low, span)) +
           say(l, " à ", " to ") + number(withoutRoundingOfZero(r.high, span));
}

// The graph window's species boxes by number: boxes 2..5 draw species 1..4 of the first acid
// (or base), boxes 6 and 7 species 1 and 2 of the second one; box k's caption is captions[k - 2].
constexpr Control kSpeciesBoxes[] = {Control::Species1Box,        Control::Species2Box,
                                     Control::Species3Box,        Control::Species4Box,
                                     Control::Column2Species1Box, Control::Column2Species2Box};

// The box whose caption names the species drawn by series 2..5.
int speciesBoxOfSeries(Study study, int series) {
    if (study == Study::TwoMonoTitration && series >= 4) return series + 2; // the second acid's
    return series;
}

// The number of a box's species in its acid.
int speciesNumber(int box) {
    return box <= 5 ? box - 1 : box - 5;
}

// Each polyacid's pKa 1..3, initial volume and initial concentration in the mixture window.
constexpr Control kPolyacid1Fields[5] = {Control::Polyacid1PKa1Field, Control::Polyacid1PKa2Field,
                                         Control::Polyacid1PKa3Field, Control::Polyacid1VolumeField,
                                         Control::Polyacid1ConcentrationField};
constexpr Control kPolyacid2Fields[5] = {Control::Polyacid2PKa1Field, Control::Polyacid2PKa2Field,
                                         Control::Polyacid2PKa3Field, Control::Polyacid2VolumeField,
                                         Control::Polyacid2ConcentrationField};

// The mixture's species k (0..7: four of polyacid 1, then four of polyacid 2).
Control mixtureSpeciesField(int k) {
    return static_cast<Control>(static_cast<int>(Control::MixtureSpecies1Field) + k);
}

struct NamedControl {
    Control control;
    std::string_view name;
};

// The object name of every control, in the order of the enumeration.
constexpr NamedControl kControlNames[] = {
    {Control::SideChoice, "sideChoice"},
    {Control::StrongBaseChoice, "strongBaseChoice"},
    {Control::StudyChoice, "studyChoice"},
    {Control::BuretteConcentrationField, "buretteConcentrationField"},
    {Control::Concentration1Field, "concentration1Field"},
    {Control::Volume1Field, "volume1Field"},
    {Control::PKa1Field, "pKa1Field"},
    {Control::PKa2Field, "pKa2Field"},
    {Control::PKa3Field, "pKa3Field"},
    {Control::LineWidthField, "lineWidthField"},
    {Control::Concentration2Field, "concentration2Field"},
    {Control::Volume2Field, "volume2Field"},
    {Control::Column2PKa1Field, "column2PKa1Field"},
    {Control::Column2PKa2Field, "column2PKa2Field"},
    {Control::Column2PKa3Field, "column2PKa3Field"},
    {Control::EntryNameField, "entryNameField"},
    {Control::NextEntryButton, "nextEntryButton"},
    {Control::PreviousEntryButton, "previousEntryButton"},
    {Control::DatabaseColumnChoice, "databaseColumnChoice"},
    {Control::ShowButton, "showButton"},
    {Control::CopyButton, "copyButton"},
    {Control::PrintButton, "printButton"},
    {Control::PasteVolumeFirstButton, "pasteVolumeFirstButton"},
    {Control::PastePHFirstButton, "pastePHFirstButton"},
    {Control::PasteBuffer, "pasteBuffer"},
    {Control::CommandsDock, "commandsDock"},
    {Control::DatabaseDock, "databaseDock"},
    {Control::Chart, "chart"},
    {Control::PointCountField, "pointCountField"},
    {Control::DilutionBox, "dilutionBox"},
    {Control::Species1Box, "species1Box"},
    {Control::Species2Box, "species2Box"},
    {Control::Species3Box, "species3Box"},
    {Control::Species4Box, "species4Box"},
    {Control::Column2Species1Box, "column2Species1Box"},
    {Control::Column2Species2Box, "column2Species2Box"},
    {Control::ConductivityBox, "conductivityBox"},
    {Control::PastedPointsBox, "pastedPointsBox"},
    {Control::HydroniumBox, "hydroniumBox"},
    {Control::GraphPrintButton, "printButton"},
    {Control::GraphPointStyleButton, "pointStyleButton"},
    {Control::GraphCopyButton, "copyButton"},
    {Control::CopyPointCountField, "pointCountField"},
    {Control::SamplingChoice, "samplingChoice"},
    {Control::CopyConfirmButton, "copyButton"},
    {Control::CopyCancelButton, "cancelButton"},
    {Control::Polyacid1PKa1Field, "polyacid1PKa1Field"},
    {Control::Polyacid1PKa2Field, "polyacid1PKa2Field"},
    {Control::Polyacid1PKa3Field, "polyacid1PKa3Field"},
    {Control::Polyacid1VolumeField, "polyacid1VolumeField"},
    {Control::Polyacid1ConcentrationField, "polyacid1ConcentrationField"},
    {Control::Polyacid2PKa1Field, "polyacid2PKa1Field"},
    {Control::Polyacid2PKa2Field, "polyacid2PKa2Field"},
    {Control::Polyacid2PKa3Field, "polyacid2PKa3Field"},
    {Control::Polyacid2VolumeField, "polyacid2VolumeField"},
    {Control::Polyacid2ConcentrationField, "polyacid2ConcentrationField"},
    {Control::MixtureVolumeField, "mixtureVolumeField"},
    {Control::MixturePHField, "mixturePHField"},
    {Control::MixtureHydroniumField, "mixtureHydroniumField"},
    {Control::MixtureSpecies1Field, "mixtureSpecies1Field"},
    {Control::MixtureSpecies2Field, "mixtureSpecies2Field"},
    {Control::MixtureSpecies3Field, "mixtureSpecies3Field"},
    {Control::MixtureSpecies4Field, "mixtureSpecies4Field"},
    {Control::MixtureSpecies5Field, "mixtureSpecies5Field"},
    {Control::MixtureSpecies6Field, "mixtureSpecies6Field"},
    {Control::MixtureSpecies7Field, "mixtureSpecies7Field"},
    {Control::MixtureSpecies8Field, "mixtureSpecies8Field"},
    {Control::MixtureOkButton, "okButton"},
    {Control::PrintLineWidthField, "lineWidthField"},
    {Control::DashLengthField, "dashLengthField"},
    {Control::CharSizeField, "charSizeField"},
    {Control::GraduationsField, "graduationsField"},
    {Control::ZoomBox, "zoomBox"},
    {Control::ConstantsBox, "constantsBox"},
    {Control::ColourBox, "colourBox"},
    {Control::ArrowsBox, "arrowsBox"},
    {Control::GridBox, "gridBox"},
    {Control::PageFormatChoice, "pageFormatChoice"},
    {Control::Comment1Field, "comment1Field"},
    {Control::Comment2Field, "comment2Field"},
    {Control::PrintConfirmButton, "printButton"},
    {Control::PrintCancelButton, "cancelButton"},
    {Control::PrinterPropertiesButton, "printerPropertiesButton"},
    {Control::PrintPointStyleButton, "pointStyleButton"},
    {Control::PreviewButton, "previewButton"},
    {Control::PointStyleChoice, "styleChoice"},
    {Control::PointStyleOkButton, "okButton"},
    {Control::AboutOkButton, "okButton"},
    {Control::SheetText, "sheetText"},
};

constexpr bool inEnumerationOrder() {
    int k = 0;
    for (const NamedControl& c : kControlNames)
        if (static_cast<int>(c.control) != k++) return false;
    return true;
}
static_assert(inEnumerationOrder(), "one name per control, in the order of the enumeration");

// The panel's fields and their controls.
constexpr std::pair<Field, Control> kFieldControls[] = {
    {Field::BuretteConcentration, Control::BuretteConcentrationField},
    {Field::Concentration1, Control::Concentration1Field},
    {Field::Volume1, Control::Volume1Field},
    {Field::PKa1, Control::PKa1Field},
    {Field::PKa2, Control::PKa2Field},
    {Field::PKa3, Control::PKa3Field},
    {Field::LineWidth, Control::LineWidthField},
    {Field::Concentration2, Control::Concentration2Field},
    {Field::Volume2, Control::Volume2Field},
    {Field::PKa2_1, Control::Column2PKa1Field},
    {Field::PKa2_2, Control::Column2PKa2Field},
    {Field::PKa2_3, Control::Column2PKa3Field},
};

// The control of the field in slot `slot` of the panel.
Control fieldControlAt(int slot) {
    for (const auto& [field, control] : kFieldControls)
        if (static_cast<int>(field) == slot) return control;
    return Control::BuretteConcentrationField;
}

std::string speciesCaption(const Simulation& sim, int box) {
    const std::string& caption = sim.graph.captions[static_cast<std::size_t>(box - 2)];
    return caption.empty()
               ? say(sim.language, "espèce ", "species ") + std::to_string(speciesNumber(box))
               : caption;
}

// "du pH", "de l'espèce AH" ("pH", "species AH"): the curve the keyboard cursor follows.
std::string curveOf(const Simulation& sim, int series) {
    const Language l = sim.language;
    switch (series) {
    case 1:
        return say(l, "du pH", "pH");
    case 6:
        return say(l, "des ions H3O+", "H3O+ ion");
    case 8:
        return say(l, "de la conductivité", "conductivity");
    default:
        return say(l, "de l'espèce ", "species ") +
               speciesCaption(sim, speciesBoxOfSeries(sim.state.study, series));
    }
}

// The chosen colour indicator, or nullptr.
const ColourIndicator* chosenIndicator(const Simulation& sim) {
    const int k = sim.reading.options.indicator;
    return k >= 0 && k < static_cast<int>(colourIndicators().size()) ? &colourIndicators()[k]
                                                                     : nullptr;
}

// A pH to one decimal, with the chosen separator.
std::string oneDecimal(double x, char separator) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, 1);
    std::string text(buffer, end.ptr);
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

// "phénolphtaléine, de 8,2 à 10,0": an indicator and its transition range, in pH.
std::string indicatorWithRange(const ColourIndicator& i, const Simulation& sim) {
    const char separator = sim.decimalComma ? ',' : '.';
    const Language l = sim.language;
    return std::string(i.name.in(l)) + say(l, ", virage de ", ", changing colour from pH ") +
           oneDecimal(i.low, separator) + say(l, " à ", " to ") + oneDecimal(i.high, separator);
}

// The kind of a remarkable point spelled out, with its number.
std::string spelledPoint(PointKind kind, int number, Language l) {
    const std::string kindName =
        kind == PointKind::Equivalence  ? say(l, "Équivalence ", "Equivalence ")
        : kind == PointKind::Inflection ? say(l, "Point d'inflexion ", "Inflection point ")
                                        : say(l, "Demi-équivalence ", "Half-equivalence ");
    return kindName + std::to_string(number);
}

// What the readings add to the chart: the remarkable points, the derivative, the indicator,
// the kept curves; each sentence ends with ". ".
std::string readingsDescription(const Simulation& sim) {
    const Language l = sim.language;
    std::string text;
    const ReadingOptions& o = sim.reading.options;
    const bool titration = titrationOf(sim.state.study).has_value();
    const ColourIndicator* indicator = titration ? chosenIndicator(sim) : nullptr;
    if (titration && (o.equivalences || indicator) && !sim.reading.points.empty()) {
        text += say(l, "Points remarquables : ", "Key points: ");
        const std::vector<std::string> rows = spokenReadings(sim);
        for (std::size_t i = 0; i < rows.size(); ++i) text += (i ? " ; " : "") + rows[i];
        text += ". ";
    }
    if (titration && o.derivative && !sim.reading.derivative.empty())
        text += say(l, "La dérivée dpH/dV est tracée sur l'axe de droite. ",
                    "The derivative dpH/dV is drawn on the right-hand axis. ");
    if (indicator)
        text += say(l, "Indicateur coloré : ", "Colour indicator: ") +
                indicatorWithRange(*indicator, sim) + ". ";
    std::vector<const OverlayCurve*> frozen, family;
    for (const OverlayCurve& c : sim.overlays.curves) (c.family ? family : frozen).push_back(&c);
    auto list = [](const std::vector<const OverlayCurve*>& curves) {
        std::string out;
        for (std::size_t i = 0; i < curves.size(); ++i) out += (i ? ", " : "") + curves[i]->label;
        return out;
    };
    if (!frozen.empty())
        text += (frozen.size() > 1 ? say(l, "Courbes gardées : ", "Frozen curves: ")
                                   : say(l, "Courbe gardée : ", "Frozen curve: ")) +
                list(frozen) + ". ";
    if (!family.empty())
        text += say(l, "Famille de courbes, en plus de la courbe en cours : ",
                    "Family of curves, besides the current one: ") +
                list(family) + ". ";
    return text;
}
} // namespace

std::string_view controlName(Control control) {
    return kControlNames[static_cast<std::size_t>(control)].name;
}

std::string objectName(const ControlText& text) {
    std::string name(controlName(text.control));
    return text.item < 0 ? name : name + "_" + std::to_string(text.item);
}

const ControlText* find(const ControlTexts& texts, Control control, int item) {
    for (const ControlText& t : texts)
        if (t.control == control && t.item == item) return &t;
    return nullptr;
}

Control fieldControl(Field field) {
    return fieldControlAt(static_cast<int>(field));
}

ControlTexts mainWindowTexts(BuretteSide side, Study study, Language l) {
    const bool base = onBaseSide(side);
    const std::string buretteContents = say(l, "Contenu de la burette", "Contents of the burette");
    ControlTexts t;
    t.push_back({Control::SideChoice, 0,
                 say(l, "Monobase forte dans la burette", "Strong base in the burette"),
                 buretteContents});
    t.push_back({Control::SideChoice, 1,
                 say(l, "Monoacide fort dans la burette", "Strong acid in the burette"),
                 buretteContents});
    t.push_back({Control::StrongBaseChoice, 0,
                 say(l, "Soude comme monobase forte", "Sodium hydroxide as the strong base"), ""});
    t.push_back({Control::StrongBaseChoice, 1,
                 say(l, "Potasse comme monobase forte", "Potassium hydroxide as the strong base"),
                 ""});
    for (Study s : kStudies)
        t.push_back({Control::StudyChoice, static_cast<int>(s),
                     say(l, "Étude : ", "Study: ") + texts::studyName(side, s, l),
                     say(l, "Transformation étudiée", "Reaction studied")});

    t.push_back({Control::BuretteConcentrationField, -1,
                 "Concentration " + ofReagent(side, l) +
                     say(l, " dans la burette, en mol/L", " in the burette, in mol/L"),
                 statusPart(texts::fieldHint(side, 1, l))});
    for (int column : {1, 2}) {
        // Concentration, volume and the three pKa: the column's slots in the panel.
        const int first =
            static_cast<int>(slot(column == 1 ? Field::Concentration1 : Field::Concentration2));
        const std::string of = ofSubstance(side, column, l);
        // A base's pKa is that of its couple.
        const std::string pKaOf = (base ? say(l, "du couple ", "of the couple ") : "") + of;
        const std::string rows[5] = {"Concentration " + of + say(l, ", en mol/L", ", in mol/L"),
                                     say(l, "Volume initial ", "Initial volume ") + of +
                                         say(l, ", en L", ", in L"),
                                     "pKa1 " + pKaOf, "pKa2 " + pKaOf, "pKa3 " + pKaOf};
        for (int r = 0; r < 5; ++r)
            t.push_back({fieldControlAt(first + r), -1, rows[r],
                         statusPart(texts::fieldHint(side, first + r, l))});
    }
    t.push_back({Control::LineWidthField, -1,
                 say(l, "Épaisseur de trait à l'impression, en 1/100 mm",
                     "Line width for printing, in 1/100 mm"),
                 say(l, "Reprise par la fenêtre d'impression", "Used by the print window")});

    t.push_back({Control::EntryNameField, -1,
                 base ? say(l, "Nom de la base choisie dans la base de données",
                            "Name of the base chosen in the database")
                      : say(l, "Nom de l'acide choisi dans la base de données",
                            "Name of the acid chosen in the database"),
                 ""});
    t.push_back({Control::NextEntryButton, -1,
                 base ? say(l, "Base suivante de la base de données", "Next base in the database")
                      : say(l, "Acide suivant de la base de données", "Next acid in the database"),
                 ""});
    t.push_back(
        {Control::PreviousEntryButton, -1,
         base ? say(l, "Base précédente de la base de données", "Previous base in the database")
              : say(l, "Acide précédent de la base de données", "Previous acid in the database"),
         ""});
    for (int column : {1, 2})
        t.push_back(
            {Control::DatabaseColumnChoice, column - 1,
             say(l, "La base de données concerne ", "The database fills ") +
                 (base ? say(l, "la base ", "base ") : say(l, "l'acide ", "acid ")) +
                 std::to_string(column),
             say(l, "Colonne que remplit la base de données", "Column the database fills")});

    const bool results = study == Study::TwoPolyMixture;
    t.push_back(
        {Control::ShowButton, -1,
         results ? say(l, "Afficher les résultats", "Show the results")
                 : say(l, "Voir la simulation", "Show the simulation"),
         statusPart(texts::kHintShowButton.in(l)) + say(l, " (F11 ou Entrée)", " (F11 or Enter)")});
    t.push_back({Control::CopyButton, -1,
                 results ? say(l, "Copier les résultats", "Copy the results")
                         : say(l, "Copier la simulation", "Copy the simulation"),
                 statusPart(texts::kHintCopyButton.in(l)) + " (Ctrl+C)"});
    t.push_back({Control::PrintButton, -1, say(l, "Imprimer", "Print"),
                 say(l, "Ouvre les courbes, d'où l'on imprime (Ctrl+P)",
                     "Opens the curves, from which you print (Ctrl+P)")});
    t.push_back({Control::PasteVolumeFirstButton, -1,
                 say(l, "Coller des couples (v, pH)", "Paste pairs (v, pH)"),
                 say(l, "Mesures copiées d'un tableur, le volume d'abord (Ctrl+V)",
                     "Measurements copied from a spreadsheet, volume first (Ctrl+V)")});
    t.push_back({Control::PastePHFirstButton, -1,
                 say(l, "Coller des couples (pH, v)", "Paste pairs (pH, v)"),
                 say(l, "Mesures copiées d'un tableur, le pH d'abord (Ctrl+B)",
                     "Measurements copied from a spreadsheet, pH first (Ctrl+B)")});
    t.push_back({Control::PasteBuffer, -1, say(l, "Texte collé", "Pasted text"), ""});
    // The two panels that can be dragged off the window.
    t.push_back({Control::CommandsDock, -1, say(l, "Commandes", "Commands"),
                 say(l, "Voir, copier, imprimer et coller des mesures",
                     "Show, copy, print and paste measurements")});
    t.push_back({Control::DatabaseDock, -1, say(l, "Base de données", "Database"),
                 base ? say(l, "Choix de la base étudiée", "Choice of the base studied")
                      : say(l, "Choix de l'acide étudié", "Choice of the acid studied")});
    return t;
}

ControlTexts graphWindowTexts(const Simulation& sim) {
    const Language l = sim.language;
    const BuretteSide side = sim.state.side;
    const bool twoAcids = sim.state.study == Study::TwoMonoTitration;
    ControlTexts t;
    // Spoken as one paragraph: each line break of the hint follows a space.
    std::string hint = kChartHint.in(l);
    hint.erase(std::remove(hint.begin(), hint.end(), '\r'), hint.end());
    t.push_back({Control::Chart, -1, say(l, "Graphique des courbes", "Chart of the curves"),
                 chartDescription(sim) + " " + hint});
    t.push_back({Control::PointCountField, -1,
                 say(l, "Nombre de points des courbes", "Number of points of the curves"),
                 say(l, "De 10 à 250", "From 10 to 250")});
    t.push_back({Control::DilutionBox, -1,
                 say(l, "Tenir compte de la dilution pour les concentrations",
                     "Take dilution into account for the concentrations"),
                 ""});
    for (int box = 2; box <= 7; ++box) {
        const std::string& caption = sim.graph.captions[static_cast<std::size_t>(box - 2)];
        std::string name = say(l, "Courbe de l'espèce ", "Curve of species ") +
                           (caption.empty() ? std::to_string(speciesNumber(box)) : caption);
        // Boxes 6 and 7 always belong to acid 2; with two acids, say which is which.
        if (box >= 6)
            name += " " + ofSubstance(side, 2, l);
        else if (twoAcids)
            name += " " + ofSubstance(side, 1, l);
        t.push_back({kSpeciesBoxes[box - 2], -1, name, ""});
    }
    t.push_back({Control::ConductivityBox, -1,
                 say(l, "Courbe de la conductivité", "Conductivity curve"), ""});
    t.push_back({Control::PastedPointsBox, -1, say(l, "Points ajoutés", "Pasted points"),
                 say(l, "Les mesures collées depuis un tableur",
                     "The measurements pasted from a spreadsheet")});
    t.push_back(
        {Control::HydroniumBox, -1,
         say(l, "Courbe de la concentration des ions H3O+", "Curve of the H3O+ ion concentration"),
         ""});
    t.push_back(
        {Control::GraphPrintButton, -1, say(l, "Imprimer la courbe", "Print the curve"), ""});
    t.push_back({Control::GraphPointStyleButton, -1,
                 say(l, "Choisir le tracé des points collés", "Choose how pasted points are drawn"),
                 ""});
    t.push_back({Control::GraphCopyButton, -1,
                 say(l, "Copier la simulation", "Copy the simulation"),
                 say(l, "Vers un fichier et le presse-papiers", "To a file and the clipboard")});
    return t;
}

ControlTexts copyDialogTexts(Study study, Language l) {
    ControlTexts t;
    t.push_back({Control::CopyPointCountField, -1,
                 say(l, "Nombre de points souhaité", "Number of points wanted"), ""});
    const CopyChoices choices = copyChoicesFor(study, l);
    for (std::size_t i = 0; i < choices.items.size(); ++i)
        t.push_back({Control::SamplingChoice, static_cast<int>(i),
                     say(l, "Variation régulière : ", "Regular steps: ") + choices.items[i],
                     i == 0 ? texts::kSamplingRule.in(l) : ""});
    t.push_back({Control::CopyConfirmButton, -1, say(l, "Copier", "Copy"),
                 say(l, "Écrit les fichiers du tableau et le copie dans le presse-papiers",
                     "Writes the table's files and copies it to the clipboard")});
    t.push_back({Control::CopyCancelButton, -1, say(l, "Annuler", "Cancel"), ""});
    return t;
}

ControlTexts mixtureWindowTexts(BuretteSide side, Language l) {
    const bool base = onBaseSide(side);
    ControlTexts t;
    for (int column : {1, 2}) {
        const std::string of = (base ? say(l, "de la polybase ", "of polyprotic base ")
                                     : say(l, "du polyacide ", "of polyprotic acid ")) +
                               std::to_string(column);
        const Control* fields = column == 1 ? kPolyacid1Fields : kPolyacid2Fields;
        const std::string pKaOf = (base ? say(l, "du couple ", "of the couple ") : "") + of;
        const std::string rows[5] = {"pKa 1 " + pKaOf, "pKa 2 " + pKaOf, "pKa 3 " + pKaOf,
                                     say(l, "Volume initial ", "Initial volume ") + of +
                                         say(l, ", en mL", ", in mL"),
                                     say(l, "Concentration initiale ", "Initial concentration ") +
                                         of + say(l, ", en mol/L", ", in mol/L")};
        for (int r = 0; r < 5; ++r) t.push_back({fields[r], -1, rows[r], ""});
    }
    t.push_back({Control::MixtureVolumeField, -1,
                 say(l, "Volume total du mélange, en mL", "Total volume of the mixture, in mL"),
                 ""});
    t.push_back({Control::MixturePHField, -1, say(l, "pH du mélange", "pH of the mixture"), ""});
    t.push_back({Control::MixtureHydroniumField, -1,
                 say(l, "Concentration des ions hydronium du mélange, en mol/L",
                     "Hydronium ion concentration of the mixture, in mol/L"),
                 ""});
    for (int k = 0; k < 8; ++k)
        t.push_back({mixtureSpeciesField(k), -1,
                     say(l, "Concentration de ", "Concentration of ") +
                         mixtureSpeciesPlain(side, k / 4)[k % 4] +
                         say(l, " dans le mélange, en mol/L", " in the mixture, in mol/L"),
                     ""});
    t.push_back({Control::MixtureOkButton, -1,
                 say(l, "OK, fermer les résultats", "OK, close the results"), ""});
    return t;
}

ControlTexts printDialogTexts(Language l) {
    ControlTexts t;
    t.push_back({Control::PrintLineWidthField, -1,
                 say(l, "Épaisseur de trait, en 1/100 mm", "Line width, in 1/100 mm"),
                 say(l, "De 1 à 150", "From 1 to 150")});
    t.push_back({Control::DashLengthField, -1,
                 say(l, "Longueur du motif pointillé, en mm", "Length of the dash pattern, in mm"),
                 say(l, "De 1 à 15", "From 1 to 15")});
    t.push_back({Control::CharSizeField, -1,
                 say(l, "Taille des caractères, en points", "Character size, in points"),
                 say(l, "De 8 à 14", "From 8 to 14")});
    t.push_back({Control::GraduationsField, -1,
                 say(l, "Nombre approximatif de graduations", "Approximate number of graduations"),
                 say(l, "De 1 à 16", "From 1 to 16")});
    t.push_back({Control::ZoomBox, -1, say(l, "Zoom x 2 selon Ox", "Zoom x 2 along Ox"), ""});
    t.push_back(
        {Control::ConstantsBox, -1, say(l, "Imprimer les constantes", "Print the constants"), ""});
    t.push_back({Control::ColourBox, -1, say(l, "Imprimer en couleur", "Print in colour"), ""});
    t.push_back({Control::ArrowsBox, -1, say(l, "Axes avec des flèches", "Axes with arrows"), ""});
    t.push_back({Control::GridBox, -1, say(l, "Imprimer le quadrillage", "Print the grid"), ""});
    for (PageFormat f : {PageFormat::QuarterPage, PageFormat::HalfPage, PageFormat::Optimised})
        t.push_back({Control::PageFormatChoice, static_cast<int>(f),
                     say(l, "Format : ", "Format: ") + std::string(pageFormatCaption(f, l)),
                     std::string(texts::kPageFormatHint.in(l))});
    t.push_back({Control::Comment1Field, -1,
                 say(l, "Commentaire ajouté, première ligne", "Added comment, first line"), ""});
    t.push_back({Control::Comment2Field, -1,
                 say(l, "Commentaire ajouté, deuxième ligne", "Added comment, second line"), ""});
    t.push_back({Control::PrintConfirmButton, -1, say(l, "Imprimer", "Print"), "Ctrl+P"});
    t.push_back({Control::PrintCancelButton, -1, say(l, "Annuler", "Cancel"), "Ctrl+Z"});
    t.push_back({Control::PrinterPropertiesButton, -1,
                 say(l, "Propriétés imprimante", "Printer properties"),
                 say(l, "Imprimante, papier et orientation", "Printer, paper and orientation")});
    t.push_back(
        {Control::PrintPointStyleButton, -1,
         say(l, "Choisir le tracé des points", "Choose how points are drawn"),
         say(l, "Les points collés depuis un tableur", "The points pasted from a spreadsheet")});
    t.push_back(
        {Control::PreviewButton, -1, say(l, "Aperçu avant impression", "Print preview"), ""});
    return t;
}

ControlTexts pointChooserTexts(Language l) {
    ControlTexts t;
    for (int i = 0; i < kPointStyleCount; ++i)
        t.push_back(
            {Control::PointStyleChoice, i,
             say(l, "Dessin du point : ", "Point shape: ") + std::string(pointStyleCaptions(l)[i]),
             say(l, "Les points collés depuis un tableur",
                 "The points pasted from a spreadsheet")});
    t.push_back({Control::PointStyleOkButton, -1, "OK", ""});
    return t;
}

ControlTexts aboutBoxTexts(Language l) {
    return {{Control::AboutOkButton, -1, say(l, "OK, fermer", "OK, close"), ""}};
}

ControlTexts readerTexts(Language l) {
    return {{Control::SheetText, -1, say(l, "Texte du travail pratique", "Practical-work text"),
             say(l, "Lecture seule", "Read only")}};
}

std::string chartDescription(const Simulation& sim) {
    const Language l = sim.language;
    const ChemicalState& s = sim.state;
    const int main = cursorSeries(sim.curves);
    if (s.study == Study::None || s.study == Study::TwoPolyMixture || main == 0)
        return say(l, "Aucune courbe n'est tracée.", "No curve is drawn.");

    std::string text = texts::studyName(s.side, s.study, l) + ". ";
    Range x, y;
    for (const CurvePoint& p : sim.curves[main]) {
        x.add(p.x);
        y.add(p.y);
    }
    if (!x.empty())
        text += say(l, "En abscisse, ", "Horizontal axis: ") + sim.plot.bottomTitle + ", " +
                fromTo(x, l) + ". ";
    if (main == 1) {
        if (!y.empty()) text += "pH " + fromTo(y, l) + ". ";
    } else {
        // No pH curve: the species are drawn on their own axis, in mol/L.
        Range c;
        const double scale = sim.concentrationScale > 0 ? sim.concentrationScale : 1;
        for (int k = 2; k <= 6; ++k)
            for (const CurvePoint& p : sim.curves[k]) c.add(p.y / scale);
        if (!c.empty())
            text += say(l, "Concentrations jusqu'à ", "Concentrations up to ") + number(c.high) +
                    " mol/L. ";
    }

    std::vector<std::string> drawn;
    const bool dilution = s.study == Study::Dilution;
    const std::string referenceLines = say(l, "droites de repère", "reference lines");
    for (int k = 1; k <= 8; ++k) {
        if (sim.curves[k].empty()) continue;
        if (k == 1)
            drawn.push_back("pH");
        else if (k <= 5 && dilution) {
            if (std::find(drawn.begin(), drawn.end(), referenceLines) == drawn.end())
                drawn.push_back(referenceLines);
        } else if (k <= 5)
            drawn.push_back(speciesCaption(sim, speciesBoxOfSeries(s.study, k)));
        else if (k == 6)
            drawn.push_back("H3O+");
        else if (k == 7)
            drawn.push_back(say(l, "points ajoutés", "pasted points"));
        else
            drawn.push_back(say(l, "conductivité", "conductivity"));
    }
    text += drawn.size() > 1 ? say(l, "Courbes tracées : ", "Curves drawn: ")
                             : say(l, "Courbe tracée : ", "Curve drawn: ");
    for (std::size_t i = 0; i < drawn.size(); ++i) text += (i ? ", " : "") + drawn[i];
    text += ". " + readingsDescription(sim);
    if (l == Language::English)
        return text +
               "With the keyboard, the left and right arrows move a cursor from point to "
               "point along the " +
               curveOf(sim, main) + " curve; the Home and End keys take it to its ends.";
    text += "Au clavier, les flèches gauche et droite déplacent un curseur de point en point sur "
            "la courbe " +
            curveOf(sim, main) + ", les touches Début et Fin le portent à ses extrémités.";
    return text;
}

std::vector<std::string> spokenReadings(const Simulation& sim) {
    std::vector<std::string> rows = resultLines(sim);
    // The results write the points in this order; each line starts with the point's label.
    std::vector<std::pair<PointKind, int>> kinds;
    for (const EquivalenceReading& p : sim.reading.points) {
        kinds.emplace_back(PointKind::Half, p.number);
        if (p.inflection) kinds.emplace_back(PointKind::Inflection, p.number);
        kinds.emplace_back(PointKind::Equivalence, p.number);
    }
    for (std::size_t i = 0; i < rows.size() && i < kinds.size(); ++i) {
        const std::string label = pointLabel(kinds[i].first, kinds[i].second, sim.language);
        if (rows[i].compare(0, label.size(), label) == 0)
            rows[i].replace(0, label.size(),
                            spelledPoint(kinds[i].first, kinds[i].second, sim.language));
    }
    return rows;
}

std::string cursorPointText(const Simulation& sim, const ExactPoint* onCurve,
                            const ReadoutPanels& panels) {
    if (onCurve) {
        // The text on the curve without its "Sur la courbe" lead.
        const std::string text = onCurveText(sim, *onCurve);
        const std::size_t v = text.find("v = ");
        return v == std::string::npos ? text : text.substr(v);
    }
    std::string text;
    for (const std::string& panel : panels) {
        if (panel.empty()) continue;
        if (!text.empty()) text += kSemicolon.in(sim.language);
        text += panel;
    }
    return text;
}

std::string indicatorChoiceName(const Simulation& sim) {
    const Language l = sim.language;
    const ColourIndicator* indicator = chosenIndicator(sim);
    return std::string(texts::kIndicatorName.in(l)) + kColon.in(l) +
           (indicator ? indicatorWithRange(*indicator, sim)
                      : std::string(texts::kNoIndicator.in(l)));
}

} // namespace titralab::a11y
