// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/loads/load_model.h"

#include <algorithm>
#include <cmath>

namespace quibel {

LoadModel MakeLoadModel(const TBlocStatic& model, const SiModel& si) noexcept {
    LoadModel loads;
    loads.si = si;
    loads.options = model.Options;
    loads.beta = radians(model.Beta);
    loads.sinBeta = std::sin(loads.beta);
    loads.cosBeta = std::cos(loads.beta);
    loads.tanBeta = std::tan(loads.beta);
    loads.hw = si.Hr - (si.Hd - si.H);
    loads.hwPositive = std::max(loads.hw, 0.0);
    loads.baseLength = si.B / loads.cosBeta;
    return loads;
}

} // namespace quibel
