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
constexpr Text kWritten{"Tableau copié dans le presse-papiers et dans ",
                        "Table copied to the clipboard and to "};
constexpr Text kAnd{" et ", " and "};
constexpr Text kInFolder{" (dossier ", " (folder "};

} // namespace

std::string copyNeedsStudy(Language language) {
    return kNeedsStudy.in(language);
}

std::string copyFailed(const std::string& folder, const std::string& reason, Language language) {
    return std::string(kFailed.in(language)) + folder + kLineBreak + kSystemReason.in(language) +
           reason;
}

} // namespace titralab::texts

namespace titralab::texts {

std::string copyWritten(const std::string& folder, const std::vector<std::string>& files,
                        Language language) {
    std::string out = kWritten.in(language);
    for (std::size_t k = 0; k < files.size(); ++k) {
        if (k > 0) out += k + 1 == files.size() ? kAnd.in(language) : ", ";
        out += files[k];
    }
    return out + kInFolder.in(language) + folder + ")";
}

} // namespace titralab::texts
