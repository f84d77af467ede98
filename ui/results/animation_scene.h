// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"

#include <vector>

namespace quibel {

/// The state of the block drawn in one frame of the animation, in the project's length unit.
struct AnimationFrame final {
    double sliding = 0.0;          ///< displacement along the plane, length
    double rotation = 0.0;         ///< rad; > 0 about the heel, < 0 about the toe
    double groundHorizontal = 0.0; ///< ground displacement, length
    double groundVertical = 0.0;   ///< ground displacement, length
};

/// How the frame is shown.
struct AnimationView final {
    double displacementFactor = 1.0; ///< magnification of the sliding and the ground motion
    double rotationFactor = 10.0;    ///< magnification of the rotation
    bool globalOrigin = false;       ///< the ground moves the dam and the foundation as well
    int plotWidth = 1;               ///< pixels of the plotting area
    int plotHeight = 1;              ///< pixels of the plotting area
};

struct ScenePoint final {
    double x = 0.0; ///< from the upstream face, length
    double y = 0.0; ///< elevation from the foundation, length
};

enum class SceneColour { Black, Red, Maroon };

/// A line through points, in one colour.
struct ScenePath final {
    SceneColour colour = SceneColour::Black;
    std::vector<ScenePoint> points;
};

/// What one frame draws: the lower dam, the block (its base in red), and the foundation line
/// across the plot, with the ranges of the plot.
struct AnimationScene final {
    bool drawn = false;    ///< false when the geometry is not complete: nothing is drawn
    double extent = 0.0;   ///< E: the largest of the reservoir, block and dam heights
    double foot = 0.0;     ///< W: where the downstream face meets the foundation
    double rangeLoX = 0.0; ///< abscissa range of the plot
    double rangeHiX = 0.0;
    double rangeLoY = 0.0;        ///< bottom of the plot; the top follows from isometry
    double foundationLevel = 0.0; ///< ordinate of the foundation line
    ScenePath lowerDam;           ///< closed outline under the analysis plane
    ScenePath blockBase;          ///< heel to toe, red
    ScenePath blockOutline;       ///< toe, downstream face, crest, heel
};

/// The scene of frame as seen with view. The block is carried by its sliding along the plane
/// (magnified by displacementFactor) and turned about the heel (rotation > 0) or the toe
/// (rotation < 0) by rotationFactor x rotation, its outline keeping its shape; with a global
/// origin the ground displacement moves dam, block and foundation line alike.
AnimationScene BuildAnimationScene(const TBlocStatic& model, const AnimationFrame& frame,
                                   const AnimationView& view);

/// The ground motion of the animation, one entry per output sample i = 1 .. n at
/// (i - 1) x interval: the horizontal base acceleration in g and the horizontal and vertical
/// ground displacements in the length unit, integrated from rest with the rule exact for an
/// acceleration linear over each interval.
struct AnimationGroundMotion final {
    std::vector<double> acceleration; ///< g
    std::vector<double> horizontal;   ///< length
    std::vector<double> vertical;     ///< length
};

AnimationGroundMotion BuildGroundMotion(const TBlocStatic& model, int samples, double interval);

/// Samples of the animation: of Rotation after a rocking run, of SlidingDisp otherwise.
int AnimationSamples(const TBlocStatic& model) noexcept;

/// The frame of sample i (1-based) of the last analysis: the sliding only, the rotation only,
/// or both, after the analysis kind; the block at rest past the end of the results.
AnimationFrame AnimationFrameAt(const TBlocStatic& model, const AnimationGroundMotion& ground,
                                int i) noexcept;

} // namespace quibel
