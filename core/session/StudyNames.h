// The names a study file gives the program's choices and fields, shared by its reader, its
// writer and the capture of a study.
#pragma once

#include "core/panel/Field.h"

#include <string>
#include <vector>

namespace titralab::studyfile {

// The top-level section that keeps a family of curves.
inline constexpr const char* kFamilySection = "family";

// The names the file uses for the program's choices, in the order of their enumerations.
inline const std::vector<std::string> kSideNames{"none", "acid", "base"};
inline const std::vector<std::string> kStudyNames{"none",    "titration", "species", "two-mono",
                                                  "mixture", "dilution",  "free"};
inline const std::vector<std::string> kBaseKindNames{"soda", "potash"};
inline const std::vector<std::string> kOrderNames{"pH,v", "v,pH"};
inline const std::vector<std::string> kVolumeUnitNames{"L", "mL"};
inline const std::vector<std::string> kFormatNames{"quarter", "half", "optimised"};
inline const std::vector<std::string> kSamplingNames{"pH", "volume"};
inline const std::vector<std::string> kSeparatorNames{"point", "comma"};
inline const std::vector<std::string> kActivityNames{"none", "davies"};

// The fields a frozen curve keeps: those of the chemistry, the line width aside.
inline bool isChemistryField(Field field) {
    return field != Field::LineWidth;
}

inline std::vector<std::string> fieldKeys(bool chemistryOnly) {
    std::vector<std::string> keys;
    for (Field f : kFields)
        if (!chemistryOnly || isChemistryField(f)) keys.push_back(fieldKey(f));
    return keys;
}

} // namespace titralab::studyfile
