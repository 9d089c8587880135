// The texts of the generated curves: legends, window and chart titles, axes, and the dilution
// warning (one line in the copied table, two on the printed page).
#pragma once

#include "core/base/Language.h"

namespace titralab::texts {

inline constexpr Text kDilutionWarning1{"Attention, l'effet de dilution n'est pas",
                                        "Warning: dilution is not taken"};
inline constexpr Text kDilutionWarning2{"pris en compte pour les concentrations",
                                        "into account in the concentrations"};

inline constexpr Text kConductivityCaption{"Conductivité", "Conductivity"};
inline constexpr Text kPastedCaption{"Points ajoutés", "Added points"};

inline constexpr Text kDefaultWindowTitle{"Représentations graphiques :", "Graphs:"};
inline constexpr Text kDefaultChartTitle{"Concentration des diverses espèces chimiques",
                                         "Concentrations of the species"};
inline constexpr Text kGraphWindowTitle{"Pour revenir à la page principale, fermez celle-ci",
                                        "Close this window to return to the main page"};
inline constexpr Text kTitrationTitle{"Monobase forte versée sur mono, di ou triacide : évolution du pH "
                                      "et des concentrations en fonction de v de base versé",
                                      "Strong base added to a mono-, di- or triprotic acid: pH and "
                                      "concentrations against the volume of base added"};
inline constexpr Text kSpeciesTitle{"Mono, di ou triacide : évolution des concentrations des "
                                    "différentes espèces chimiques en fonction du pH",
                                    "Mono-, di- or triprotic acid: concentrations of the species "
                                    "against pH"};
inline constexpr Text kTwoMonoTitle{"Monobase forte versée sur un mélange de 2 monoacides : évolution "
                                    "du pH et des concentrations",
                                    "Strong base added to a mixture of 2 monoprotic acids: pH and "
                                    "concentrations"};
inline constexpr Text kBaseTitrationTitle{"Monoacide fort versé sur mono, di ou tribase : évolution du pH "
                                          "et des concentrations en fonction de v d'acide versé",
                                          "Strong acid added to a mono-, di- or triprotic base: pH and "
                                          "concentrations against the volume of acid added"};
inline constexpr Text kBaseTwoMonoTitle{"Monoacide fort versé sur un mélange de 2 monobases : évolution "
                                        "du pH et des concentrations",
                                        "Strong acid added to a mixture of 2 monoprotic bases: pH and "
                                        "concentrations"};
inline constexpr Text kDilutionTitle{"Dilution d'un acide", "Dilution of an acid"};
inline constexpr Text kPHAxis{"pH de 0 à 14", "pH from 0 to 14"};
inline constexpr Text kConcentrationAxis{"Concentrations en mol / L", "Concentrations in mol / L"};
inline constexpr Text kImposedPHAxis{"pH imposé", "Imposed pH"};
inline constexpr Text kLogConcentrationAxis{"- Log (concentration de l'acide)",
                                            "- Log (acid concentration)"};
inline constexpr Text kBaseAddedIn{"v de monobase forte versé, en ", "v of strong base added, in "};
inline constexpr Text kAcidAddedIn{"v de monoacide fort versé, en ", "v of strong acid added, in "};

// Headers of the exported tables' first column: the volume of what the burette holds, a
// strong base on the acid side, a strong acid on the base side.
inline constexpr Text kVolumeHeader{"v de monobase", "v of titrant"};
inline constexpr Text kAcidVolumeHeader{"v de monoacide", "v of titrant"};
inline constexpr Text kLogAcidHeader{"Log(concentration de l'acide)", "Log(acid concentration)"};
inline constexpr Text kLogBaseHeader{"Log(concentration de la base)", "Log(base concentration)"};

} // namespace titralab::texts
