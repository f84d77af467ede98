// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/fragility_fit.h"

#include <gsl/gsl_cdf.h>
#include <gsl/gsl_multimin.h>
#include <gsl/gsl_randist.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace quibel::study {

namespace {

// ln IM spread by more than e^10 per standard deviation: a curve that has gone flat.
constexpr double kLargestDispersion = 10.0;

// The probability kept away from 0 and 1, where the logarithms of the likelihood are infinite.
double bounded(double p) {
    constexpr double kTiny = 1e-300;
    return std::clamp(p, kTiny, 1.0 - 1e-16);
}

// Minus the log-likelihood at x = (ln median, ln dispersion).
double minusLogLikelihood(const gsl_vector* x, void* data) {
    const auto& counts = *static_cast<const std::vector<LevelCount>*>(data);
    const double mu = gsl_vector_get(x, 0);
    const double beta = std::exp(gsl_vector_get(x, 1));
    double sum = 0.0;
    for (const LevelCount& c : counts) {
        if (c.cases == 0)
            continue;
        const double z = (std::log(c.intensity) - mu) / beta;
        // The upper tail is taken as its own function, so 1 - p keeps its digits.
        const double p = bounded(gsl_cdf_ugaussian_P(z));
        const double q = bounded(gsl_cdf_ugaussian_Q(z));
        sum += c.past * std::log(p) + (c.cases - c.past) * std::log(q);
    }
    return -sum;
}

struct MinimizerDeleter {
    void operator()(gsl_multimin_fminimizer* m) const { gsl_multimin_fminimizer_free(m); }
};
struct VectorDeleter {
    void operator()(gsl_vector* v) const { gsl_vector_free(v); }
};

// Standard errors of median and dispersion from the expected information of the binomial
// counts in (ln median, dispersion).
void standardErrors(const std::vector<LevelCount>& counts, FragilityFit& fit) {
    const double mu = std::log(fit.median);
    const double beta = fit.dispersion;
    double imm = 0.0, imb = 0.0, ibb = 0.0;
    for (const LevelCount& c : counts) {
        const double z = (std::log(c.intensity) - mu) / beta;
        const double p = bounded(gsl_cdf_ugaussian_P(z));
        const double q = bounded(gsl_cdf_ugaussian_Q(z));
        const double density = gsl_ran_ugaussian_pdf(z);
        const double dMu = -density / beta;
        const double dBeta = -density * z / beta;
        const double w = c.cases / (p * q);
        imm += w * dMu * dMu;
        imb += w * dMu * dBeta;
        ibb += w * dBeta * dBeta;
    }
    const double det = imm * ibb - imb * imb;
    fit.medianError = det > 0.0 ? fit.median * std::sqrt(ibb / det) : INFINITY;
    fit.dispersionError = det > 0.0 ? std::sqrt(imm / det) : INFINITY;
}

} // namespace

double FragilityProbability(double im, double median, double dispersion) {
    return im <= 0.0 ? 0.0 : gsl_cdf_ugaussian_P(std::log(im / median) / dispersion);
}

bool FragilityDefined(const std::vector<LevelCount>& counts) {
    // Defined when some level lies inside (0 < past < cases), or a level with a case past
    // the limit lies below one with a case not past it.
    double lowestPast = INFINITY, highestNotPast = -INFINITY;
    for (const LevelCount& c : counts) {
        if (c.cases == 0)
            continue;
        if (c.past > 0 && c.past < c.cases)
            return true;
        if (c.past > 0)
            lowestPast = std::min(lowestPast, c.intensity);
        else
            highestNotPast = std::max(highestNotPast, c.intensity);
    }
    return lowestPast < highestNotPast;
}

std::optional<FragilityFit> FitFragility(const std::vector<LevelCount>& countsIn) {
    if (!FragilityDefined(countsIn))
        return std::nullopt;
    std::vector<LevelCount> counts = countsIn;
    // Start at the level nearest half the cases past, with a moderate dispersion.
    double start = 0.0, weight = 0.0;
    for (const LevelCount& c : counts)
        if (c.cases > 0) {
            const double share = static_cast<double>(c.past) / c.cases;
            const double w = 1.0 - std::abs(share - 0.5) + 1e-3;
            start += w * std::log(c.intensity);
            weight += w;
        }
    gsl_multimin_function f{minusLogLikelihood, 2, &counts};
    const std::unique_ptr<gsl_vector, VectorDeleter> x(gsl_vector_alloc(2));
    const std::unique_ptr<gsl_vector, VectorDeleter> step(gsl_vector_alloc(2));
    gsl_vector_set(x.get(), 0, start / weight);
    gsl_vector_set(x.get(), 1, std::log(0.5));
    gsl_vector_set_all(step.get(), 0.3);
    const std::unique_ptr<gsl_multimin_fminimizer, MinimizerDeleter> m(
        gsl_multimin_fminimizer_alloc(gsl_multimin_fminimizer_nmsimplex2, 2));
    // Restarting from the point found shakes off a simplex that collapsed early.
    for (int round = 0; round < 3; ++round) {
        gsl_multimin_fminimizer_set(m.get(), &f, x.get(), step.get());
        for (int i = 0; i < 5000; ++i) {
            if (gsl_multimin_fminimizer_iterate(m.get()) != 0)
                break;
            if (gsl_multimin_test_size(gsl_multimin_fminimizer_size(m.get()), 1e-12) == GSL_SUCCESS)
                break;
        }
        gsl_vector_memcpy(x.get(), gsl_multimin_fminimizer_x(m.get()));
        gsl_vector_set_all(step.get(), 0.05);
    }
    FragilityFit fit;
    fit.median = std::exp(gsl_vector_get(x.get(), 0));
    fit.dispersion = std::exp(gsl_vector_get(x.get(), 1));
    fit.logLikelihood = -gsl_multimin_fminimizer_minimum(m.get());
    // Fractions that do not grow with the intensity pull the dispersion (and the median away
    // from the levels) without bound: no curve describes them.
    if (fit.dispersion > kLargestDispersion || !std::isfinite(fit.median))
        return std::nullopt;
    standardErrors(counts, fit);
    return fit;
}

} // namespace quibel::study
