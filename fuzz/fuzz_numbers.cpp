// libFuzzer target: the reading rule of typed numbers, on arbitrary text.
#include "core/numbers/NumberFormat.h"
#include "core/numbers/NumberInput.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace titralab;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // Whatever the text, the value is finite and within the bounds, and a text read as a
    // number in range reads the same with the bounds widened.
    const BoundedNumber r = ParseBoundedNumber(text, -20, 50);
    if (!std::isfinite(r.value) || r.value < -20 || r.value > 50) std::abort();
    if (r.ok) {
        const BoundedNumber wide = ParseBoundedNumber(text, -1e300, 1e300);
        if (!wide.ok || wide.value != r.value) std::abort();
        // Writing the value and reading it back gives it to 15 significant digits.
        const BoundedNumber again = ParseBoundedNumber(formatGeneral(r.value, 15, '.'), -20, 50);
        if (!again.ok || std::fabs(again.value - r.value) > 1e-13 * (1 + std::fabs(r.value)))
            std::abort();
    }
    return 0;
}
