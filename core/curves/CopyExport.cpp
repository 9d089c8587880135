#include "core/curves/CopyExport.h"

#include "core/texts/CopyTexts.h"

#include "core/chemistry/Formulas.h"
#include "core/curves/Curves.h"
#include "core/curves/WorkbookModule.h"
#include "core/texts/WorkbookTexts.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace titralab {

namespace fs = std::filesystem;

namespace {

fs::path temporaryFor(const fs::path& target) {
    fs::path temporary = target;
    temporary += ".part";
    return temporary;
}

// Writes the whole content under the temporary name of the target.
std::error_code writeTemporary(const fs::path& target, const std::string& content) {
    const fs::path temporary = temporaryFor(target);
    std::FILE* f = std::fopen(temporary.c_str(), "wb");
    if (!f) return {errno, std::generic_category()};
    std::error_code ec;
    if (std::fwrite(content.data(), 1, content.size(), f) != content.size())
        ec = {errno ? errno : EIO, std::generic_category()};
    if (std::fclose(f) != 0 && !ec) ec = {errno ? errno : EIO, std::generic_category()};
    if (ec) std::remove(temporary.c_str());
    return ec;
}

} // namespace

namespace {

constexpr Text kRegularStepsOfPlural{"&Variation régulière des... ", "&Regular steps of... "};
constexpr Text kRegularStepsOfSingular{"&Variation régulière du... ", "&Regular steps of... "};
constexpr Text kVolumeOfBaseAdded{"v, volume de monobase forte versé",
                                  "v, volume of strong base added"};
constexpr Text kVolumeOfAcidAdded{"v, volume de monoacide fort versé",
                                  "v, volume of strong acid added"};

} // namespace

CopyChoices copyChoicesFor(Study study, Language language, BuretteSide side) {
    const Text& volume = side == BuretteSide::AcidSide ? kVolumeOfBaseAdded : kVolumeOfAcidAdded;
    switch (study) {
    case Study::TitrationVsVolume:
    case Study::TwoMonoTitration:
        return {true, kRegularStepsOfPlural.in(language), {"pH", volume.in(language)}};
    case Study::SpeciesVsPH:
        return {true, kRegularStepsOfSingular.in(language), {"pH"}};
    case Study::TwoPolyMixture:
        return {false, "", {}};
    default:
        return {true, kRegularStepsOfPlural.in(language), {"pH"}};
    }
}

ExportResult ExportSimulation(Simulation& sim, const std::string& folder) {
    ExportResult result;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        result.error = ec.message();
        return result;
    }
    const int number = sim.exportCounter + 1;
    const std::string stem =
        std::string(sim.decimalComma ? "NumVg" : "NumPt") + std::to_string(number);
    const fs::path txt = fs::path(folder) / (stem + ".Txt");
    const fs::path xls = fs::path(folder) / (stem + ".Xls");
    const std::string content = sim.exportText + "\r\n";
    // Both files are written whole under temporary names first, then renamed into place, so
    // that a failure never leaves a truncated file where a good one stood.
    ec = writeTemporary(txt, content);
    if (!ec) {
        ec = writeTemporary(xls, content);
        if (ec) std::remove(temporaryFor(txt).c_str());
    }
    if (!ec) fs::rename(temporaryFor(txt), txt, ec);
    if (!ec) fs::rename(temporaryFor(xls), xls, ec);
    if (ec) {
        std::remove(temporaryFor(txt).c_str());
        std::remove(temporaryFor(xls).c_str());
        result.error = ec.message();
        return result;
    }
    sim.exportCounter = number;
    result.ok = true;
    result.txtPath = txt.string();
    result.xlsPath = xls.string();
    const fs::path xlsx = fs::path(folder) / (stem + ".xlsx");
    const WorkbookResult workbook = writeWorkbookWithModule(sim, xlsx.string());
    if (workbook.ok)
        result.xlsxPath = xlsx.string();
    else
        result.workbookError =
            texts::kWorkbookTextsKept.in(sim.language) + xlsx.filename().string() +
            texts::kWorkbookNotWrittenEnd.in(sim.language) + workbook.error + ".";
    return result;
}

CopyOutcome CopySimulation(Simulation& sim, Notifier& notifier, const std::string& folder) {
    CopyOutcome outcome;
    // Before a study is chosen there is no table: no file, no copy number, no clipboard.
    if (sim.panel.study == Study::None) {
        notifier.inform(texts::copyNeedsStudy(sim.language));
        return outcome;
    }
    try {
        RefreshSimulation(sim, notifier);
    } catch (const ArithmeticFault& fault) {
        notifier.error(fault.message(sim.language));
        return outcome;
    } catch (const std::exception& fault) {
        notifier.error(fault.what());
        return outcome;
    }
    outcome.files = ExportSimulation(sim, folder);
    if (!outcome.files.ok) {
        notifier.error(texts::copyFailed(folder, outcome.files.error, sim.language));
        return outcome;
    }
    if (!outcome.files.workbookError.empty()) notifier.error(outcome.files.workbookError);
    outcome.ok = true;
    outcome.clipboardText = sim.exportText;
    std::vector<std::string> names;
    for (const std::string* path :
         {&outcome.files.txtPath, &outcome.files.xlsPath, &outcome.files.xlsxPath})
        if (!path->empty()) names.push_back(fs::path(*path).filename().string());
    outcome.status = texts::copyWritten(folder, names, sim.language);
    return outcome;
}

} // namespace titralab
