// SPDX-License-Identifier: GPL-3.0-or-later
#include "verification_runs.h"

#include <cmath>
#include <stdexcept>

namespace quibel::verification {

const std::vector<double>& GridColumns::operator[](const std::string& title) const {
    const auto it = columns.find(title);
    if (it != columns.end())
        return it->second;
    std::string known;
    for (const auto& [t, v] : columns)
        known += (known.empty() ? "" : ", ") + t;
    throw std::runtime_error("no column \"" + title + "\" in the result grid (" + known + ")");
}

const GridColumns& RunResults::grid(const std::string& name) const {
    const auto it = grids.find(name);
    if (it == grids.end())
        throw std::runtime_error("no results of the analysis " + name);
    return it->second;
}

const SpectrumCurve& RunResults::spectrum(const std::string& name, double ratio) const {
    for (const auto& [key, curve] : spectra)
        if (key.first == name && std::abs(key.second - ratio) <= 1e-9)
            return curve;
    throw std::runtime_error("no spectrum " + name + " at damping " + std::to_string(ratio));
}

} // namespace quibel::verification
