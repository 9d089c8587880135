// libFuzzer target: study files. Whatever the text, the reader refuses it with a problem or
// gives a record that writes and reads back to itself.
#include "core/panel/StudyFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace titralab;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const StudyReading reading = readStudyText(text);
    if (!reading.record) {
        if (reading.problem.empty()) std::abort();
        return 0;
    }
    const StudyReading again = readStudyText(writeStudyText(*reading.record));
    if (!again.record) std::abort();
    // Texts that were not UTF-8 come back with replacement characters; all else is kept.
    if (writeStudyText(*again.record) != writeStudyText(*reading.record)) std::abort();
    return 0;
}
