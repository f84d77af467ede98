// SPDX-License-Identifier: GPL-3.0-or-later
// Processing of record samples: the band-pass against the closed form of its design, the
// trend removal against planted polynomials, and the operations whose result is known by hand.
#include "numeric/error.h"
#include "signals/records/record_processing.h"
#include "signals/response_spectrum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

using namespace quibel;

namespace {
// The response of the sections at frequency f (Hz) for the step dt.
std::complex<double> response(const std::vector<Biquad>& sections, double f, double dt) {
    const std::complex<double> z1 = std::polar(1.0, -2.0 * std::numbers::pi * f * dt);
    std::complex<double> h = 1.0;
    for (const Biquad& s : sections)
        h *= (s.b0 + s.b1 * z1 + s.b2 * z1 * z1) / (1.0 + s.a1 * z1 + s.a2 * z1 * z1);
    return h;
}

// |H(f)| of a Butterworth band-pass by the bilinear transform: the analog magnitudes at the
// pre-warped frequency tan(pi f dt).
double closedForm(const BandPass& b, double f, double dt) {
    const double w = std::tan(std::numbers::pi * f * dt);
    const double low = std::tan(std::numbers::pi * b.LowHz * dt);
    const double high = std::tan(std::numbers::pi * b.HighHz * dt);
    const double n2 = 2.0 * b.Order;
    return 1.0 / std::sqrt((1.0 + std::pow(low / w, n2)) * (1.0 + std::pow(w / high, n2)));
}

RecordComponent component(std::vector<double> values, double dt) {
    return RecordComponent{"", "g", dt, std::move(values)};
}
} // namespace

TEST(RecordProcessingTest, BandPassMatchesTheClosedFormOfItsDesign) {
    const double dt = 0.005;
    for (const BandPass band :
         {BandPass{4, 0.1, 25.0}, BandPass{3, 0.5, 10.0}, BandPass{1, 1, 2}}) {
        SCOPED_TRACE(band.Order);
        const auto sections = DesignBandPass(band, dt);
        for (double f : {0.01, 0.05, 0.1, 0.3, 1.0, 1.5, 5.0, 10.0, 25.0, 60.0}) {
            SCOPED_TRACE(f);
            EXPECT_NEAR(std::abs(response(sections, f, dt)), closedForm(band, f, dt), 1e-6);
        }
    }
}

TEST(RecordProcessingTest, ZeroPhaseBandPassScalesASineBySquaredGainWithoutShift) {
    const double dt = 0.01, f = 2.0;
    std::vector<double> x(6000);
    for (std::size_t k = 0; k < x.size(); ++k)
        x[k] = std::sin(2.0 * std::numbers::pi * f * static_cast<double>(k) * dt);
    const std::vector<double> original = x;
    const BandPass band{2, 1.0, 3.0};
    FilterZeroPhase(DesignBandPass(band, dt), x);
    const double gain = std::pow(closedForm(band, f, dt), 2);
    // Away from the ends, where the filter starts from rest.
    for (std::size_t k = 2000; k < 4000; ++k)
        ASSERT_NEAR(x[k], gain * original[k], 1e-6) << k;
}

TEST(RecordProcessingTest, BandPassRefusesCornersBeyondTheRecordsBand) {
    EXPECT_THROW(DesignBandPass({4, 0.1, 60.0}, 0.01), Error); // above Nyquist
    EXPECT_THROW(DesignBandPass({4, 5.0, 1.0}, 0.01), Error);
    EXPECT_THROW(DesignBandPass({9, 0.1, 1.0}, 0.01), Error);
}

