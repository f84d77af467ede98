// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/enums.h"
#include "model/project_record.h"

#include <vector>

namespace quibel {

/// An added force that acts on the block, in SI.
struct AddedForceOnBlock final {
    double x = 0.0;  ///< from the upstream face, m
    double y = 0.0;  ///< elevation from the foundation, m
    double fh = 0.0; ///< horizontal component, kN, positive downstream
    double fv = 0.0; ///< vertical component, kN, positive up
};

/// An added mass that moves with the block, in SI.
struct AddedMassOnBlock final {
    int index = 0;        ///< position in TBlocStatic::Masses.Items (0-based)
    double x = 0.0;       ///< from the upstream face, m
    double y = 0.0;       ///< elevation from the foundation, m
    double mass = 0.0;    ///< t
    double inertia = 0.0; ///< about its own centre, t·m²
};

/// The added forces and masses that belong to the block: those whose point passes OnBlock (on
/// or above the analysis plane, tested in model units), and none of a kind whose ModelFlags
/// bit (HasForces, HasMasses) is clear. Items below the plane belong to the lower part of the
/// dam and are ignored by every analysis. The model does not change during a run, so a run
/// collects them once.
struct AddedLoadsOnBlock final {
    double sumFx = 0.0;      ///< sum of Fh of the forces on the block, kN
    double sumFy = 0.0;      ///< sum of Fv of the forces on the block, kN
    double mass = 0.0;       ///< Madd, sum of the masses on the block, t
    double ownInertia = 0.0; ///< sum of their own Inertia, t·m²
    std::vector<AddedForceOnBlock> forces;
    std::vector<AddedMassOnBlock> masses;
};

AddedLoadsOnBlock CollectAddedLoads(const TBlocStatic& model);

/// Whether force history `kind` (HorizontalForce or VerticalForce) acts on the block: its point
/// of application (PosX, PosY) passes OnBlock. A force history off the block contributes 0.
bool ForceHistoryOnBlock(const TBlocStatic& model, HistoryKind kind) noexcept;

} // namespace quibel
