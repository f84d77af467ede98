// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts/text_catalogue.h"

namespace quibel {

class ChartWidget;
struct TBlocStatic;

/// Chart set-up of the main window's drawing: scales on all four sides, margins of 40 pixels
/// left and right and 32 at the top and bottom, dotted grid and background in the window
/// colour, isometric scaling, texts with a transparent background centred on their position,
/// and the crosshair mouse cursor.
void setUpDamSectionChart(ChartWidget& chart);

/// Draws the schematic cross-section of the dam on chart: the lower dam, the block above the
/// red analysis plane, the reservoir line with its water-level symbol, the hatched foundation,
/// the added forces as arrows with their magnitudes, the added masses as silver circles and
/// green symbols for the defined time histories. With fullView the ranges are recomputed so
/// that the whole model fits; otherwise the current zoom and pan stay. Nothing is drawn (the
/// chart keeps what it showed) while the geometry is not complete or not finite.
///
/// Coordinates are the model's: X from the upstream face, elevations from the foundation, in
/// the project's length unit. The symbols are sized in screen pixels; force magnitudes use
/// the force label format of the unit system and the decimal separator of the locale.
void drawDamSection(ChartWidget& chart, const TBlocStatic& model, bool fullView, Language language);

} // namespace quibel
