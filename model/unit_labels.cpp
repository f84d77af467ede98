// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/unit_labels.h"

#include "model/unit_tables.h"

namespace quibel::units {

std::string inertiaUnit(UnitSystem u) {
    return std::string(massUnit(u)) + "·" + std::string(lengthUnit(u)) + "²";
}
std::string energyUnit(UnitSystem u) {
    return std::string(forceUnit(u)) + "·" + std::string(lengthUnit(u));
}
std::string gravityUnit(UnitSystem u) {
    return std::string(lengthUnit(u)) + "/sec²";
}
std::string velocityUnit(UnitSystem u) {
    return std::string(lengthUnit(u)) + "/sec";
}
std::string accelerationUnit(UnitSystem u) {
    return std::string(lengthUnit(u)) + "/sec²";
}

} // namespace quibel::units
