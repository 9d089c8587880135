#include "core/texts/AccessibleTexts.h"

#include "core/chemistry/Mixture.h"
#include "core/curves/CopyExport.h"
#include "core/curves/Readout.h"
#include "core/numbers/NumberFormat.h"
#include "core/page/PointStyles.h"
#include "core/page/PrintSettings.h"
#include "core/texts/InputTexts.h"
#include "core/texts/Messages.h"
#include "core/texts/WindowTexts.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace titralab::a11y {

namespace {

bool onBaseSide(BuretteSide side) {
    return side == BuretteSide::BaseSide;
}

// "de l'acide 1", "de la base 2": what the beaker holds in column 1 or 2.
std::string ofSubstance(BuretteSide side, int column) {
    return (onBaseSide(side) ? "de la base " : "de l'acide ") + std::to_string(column);
}

// The strong reagent of the burette.
std::string ofReagent(BuretteSide side) {
    return onBaseSide(side) ? "du monoacide fort" : "de la monobase forte";
}

// The text a hint shows in the status bar: after "|" when there is one, else the whole hint.
std::string statusPart(std::string_view hint) {
    const std::size_t bar = hint.find('|');
    return std::string(bar == std::string_view::npos ? hint : hint.substr(bar + 1));
}

std::string item(const std::string& group, int index) {
    return group + "_" + std::to_string(index);
}

constexpr Study kStudies[] = {Study::TitrationVsVolume, Study::SpeciesVsPH, Study::TwoMonoTitration,
                              Study::TwoPolyMixture, Study::Dilution};

std::string number(double x) {
    return formatGeneral(x, 4, '.');
}

using Range = ValueRange;

std::string fromTo(const Range& r) {
    const double span = r.high - r.low;
    return "de " + number(withoutRoundingOfZero(r.low, span)) + " à " +
           number(withoutRoundingOfZero(r.high, span));
}

// The box whose caption names the species drawn by series 2..5.
int speciesBoxOfSeries(Study study, int series) {
    if (study == Study::TwoMonoTitration && series >= 4) return series + 2; // CheckBox6, 7
    return series;
}

// The number of a box's species in its acid: CheckBox2..5 are species 1..4 of acid 1,
// CheckBox6 and 7 species 1 and 2 of acid 2.
int speciesNumber(int box) {
    return box <= 5 ? box - 1 : box - 5;
}

std::string speciesCaption(const Simulation& sim, int box) {
    const std::string& caption = sim.graph.captions[static_cast<std::size_t>(box - 2)];
    return caption.empty() ? "espèce " + std::to_string(speciesNumber(box)) : caption;
}

// "du pH", "de l'espèce AH": the curve the keyboard cursor follows.
std::string curveOf(const Simulation& sim, int series) {
    switch (series) {
    case 1:
        return "du pH";
    case 6:
        return "des ions H3O+";
    case 8:
        return "de la conductivité";
    default:
        return "de l'espèce " + speciesCaption(sim, speciesBoxOfSeries(sim.state.study, series));
    }
}

} // namespace

const ControlText* find(const ControlTexts& texts, std::string_view control) {
    for (const ControlText& t : texts)
        if (t.control == control) return &t;
    return nullptr;
}

ControlTexts mainWindowTexts(BuretteSide side, Study study) {
    const bool base = onBaseSide(side);
    ControlTexts t;
    t.push_back({"RadioGroup4_0", "Monobase forte dans la burette", "Contenu de la burette"});
    t.push_back({"RadioGroup4_1", "Monoacide fort dans la burette", "Contenu de la burette"});
    t.push_back({"RadioGroup3_0", "Soude comme monobase forte", ""});
    t.push_back({"RadioGroup3_1", "Potasse comme monobase forte", ""});
    for (Study s : kStudies)
        t.push_back({item("RadioGroup1", static_cast<int>(s)),
                     "Étude : " + texts::studyName(side, s), "Transformation étudiée"});

    t.push_back({"D1", "Concentration " + ofReagent(side) + " dans la burette, en mol/L",
                 statusPart(texts::kFieldHint[1].fr)});
    for (int column : {1, 2}) {
        const int first = column == 1 ? 2 : 12; // D2..D6, D12..D16
        const std::string of = ofSubstance(side, column);
        // A base's pKa is that of its couple.
        const std::string pKaOf = (base ? "du couple " : "") + of;
        const std::string rows[5] = {"Concentration " + of + ", en mol/L",
                                     "Volume initial " + of + ", en L", "pKa1 " + pKaOf,
                                     "pKa2 " + pKaOf, "pKa3 " + pKaOf};
        for (int r = 0; r < 5; ++r)
            t.push_back({"D" + std::to_string(first + r), rows[r],
                         statusPart(texts::fieldHint(side, first + r))});
    }
    t.push_back({"D11", "Épaisseur de trait à l'impression, en 1/100 mm",
                 "Reprise par la fenêtre d'impression"});

    t.push_back({"Edit1",
                 base ? "Nom de la base choisie dans la base de données"
                      : "Nom de l'acide choisi dans la base de données",
                 ""});
    t.push_back(
        {"BitBtn2",
         base ? "Base suivante de la base de données" : "Acide suivant de la base de données", ""});
    t.push_back(
        {"BitBtn1",
         base ? "Base précédente de la base de données" : "Acide précédent de la base de données",
         ""});
    for (int column : {1, 2})
        t.push_back({item("RadioGroup2", column - 1),
                     "La base de données concerne " + std::string(base ? "la base " : "l'acide ") +
                         std::to_string(column),
                     "Colonne que remplit la base de données"});

    const bool results = study == Study::TwoPolyMixture;
    t.push_back({"U1", results ? "Afficher les résultats" : "Voir la simulation",
                 statusPart(texts::kHintShowButton.fr) + " (F11 ou Entrée)"});
    t.push_back({"U3", results ? "Copier les résultats" : "Copier la simulation",
                 statusPart(texts::kHintCopyButton.fr) + " (Ctrl+C)"});
    t.push_back({"BoutonImprimer", "Imprimer", "Ouvre les courbes, d'où l'on imprime (Ctrl+P)"});
    t.push_back({"BoutonCollerVpH", "Coller des couples (v, pH)",
                 "Mesures copiées d'un tableur, le volume d'abord (Ctrl+V)"});
    t.push_back({"BoutonCollerpHV", "Coller des couples (pH, v)",
                 "Mesures copiées d'un tableur, le pH d'abord (Ctrl+B)"});
    t.push_back({"Memo1", "Texte collé", ""});
    return t;
}

