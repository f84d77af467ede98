// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/run/force_histories.h"

#include "engine/loads/added_loads.h"
#include "model/unit_tables.h"

namespace quibel {

ForceHistories::ForceHistories(const TBlocStatic& model)
    : mHorizontal(model.history(HistoryKind::HorizontalForce)),
      mVertical(model.history(HistoryKind::VerticalForce)),
      mHorizontalOn(ForceHistoryOnBlock(model, HistoryKind::HorizontalForce)),
      mVerticalOn(ForceHistoryOnBlock(model, HistoryKind::VerticalForce)),
      mToKn(units::forceToSi(model.UnitSystem)) {}

} // namespace quibel
