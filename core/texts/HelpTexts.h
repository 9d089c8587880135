// The help window's own texts, in both languages.
#pragma once

#include "core/base/Language.h"

namespace titralab::texts::help {

inline constexpr Text kWindowTitle{"Aide de TitraLab", "TitraLab Help"};
inline constexpr Text kContentsButton{"&Sommaire", "&Contents"};
inline constexpr Text kBackButton{"&Précédent", "&Back"};
// Followed by the file name that was looked for.
inline constexpr Text kMissing{"La page d'aide est introuvable : ", "Help page not found: "};

} // namespace titralab::texts::help
