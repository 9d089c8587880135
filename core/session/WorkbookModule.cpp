#include "core/session/WorkbookModule.h"

#include "core/session/Simulation.h"
#include "core/texts/WorkbookTexts.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace titralab {

namespace fs = std::filesystem;

std::string workbookModulePath(const std::string& programFile) {
    const fs::path tree = fs::path(programFile).parent_path().parent_path();
    return (tree / "lib" / "titralab" / "titralab-workbook.so").string();
}

namespace {

// The module's entry point `name`, loaded on the first call and kept; none with the reason.
void* moduleEntry(const std::string& modulePath, const char* name, std::string& reason) {
    // The loader keeps a module once loaded: a later call finds it again, and nothing is
    // unloaded while the program runs.
    void* module = dlopen(modulePath.c_str(), RTLD_NOW | RTLD_LOCAL);
    void* entry = module ? dlsym(module, name) : nullptr;
    if (!entry) {
        const char* why = dlerror();
        reason = why ? why : "";
    }
    return entry;
}

WorkbookResult missingModule(const std::string& reason, Language language) {
    WorkbookResult failed;
    failed.error = texts::kWorkbookModuleMissing.in(language);
    if (!reason.empty()) failed.error += " (" + reason + ")";
    return failed;
}

std::string modulePathOfProgram() {
    std::error_code ec;
    const fs::path program = fs::read_symlink("/proc/self/exe", ec);
    return workbookModulePath(ec ? "" : program.string());
}

} // namespace

WorkbookResult writeWorkbookWithModule(const Simulation& sim, const std::string& path,
                                       const std::string& modulePath) {
    std::string reason;
    void* entry = moduleEntry(modulePath, kWorkbookEntryPoint, reason);
    if (!entry) return missingModule(reason, sim.language);
    const auto writer = reinterpret_cast<WorkbookWriter (*)()>(entry)();
    return writer(sim, path);
}

WorkbookResult writeMarksWorkbookWithModule(const std::string& title,
                                            const std::vector<std::vector<MarksCell>>& rows,
                                            const std::string& path, Language language) {
    std::string reason;
    void* entry = moduleEntry(modulePathOfProgram(), kMarksWorkbookEntryPoint, reason);
    if (!entry) return missingModule(reason, language);
    const auto writer = reinterpret_cast<MarksWorkbookWriter (*)()>(entry)();
    return writer(title, rows, path, language);
}

WorkbookResult writeWorkbookWithModule(const Simulation& sim, const std::string& path) {
    return writeWorkbookWithModule(sim, path, modulePathOfProgram());
}

} // namespace titralab
