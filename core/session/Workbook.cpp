#include "core/session/Workbook.h"

#include "core/chemistry/Database.h"
#include "core/curves/ExportTable.h"
#include "core/session/FreeFit.h"
#include "core/session/Simulation.h"
#include "core/session/StudyConditions.h"
#include "core/system/WholeFile.h"
#include "core/texts/FreeStudyTexts.h"
#include "core/texts/ExerciseTexts.h"
#include "core/texts/Messages.h"
#include "core/texts/WorkbookTexts.h"

#include <xlsxwriter.h>

#include <array>
#include <cmath>

namespace titralab {

namespace {

// Rows of the study sheet (0-based): the title, the note, the headers, then the numbers.
constexpr lxw_row_t kTitleRow = 0;
constexpr lxw_row_t kNoteRow = 1;
constexpr lxw_row_t kHeaderRow = 2;
constexpr lxw_row_t kFirstDataRow = 3;
constexpr double kColumnWidth = 16;      // characters
constexpr double kLabelWidth = 48;       // characters, the label column of a results list
constexpr double kHeaderHeight = 45;     // points
constexpr lxw_color_t kPHRed = 0xFF0000; // the pH curve's colour on the screen

bool isTitration(Study study) {
    return study == Study::TitrationVsVolume || study == Study::TwoMonoTitration;
}

bool hasSecondAcid(Study study) {
    return study == Study::TwoMonoTitration || study == Study::TwoPolyMixture;
}

// "d'" before a vowel or a mute h, "de " otherwise: "d'acide éthanoïque", "de soude"; in
// English "of ethanoic acid".
std::string ofName(const std::string& name, Language language) {
    if (language == Language::English) return "of " + name;
    static const std::array<const char*, 12> vowels{"a", "e", "i", "o", "u", "y",
                                                    "h", "é", "è", "ê", "â", "î"};
    for (const char* v : vowels)
        if (name.rfind(v, 0) == 0) return "d'" + name;
    return "de " + name;
}

// The study and its acids (bases), as the printed page names the acid: "... : acide éthanoïque".
// "Solutions libres — Bécher : HCl + H3PO4 ; Burette : NaOH".
std::string freeTitleOf(const Simulation& sim) {
    const Language language = sim.language;
    std::string title = texts::kFreeStudyName.in(language);
    for (FreeSide side : {FreeSide::Beaker, FreeSide::Burette}) {
        title += (side == FreeSide::Beaker ? " — " : kSemicolon.in(language)) +
                 std::string((side == FreeSide::Beaker ? texts::kFreeBeaker : texts::kFreeBurette)
                                 .in(language)) +
                 kColon.in(language);
        std::string rows;
        for (const FreeRow& row : sim.freeStudy.inputs.rows(side))
            rows += (rows.empty() ? "" : " + ") + row.what.substr(0, 40);
        title += rows;
    }
    return title;
}

std::string titleOf(const Simulation& sim) {
    const Study study = sim.state.study;
    const Language language = sim.language;
    if (study == Study::FreeSolutions) return freeTitleOf(sim);
    std::string title = texts::studyName(sim.state.side, study, language);
    const std::string& first = sim.results.speciesLabels[0][0];
    if (first.empty()) return title;
    title += kColon.in(language) + first;
    if (hasSecondAcid(study) && !sim.results.speciesLabels[1][0].empty())
        title += texts::kAnd.in(language) + sim.results.speciesLabels[1][0];
    return title;
}

// The formats of the workbook, made once.
struct Formats {
    lxw_format* title{};
    lxw_format* note{};
    lxw_format* header{};
    lxw_format* volume{};
    lxw_format* pH{};
    lxw_format* concentration{};
    lxw_format* conductivity{};

    explicit Formats(lxw_workbook* book) {
        title = workbook_add_format(book);
        format_set_bold(title);
        format_set_font_size(title, 12);
        note = workbook_add_format(book);
        format_set_italic(note);
        format_set_font_color(note, 0xC00000);
        header = workbook_add_format(book);
        format_set_bold(header);
        format_set_text_wrap(header);
        format_set_bottom(header, LXW_BORDER_THIN);
        format_set_align(header, LXW_ALIGN_CENTER);
        volume = workbook_add_format(book);
        format_set_num_format(volume, "0.000");
        pH = workbook_add_format(book);
        format_set_num_format(pH, "0.00");
        concentration = workbook_add_format(book);
        format_set_num_format(concentration, "0.000E+00");
        conductivity = workbook_add_format(book);
        format_set_num_format(conductivity, "0.0000");
    }

