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
// The folder first: a narrow window cuts the end of its status line.
constexpr Text kWrittenInto{"Copié dans ", "Copied into "};
constexpr Text kAndClipboard{" et le presse-papiers", " and the clipboard"};

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
    std::string out = kWrittenInto.in(language) + folder + kColon.in(language);
    for (std::size_t k = 0; k < files.size(); ++k) out += (k > 0 ? ", " : "") + files[k];
    return out + kAndClipboard.in(language);
}

} // namespace titralab::texts
