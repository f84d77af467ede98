// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/run_status_text.h"

#include "engine/run/number_text.h"
#include "model/unit_tables.h"

namespace quibel {

RunStatusText FormatRunStatus(const RunStatus& status, UnitSystem units) {
    RunStatusText t;
    t.time = fixedText(status.time, 3, 10) + " sec";
    t.slidingDisplacement = fixedText(status.slidingDisplacement, 7, 12);
    t.slidingDisplacement += ' ';
    t.slidingDisplacement += units::lengthUnit(units);
    t.rotation = fixedText(status.rotation, 10, 12) + " rad";
    t.absoluteEnergyError = fixedText(status.absoluteEnergyError, 3, 10) + " %";
    t.relativeEnergyError = fixedText(status.relativeEnergyError, 3, 10) + " %";
    return t;
}

} // namespace quibel
