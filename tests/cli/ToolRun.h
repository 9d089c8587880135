// Runs the titralab-export tool for the tests: exit status, standard output and error.
#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace titralab::testing {

struct ToolRun {
    int status{-1};
    std::string out;
    std::string err;
};

inline ToolRun runTool(const std::string& arguments) {
    namespace fs = std::filesystem;
    static int calls = 0;
    const fs::path errFile =
        fs::temp_directory_path() /
        ("titralab-tool-" + std::to_string(getpid()) + "-" + std::to_string(++calls) + ".err");
    const std::string command =
        std::string(TITRALAB_EXPORT_TOOL) + " " + arguments + " 2>" + errFile.string();
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errFile);
    std::stringstream text;
    text << err.rdbuf();
    run.err = text.str();
    fs::remove(errFile);
    return run;
}

} // namespace titralab::testing
