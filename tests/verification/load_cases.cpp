// SPDX-License-Identifier: GPL-3.0-or-later
#include "verification_cases.h"
#include "verification_models.h"
#include "verification_tolerances.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quibel::verification {

namespace {

constexpr double kUpstreamAcceleration = -0.6; // g, for the added-mass problems

// Hand calculation of the water on the upstream face of the start-up block (T = 1 m, water
// 1 t/m³, so its unit weight is g kN/m³): depth over the heel hw = Hr - (Hd - H).
struct Water {
    double hw = 0.0;        ///< m
    double thrust = 0.0;    ///< kN
    double arm = 0.0;       ///< height of the thrust above the heel, m
    double addedMass = 0.0; ///< t
};

Water HandWater(const TBlocStatic& m, bool addedMass) {
    Water w;
    const double g = m.Options.Gravity;
    w.hw = m.Hr - (m.Hd - m.H);
    if (w.hw <= 0.0)
        return w;
    if (m.Hr > m.Hd) {
        // Trapezoid over the whole face: g (Hr - Hd) at the top, g hw at the heel.
        const double top = g * (m.Hr - m.Hd), bottom = g * w.hw;
        w.thrust = (top + bottom) / 2.0 * m.H * m.T;
        w.arm = m.H / 3.0 * (2.0 * top + bottom) / (top + bottom);
    } else {
        w.thrust = g * w.hw * w.hw / 2.0 * m.T;
        w.arm = w.hw / 3.0;
    }
    // Westergaard-type parabola integrated over the wetted height.
    if (addedMass)
        w.addedMass = 0.543 * std::sqrt(m.Hr) * std::pow(w.hw, 1.5) * m.T;
    return w;
}

struct LoadCase {
    const char* name;
    const char* description;
    AnalysisKind kind;
    double Hr, U, beta;
    double ag; ///< constant horizontal base acceleration, g (0: a silent history)
    bool translational = true;
};

const LoadCase kCases[] = {
    {"loads-thrust-triangle", "Hr = 28 m (hw = 18 m < H), no uplift", AnalysisKind::Sliding, 28, 0,
     0, 0},
    {"loads-thrust-overtopping", "Hr = 35 m > Hd, no uplift", AnalysisKind::Sliding, 35, 0, 0, 0},
    {"loads-uplift", "Hr = 28 m, uplift U = 1330 kN", AnalysisKind::Sliding, 28, 1330, 0, 0},
    {"loads-inclined", "Hr = 28 m, U = 1330 kN, plane rising 5° downstream", AnalysisKind::Sliding,
     28, 1330, 5, 0},
    {"loads-dry-face", "Hr = 8 m, below the heel", AnalysisKind::Sliding, 8, 1330, 0, 0},
    {"loads-overturning", "Hr = 28 m, U = 1330 kN at Xu = 5.33 m", AnalysisKind::Rocking, 28, 1330,
     0, 0},
    {"loads-overturning-overtopping", "Hr = 35 m, U = 1330 kN at Xu = 5.33 m",
     AnalysisKind::Rocking, 35, 1330, 0, 0},
    {"loads-added-mass", "Hr = 28 m, U = 1330 kN", AnalysisKind::Sliding, 28, 1330, 0,
     kUpstreamAcceleration},
    {"loads-added-mass-overtopping", "Hr = 35 m, U = 1330 kN", AnalysisKind::Sliding, 35, 1330, 0,
     kUpstreamAcceleration},
    {"loads-added-mass-off", "Hr = 28 m, U = 1330 kN, hydrodynamic pressures not considered",
     AnalysisKind::Sliding, 28, 1330, 0, kUpstreamAcceleration, false},
};

TBlocStatic LoadProject(const LoadCase& c) {
    TBlocStatic m = startupModel();
    m.AnalysisKind = c.kind;
    m.Hr = c.Hr;
    m.U = c.U;
    m.Beta = c.beta;
    m.Options.SaveStep = 0.01;
    m.Options.Translational = c.translational ? 0 : 1;
    TimeHistoryRecord& h = m.history(HistoryKind::HorizontalAcceleration);
    if (c.ag != 0.0)
        ConstantHistory(h, c.ag, 0.05);
    else
        SilentHistory(h, 0.05);
    SetDefinedFlags(m);
    return m;
}

// The first stored sample after t = 0 (t = 0.01 s).
double AtRest(const GridColumns& g, const std::string& title) {
    return g[title].at(1);
}

double Relative(double program, double hand) {
    return std::abs(program - hand) / std::max(std::abs(hand), 1e-300);
}

} // namespace

