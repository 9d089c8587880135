// Runs the titralab-export tool for the tests: exit status, standard output and error.
#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

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

// The tool's output as lines of tab-separated fields.
inline std::vector<std::vector<std::string>> tabFields(const std::string& out) {
    std::vector<std::vector<std::string>> lines;
    std::stringstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::stringstream f(line);
        std::string field;
        while (std::getline(f, field, '\t')) fields.push_back(field);
        lines.push_back(fields);
    }
    return lines;
}

} // namespace titralab::testing