ControlTexts graphWindowTexts(const Simulation& sim) {
    const BuretteSide side = sim.state.side;
    const bool twoAcids = sim.state.study == Study::TwoMonoTitration;
    ControlTexts t;
    // Spoken as one paragraph: each line break of the hint follows a space.
    std::string hint = kChartHint;
    hint.erase(std::remove(hint.begin(), hint.end(), '\r'), hint.end());
    t.push_back({"Chart1", "Graphique des courbes", chartDescription(sim) + " " + hint});
    t.push_back({"Edit1", "Nombre de points des courbes", "De 10 à 250"});
    t.push_back({"CheckBox1", "Tenir compte de la dilution pour les concentrations", ""});
    for (int box = 2; box <= 7; ++box) {
        const std::string& caption = sim.graph.captions[static_cast<std::size_t>(box - 2)];
        std::string name = "Courbe de l'espèce " +
                           (caption.empty() ? std::to_string(speciesNumber(box)) : caption);
        // CheckBox6 and 7 always belong to acid 2; with two acids, say which is which.
        if (box >= 6)
            name += " " + ofSubstance(side, 2);
        else if (twoAcids)
            name += " " + ofSubstance(side, 1);
        t.push_back({"CheckBox" + std::to_string(box), name, ""});
    }
    t.push_back({"CheckBox8", "Courbe de la conductivité", ""});
    t.push_back({"CheckBox9", "Points ajoutés", "Les mesures collées depuis un tableur"});
    t.push_back({"CheckBox10", "Courbe de la concentration des ions H3O+", ""});
    t.push_back({"Button1", "Imprimer la courbe", ""});
    t.push_back({"Button2", "Choisir le tracé des points collés", ""});
    t.push_back({"Button3", "Copier la simulation", "Vers un fichier et le presse-papiers"});
    return t;
}

ControlTexts copyDialogTexts(Study study) {
    ControlTexts t;
    t.push_back({"Edit1", "Nombre de points souhaité", ""});
    const CopyChoices choices = copyChoicesFor(study);
    for (std::size_t i = 0; i < choices.items.size(); ++i)
        t.push_back({item("RadioGroup3", static_cast<int>(i)),
                     "Variation régulière : " + choices.items[i], i == 0 ? kSamplingRule : ""});
    t.push_back(
        {"Button1", "Copier", "Écrit les fichiers du tableau et le copie dans le presse-papiers"});
    t.push_back({"Button2", "Annuler", ""});
    return t;
}

ControlTexts mixtureWindowTexts(BuretteSide side) {
    const bool base = onBaseSide(side);
    ControlTexts t;
    for (int column : {1, 2}) {
        const std::string of =
            (base ? "de la polybase " : "du polyacide ") + std::to_string(column);
        const int first = column == 1 ? 1 : 6; // Edit1..Edit5, Edit6..Edit10
        const std::string pKaOf = (base ? "du couple " : "") + of;
        const std::string rows[5] = {"pKa 1 " + pKaOf, "pKa 2 " + pKaOf, "pKa 3 " + pKaOf,
                                     "Volume initial " + of + ", en mL",
                                     "Concentration initiale " + of + ", en mol/L"};
        for (int r = 0; r < 5; ++r) t.push_back({"Edit" + std::to_string(first + r), rows[r], ""});
    }
    t.push_back({"Edit21", "Volume total du mélange, en mL", ""});
    t.push_back({"Edit11", "pH du mélange", ""});
    t.push_back({"Edit20", "Concentration des ions hydronium du mélange, en mol/L", ""});
    for (int k = 0; k < 8; ++k)
        t.push_back({"Edit" + std::to_string(12 + k),
                     "Concentration de " + mixtureSpeciesPlain(side, k / 4)[k % 4] +
                         " dans le mélange, en mol/L",
                     ""});
    t.push_back({"BitBtn1", "OK, fermer les résultats", ""});
    return t;
}

