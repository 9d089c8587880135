// The texts of imported measurement files and of the equivalence read from measured points.
#pragma once

#include "core/base/Language.h"

namespace titralab::texts {

inline constexpr Text kImportedPHPoints{" points de pH importés", " pH points imported"};
inline constexpr Text kImportedConductivityPoints{" points de conductivité importés",
                                                  " conductivity points imported"};
inline constexpr Text kVolumesIn{"volumes en ", "volumes in "};
inline constexpr Text kConductivitiesIn{"conductivités en ", "conductivities in "};
inline constexpr Text kUnitRead{" (lu dans l'en-tête)", " (read in the header)"};
inline constexpr Text kUnitAssumed{" (supposé)", " (assumed)"};
inline constexpr Text kConvertedToSiemens{", converties en S/m", ", converted to S/m"};
inline constexpr Text kMeasurementBinary{"Le fichier « ", "The file \""};
inline constexpr Text kMeasurementBinaryEnd{" » n'est pas un fichier texte de mesures.",
                                            "\" is not a text file of measurements."};
inline constexpr Text kMeasurementNoLine{"Aucune ligne de mesures lisible dans « ",
                                         "No readable line of measurements in \""};
inline constexpr Text kMeasurementNoLineEnd{" » : rien n'est importé.", "\": nothing is imported."};
inline constexpr Text kOneBadLine{" ligne illisible ignorée :", " unreadable line left out:"};
inline constexpr Text kBadLines{" lignes illisibles ignorées, dont :",
                                " unreadable lines left out, among them:"};
inline constexpr Text kLineNumber{"ligne ", "line "};
inline constexpr Text kDroppedRows{" lignes au-delà de 200 points non importées",
                                   " lines beyond 200 points not imported"};

inline constexpr Text kColumnsChosen{"Colonnes : ", "Columns: "};
inline constexpr Text kColumnVolume{"volume", "volume"};
inline constexpr Text kColumnPH{"pH", "pH"};
inline constexpr Text kColumnConductivity{"conductivité", "conductivity"};

// The methods that read the equivalence off measured points, as named on the command line.
inline constexpr Text kMethodDerivative{"dérivée", "derivative"};
inline constexpr Text kMethodTangents{"tangentes", "tangents"};
inline constexpr Text kMethodGran{"Gran", "Gran"};
inline constexpr Text kMethodConductimetric{"conductimétrie", "conductimetric"};
// The reading panel's lines: "Mesures — dérivée : V_E = 10,02 ± 0,05 mL".
inline constexpr Text kMeasuredLine{"Mesures — ", "Measured — "};
inline constexpr Text kGranBefore{" (avant)", " (before)"}; // the line fitted before the jump
inline constexpr Text kGranAfter{" (après)", " (after)"};
// The reading panel's box that draws the tangent construction on the measured points.
inline constexpr Text kTangentsBox{"Méthode des tangentes", "Tangent method"};
inline constexpr Text kTangentsName{"Tracer la méthode des tangentes sur les points mesurés",
                                    "Draw the tangent method on the measured points"};
// The derivative of the measured points on the chart.
inline constexpr Text kMeasuredDerivativeBox{"Dérivée des mesures",
                                             "Derivative of the measurements"};
inline constexpr Text kMeasuredDerivativeName{
    "Tracer dpH/dV des points mesurés, lissés, le plus grand à 12 sur l'axe du pH",
    "Draw dpH/dV of the measured points, smoothed, its largest at 12 on the pH axis"};
// The conductimetric method's lines on the chart.
inline constexpr Text kConductimetricBox{"Droites conductimétriques", "Conductimetric lines"};
inline constexpr Text kConductimetricName{
    "Tracer les droites de la méthode conductimétrique sur les conductivités mesurées",
    "Draw the conductimetric method's lines over the measured conductivities"};
// The copied table's block of the equivalences read off the measurements.
inline constexpr Text kMeasuredEquivalences{"Équivalences lues sur les mesures",
                                            "Equivalences read off the measurements"};
// The spread of the equivalence when the measurements are perturbed.
inline constexpr Text kMonteCarloLine{"Monte-Carlo — ", "Monte-Carlo — "};
inline constexpr Text kDraws{" tirages", " draws"};
inline constexpr Text kMonteCarloCancelled{"Monte-Carlo interrompu : résultats partiels.",
                                           "Monte-Carlo stopped: partial results."};
// Gran's plots in the graph window's tab and the tool's pictures.
inline constexpr Text kGranTitle{"Méthode de Gran — ", "Gran's method — "};
inline constexpr Text kGranBeforeJump{"avant le saut", "before the jump"};
inline constexpr Text kGranAfterJump{"après le saut", "after the jump"};
inline constexpr Text kGranFitted{"Droite ajustée de ", "Line fitted from "};
inline constexpr Text kGranLine{"Droite ajustée", "Fitted line"};
inline constexpr Text kGranRange{"Domaine de l'ajustement", "Fitted range"};
inline constexpr Text kGranWeakAcid{"(v + δ)·10^(−pH)", "(v + δ)·10^(−pH)"};
inline constexpr Text kGranWeakBase{"(v + δ)·10^(pH − pKe)", "(v + δ)·10^(pH − pKe)"};
inline constexpr Text kGranStrongAcid{"(V₀ + v)·([H₃O⁺] − [HO⁻])", "(V₀ + v)·([H₃O⁺] − [HO⁻])"};
inline constexpr Text kGranStrongBase{"(V₀ + v)·([HO⁻] − [H₃O⁺])", "(V₀ + v)·([HO⁻] − [H₃O⁺])"};
inline constexpr Text kGranAfterAcid{"(V₀ + v)·([HO⁻] − [H₃O⁺])", "(V₀ + v)·([HO⁻] − [H₃O⁺])"};
inline constexpr Text kGranAfterBase{"(V₀ + v)·([H₃O⁺] − [HO⁻])", "(V₀ + v)·([H₃O⁺] − [HO⁻])"};
inline constexpr Text kGranNoPoints{
    "La méthode de Gran lit des points de pH mesurés sur un titrage : collez-en ou importez-en.",
    "Gran's method reads measured pH points of a titration: paste or import some."};
inline constexpr Text kGranNoLine{
    "Pas assez de points mesurés dans le domaine pour tracer la droite de Gran.",
    "Too few measured points in the range to draw Gran's line."};
// The graph window's tabs and the Gran tab's fields.
inline constexpr Text kCurveTab{"Courbe", "Curve"};
inline constexpr Text kGranTab{"Gran", "Gran"};
inline constexpr Text kChartTabsName{"Vue : la courbe ou les droites de Gran",
                                     "View: the curve or Gran's lines"};
inline constexpr Text kGranFromBefore{"Domaine de la droite a&vant le saut :",
                                      "Range of the line be&fore the jump:"};
inline constexpr Text kGranToBefore{"à", "to"};
inline constexpr Text kGranFromAfter{"Domaine de la droite a&près le saut :",
                                     "Range of the line afte&r the jump:"};
inline constexpr Text kGranToAfter{"à", "to"};
inline constexpr Text kGranAutomatic{"Automatique", "Automatic"};
inline constexpr Text kGranStartBeforeName{"Début du domaine de la droite avant le saut",
                                           "Start of the range of the line before the jump"};
inline constexpr Text kGranEndBeforeName{"Fin du domaine de la droite avant le saut",
                                         "End of the range of the line before the jump"};
inline constexpr Text kGranStartAfterName{"Début du domaine de la droite après le saut",
                                          "Start of the range of the line after the jump"};
inline constexpr Text kGranEndAfterName{"Fin du domaine de la droite après le saut",
                                        "End of the range of the line after the jump"};
inline constexpr Text kGranAutomaticBeforeName{
    "Domaine de la droite avant le saut choisi d'après les points",
    "Range of the line before the jump chosen from the points"};
inline constexpr Text kGranAutomaticAfterName{
    "Domaine de la droite après le saut choisi d'après les points",
    "Range of the line after the jump chosen from the points"};
inline constexpr Text kGranHint{
    "Faites glisser un bord du domaine (trait gris) ou tapez ses volumes ; Entrée ajuste la "
    "droite.",
    "Drag an end of the range (grey line) or type its volumes; Enter fits the line."};
inline constexpr Text kGranRangeRefused{"Domaine refusé : tapez deux volumes croissants.",
                                        "Range refused: type two increasing volumes."};
// The derivative method's smoothing window.
inline constexpr Text kSmoothing{"Lissage :", "Smoothing:"};
inline constexpr Text kSmoothingNone{"aucun", "none"};
inline constexpr Text kSmoothingName{
    "Lissage de Savitzky-Golay avant la dérivée des mesures, en points",
    "Savitzky-Golay smoothing before the derivative of the measurements, in points"};
// The Monte-Carlo dialog of the reading panel.
inline constexpr Text kMonteCarloButton{"Monte-Carlo…", "Monte-Carlo…"};
inline constexpr Text kMonteCarloButtonName{
    "Dispersion de l'équivalence lue sur les mesures perturbées (Monte-Carlo)",
    "Spread of the equivalence read off the perturbed measurements (Monte-Carlo)"};
inline constexpr Text kMonteCarloTitle{"Monte-Carlo : dispersion de l'équivalence mesurée",
                                       "Monte-Carlo: spread of the measured equivalence"};
inline constexpr Text kMonteCarloDraws{"&Nombre de tirages :", "&Number of draws:"};
inline constexpr Text kMonteCarloSigmaPH{"Incertitude sur chaque &pH :",
                                         "Uncertainty of each &pH:"};
inline constexpr Text kMonteCarloSigmaVolume{"Incertitude sur chaque &volume (mL) :",
                                             "Uncertainty of each &volume (mL):"};
inline constexpr Text kMonteCarloDrawsName{"Nombre de tirages", "Number of draws"};
inline constexpr Text kMonteCarloSigmaPHName{"Incertitude-type sur chaque pH mesuré",
                                             "Standard uncertainty of each measured pH"};
inline constexpr Text kMonteCarloSigmaVolumeName{
    "Incertitude-type sur chaque volume lu à la burette, en millilitres",
    "Standard uncertainty of each burette reading, in millilitres"};
inline constexpr Text kMonteCarloResultsName{"Dispersion de chaque méthode",
                                             "Spread of each method"};
inline constexpr Text kMonteCarloRun{"&Calculer", "&Compute"};
inline constexpr Text kMonteCarloClose{"&Fermer", "C&lose"};
inline constexpr Text kMonteCarloRunning{"Tirages en cours…", "Drawing…"};
inline constexpr Text kMonteCarloStop{"&Arrêter", "&Stop"};
inline constexpr Text kMonteCarloDrawsRefused{
    "Le nombre de tirages est un entier de 10 à 100 000.",
    "The number of draws is a whole number from 10 to 100,000."};
inline constexpr Text kMonteCarloSigmaRefused{"Une incertitude est un nombre de 0 à 1.",
                                              "An uncertainty is a number from 0 to 1."};
inline constexpr Text kMonteCarloNothing{"Aucune méthode ne trouve d'équivalence sur ces points.",
                                         "No method finds an equivalence on these points."};
// The imported conductivities: the chart's legend and the copied table's block.
inline constexpr Text kMeasuredConductivities{"Conductivités mesurées", "Measured conductivities"};
inline constexpr Text kMeasuredConductivityColumns{"v (L)\tσ (S/m)", "v (L)\tσ (S/m)"};

// The import dialog.
inline constexpr Text kImportMenu{"Importer des &mesures…", "Import &measurements…"};
inline constexpr Text kMeasurementFilter{
    "Fichiers de mesures (*.csv *.txt *.tsv *.dat);;Tous les fichiers (*)",
    "Measurement files (*.csv *.txt *.tsv *.dat);;All files (*)"};
inline constexpr Text kImportTitle{"Importer des mesures", "Import measurements"};
inline constexpr Text kImportPreview{"Début du fichier :", "Beginning of the file:"};
inline constexpr Text kImportFound{" colonnes trouvées, ", " columns found, "};
inline constexpr Text kImportRows{" lignes de mesures", " lines of measurements"};
inline constexpr Text kImportVolume{"Colonne du &volume :", "&Volume column:"};
inline constexpr Text kImportPH{"Colonne du &pH :", "&pH column:"};
inline constexpr Text kImportConductivity{"Colonne de la c&onductivité :", "C&onductivity column:"};
inline constexpr Text kImportVolumeUnit{"&Unité des volumes :", "Volume &unit:"};
inline constexpr Text kImportConductivityUnit{"Unité des con&ductivités :",
                                              "Con&ductivity unit:"};
inline constexpr Text kImportNoColumn{"(aucune)", "(none)"};
inline constexpr Text kImportColumn{"colonne ", "column "};
inline constexpr Text kImportAccept{"&Importer", "&Import"};
inline constexpr Text kImportCancel{"&Annuler", "&Cancel"};
inline constexpr Text kImportNeedsValues{"Choisissez une colonne de pH ou de conductivité.",
                                         "Choose a pH or a conductivity column."};

} // namespace titralab::texts
