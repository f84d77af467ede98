// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"

namespace quibel {

/// Sets the flags the block's inputs decide: GeometryComplete (M, Hd, H, B all positive and
/// Hd >= H) and ReservoirPresent (Hr > 0). An incomplete geometry is kept; it only stops an
/// analysis from starting.
void updateGeometryFlags(TBlocStatic& model) noexcept;

} // namespace quibel
