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

WorkbookResult writeWorkbookWithModule(const Simulation& sim, const std::string& path,
                                       const std::string& modulePath) {
    // The loader keeps a module once loaded: a later call finds it again, and nothing is
    // unloaded while the program runs.
    void* module = dlopen(modulePath.c_str(), RTLD_NOW | RTLD_LOCAL);
    const char* reason = nullptr;
    void* entry = nullptr;
    if (module) {
        entry = dlsym(module, kWorkbookEntryPoint);
        if (!entry) reason = dlerror();
    } else {
        reason = dlerror();
    }
    if (!entry) {
        WorkbookResult failed;
        failed.error = texts::kWorkbookModuleMissing.in(sim.language);
        if (reason) failed.error += std::string(" (") + reason + ")";
        return failed;
    }
    const auto writer = reinterpret_cast<WorkbookWriter (*)()>(entry)();
    return writer(sim, path);
}

WorkbookResult writeWorkbookWithModule(const Simulation& sim, const std::string& path) {
    std::error_code ec;
    const fs::path program = fs::read_symlink("/proc/self/exe", ec);
    return writeWorkbookWithModule(sim, path, workbookModulePath(ec ? "" : program.string()));
}

} // namespace titralab