CaseRuns LoadRuns(Scope) {
    CaseRuns runs;
    for (const LoadCase& c : kCases)
        runs.analyses.push_back({c.name, LoadProject(c)});
    return runs;
}

CaseReport LoadReport(const RunResults& results, Scope) {
    CaseReport report;
    Table sliding{"loads-sliding",
                  {"case", "thrust Hs (kN)", "normal force (kN)", "force along the plane (kN)",
                   "SF hand", "SF program", "relative difference"},
                  {}};
    Table overturning{"loads-overturning",
                      {"case", "thrust Hs (kN) at (m)", "SF hand", "SF program",
                       "resultant hand (% of B)", "resultant program (% of B)",
                       "relative difference"},
                      {}};
    Table mass{"loads-added-mass",
               {"case", "added mass hand (t)", "relative acceleration hand (m/s²)",
                "program (m/s²)", "relative difference", "added mass implied by the program (t)"},
               {}};
    for (const LoadCase& c : kCases) {
        const TBlocStatic m = LoadProject(c);
        const GridColumns& g = results.grid(c.name);
        const double gravity = m.Options.Gravity;
        const double weight = m.M * gravity;
        const double mu = std::tan(m.PhiS * std::numbers::pi / 180.0);
        const Water w = HandWater(m, c.translational);
        if (c.kind == AnalysisKind::Rocking) {
            // Moments about the toe: the weight resists; the thrust and the uplift (at
            // B - Xu from the toe) overturn. About the heel the uplift alone resists.
            const double resistingToe = weight * (m.B - m.Xc);
            const double overturningToe = w.thrust * w.arm + m.U * (m.B - m.Xu);
            const double heelDriving = w.thrust * w.arm + weight * m.Xc;
            const double heelResisting = m.U * m.Xu;
            double sf = resistingToe / overturningToe;
            if (heelResisting != 0.0)
                sf = std::min(sf, heelDriving / heelResisting);
            sf = std::min(sf, 10.0);
            // Resultant from the heel: moment of all loads about the heel over the net normal
            // force.
            const double resultant =
                (w.thrust * w.arm + weight * m.Xc - m.U * m.Xu) / (weight - m.U) / m.B * 100.0;
            const double sfProgram = AtRest(g, "Overturning safety factor");
            const double resultantProgram = AtRest(g, "Resultant position (% from U/S)");
            const double d =
                std::max(Relative(sfProgram, sf), Relative(resultantProgram, resultant));
            report.check(std::string(c.name), d, kLoadRelative);
            overturning.rows.push_back({c.description,
                                        Fixed(w.thrust, 2) + " at " + Fixed(w.arm, 3), Fixed(sf, 6),
                                        Fixed(sfProgram, 6), Fixed(resultant, 4),
                                        Fixed(resultantProgram, 4), Scientific(d, 2)});
        } else if (c.ag == 0.0) {
            // Along and normal to the plane rising by beta downstream.
            const double b = m.Beta * std::numbers::pi / 180.0;
            const double normal = weight * std::cos(b) + w.thrust * std::sin(b) - m.U;
            const double along = w.thrust * std::cos(b) - weight * std::sin(b);
            const double sf = along != 0.0 ? std::min(mu * normal / std::abs(along), 5.0) : 5.0;
            const double program = AtRest(g, "Sliding safety factor");
            const double d = Relative(program, sf);
            report.check(std::string(c.name), d, kLoadRelative);
            sliding.rows.push_back({c.description, Fixed(w.thrust, 3), Fixed(normal, 3),
                                    Fixed(along, 3), Fixed(sf, 6), Fixed(program, 6),
                                    Scientific(d, 2)});
        } else {
            // The base accelerates upstream: the inertia of block and water and the thrust
            // push downstream, friction on the net normal force holds back.
            const double ag = c.ag * gravity;
            const double load = -(m.M + w.addedMass) * ag + w.thrust;
            const double friction = mu * (weight - m.U);
            const double a = (load - friction) / (m.M + w.addedMass);
            const double program = AtRest(g, "Sliding acceleration");
            const double implied = (w.thrust - friction) / (program + ag) - m.M;
            const double d = Relative(program, a);
            report.check(std::string(c.name), d, kLoadRelative);
            mass.rows.push_back({c.description, Fixed(w.addedMass, 3), Fixed(a, 6),
                                 Fixed(program, 6), Scientific(d, 2), Fixed(implied, 3)});
        }
    }
    report.tables = {std::move(sliding), std::move(overturning), std::move(mass)};
    return report;
}

} // namespace quibel::verification
