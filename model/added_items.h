// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace quibel {

/// A point mass added to the block.
struct AddedMass final {
    double X = 0.0;       ///< from the upstream face, length unit
    double Y = 0.0;       ///< elevation from the foundation, length unit
    double Mass = 0.0;    ///< mass unit
    double Inertia = 0.0; ///< about its own centre, mass unit x length unit²

    bool operator==(const AddedMass&) const = default;
};

/// A point force added to the block.
struct AddedForce final {
    double X = 0.0;  ///< from the upstream face, length unit
    double Y = 0.0;  ///< elevation from the foundation, length unit
    double Fh = 0.0; ///< horizontal component, force unit
    double Fv = 0.0; ///< vertical component, force unit

    bool operator==(const AddedForce&) const = default;
};

/// The added masses. Count is always Items.size(), so it is derived rather than stored.
struct TMassesArray final {
    std::vector<AddedMass> Items;
    int Count() const noexcept { return static_cast<int>(Items.size()); }
    bool operator==(const TMassesArray&) const = default;
};

/// The added forces.
struct TForcesArray final {
    std::vector<AddedForce> Items;
    int Count() const noexcept { return static_cast<int>(Items.size()); }
    bool operator==(const TForcesArray&) const = default;
};

} // namespace quibel
