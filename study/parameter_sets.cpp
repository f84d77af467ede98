// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/parameter_sets.h"

#include <gsl/gsl_cdf.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace quibel::study {

namespace {

// The distribution's cumulative probability at x and its quantile at u, in the unit normal
// variable for the normal and lognormal ones.
double cdf(const StudyParameter& p, double x) {
    switch (p.distribution) {
    case Distribution::Uniform:
        return std::clamp((x - p.first) / (p.second - p.first), 0.0, 1.0);
    case Distribution::Normal:
        return gsl_cdf_gaussian_P(x - p.first, p.second);
    case Distribution::Lognormal:
        return x <= 0.0 ? 0.0 : gsl_cdf_gaussian_P(std::log(x / p.first), p.second);
    }
    return 0.0;
}

double quantile(const StudyParameter& p, double u) {
    switch (p.distribution) {
    case Distribution::Uniform:
        return p.first + u * (p.second - p.first);
    case Distribution::Normal:
        return p.first + gsl_cdf_gaussian_Pinv(u, p.second);
    case Distribution::Lognormal:
        return p.first * std::exp(gsl_cdf_gaussian_Pinv(u, p.second));
    }
    return 0.0;
}

// A double in [0, 1) from the top 53 bits, the same on every standard library.
double unit(std::mt19937_64& engine) {
    return static_cast<double>(engine() >> 11) * 0x1.0p-53;
}

} // namespace

double SampledValue(const StudyParameter& p, double u) {
    const double low = p.lower ? cdf(p, *p.lower) : 0.0;
    const double high = p.upper ? cdf(p, *p.upper) : 1.0;
    double x = quantile(p, low + u * (high - low));
    // Rounding at the ends must not carry a value out of its bounds.
    if (p.lower)
        x = std::max(x, *p.lower);
    if (p.upper)
        x = std::min(x, *p.upper);
    return x;
}

std::vector<std::vector<double>> LatinHypercube(int count, int dimensions, std::uint64_t seed) {
    std::mt19937_64 engine(seed);
    const auto n = static_cast<std::size_t>(count);
    std::vector<std::vector<double>> rows(
        n, std::vector<double>(static_cast<std::size_t>(dimensions)));
    std::vector<std::size_t> strata(n);
    for (int d = 0; d < dimensions; ++d) {
        for (std::size_t i = 0; i < n; ++i)
            strata[i] = i;
        // Fisher-Yates with indices drawn from the same doubles, for portable draws.
        for (std::size_t i = n; i > 1; --i)
            std::swap(strata[i - 1],
                      strata[static_cast<std::size_t>(unit(engine) * static_cast<double>(i))]);
        for (std::size_t i = 0; i < n; ++i) {
            // Never exactly 0, whose quantile is infinite for the normal distributions.
            const double offset = std::max(unit(engine), 0x1.0p-53);
            rows[i][static_cast<std::size_t>(d)] =
                (static_cast<double>(strata[i]) + offset) / static_cast<double>(n);
        }
    }
    return rows;
}

std::vector<std::vector<double>> ParameterSets(const StudyDescription& study) {
    const auto& params = study.parameters;
    std::vector<std::vector<double>> sets{{}};
    // Grid combinations first, the first parameter varying slowest.
    for (const StudyParameter& p : params) {
        std::vector<std::vector<double>> next;
        const std::vector<double> values =
            p.kind == StudyParameter::Kind::Sampled ? std::vector<double>{0.0} : p.values;
        for (const std::vector<double>& set : sets)
            for (double v : values) {
                next.push_back(set);
                next.back().push_back(v);
            }
        sets = std::move(next);
    }
    std::vector<std::size_t> sampled;
    for (std::size_t j = 0; j < params.size(); ++j)
        if (params[j].kind == StudyParameter::Kind::Sampled)
            sampled.push_back(j);
    if (sampled.empty())
        return sets;
    const std::vector<std::vector<double>> u =
        LatinHypercube(study.samples, static_cast<int>(sampled.size()), study.seed);
    std::vector<std::vector<double>> out;
    for (const std::vector<double>& set : sets)
        for (const std::vector<double>& row : u) {
            out.push_back(set);
            for (std::size_t k = 0; k < sampled.size(); ++k)
                out.back()[sampled[k]] = SampledValue(params[sampled[k]], row[k]);
        }
    return out;
}

} // namespace quibel::study
