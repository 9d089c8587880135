// The program's folders, the help topics and the maker's addresses.
#pragma once

#include "core/base/Language.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace titralab::system {

// Every folder the program uses, computed once at start-up. No trailing slash anywhere.
struct Paths {
    std::string programName;   // the executable's file name without its extension
    std::string programFolder; // the executable's folder
    std::string dataFolder;    // programFolder/../share/<programName>, as installed or built
    std::string picturesFolder;
    std::array<std::string, 4> backgroundCandidates; // tried in this order
    std::string valuesFolder;                        // where copies are written (user-writable)
    std::string textsFolder;                         // practical-work sheets
    std::string helpFolder;                          // HTML help pages
    std::string navigator;                           // the maker's program launcher
};

// `executablePath` is the program's absolute file name; `documentsFolder` the user's documents.
Paths computePaths(std::string_view executablePath, std::string_view documentsFolder);

// The help pages and the practical-work sheets of a language. The French ones, the reference,
// sit in `helpFolder` and `textsFolder` themselves; the English twins of the help pages keep
// the French file names (so that links and context numbers hold) in a subfolder.
std::string helpFolder(const Paths& paths, Language language);
std::string textsFolder(const Paths& paths, Language language);
// The example studies of the Help menu: "Etudes" in the data folder, twins of the same file
// names in the language's subfolder.
std::string examplesFolder(const Paths& paths, Language language);
// The subfolder of a language's twins inside a French folder: empty for French, "en".
std::string_view languageSubfolder(Language language);
// The folder of a language's twins of the files of `folder`: `folder` itself for French.
std::string folderInLanguage(const std::string& folder, Language language);

// The file of the teacher's own solute entries ("Mes espèces") in the settings folder.
std::string userSolutesFile(std::string_view settingsFolder);

// The first candidate for which `exists` is true; none when no candidate exists.
std::optional<std::string> firstExisting(const std::array<std::string, 4>& candidates,
                                         const std::function<bool(const std::string&)>& exists);

// Help: the context numbers the windows ask for, and the page of the help folder that each
// one, or each named topic, opens.
namespace help {
inline constexpr int kContents = 0;
inline constexpr int kLineWidth = 2;
inline constexpr int kMainWindow = 9;
inline constexpr int kShowButton = 11;
inline constexpr int kCopyButton = 13;
inline constexpr int kMenus = 17;
inline constexpr const char* kContentsPage = "index.html";
// The page of a context number ("contexte-<n>.html"); the contents for 0. The help viewer
// shows the contents for a number whose page is missing.
std::string pageForContext(int context);
// The page of a named topic ("Propositions", "Precision"); the contents for an unknown topic.
std::string pageForTopic(std::string_view topic);
} // namespace help

// The maker's home page and the author's mail address (reserved example addresses).
struct MakerAddresses {
    const char* homePage;
    const char* mail;
};
inline constexpr MakerAddresses kMakerAddresses{"https://www.example.org/velmor/",
                                                "mailto:auteur@example.org"};

} // namespace titralab::system
