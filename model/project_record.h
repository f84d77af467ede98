// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/added_items.h"
#include "model/analysis_options.h"
#include "model/enums.h"
#include "model/time_history_record.h"
#include "numeric/tvector.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace quibel {

/// The whole project: inputs in the project's unit system, the four time histories, added
/// masses and forces, options, the result series of the last analysis and what a run leaves for
/// the file and the report (Ru, Rd, ThetaUp, ThetaDown). Data only: reading, writing, unit change
/// and validation live elsewhere. Lengths are in the length unit of UnitSystem, masses in its mass
/// unit, forces in its force unit; base accelerations in g; times in s; angles entered by the user
/// in degrees.
struct TBlocStatic final {
    std::string FileName; ///< empty for an untitled model
    std::array<std::int16_t, 4> FileVersion{1, 0, 3, 1};
    quibel::AnalysisKind AnalysisKind = quibel::AnalysisKind::Sliding;
    std::uint16_t ModelFlags = 0; ///< bits of ModelFlag
    quibel::UnitSystem UnitSystem = quibel::UnitSystem::MKnTon;
    double H = 0.0;         ///< block height at the upstream face, length
    double Hd = 0.0;        ///< dam height from foundation, length
    double Hr = 0.0;        ///< reservoir height from foundation (0 = empty), length
    double Xc = 0.0;        ///< upstream face to block centre of mass, horizontal, length
    double Yc = 0.0;        ///< heel to block centre of mass, vertical, length
    double B = 0.0;         ///< horizontal width of the block base, length
    double M = 0.0;         ///< block mass, mass unit
    double U = 0.0;         ///< uplift force normal to the plane, force unit
    double Xu = 0.0;        ///< uplift position from the upstream face, length
    double PhiS = 0.0;      ///< static friction angle, degrees
    double PhiD = 0.0;      ///< dynamic friction angle, degrees
    double Beta = 0.0;      ///< inclination of the plane, degrees (negative = clockwise)
    double Ru = 0.0;        ///< heel to centre of mass, length (written by the rocking run)
    double Rd = 0.0;        ///< toe to centre of mass, length (written by the rocking run)
    double Eu = 0.0;        ///< upstream coefficient of restitution, 0..1
    double Ed = 0.0;        ///< downstream coefficient of restitution, 0..1
    double Es = 0.0;        ///< sliding coefficient of restitution, 0..1
    double Im = 0.0;        ///< mass moment of inertia about the centre of mass, mass x length²
    double T = 0.0;         ///< section thickness, length
    double ThetaUp = 0.0;   ///< critical rotation about the heel, rad (not saved)
    double ThetaDown = 0.0; ///< critical rotation about the toe, rad (not saved)
    std::array<TimeHistoryRecord, 4> Histories{}; ///< indexed by HistoryKind
    TMassesArray Masses;
    TForcesArray Forces;
    AnalysisOptions Options;

    // Result series of the last analysis, one sample per Options.SaveStep; sample i is at
    // (i - 1) x SaveStep. Lengths in the length unit, energies in force unit x length unit.
    std::optional<TVector> SlidingDisp; ///< length
    std::optional<TVector> SlidingVel;  ///< length/s
    std::optional<TVector> SlidingAcc;  ///< length/s²
    std::optional<TVector> Rotation;    ///< rad
    std::optional<TVector> RotationVel; ///< rad/s
    std::optional<TVector> RotationAcc; ///< rad/s²
    std::optional<TVector> RelKineticEnergy;
    std::optional<TVector> AbsKineticEnergy;
    std::optional<TVector> FrictionEnergy;
    std::optional<TVector> ImpactEnergy;
    std::optional<TVector> PotentialEnergy;
    std::optional<TVector> PreseismicWork;
    std::optional<TVector> AbsInputEnergy;
    std::optional<TVector> RelInputEnergy;
    std::optional<TVector> OverturningSF;
    std::optional<TVector> SlidingSF;
    std::optional<TVector> ResultantPosition; ///< % of the plane length from upstream

    TimeHistoryRecord& history(HistoryKind k) { return Histories[static_cast<std::size_t>(k)]; }
    const TimeHistoryRecord& history(HistoryKind k) const {
        return Histories[static_cast<std::size_t>(k)];
    }

    bool operator==(const TBlocStatic&) const = default;
};

/// The model the program starts with (a 398 t block, 20 m high and 16 m wide, in a 30 m dam
/// with a 28 m reservoir, in "m - kN - ton"). It is the only reset there is.
TBlocStatic startupModel();

} // namespace quibel
