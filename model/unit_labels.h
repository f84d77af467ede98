// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/enums.h"

#include <string>

namespace quibel::units {

// Labels derived from the unit tables, e.g. "ton·m²", "kN·m", "m/sec²".
std::string inertiaUnit(UnitSystem u);      ///< mass unit + "·" + length unit + "²"
std::string energyUnit(UnitSystem u);       ///< force unit + "·" + length unit
std::string gravityUnit(UnitSystem u);      ///< length unit + "/sec²"
std::string velocityUnit(UnitSystem u);     ///< length unit + "/sec"
std::string accelerationUnit(UnitSystem u); ///< length unit + "/sec²"

} // namespace quibel::units
