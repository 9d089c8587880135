#include "core/texts/CopyTexts.h"

#include "core/texts/Messages.h"

namespace titralab::texts {

std::string copyNeedsStudy() {
    return "Choisissez d'abord une étude : il n'y a encore rien à copier.";
}

std::string copyFailed(const std::string& folder, const std::string& reason) {
    return std::string("La copie a échoué : les fichiers n'ont pas pu être écrits dans le "
                       "dossier ") +
           folder + kLineBreak + "Raison donnée par le système : " + reason;
}

} // namespace titralab::texts
