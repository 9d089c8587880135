// libFuzzer target: pasted (volume, pH) text, line by line and as a whole paste.
#include "core/curves/PastedPoints.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace titralab;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // One line: a pair is two numbers within 0..1000, and a long line is refused.
    if (const auto pair = ParsePairLine(text)) {
        if (text.size() >= kMaxPastedLineLength) std::abort();
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
