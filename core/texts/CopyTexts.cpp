#include "core/texts/CopyTexts.h"

#include "core/texts/Messages.h"

namespace titralab::texts {

namespace {

constexpr Text kNeedsStudy{"Choisissez d'abord une étude : il n'y a encore rien à copier.",
                           "Choose a study first: there is nothing to copy yet."};
constexpr Text kFailed{"La copie a échoué : les fichiers n'ont pas pu être écrits dans le "
                       "dossier ",
                       "The copy failed: the files could not be written into the folder "};
constexpr Text kSystemReason{"Raison donnée par le système : ", "Reason given by the system: "};

} // namespace

std::string copyNeedsStudy(Language language) {
    return kNeedsStudy.in(language);
}

std::string copyFailed(const std::string& folder, const std::string& reason, Language language) {
    return std::string(kFailed.in(language)) + folder + kLineBreak + kSystemReason.in(language) +
           reason;
}

} // namespace titralab::texts