TEST(RecordProcessingTest, TrendRemovalTakesAwayAPlantedPolynomialExactly) {
    const std::size_t n = 1001;
    std::vector<double> signal(n);
    for (std::size_t k = 0; k < n; ++k)
        signal[k] = 0.01 * std::sin(0.37 * static_cast<double>(k));
    for (int degree = 0; degree <= 3; ++degree) {
        SCOPED_TRACE(degree);
        // Remove the signal's own trend first, so that it alone remains after the plant.
        std::vector<double> clean = signal;
        RemoveTrend(clean, degree);
        std::vector<double> planted = clean;
        const double c[] = {0.3, -0.02, 4e-5, -2e-8};
        for (std::size_t k = 0; k < n; ++k) {
            const double t = static_cast<double>(k) * 0.01;
            double p = 0.0;
            for (int i = degree; i >= 0; --i)
                p = p * t + c[i];
            planted[k] += p * 100.0;
        }
        RemoveTrend(planted, degree);
        for (std::size_t k = 0; k < n; ++k)
            ASSERT_NEAR(planted[k], clean[k], 1e-11) << k;
    }
}

TEST(RecordProcessingTest, TaperTrimResampleAndScalingGiveTheValuesWorkedOutByHand) {
    RecordComponent c = component(std::vector<double>(101, 1.0), 0.01);
    RecordProcessing p;
    p.TaperLength = 0.1; // ten samples, half a cosine
    ApplyProcessing(c, p);
    EXPECT_DOUBLE_EQ(c.Values[0], 0.0);
    EXPECT_NEAR(c.Values[5], 0.5, 1e-15);
    EXPECT_DOUBLE_EQ(c.Values[50], 1.0);
    EXPECT_NEAR(c.Values[95], 0.5, 1e-15);

    std::vector<double> ramp(101);
    for (std::size_t k = 0; k < ramp.size(); ++k)
        ramp[k] = static_cast<double>(k);
    c = component(ramp, 0.01);
    p = {};
    p.Trim = std::make_pair(0.2, 0.5);
    p.ResampleStep = 0.025;
    p.TargetPga = 0.3;
    ApplyProcessing(c, p);
    // 20..50 kept, then every 2.5 samples: 20, 22.5, ... 50; then scaled so that 50 -> 0.3.
    ASSERT_EQ(c.Values.size(), 13u);
    EXPECT_DOUBLE_EQ(c.Dt, 0.025);
    EXPECT_NEAR(c.Values[1], 22.5 * 0.3 / 50.0, 1e-14);
    EXPECT_NEAR(c.Values[12], 0.3, 1e-14);
    EXPECT_EQ(ProcessingSummary(p), "trim 0.2-0.5 s; dt 0.025 s; PGA 0.3 g");
}

TEST(RecordProcessingTest, ScalingToASpectralTargetReachesIt) {
    std::vector<double> x(2000);
    for (std::size_t k = 0; k < x.size(); ++k)
        x[k] = 0.1 * std::sin(2.0 * std::numbers::pi * static_cast<double>(k) * 0.01 / 0.7);
    RecordComponent c = component(x, 0.01);
    RecordProcessing p;
    p.TargetSa = SpectralTarget{0.5, 0.05, 0.4};
    ApplyProcessing(c, p);
    const double sa =
        OscillatorResponsePeaks(c.Values.data(), static_cast<int>(c.Values.size()), 0.01, 0.5, 0.05)
            .Acceleration;
    EXPECT_NEAR(sa, 0.4, 1e-12);
}

TEST(RecordProcessingTest, OptionsThatDoNotFitTheRecordAreRefusedNamingThem) {
    RecordProcessing detrend, taper, filter, trim, resample, pga;
    detrend.DetrendDegree = 4;
    taper.TaperLength = 0.9;
    filter.Filter = BandPass{4, 0.1, 80.0};
    trim.Trim = std::make_pair(0.5, 0.2);
    resample.ResampleStep = 0.0;
    pga.TargetPga = -1.0;
    const struct {
        RecordProcessing p;
        const char* option;
    } cases[] = {{detrend, "--detrend"}, {taper, "--taper"},       {filter, "--bandpass"},
                 {trim, "--trim"},       {resample, "--resample"}, {pga, "--scale-pga"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.option);
        RecordComponent r = component(std::vector<double>(101, 0.1), 0.01);
        try {
            ApplyProcessing(r, c.p);
            ADD_FAILURE();
        } catch (const Error& e) {
            EXPECT_EQ(e.message(), Message("records.bad_processing", {c.option}));
        }
    }
}
