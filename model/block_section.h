// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quibel {

/// The usual gravity-dam block outline, heel at the origin, X downstream, Y up. Its corners are
/// (0, 0), (0, a), (d, a), (d, a - c), (b, -e): vertical upstream face of height a, horizontal
/// crest of width d, vertical downstream face over c, then a straight face down to the toe.
/// All lengths in the project's length unit.
struct BlockSectionInput final {
    double Density = 0.0;   ///< gamma, mass unit / length unit³
    double A = 0.0;         ///< upstream face height, heel to crest, length
    double B = 0.0;         ///< horizontal distance heel to toe, length
    double C = 0.0;         ///< vertical part of the downstream face, length
    double D = 0.0;         ///< crest width, length
    double E = 0.0;         ///< toe below the heel (negative: toe above the heel), length
    double Thickness = 0.0; ///< section thickness T, length
};

/// Mass properties of the block outline, in the project's units.
struct BlockSectionProperties final {
    double M = 0.0;    ///< mass, mass unit
    double Xc = 0.0;   ///< centre of mass from the heel, horizontal, length
    double Yc = 0.0;   ///< centre of mass above the heel, length
    double Im = 0.0;   ///< mass moment of inertia about the centre of mass, mass x length²
    double Beta = 0.0; ///< inclination of the base, atan(-e / b), rad
};

/// Why an outline has no meaningful properties.
enum class BlockSectionProblem {
    None,
    ZeroValue,          ///< a <= 0, b <= 0 or density <= 0
    CrestWiderThanBase, ///< d > b: the downstream face would run back upstream
    FaceBelowToe,       ///< c > a + e: the vertical downstream face ends below the toe
    FaceCrossesBase,    ///< (d, a - c) lies below the base line: the outline crosses itself
    NoArea,             ///< the outline encloses no area
};

struct BlockSectionResult final {
    BlockSectionProblem problem = BlockSectionProblem::None;
    BlockSectionProperties properties; ///< meaningful only when problem is None
};

/// Mass, centre of mass, mass moment of inertia and base inclination of the outline, from its
/// decomposition into the rectangle from the toe level to the crest, the triangle of the
/// sloping downstream face and the triangle between the base and the toe level (negative when
/// the toe is below the heel). Outlines that cross themselves or enclose no area are refused.
[[nodiscard]] BlockSectionResult ComputeBlockSection(const BlockSectionInput& in) noexcept;

} // namespace quibel
