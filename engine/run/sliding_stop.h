// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quibel {

/// The instant in [0, span] (s) at which a sliding velocity v0 + a0 t + A t² (an acceleration
/// linear over the span) reaches zero: the smaller root when both are positive, the
/// non-negative one when the other is negative; span when there is no such root (A = 0, no
/// real root, both negative). Where a sliding block that friction can hold stops in its step.
double VelocityRootTime(double v0, double a0, double A, double span) noexcept;

} // namespace quibel
