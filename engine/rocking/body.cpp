// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/rocking/body.h"

#include "model/block_properties.h"
#include "model/unit_tables.h"

#include <cmath>

namespace quibel {

namespace {

RockingMass pivotView(double mass, double rHeel, double angleHeel, double rToe, double angleToe) {
    RockingMass m;
    m.mass = mass;
    m.distHeel = rHeel;
    m.distToe = rToe;
    m.angleHeel = angleHeel;
    m.angleToe = angleToe;
    m.heelCos = mass * rHeel * std::cos(angleHeel);
    m.heelSin = mass * rHeel * std::sin(angleHeel);
    m.toeCos = mass * rToe * std::cos(angleToe);
    m.toeSin = mass * rToe * std::sin(angleToe);
    return m;
}

void addFirstMoments(RockingBody& body, const RockingMass& m) {
    body.heelCos += m.heelCos;
    body.heelSin += m.heelSin;
    body.toeCos += m.toeCos;
    body.toeSin += m.toeSin;
}

} // namespace

RockingBody MakeRockingBody(const TBlocStatic& model, const LoadModel& loads,
                            const AddedLoadsOnBlock& added) {
    const SiModel& si = loads.si;
    const double tanBeta = loads.tanBeta;
    const double toLength = units::lengthToSi(model.UnitSystem);
    RockingBody body;

    // Ru and Rd are kept in the model's length unit; the equations use their SI copies.
    body.Ru = std::sqrt(model.Xc * model.Xc + model.Yc * model.Yc);
    const double toeHeight = model.Yc - model.B * tanBeta;
    body.Rd = std::sqrt((model.B - model.Xc) * (model.B - model.Xc) + toeHeight * toeHeight);

    body.blockMass = si.M;
    body.blockInertia = si.Im;
    body.rHeel = std::sqrt(si.Xc * si.Xc + si.Yc * si.Yc);
    const double toeHeightSi = si.Yc - si.B * tanBeta;
    body.rToe = std::sqrt((si.B - si.Xc) * (si.B - si.Xc) + toeHeightSi * toeHeightSi);
    const CriticalAngles angles = criticalAngles(si.Xc, si.Yc, si.B, tanBeta);
    body.alphaHeel = angles.up;
    body.alphaToe = angles.down;
    body.block = pivotView(si.M, body.rHeel, body.alphaHeel, body.rToe, body.alphaToe);
    addFirstMoments(body, body.block);

    const double heelElevation = model.Hd - model.H;
    for (const AddedMassOnBlock& item : added.masses) {
        const AddedMass& a = model.Masses.Items[static_cast<std::size_t>(item.index)];
        const double above = a.Y - heelElevation;
        const double aboveToe = above - model.B * tanBeta;
        const double distHeel = std::sqrt(above * above + a.X * a.X) * toLength;
        const double distToe =
            std::sqrt(aboveToe * aboveToe + (model.B - a.X) * (model.B - a.X)) * toLength;
        const RockingMass m = pivotView(item.mass, distHeel, std::atan2(a.X, above), distToe,
                                        std::atan2(model.B - a.X, aboveToe));
        body.masses.push_back(m);
        addFirstMoments(body, m);
        body.addedMass += item.mass;
        body.addedInertiaHeel += item.mass * distHeel * distHeel;
        body.addedInertiaToe += item.mass * distToe * distToe;
    }
    body.ownInertia = added.ownInertia;

    body.inertiaHeel =
        si.M * body.rHeel * body.rHeel + body.addedInertiaHeel + body.ownInertia + si.Im;
    body.inertiaToe = si.M * body.rToe * body.rToe + body.addedInertiaToe + body.ownInertia + si.Im;
    return body;
}

} // namespace quibel
