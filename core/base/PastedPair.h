// One measured point pasted by the user: a volume added and the pH read.
#pragma once

namespace titralab {

struct PastedPair {
    double volume{}; // L, the unit of the state's volumes
    double pH{};
};

} // namespace titralab