ControlTexts printDialogTexts() {
    ControlTexts t;
    t.push_back({"D1", "Épaisseur de trait, en 1/100 mm", "De 1 à 150"});
    t.push_back({"Edit3", "Longueur du motif pointillé, en mm", "De 1 à 15"});
    t.push_back({"D2", "Taille des caractères, en points", "De 8 à 14"});
    t.push_back({"D3", "Nombre approximatif de graduations", "De 1 à 16"});
    t.push_back({"CheckBox1", "Zoom x 2 selon Ox", ""});
    t.push_back({"CheckBox3", "Imprimer les constantes", ""});
    t.push_back({"CheckBox4", "Imprimer en couleur", ""});
    t.push_back({"CheckBox5", "Axes avec des flèches", ""});
    t.push_back({"CheckBox2", "Imprimer le quadrillage", ""});
    for (PageFormat f : {PageFormat::QuarterPage, PageFormat::HalfPage, PageFormat::Optimised})
        t.push_back({item("RadioGroup1", static_cast<int>(f)),
                     "Format : " + std::string(pageFormatCaption(f)),
                     std::string(kPageFormatHint)});
    t.push_back({"Edit1", "Commentaire ajouté, première ligne", ""});
    t.push_back({"Edit2", "Commentaire ajouté, deuxième ligne", ""});
    t.push_back({"Button1", "Imprimer", "Ctrl+P"});
    t.push_back({"Button2", "Annuler", "Ctrl+Z"});
    t.push_back({"Button3", "Propriétés imprimante", "Imprimante, papier et orientation"});
    t.push_back({"Button4", "Choisir le tracé des points", "Les points collés depuis un tableur"});
    t.push_back({"ButtonApercu", "Aperçu avant impression", ""});
    return t;
}

ControlTexts pointChooserTexts() {
    ControlTexts t;
    for (int i = 0; i < kPointStyleCount; ++i)
        t.push_back({item("RadioGroup1", i),
                     "Dessin du point : " + std::string(pointStyleCaptions()[i]),
                     "Les points collés depuis un tableur"});
    t.push_back({"Button1", "OK", ""});
    return t;
}

ControlTexts aboutBoxTexts() {
    return {{"OKButton", "OK, fermer", ""}};
}

ControlTexts readerTexts() {
    return {{"RichEdit1", "Texte du travail pratique", "Lecture seule"}};
}

std::string chartDescription(const Simulation& sim) {
    const ChemicalState& s = sim.state;
    const int main = cursorSeries(sim.curves);
    if (s.study == Study::None || s.study == Study::TwoPolyMixture || main == 0)
        return "Aucune courbe n'est tracée.";

    std::string text = texts::studyName(s.side, s.study) + ". ";
    Range x, y;
    for (const CurvePoint& p : sim.curves[main]) {
        x.add(p.x);
        y.add(p.y);
    }
    if (!x.empty()) text += "En abscisse, " + sim.plot.bottomTitle + ", " + fromTo(x) + ". ";
    if (main == 1) {
        if (!y.empty()) text += "pH " + fromTo(y) + ". ";
    } else {
        // No pH curve: the species are drawn on their own axis, in mol/L.
        Range c;
        const double scale = sim.concentrationScale > 0 ? sim.concentrationScale : 1;
        for (int k = 2; k <= 6; ++k)
            for (const CurvePoint& p : sim.curves[k]) c.add(p.y / scale);
        if (!c.empty()) text += "Concentrations jusqu'à " + number(c.high) + " mol/L. ";
    }

    std::vector<std::string> drawn;
    const bool dilution = s.study == Study::Dilution;
    for (int k = 1; k <= 8; ++k) {
        if (sim.curves[k].empty()) continue;
        if (k == 1)
            drawn.push_back("pH");
        else if (k <= 5 && dilution) {
            if (std::find(drawn.begin(), drawn.end(), "droites de repère") == drawn.end())
                drawn.push_back("droites de repère");
        } else if (k <= 5)
            drawn.push_back(speciesCaption(sim, speciesBoxOfSeries(s.study, k)));
        else if (k == 6)
            drawn.push_back("H3O+");
        else if (k == 7)
            drawn.push_back("points ajoutés");
        else
            drawn.push_back("conductivité");
    }
    text += drawn.size() > 1 ? "Courbes tracées : " : "Courbe tracée : ";
    for (std::size_t i = 0; i < drawn.size(); ++i) text += (i ? ", " : "") + drawn[i];
    text += ". Au clavier, les flèches gauche et droite déplacent un curseur de point en point sur "
            "la courbe " +
            curveOf(sim, main) + ", les touches Début et Fin le portent à ses extrémités.";
    return text;
}

} // namespace titralab::a11y
