#include "core/session/WindowDescriptions.h"

#include "core/chemistry/Indicators.h"
#include "core/chemistry/Mixture.h"
#include "core/curves/ChartReading.h"
#include "core/session/ChartReading.h"
#include "core/session/CopyExport.h"
#include "core/curves/Readout.h"
#include "core/session/Readout.h"
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

#include "core/session/DescriptionWords.h"

namespace titralab::a11y {

using namespace words;

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
            t.push_back({fieldControl(static_cast<Field>(first + r)), -1, rows[r],
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

} // namespace titralab::a11y
