// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quibel {

/// Ground accelerations, velocities and displacements at the start (…Prev) and at the end of
/// an integration step. The driver integrates them from the two base-acceleration histories;
/// every step function receives them in this order.
struct GroundMotion final {
    double agPrev = 0.0; ///< horizontal ground acceleration at the start of the step, m/s²
    double ag = 0.0;     ///< horizontal ground acceleration at the end of the step, m/s²
    double avPrev = 0.0; ///< vertical ground acceleration at the start, m/s² (up positive)
    double av = 0.0;     ///< vertical ground acceleration at the end, m/s²
    double vgPrev = 0.0; ///< horizontal ground velocity at the start, m/s
    double vg = 0.0;     ///< horizontal ground velocity at the end, m/s
    double vvPrev = 0.0; ///< vertical ground velocity at the start, m/s
    double vv = 0.0;     ///< vertical ground velocity at the end, m/s
    double dgPrev = 0.0; ///< horizontal ground displacement at the start, m
    double dg = 0.0;     ///< horizontal ground displacement at the end, m
    double dvPrev = 0.0; ///< vertical ground displacement at the start, m
    double dv = 0.0;     ///< vertical ground displacement at the end, m
};

} // namespace quibel
