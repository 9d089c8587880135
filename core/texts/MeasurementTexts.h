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
