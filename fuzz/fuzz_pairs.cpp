// libFuzzer target: pasted (volume, pH) text, line by line and as a whole paste.
#include "core/curves/PastedPoints.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace titralab;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // One line: a pair is two numbers within 0..1000, and a line longer than the limit once
    // stripped of its surrounding blanks and control characters is refused.
    if (const auto pair = ParsePairLine(text)) {
        std::size_t begin = 0, end = text.size();
        while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
        while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
        if (end - begin > kMaxPastedLineLength) std::abort();
        if (!(pair->first >= 0 && pair->first <= 1000 && pair->second >= 0 && pair->second <= 1000))
            std::abort();
    }
    // A whole paste: at most 200 pairs, all within range, whatever the order.
    const auto lines = SplitLines(text);
    for (bool volumeFirst : {true, false}) {
        const auto points = ReadPastedPoints(lines, volumeFirst);
        if (points.size() > static_cast<std::size_t>(kMaxPastedPairs)) std::abort();
        for (const PastedPair& p : points)
            if (!(p.volume >= 0 && p.volume <= 1000 && p.pH >= 0 && p.pH <= 1000)) std::abort();
    }
    return 0;
}
