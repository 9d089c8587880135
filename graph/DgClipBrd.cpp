#include "graph/DgClipBrd.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace titralab {

namespace fs = std::filesystem;

namespace {

// Writes the whole content under a temporary name in the same folder, then renames it over
// the target, so that a failure never leaves a truncated file where a good one stood.
std::error_code writeWhole(const fs::path& target, const std::string& content) {
    fs::path temporary = target;
    temporary += ".part";
    std::FILE* f = std::fopen(temporary.c_str(), "wb");
    if (!f) return {errno, std::generic_category()};
    const bool written = std::fwrite(content.data(), 1, content.size(), f) == content.size();
    const int writeErrno = errno;
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed) {
        const std::error_code ec{written ? errno : writeErrno, std::generic_category()};
        std::remove(temporary.c_str());
        return ec ? ec : std::make_error_code(std::errc::io_error);
    }
    std::error_code ec;
    fs::rename(temporary, target, ec);
    if (ec) std::remove(temporary.c_str());
    return ec;
}

} // namespace

CopyChoices copyChoicesFor(Study study) {
    switch (study) {
    case Study::TitrationVsVolume:
    case Study::TwoMonoTitration:
        return {true, "&Variation régulière des... ", {"pH", "v, volume de monobase forte versé"}};
    case Study::SpeciesVsPH:
        return {true, "&Variation régulière du... ", {"pH"}};
    case Study::Dilution:
        return {true, "&Variation régulière des... ", {"pH"}};
    case Study::TwoPolyMixture:
        return {false, "", {}};
    default:
        return {true, "&Variation régulière des... ", {"pH"}};
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
    for (const fs::path& file : {txt, xls}) {
        ec = writeWhole(file, content);
        if (ec) {
            result.error = ec.message();
            return result;
        }
    }
    sim.exportCounter = number;
    result.ok = true;
    result.txtPath = txt.string();
    result.xlsPath = xls.string();
    return result;
}

} // namespace titralab
