// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"
#include "texts/text_catalogue.h"

#include <string>
#include <vector>

namespace quibel {

/// The "Computed data" report of model: its input parameters and, for the rocking analysis
/// kinds, the quantities that govern rocking (centre of mass, distances to the heel and the
/// toe, critical angles, mass moments of inertia, coefficients of restitution), in the
/// project's units, one UTF-8 line per element.
///
/// The two languages differ in content and layout. English: labels padded to 32 characters,
/// inertias "%14.8e" with a three-digit exponent, the downstream angle with the sign of
/// ThetaDown, no empty line in the rocking part, which ends with the coefficients of
/// restitution. French: labels padded to 43 characters, the coefficients of restitution first,
/// an empty line before every section, inertias "%14.3f", negated downstream angles, and, when
/// the model has them, the lists of added forces and masses and the properties of the block
/// with its added masses (BlockProperties).
///
/// The critical angles are the model's ThetaUp and ThetaDown, as the last rocking run left
/// them; every other value is read as the model holds it now. Numbers carry decimalSeparator.
std::vector<std::string> ComputedDataReport(const TBlocStatic& model, Language language,
                                            char decimalSeparator = '.');

/// Sets ThetaUp = atan(Xc / Yc) and ThetaDown = atan((B - Xc) / (Yc - B tan Beta)), rad, from
/// the model's values, as a rocking run does before its first step (finite when a denominator
/// is 0: see criticalAngle).
void SetCriticalAngles(TBlocStatic& model) noexcept;

} // namespace quibel
