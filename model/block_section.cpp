// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/block_section.h"

#include <cmath>

namespace quibel {

namespace {
struct Part {
    double area;  // signed, length²
    double x, y;  // centroid from the heel, length
    double polar; // polar moment of area about the centroid, length⁴ (signed with the area)
};
} // namespace

BlockSectionResult ComputeBlockSection(const BlockSectionInput& in) noexcept {
    const double a = in.A, b = in.B, c = in.C, d = in.D, e = in.E;
    BlockSectionResult r;
    if (a <= 0.0 || b <= 0.0 || in.Density <= 0.0) {
        r.problem = BlockSectionProblem::ZeroValue;
        return r;
    }
    if (d > b) {
        r.problem = BlockSectionProblem::CrestWiderThanBase;
        return r;
    }
    if (c > a + e) {
        r.problem = BlockSectionProblem::FaceBelowToe;
        return r;
    }
    // The lower end of the vertical downstream face must not lie below the base line, which is
    // at -e d / b under the crest's end; otherwise the outline crosses itself.
    if (a - c < -e * d / b) {
        r.problem = BlockSectionProblem::FaceCrossesBase;
        return r;
    }

    const double h = a + e; // height from the toe level to the crest
    const Part parts[3] = {
        {h * d, d / 2.0, h / 2.0 - e, h * d * (h * h + d * d) / 12.0},
        {(h - c) * (b - d) / 2.0, d + (b - d) / 3.0, (h - c) / 3.0 - e,
         (h - c) * (b - d) / 2.0 * ((b - d) * (b - d) + (h - c) * (h - c)) / 18.0},
        {-e * b / 2.0, b / 3.0, -2.0 * e / 3.0, -e * b / 2.0 * (b * b + e * e) / 18.0},
    };
    double area = 0.0, sx = 0.0, sy = 0.0;
    for (const Part& p : parts) {
        area += p.area;
        sx += p.area * p.x;
        sy += p.area * p.y;
    }
    if (!(area > 0.0)) {
        r.problem = BlockSectionProblem::NoArea;
        return r;
    }
    const double xc = sx / area, yc = sy / area;
    double polar = 0.0; // about the centre of mass, parallel axes
    for (const Part& p : parts)
        polar += p.area * ((p.x - xc) * (p.x - xc) + (p.y - yc) * (p.y - yc)) + p.polar;

    const double massPerArea = in.Density * in.Thickness;
    r.properties.M = massPerArea * area;
    r.properties.Xc = xc;
    r.properties.Yc = yc;
    r.properties.Im = massPerArea * polar;
    r.properties.Beta = std::atan(-e / b);
    return r;
}

} // namespace quibel
