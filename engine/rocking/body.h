// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/loads/added_loads.h"
#include "engine/loads/load_model.h"
#include "model/project_record.h"

#include <vector>

namespace quibel {

/// Which corner of the base the block rocks about.
enum class RockingPivot {
    Heel, ///< upstream corner, rotation theta > 0 (toward upstream)
    Toe,  ///< downstream corner, rotation theta < 0 (toward downstream)
};

/// A centre of mass that rocks with the block (the block's own or an added mass's), seen from
/// the two pivots: m r cos(alpha) and m r sin(alpha), with r its distance from the pivot and
/// alpha the direction pivot -> centre measured from the vertical (t·m).
struct RockingMass final {
    double mass = 0.0;      ///< t
    double distHeel = 0.0;  ///< r from the heel, m
    double distToe = 0.0;   ///< r from the toe, m
    double angleHeel = 0.0; ///< alpha from the heel, rad
    double angleToe = 0.0;  ///< alpha from the toe, rad
    double heelCos = 0.0;   ///< m DistHeel cos(AngleHeel): mass x height above the heel
    double heelSin = 0.0;   ///< m DistHeel sin(AngleHeel): mass x distance downstream of the heel
    double toeCos = 0.0;    ///< m DistToe cos(AngleToe): mass x height above the toe
    double toeSin = 0.0;    ///< m DistToe sin(AngleToe): mass x distance upstream of the toe
};

/// The rigid body that rocks: the block and the added masses that lie on it, seen from the
/// heel and from the toe, in SI (t, m, rad). A centre at distance r and angle alpha from the
/// vertical through a pivot sits, after a rotation theta, at
///   heel: (r sin(alpha - theta), r cos(alpha - theta)) from the heel,
///   toe:  (-r sin(alpha + theta), r cos(alpha + theta)) from the toe,
/// so its gravity and inertia moments about the pivot reduce to the two sums r cos(alpha) and
/// r sin(alpha) over all centres, weighted by mass (the "first moments" below).
struct RockingBody final {
    double blockMass = 0.0;    ///< M, t
    double blockInertia = 0.0; ///< Im about the centre of mass, t m²
    double rHeel = 0.0;        ///< heel to centre of mass, m
    double alphaHeel = 0.0;    ///< atan(Xc / Yc), rad
    double rToe = 0.0;         ///< toe to centre of mass, m
    double alphaToe = 0.0;     ///< atan((B - Xc) / (Yc - B tan beta)), rad
    /// rHeel and rToe formed in the model's length unit from its values, for the record.
    double Ru = 0.0;
    double Rd = 0.0;

    RockingMass block;               ///< the block's own centre of mass
    std::vector<RockingMass> masses; ///< the added masses on the block
    double addedMass = 0.0;          ///< sum of the added masses on the block, t
    double addedInertiaHeel = 0.0;   ///< sum of m DistHeel², t m²
    double addedInertiaToe = 0.0;    ///< sum of m DistToe², t m²
    double ownInertia = 0.0;         ///< sum of the masses' own Inertia, t m²

    double inertiaHeel = 0.0; ///< M R_heel² + added + own + Im, t m²
    double inertiaToe = 0.0;  ///< M R_toe² + added + own + Im, t m²

    /// Sums of m r cos(alpha) and m r sin(alpha) over block and masses, t m.
    double heelCos = 0.0, heelSin = 0.0;
    double toeCos = 0.0, toeSin = 0.0;

    double totalMass() const noexcept { return blockMass + addedMass; }
    double inertia(RockingPivot p) const noexcept {
        return p == RockingPivot::Heel ? inertiaHeel : inertiaToe;
    }
};

/// Builds the body of a run from the model, its load model (SI copies, plane angles) and the
/// added masses on the block (in its order). The distances and angles of the added masses are
/// formed from their positions in model units, the distances then taken to metres.
RockingBody MakeRockingBody(const TBlocStatic& model, const LoadModel& loads,
                            const AddedLoadsOnBlock& added);

} // namespace quibel
