// Reads a written workbook back for the tests: the cells of one sheet, through `unzip -p`.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <map>
#include <regex>
#include <string>
#include <utility>
#include <vector>

namespace titralab::testing {

inline std::string unzipMember(const std::string& archive, const std::string& member) {
    // unzip reads member names as patterns: "[" opens a class, "[[]" is the bracket itself.
    std::string pattern;
    for (char c : member) pattern += c == '[' ? std::string("[[]") : std::string(1, c);
    const std::string command = "unzip -p '" + archive + "' '" + pattern + "' 2>/dev/null";
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return out;
    char buffer[8192];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
    return out;
}

// One cell: its raw text (a number as written, or a string resolved from the shared table).
struct Cell {
    std::string text;
    bool number{false};
};

// Cells by (row, column), both 0-based, of sheet `index` (1-based, as the archive numbers them).
inline std::map<std::pair<int, int>, Cell> readSheet(const std::string& archive, int index) {
    std::vector<std::string> shared;
    const std::string strings = unzipMember(archive, "xl/sharedStrings.xml");
    const std::regex item("<si><t[^>]*>([^<]*)</t></si>");
    for (auto it = std::sregex_iterator(strings.begin(), strings.end(), item);
         it != std::sregex_iterator(); ++it)
        shared.push_back((*it)[1]);

    std::map<std::pair<int, int>, Cell> cells;
    const std::string sheet =
        unzipMember(archive, "xl/worksheets/sheet" + std::to_string(index) + ".xml");
    const std::regex cell("<c r=\"([A-Z]+)([0-9]+)\"([^>]*?)(?:/>|><v>([^<]*)</v></c>)");
    for (auto it = std::sregex_iterator(sheet.begin(), sheet.end(), cell);
         it != std::sregex_iterator(); ++it) {
        const std::string letters = (*it)[1];
        int column = 0;
        for (char c : letters) column = column * 26 + (c - 'A' + 1);
        const int row = std::stoi((*it)[2]) - 1;
        const bool isString = std::string((*it)[3]).find("t=\"s\"") != std::string::npos;
        const std::string value = (*it)[4];
        if (!(*it)[4].matched) continue;
        Cell c;
        if (isString) {
            const std::size_t k = std::stoul(value);
            c.text = k < shared.size() ? shared[k] : "";
        } else {
            c.text = value;
            c.number = true;
        }
        cells[{row, column - 1}] = c;
    }
    return cells;
}

// A double as the workbook writes it: 16 significant digits, read back.
inline double asWritten(double x) {
    char text[40];
    std::snprintf(text, sizeof text, "%.16G", x);
    return std::strtod(text, nullptr);
}

} // namespace titralab::testing
