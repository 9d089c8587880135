// The texts of the practical-work sheet reader (its File and Edit menus are the main window's).
#pragma once

#include "core/base/Language.h"

namespace titralab::texts {

inline constexpr Text kSheetCaption{"Lire une fiche de travail pratique",
                                    "Read a practical-work sheet"};
inline constexpr Text kSheetPrint{"&Imprimer", "&Print"};
inline constexpr Text kSheetCopy{"&Copier", "&Copy"};
inline constexpr Text kSheetOpenTitle{"Ouverture d'un fichier texte", "Open a text file"};
// The one filter of the open dialog, showing both kinds of sheet.
inline constexpr Text kSheetOpenFilterName{"Fichiers texte (txt ou rtf)",
                                           "Text files (txt or rtf)"};
inline constexpr Text kSheetOpenFilterPatterns{"*.rtf *.txt", "*.rtf *.txt"};

} // namespace titralab::texts
