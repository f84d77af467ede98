// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/loads/added_loads.h"

#include "model/block_properties.h"
#include "model/model_flags.h"
#include "model/unit_tables.h"

namespace quibel {

AddedLoadsOnBlock CollectAddedLoads(const TBlocStatic& model) {
    const double length = units::lengthToSi(model.UnitSystem);
    const double force = units::forceToSi(model.UnitSystem);
    const double mass = units::massToSi(model.UnitSystem);
    AddedLoadsOnBlock added;
    if (hasFlag(model.ModelFlags, ModelFlag::HasForces)) {
        double sumFh = 0.0;
        double sumFv = 0.0;
        for (const AddedForce& f : model.Forces.Items) {
            if (!OnBlock(model, f.X, f.Y))
                continue;
            sumFh += f.Fh;
            sumFv += f.Fv;
            added.forces.push_back({f.X * length, f.Y * length, f.Fh * force, f.Fv * force});
        }
        // Summed in model units, then converted once.
        added.sumFx = sumFh * force;
        added.sumFy = sumFv * force;
    }
    if (hasFlag(model.ModelFlags, ModelFlag::HasMasses)) {
        double sumMass = 0.0;
        double sumInertia = 0.0;
        for (std::size_t i = 0; i < model.Masses.Items.size(); ++i) {
            const AddedMass& m = model.Masses.Items[i];
            if (!OnBlock(model, m.X, m.Y))
                continue;
            sumMass += m.Mass;
            sumInertia += m.Inertia;
            added.masses.push_back({static_cast<int>(i), m.X * length, m.Y * length, m.Mass * mass,
                                    m.Inertia * mass * length * length});
        }
        added.mass = sumMass * mass;
        added.ownInertia = sumInertia * mass * length * length;
    }
    return added;
}

bool ForceHistoryOnBlock(const TBlocStatic& model, HistoryKind kind) noexcept {
    const TimeHistoryRecord& h = model.history(kind);
    return OnBlock(model, h.PosX, h.PosY);
}

} // namespace quibel