    lxw_format* of(ColumnFormat format) const {
        switch (format) {
        case ColumnFormat::Volume:
            return volume;
        case ColumnFormat::PH:
            return pH;
        case ColumnFormat::Concentration:
            return concentration;
        case ColumnFormat::Conductivity:
            return conductivity;
        default:
            return nullptr;
        }
    }
};

// A number cell; a value that is no finite number leaves the cell empty, since a spreadsheet
// has no way to hold it.
void writeNumber(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t col, double value,
                 lxw_format* format) {
    if (std::isfinite(value)) worksheet_write_number(sheet, row, col, value, format);
}

void writeTable(lxw_workbook* book, lxw_worksheet* sheet, const std::string& sheetName,
                const Simulation& sim, const Formats& formats) {
    const ExportTable& table = sim.results.exportTable;
    const std::size_t rows = table.rowCount();
    const auto columns = static_cast<lxw_col_t>(table.columns.size());
    if (columns > 0)
        worksheet_set_column(sheet, 0, static_cast<lxw_col_t>(columns - 1), kColumnWidth, nullptr);
    for (lxw_col_t c = 0; c < columns; ++c) {
        const TableColumn& column = table.columns[c];
        worksheet_write_string(sheet, kHeaderRow, c, column.title.c_str(), formats.header);
        lxw_format* format = formats.of(column.format);
        for (std::size_t r = 0; r < rows; ++r)
            writeNumber(sheet, static_cast<lxw_row_t>(kFirstDataRow + r), c, column.shown(r),
                        format);
    }
    // Room for a species name with its unit on three lines.
    worksheet_set_row(sheet, kHeaderRow, kHeaderHeight, nullptr);
    worksheet_freeze_panes(sheet, kFirstDataRow, 0);
    if (rows < 2 || columns < 2) return;

    // The chart: every charted column against the first, beside the table.
    lxw_chart* chart = nullptr;
    const auto last = static_cast<lxw_row_t>(kFirstDataRow + rows - 1);
    int drawn = 0;
    for (lxw_col_t c = 1; c < columns; ++c) {
        if (!table.columns[c].charted) continue;
        if (!chart) chart = workbook_add_chart(book, LXW_CHART_SCATTER_STRAIGHT);
        if (!chart) return;
        lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
        if (!series) return;
        chart_series_set_categories(series, sheetName.c_str(), kFirstDataRow, 0, last, 0);
        chart_series_set_values(series, sheetName.c_str(), kFirstDataRow, c, last, c);
        chart_series_set_name_range(series, sheetName.c_str(), kHeaderRow, c);
        if (table.columns[c].format == ColumnFormat::PH) {
            lxw_chart_line line{};
            line.color = kPHRed;
            line.width = 1.5f;
            chart_series_set_line(series, &line);
        }
        ++drawn;
    }
    if (!chart) return;
    chart_title_set_name(chart, titleOf(sim).c_str());
    lxw_chart_font titleFont{};
    titleFont.size = 11;
    titleFont.bold = LXW_TRUE;
    chart_title_set_name_font(chart, &titleFont);
    chart_axis_set_name(chart->x_axis, sim.results.plot.bottomTitle.c_str());
    chart_axis_set_name(chart->y_axis, sim.results.plot.leftTitle.c_str());
    chart_axis_major_gridlines_set_visible(chart->y_axis, LXW_TRUE);
    if (!sim.results.plot.leftAxisAutomatic) {
        chart_axis_set_min(chart->y_axis, sim.results.plot.leftMin);
        chart_axis_set_max(chart->y_axis, sim.results.plot.leftMax);
        chart_axis_set_major_unit(chart->y_axis, 2);
    }
    // Volumes start at zero; the first computed one may lie a rounding error below it.
    if (isTitration(sim.state.study)) chart_axis_set_min(chart->x_axis, 0);
    if (sim.state.study == Study::SpeciesVsPH) {
        chart_axis_set_min(chart->x_axis, 0);
        chart_axis_set_max(chart->x_axis, 14);
        chart_axis_set_major_unit(chart->x_axis, 2);
    }
    if (drawn == 1)
        chart_legend_set_position(chart, LXW_CHART_LEGEND_NONE);
    else
        chart_legend_set_position(chart, LXW_CHART_LEGEND_BOTTOM);
    lxw_chart_options placement{};
    placement.x_offset = 10;
    placement.x_scale = 1.6;
    placement.y_scale = 1.6;
    worksheet_insert_chart_opt(sheet, kHeaderRow, columns + 1, chart, &placement);
}

void writeResults(lxw_worksheet* sheet, const std::vector<ResultRow>& results,
                  const Formats& formats, lxw_row_t headerRow, Language language) {
    worksheet_set_column(sheet, 0, 0, kLabelWidth, nullptr);
    worksheet_set_column(sheet, 1, 2, kColumnWidth, nullptr);
    worksheet_write_string(sheet, headerRow, 0, texts::kLabel.in(language), formats.header);
    worksheet_write_string(sheet, headerRow, 1, texts::kValue.in(language), formats.header);
    worksheet_write_string(sheet, headerRow, 2, texts::kUnit.in(language), formats.header);
    lxw_row_t row = headerRow + 1;
    for (const ResultRow& result : results) {
        worksheet_write_string(sheet, row, 0, result.label.c_str(), nullptr);
        writeNumber(sheet, row, 1, result.value, nullptr);
        if (!result.unit.empty())
            worksheet_write_string(sheet, row, 2, result.unit.c_str(), nullptr);
        ++row;
    }
}

// The free study's constants: each row's concentration and the pKa of its system, as the
// last refresh read them, the beaker's volume, the largest volume and the number of points.
std::vector<ResultRow> freeConstantsOf(const Simulation& sim) {
    std::vector<ResultRow> rows;
    const FreeStudyInputs& inputs = sim.freeStudy.inputs;
    for (const FreeRowValue& v : freeRowValues(sim))
        if (const std::optional<double> number = freeRowValueIn(sim, v))
            rows.push_back({freeRowValueCaption(inputs, v, sim.language, false), *number,
                            v.pK == 0 ? "mol/L" : ""});
    if (const std::optional<FreeTitration>& t = sim.freeStudy.result.titration) {
        rows.push_back(
            {texts::kFreeBeakerVolumeLabel.in(sim.language), t->beakerVolume * 1000, ""});
        rows.push_back({texts::kFreeMaxVolumeLabel.in(sim.language),
                        sim.freeStudy.result.maxVolume * 1000, ""});
    }
    rows.push_back(
        {texts::kPointCount.in(sim.language), static_cast<double>(sim.state.pointCount), ""});
    return rows;
}

// The constants of the study as label-value rows.
std::vector<ResultRow> constantsOf(const Simulation& sim) {
    if (sim.state.study == Study::FreeSolutions) return freeConstantsOf(sim);
    const ChemicalState& s = sim.state;
    const Study study = s.study;
    const bool acidSide = s.side == BuretteSide::AcidSide;
    const Language language = sim.language;
    std::vector<ResultRow> rows;
    const std::string volumeUnit = s.volumesInMillilitres ? "mL" : "L";
    // 20 and more mark an acidity the entry does not have; the base side writes the pKa of
    // each couple, as typed, not the working pKb.
    auto pKRows = [&](const std::string& name, const std::array<double, 3>& pK, int acidities) {
        for (int j = 0; j < acidities && j < 3; ++j) {
            if (pK[j] >= 20) break;
            const std::string label = std::string(texts::kPKaOf.in(language)) +
                                      (acidities > 1 ? std::to_string(j + 1) : "") + " " +
                                      ofName(name, language);
            rows.push_back({label, acidSide ? pK[j] : pKaOfBase(pK[j]), ""});
        }
    };
    auto acidRows = [&](const std::string& name, double conc, double vol,
                        const std::array<double, 3>& pK, int acidities) {
        if (study != Study::Dilution)
            rows.push_back(
                {texts::kConcentrationOf.in(language) + ofName(name, language), conc, "mol/L"});
        if (isTitration(study) || study == Study::TwoPolyMixture)
            rows.push_back({texts::kVolumeOf.in(language) + ofName(name, language),
                            vol * s.volumeFactor, volumeUnit});
        pKRows(name, pK, acidities);
    };
    if (isTitration(study))
        rows.push_back({texts::kTitrantConcentration.in(language), s.titrantConc, "mol/L"});
    const int acidities1 = entryOf(s.side, s.row1).acidities;
    const int acidities2 = entryOf(s.side, s.row2).acidities;
    const bool twoMono = study == Study::TwoMonoTitration;
    acidRows(sim.results.speciesLabels[0][0], s.conc1, s.vol1, s.pK1, twoMono ? 1 : acidities1);
    if (hasSecondAcid(study))
        acidRows(sim.results.speciesLabels[1][0], s.conc2, s.vol2, s.pK2, twoMono ? 1 : acidities2);
    if (study != Study::TwoPolyMixture)
        rows.push_back({texts::kPointCount.in(language), static_cast<double>(s.pointCount), ""});
    return rows;
}

void writeConstants(lxw_worksheet* sheet, const Simulation& sim, const Formats& formats) {
    const ChemicalState& s = sim.state;
    const bool acidSide = s.side == BuretteSide::AcidSide;
    const Language language = sim.language;
    worksheet_write_string(sheet, kTitleRow, 0, texts::kConstantsTitle.in(language), formats.title);
    // The texts first (side, study, titrant, sampling, dilution), then the numbers.
    std::vector<std::pair<const Text*, std::string>> rows{
        {&texts::kSide, (acidSide ? texts::kSideAcid : texts::kSideBase).in(language)},
        {&texts::kStudy, texts::studyName(s.side, s.study, language)}};
    if (s.study == Study::FreeSolutions) {
        // Neither side nor titrant: the rows say what the beaker and the burette hold.
        rows = {{&texts::kStudy, texts::kFreeStudyName.in(language)},
                {&texts::kSampling,
                 (sim.exportSettings.copySampling == CopySampling::ByVolume ? texts::kSamplingVolume
                                                                            : texts::kSamplingPH)
                     .in(language)}};
    } else if (isTitration(s.study)) {
        const Text& titrant = !acidSide                        ? texts::kTitrantStrongAcid
                              : s.baseKind == BaseKind::Potash ? texts::kTitrantPotash
                                                               : texts::kTitrantSoda;
        rows.push_back({&texts::kTitrant, titrant.in(language)});
        rows.push_back(
            {&texts::kSampling, (sim.exportSettings.copySampling == CopySampling::ByVolume ? texts::kSamplingVolume
                                                                            : texts::kSamplingPH)
                                    .in(language)});
        rows.push_back({&texts::kDilution,
                        (sim.graph.isChecked(1) ? texts::kDilutionTaken : texts::kDilutionNotTaken)
                            .in(language)});
    } else if (s.study != Study::TwoPolyMixture) {
        rows.push_back({&texts::kSampling, texts::kSamplingPH.in(language)});
    }
    // The conditions of the solutions, when not ideal at 25 °C, in one row.
    std::string conditions;
    for (const std::string& line : conditionsLines(sim))
        conditions += (conditions.empty() ? "" : ", ") + line;
    if (!conditions.empty()) rows.push_back({&texts::kConditionsRow, conditions});
    lxw_row_t row = kHeaderRow;
    for (const auto& [label, value] : rows) {
        worksheet_write_string(sheet, row, 0, label->in(language), nullptr);
        worksheet_write_string(sheet, row, 1, value.c_str(), nullptr);
        ++row;
    }
    writeResults(sheet, constantsOf(sim), formats, row + 1, language);
    worksheet_set_column(sheet, 1, 1, kLabelWidth, nullptr); // the texts of the first rows
}

std::string libraryFault(lxw_error error, Language language) {
    switch (error) {
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        return texts::kWorkbookCannotCreate.in(language);
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return texts::kWorkbookOutOfMemory.in(language);
    default:
        return std::string(texts::kWorkbookOtherFault.in(language)) + " (" +
               std::to_string(static_cast<int>(error)) + ")";
    }
}

} // namespace

std::string studySheetName(const Simulation& sim) {
    const int i = static_cast<int>(sim.state.study);
    if (i < 0 || i > 4) return texts::kSheetResults.in(sim.language);
    return (sim.state.side == BuretteSide::AcidSide ? texts::kStudySheetsAcid[i]
                                                    : texts::kStudySheetsBase[i])
        .in(sim.language);
}

WorkbookResult WriteWorkbook(const Simulation& sim, const std::string& path) {
    const Language language = sim.language;
    // The library writes to a name of its own: a private folder holds it, then the bytes are
    // written whole at `path`.
    const auto produce = [&sim, language](const std::string& produced) -> std::string {
        lxw_workbook* book = workbook_new(produced.c_str());
        if (!book) return texts::kWorkbookOutOfMemory.in(language);
        const Formats formats(book);
        const std::string sheetName = studySheetName(sim);
        lxw_worksheet* study = workbook_add_worksheet(book, sheetName.c_str());
        lxw_worksheet* constants =
            workbook_add_worksheet(book, texts::kSheetConstants.in(language));
        if (study && constants) {
            const ExportTable& table = sim.results.exportTable;
            worksheet_write_string(study, kTitleRow, 0, titleOf(sim).c_str(), formats.title);
            if (!table.results.empty()) {
                // A results list: its title line is the note, the rows follow.
                if (!table.note.empty())
                    worksheet_write_string(study, kNoteRow, 0, table.note.c_str(), formats.note);
                writeResults(study, table.results, formats, kHeaderRow, language);
            } else {
                if (!table.note.empty())
                    worksheet_write_string(study, kNoteRow, 0, table.note.c_str(), formats.note);
                writeTable(book, study, sheetName, sim, formats);
            }
            writeConstants(constants, sim, formats);
        }
        // Closing writes the file and frees the workbook, whatever happened before.
        const lxw_error closed = workbook_close(book);
        if (!study || !constants) return texts::kWorkbookOtherFault.in(language);
        if (closed != LXW_NO_ERROR) return libraryFault(closed, language);
        return {};
    };
    const WholeFileResult written = writeWholeFileFrom(path, produce, language);
    WorkbookResult result;
    result.ok = written.ok();
    result.error = written.error;
    result.notice = written.notice;
    return result;
}

WorkbookResult writeMarksWorkbook(const std::string& title,
                                  const std::vector<std::vector<MarksCell>>& rows,
                                  const std::string& path, Language language) {
    const auto produce = [&](const std::string& produced) -> std::string {
        lxw_workbook* book = workbook_new(produced.c_str());
        if (!book) return texts::kWorkbookOutOfMemory.in(language);
        const Formats formats(book);
        lxw_worksheet* sheet = workbook_add_worksheet(book, texts::kMarksSheet.in(language));
        if (sheet) {
            worksheet_write_string(sheet, kTitleRow, 0, title.c_str(), formats.title);
            for (std::size_t r = 0; r < rows.size(); ++r) {
                const auto row = static_cast<lxw_row_t>(kHeaderRow + r);
                for (std::size_t c = 0; c < rows[r].size(); ++c) {
                    const auto col = static_cast<lxw_col_t>(c);
                    const MarksCell& cell = rows[r][c];
                    if (cell.number)
                        writeNumber(sheet, row, col, *cell.number, nullptr);
                    else if (!cell.text.empty())
                        worksheet_write_string(sheet, row, col, cell.text.c_str(),
                                               r == 0 ? formats.header : nullptr);
                }
            }
            worksheet_set_column(sheet, 0, 1, kColumnWidth, nullptr);
        }
        const lxw_error closed = workbook_close(book);
        if (!sheet) return texts::kWorkbookOtherFault.in(language);
        if (closed != LXW_NO_ERROR) return libraryFault(closed, language);
        return {};
    };
    const WholeFileResult written = writeWholeFileFrom(path, produce, language);
    WorkbookResult result;
    result.ok = written.ok();
    result.error = written.error;
    result.notice = written.notice;
    return result;
}

} // namespace titralab
