// Measurement files as data-logging programs and spreadsheets write them.
#include "core/sheets/MeasurementFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>

using namespace titralab;
using namespace titralab::sheets;

namespace {

struct Variant {
    const char* label;
    std::string bytes;
    // Expected: the columns proposed, the units found, the first imported point and how many.
    ColumnChoice choice;
    Unit volumeUnit;
    Unit conductivityUnit;
    double firstVolume; // L
    double firstPH;
    double firstConductivity; // S/m, NaN when none
    std::size_t pHCount;
    std::size_t badLines;
};

const double kNone = std::numeric_limits<double>::quiet_NaN();

const Variant kVariants[]{
    {"semicolons, decimal commas, units in brackets",
     "V (mL);pH;\xCF\x83 (mS/cm)\r\n0;2,87;1,62\r\n0,5;3,10;1,55\r\n1,0;3,35;1,49\r\n",
     {0, 1, 2}, Unit::Millilitre, Unit::MilliSiemensPerCentimetre, 0, 2.87, 0.162, 3, 0},
    {"tabs in litres",
     "V(L)\tpH\n0.000\t11.2\n0.001\t11.1\n0.002\t11.0\n", {0, 1, -1}, Unit::Litre, Unit::None,
     0, 11.2, kNone, 3, 0},
    {"units on a line under the names, a title above",
     "Dosage de l'acide \xC3\xA9thano\xC3\xAFque\nvolume;pH;conductivit\xC3\xA9\nmL;;\xC2\xB5S/cm\n"
     "0;2,9;520\n1;3,4;480\n",
     {0, 1, 2}, Unit::Millilitre, Unit::MicroSiemensPerCentimetre, 0, 2.9, 0.052, 2, 0},
    {"UTF-8 with a byte-order mark, slash units",
     "\xEF\xBB\xBFv/mL,pH\n0.0,2.0\n2.5,2.2\n", {0, 1, -1}, Unit::Millilitre, Unit::None, 0, 2.0,
     kNone, 2, 0},
    {"Latin-1 header, blanks, a bad line among good ones",
     "V (mL)   pH   conductivit\xE9 (S/m)\n0 2.5 0.03\n1 2.6 oops\n2 2.7 0.02\n", {0, 1, 2}, Unit::Millilitre,
     Unit::SiemensPerMetre, 0, 2.5, 0.03, 2, 1},
    {"no header: volume and pH",
     "0;7,0\n5;7,5\n10;8,1\n", {0, 1, -1}, Unit::None, Unit::None, 0, 7.0, kNone, 3, 0},
    {"trailing separators and an empty cell",
     "V (mL);pH;\n0;3,1;\n0,5;;\n1;3,3;\n", {0, 1, -1}, Unit::Millilitre, Unit::None, 0, 3.1, kNone,
     2, 0},
};

} // namespace

TEST(MeasurementFile, ReadsTheUsualHeaderAndSeparatorVariants) {
    for (const auto& v : kVariants) {
        const MeasurementRead read = readMeasurements(v.bytes);
        ASSERT_EQ(read.refusal, MeasurementRefusal::None) << v.label;
        const ColumnChoice choice = proposeColumns(read.table);
        EXPECT_EQ(choice.volume, v.choice.volume) << v.label;
        EXPECT_EQ(choice.pH, v.choice.pH) << v.label;
        EXPECT_EQ(choice.conductivity, v.choice.conductivity) << v.label;
        EXPECT_EQ(read.table.columns[choice.volume].unit, v.volumeUnit) << v.label;
        if (choice.conductivity >= 0)
            EXPECT_EQ(read.table.columns[choice.conductivity].unit, v.conductivityUnit) << v.label;
        const Unit volumeUnit = proposedVolumeUnit(read.table, choice.volume);
        const auto imported = importMeasurements(read.table, choice, volumeUnit, Unit::None);
        ASSERT_EQ(imported.pH.size(), v.pHCount) << v.label;
        EXPECT_DOUBLE_EQ(imported.pH[0].volume, v.firstVolume) << v.label;
        EXPECT_DOUBLE_EQ(imported.pH[0].pH, v.firstPH) << v.label;
        if (!std::isnan(v.firstConductivity)) {
            ASSERT_FALSE(imported.conductivity.empty()) << v.label;
            EXPECT_NEAR(imported.conductivity[0].conductivity, v.firstConductivity, 1e-12) << v.label;
        }
        EXPECT_EQ(read.table.badLineCount, v.badLines) << v.label;
    }
}

TEST(MeasurementFile, ProposesTheVolumeUnitFromTheValuesWhenTheHeaderIsSilent) {
    for (const auto& [text, unit] : {std::pair{"0;7\n12,5;8\n", Unit::Millilitre},
                                     std::pair{"0;7\n0,0125;8\n", Unit::Litre}}) {
        const auto read = readMeasurements(text);
        EXPECT_EQ(proposedVolumeUnit(read.table, 0), unit) << text;
    }
}

TEST(MeasurementFile, RefusesWhatIsNoMeasurementFileAndListsBadLines) {
    struct Refused {
        const char* label;
        std::string bytes;
        MeasurementRefusal refusal;
    };
    const Refused refused[]{
        {"a binary file", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), MeasurementRefusal::Binary},
        {"text without a number", "Titrage\nrien ici\n", MeasurementRefusal::NoReadableLine},
        {"every line unreadable", "V;pH\n1;x\n2;y\n", MeasurementRefusal::NoReadableLine},
        {"empty", "", MeasurementRefusal::NoReadableLine},
    };
    for (const auto& r : refused) EXPECT_EQ(readMeasurements(r.bytes).refusal, r.refusal) << r.label;

    std::string many = "V;pH\n";
    for (int i = 0; i < 8; ++i) many += std::to_string(i) + ";bad\n";
    many += "9;7\n";
    const auto read = readMeasurements(many);
    EXPECT_EQ(read.table.badLineCount, 8u);
    ASSERT_EQ(read.table.badLines.size(), kListedBadLines);
    EXPECT_EQ(read.table.badLines[0].number, 2);
    const std::string listed = badLinesText(read.table, Language::French);
    EXPECT_NE(listed.find("8 lignes illisibles"), std::string::npos) << listed;
    EXPECT_NE(listed.find("ligne 2 : 0;bad"), std::string::npos) << listed;
}

TEST(MeasurementFile, KeepsTheFirstRowsWithinTheLimit) {
    std::string text;
    for (std::size_t i = 0; i < kMaxMeasurementRows + 30; ++i) text += std::to_string(i) + ";7\n";
    const auto read = readMeasurements(text);
    EXPECT_EQ(read.table.rows.size(), kMaxMeasurementRows);
    EXPECT_EQ(read.table.droppedRows, 30u);
}
