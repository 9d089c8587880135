#include "core/texts/Messages.h"

#include <array>

namespace titralab::texts {

std::string messageA() {
    return std::string("Séparateur décimal : virgule !") + kLineBreak + "Exemple : 1,03E-2";
}

std::string messageB() {
    return messageA() + " ou " + "La concentration doit être supérieure à 1E-8 !" + " ou " +
           "cbi trop grande !";
}

std::string messageC() {
    return messageA() + " ou " + "vai trop grand !" + " ou " + "vai trop petit !";
}

std::string messageD() {
    return "Le nombre de points doit être un entier entre 5 et 200 !";
}

std::string studyName(BuretteSide side, Study study) {
    static const std::array<const char*, 5> acid{
        "Monobase forte sur polyacide, f (v)", "Monobase forte sur polyacide, f (pH)",
        "Monobase forte sur 2 monoacides, f (v)", "Mélange de 2 polyacides, pH et c",
        "Dilution d'un acide"};
    static const std::array<const char*, 5> base{
        "Monoacide fort sur polybase, f (v)", "Monoacide fort sur polybase, f (pH)",
        "Monoacide fort sur 2 monobases, f (v)", "Mélange de 2 polybases, pH et c",
        "Dilution d'une base"};
    const int i = static_cast<int>(study);
    if (i < 0 || i > 4) return {};
    return side == BuretteSide::AcidSide ? acid[i] : base[i];
}

} // namespace titralab::texts
