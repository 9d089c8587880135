#include "core/session/CopyExport.h"

#include "core/texts/CopyTexts.h"

#include "core/chemistry/Formulas.h"
#include "core/session/Refresh.h"
#include "core/session/WorkbookModule.h"
#include "core/system/WholeFile.h"
#include "core/texts/FreeStudyTexts.h"
#include "core/texts/WorkbookTexts.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <filesystem>
#include <system_error>

namespace titralab {

namespace fs = std::filesystem;

namespace {

// The highest copy number `stem` + N carries among the files of `folder` (.Txt, .Xls, .xlsx
// in any case), so that a new session goes on after the copies of the earlier ones. What is
// not an ordinary file holds no copy (and will be refused if it stands in the way).
int highestCopyNumber(const fs::path& folder, const std::string& stem) {
    int highest = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= stem.size() || name.compare(0, stem.size(), stem) != 0) continue;
        std::error_code kind;
        if (!it->is_regular_file(kind)) continue;
        std::size_t k = stem.size();
        long long number = 0;
        while (k < name.size() && name[k] >= '0' && name[k] <= '9' && number < 1000000000)
            number = number * 10 + (name[k++] - '0');
        if (k == stem.size() || number >= 1000000000) continue;
        std::string extension = name.substr(k);
        for (char& c : extension)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (extension == ".txt" || extension == ".xls" || extension == ".xlsx")
            highest = std::max(highest, static_cast<int>(number));
    }
    return highest;
}

} // namespace

CopyChoices copyChoicesFor(Study study, Language language, BuretteSide side) {
    const Text& volume =
        side == BuretteSide::AcidSide ? texts::kVolumeOfBaseAdded : texts::kVolumeOfAcidAdded;
    switch (study) {
    case Study::TitrationVsVolume:
    case Study::TwoMonoTitration:
        return {true, texts::kRegularStepsOfPlural.in(language), {"pH", volume.in(language)}};
    case Study::FreeSolutions:
        return {true,
                texts::kRegularStepsOfPlural.in(language),
                {"pH", texts::kFreeVolumeChoice.in(language)}};
    case Study::SpeciesVsPH:
        return {true, texts::kRegularStepsOfSingular.in(language), {"pH"}};
    case Study::TwoPolyMixture:
        return {false, "", {}};
    default:
        return {true, texts::kRegularStepsOfPlural.in(language), {"pH"}};
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
    const std::string prefix = sim.exportSettings.decimalComma ? "NumVg" : "NumPt";
    const int number = std::max(sim.exportSettings.counter, highestCopyNumber(folder, prefix)) + 1;
    const std::string stem = prefix + std::to_string(number);
    const fs::path txt = fs::path(folder) / (stem + ".Txt");
    const fs::path xls = fs::path(folder) / (stem + ".Xls");
    const std::string content = sim.results.exportText + "\r\n";
    // Each file is written whole or not at all; the pair too: a text file without its twin
    // is taken back.
    WholeFileResult written = writeWholeFile(txt.string(), content, sim.language);
    if (written.ok()) {
        written = writeWholeFile(xls.string(), content, sim.language);
        if (!written.ok()) fs::remove(txt, ec);
    }
    if (!written.ok()) {
        result.error = written.error;
        return result;
    }
    sim.exportSettings.counter = number;
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
    outcome.clipboardText = sim.results.exportText;
    std::vector<std::string> names;
    for (const std::string* path :
         {&outcome.files.txtPath, &outcome.files.xlsPath, &outcome.files.xlsxPath})
        if (!path->empty()) names.push_back(fs::path(*path).filename().string());
    outcome.status = texts::copyWritten(folder, names, sim.language);
    return outcome;
}

} // namespace titralab
