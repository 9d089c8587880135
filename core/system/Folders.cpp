#include "core/system/Folders.h"

#include <filesystem>

namespace titralab::system {

namespace {

std::string withoutTrailingSlash(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

} // namespace

Paths computePaths(std::string_view executablePath, std::string_view documentsFolder) {
    namespace fs = std::filesystem;
    const fs::path exe{std::string(executablePath)};
    Paths p;
    p.programName = exe.stem().string();
    p.programFolder = withoutTrailingSlash(exe.parent_path().string());
    // The executable and a data folder of the same name cannot stand side by side on Linux,
    // and nobody may write beside an installed program: the data live in ../share/<name>,
    // in the build tree as in the installed tree, and copies go to the user's documents.
    p.dataFolder = withoutTrailingSlash(
        (fs::path(p.programFolder) / ".." / "share" / p.programName).lexically_normal().string());
    p.picturesFolder = p.dataFolder + "/Images";
    p.backgroundCandidates = {p.picturesFolder + "/Fond.jpg", p.picturesFolder + "/BackGrnd.jpg",
                              p.picturesFolder + "/Fond.bmp", p.picturesFolder + "/BackGrnd.bmp"};
    p.valuesFolder = withoutTrailingSlash(std::string(documentsFolder)) + "/TitraLab/Valeurs";
    p.textsFolder = p.dataFolder + "/Textes";
    p.helpFolder = p.dataFolder + "/Aides";
    // The maker's other programs are installed beside this one.
    p.navigator = p.programFolder + "/guidex";
    return p;
}

std::string_view languageSubfolder(Language language) {
    return language == Language::English ? "en" : "";
}

std::string folderInLanguage(const std::string& folder, Language language) {
    const std::string_view sub = languageSubfolder(language);
    return sub.empty() ? folder : folder + "/" + std::string(sub);
}

std::string helpFolder(const Paths& paths, Language language) {
    return folderInLanguage(paths.helpFolder, language);
}

std::string textsFolder(const Paths& paths, Language language) {
    return folderInLanguage(paths.textsFolder, language);
}

std::string examplesFolder(const Paths& paths, Language language) {
    return folderInLanguage(paths.dataFolder + "/Etudes", language);
}

std::optional<std::string> firstExisting(const std::array<std::string, 4>& candidates,
                                         const std::function<bool(const std::string&)>& exists) {
    for (const std::string& c : candidates)
        if (exists(c)) return c;
    return std::nullopt;
}

std::string userSolutesFile(std::string_view settingsFolder) {
    return withoutTrailingSlash(std::string(settingsFolder)) + "/mes-especes.tsv";
}

namespace help {

std::string pageForContext(int context) {
    if (context <= kContents) return kContentsPage;
    return "contexte-" + std::to_string(context) + ".html";
}

std::string pageForTopic(std::string_view topic) {
    if (topic == "Propositions" || topic == "Precision") return std::string(topic) + ".html";
    return kContentsPage;
}

} // namespace help

} // namespace titralab::system
