// The computed table behind a copy: the numbers the text table writes, kept at full precision
// with their headers, so that the workbook shows the same values as numbers.
#pragma once

#include "core/base/Language.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace titralab {

// How a spreadsheet shows the numbers of a column.
enum class ColumnFormat {
    General,       // whatever suits each value
    Volume,        // 0.000
    PH,            // 0.00, also for the -log of a concentration
    Concentration, // 0.000E+00
    Conductivity,  // 0.0000
};

// One column of the table. The text table heads it with `header` and writes `values` through
// the export number format; the workbook heads it with `title` (with its unit) and shows each
// value multiplied by `factor` (volumes: litres as held by the state, millilitres as charted).
// A charted column is drawn against the first column in the workbook's chart.
struct TableColumn {
    std::string header;
    std::string title;
    double factor{1};
    ColumnFormat format{ColumnFormat::General};
    std::vector<double> values;
    bool charted{false};

    double shown(std::size_t row) const { return values[row] * factor; }
};

// One line of a results list (the mixture study): a label and its value.
struct ResultRow {
    std::string label;
    double value{};
    std::string unit; // "mol/L", "L", or empty
};

// What the last generation computed for the copy: the line above the table (the dilution
// warning, or empty), the columns in the order the text writes them, and, for a study that
// gives results instead of a table, its title and label-value rows.
struct ExportTable {
    std::string note;
    std::vector<TableColumn> columns;
    std::vector<ResultRow> results;

    // The number of data rows: the length of the shortest column.
    std::size_t rowCount() const {
        if (columns.empty()) return 0;
        std::size_t n = columns.front().values.size();
        for (const TableColumn& c : columns) n = std::min(n, c.values.size());
        return n;
    }
    void clear() { *this = ExportTable{}; }
};

} // namespace titralab
