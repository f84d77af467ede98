// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sliding_rocking/context.h"

#include "engine/run/si_model.h"

#include <cmath>

namespace quibel {

SlidingRockingContext::SlidingRockingContext(const TBlocStatic& model)
    : SlidingRockingContext(model, MakeLoadModel(model, MakeSiModel(model))) {}

SlidingRockingContext::SlidingRockingContext(const TBlocStatic& model, const LoadModel& runLoads)
    : loads(runLoads), pivots(model) {
    g = loads.si.g;
    rotational = MakeRotationalLoadShape(loads, loads.si.Hd, loads.si.H, loads.si.Hr, g);
    muD = std::tan(radians(model.PhiD));
    muS = std::tan(radians(model.PhiS));
    Eu = model.Eu;
    Ed = model.Ed;
    Es = model.Es;
    cosBeta = loads.cosBeta;
    sinBeta = loads.sinBeta;
    constantAverage = model.Options.NewmarkBeta == 1;
}

} // namespace quibel
