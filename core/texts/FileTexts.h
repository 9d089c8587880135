// Why a whole file was not written, and what was written when the name was a link.
#pragma once

#include "core/base/Language.h"

#include <string>

namespace titralab::texts {

inline constexpr Text kNotRegularFolder{"ce nom est celui d'un dossier",
                                        "this name is that of a folder"};
inline constexpr Text kNotRegularOther{
    "ce nom n'est pas celui d'un fichier ordinaire (périphérique, tube ou socket) : il est "
    "laissé tel quel",
    "this name is not that of an ordinary file (device, pipe or socket): it is left as it is"};
inline constexpr Text kReadOnlyFile{"le fichier est en lecture seule : il est laissé tel quel",
                                    "the file is read-only: it is left as it is"};
inline constexpr Text kTooManyLinks{"le nom mène à une chaîne de liens trop longue ou en boucle",
                                    "the name leads to a chain of links too long or in a loop"};
inline constexpr Text kCannotReadBack{"le fichier produit ne peut pas être relu",
                                      "the file produced cannot be read back"};

// A page or a picture that could not be written, and why; the earlier file is unchanged.
inline std::string cannotWriteFile(const std::string& path, const std::string& reason,
                                   Language language) {
    if (language == Language::English)
        return "Cannot write the file “" + path + "”: " + reason + ".";
    return "Impossible d'écrire le fichier « " + path + " » : " + reason + ".";
}

// The name the user chose was a symbolic link: the file it leads to was written.
inline std::string writtenThroughLink(const std::string& link, const std::string& written,
                                      Language language) {
    if (language == Language::English)
        return "“" + link + "” is a link: the file written is “" + written + "”.";
    return "« " + link + " » est un lien : le fichier écrit est « " + written + " ».";
}

// A file to read that is not an ordinary file (a pipe would never end).
inline constexpr Text kNotRegularToRead{
    "ce n'est pas un fichier ordinaire (dossier, périphérique, tube ou socket).",
    "this is not an ordinary file (folder, device, pipe or socket)."};

} // namespace titralab::texts
