// The number fields of the input panel, and the keys that name them in study files and on the
// command line of titralab-export.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace titralab {

// A number field of the panel. Column 1 holds the first acid (or base) in the beaker, column 2
// the second one of the two-acid studies; the line width is that of the drawn curves.
enum class Field {
    BuretteConcentration = 1,
    Concentration1 = 2,
    Volume1 = 3,
    PKa1 = 4, // column 1, first acidity
    PKa2 = 5,
    PKa3 = 6,
    LineWidth = 11,
    Concentration2 = 12,
    Volume2 = 13,
    PKa2_1 = 14, // column 2, first acidity
    PKa2_2 = 15,
    PKa2_3 = 16,
};

// Every field, in the order the panel reads them and study files write them.
inline constexpr std::array<Field, 12> kFields{Field::BuretteConcentration,
                                               Field::Concentration1,
                                               Field::Volume1,
                                               Field::PKa1,
                                               Field::PKa2,
                                               Field::PKa3,
                                               Field::LineWidth,
                                               Field::Concentration2,
                                               Field::Volume2,
                                               Field::PKa2_1,
                                               Field::PKa2_2,
                                               Field::PKa2_3};

// The slot of a field in the panel's storage.
constexpr std::size_t slot(Field field) {
    return static_cast<std::size_t>(field);
}

// A field's key in study files and in titralab-export's options ("D1".."D16", kept from the
// first version of the file format), and the field a key names.
struct FieldKey {
    Field field;
    std::string_view key;
};
inline constexpr std::array<FieldKey, 12> kFieldKeys{{
    {Field::BuretteConcentration, "D1"},
    {Field::Concentration1, "D2"},
    {Field::Volume1, "D3"},
    {Field::PKa1, "D4"},
    {Field::PKa2, "D5"},
    {Field::PKa3, "D6"},
    {Field::LineWidth, "D11"},
    {Field::Concentration2, "D12"},
    {Field::Volume2, "D13"},
    {Field::PKa2_1, "D14"},
    {Field::PKa2_2, "D15"},
    {Field::PKa2_3, "D16"},
}};

inline std::string fieldKey(Field field) {
    for (const FieldKey& k : kFieldKeys)
        if (k.field == field) return std::string(k.key);
    return {};
}

inline std::optional<Field> fieldOfKey(std::string_view key) {
    for (const FieldKey& k : kFieldKeys)
        if (k.key == key) return k.field;
    return std::nullopt;
}

} // namespace titralab
