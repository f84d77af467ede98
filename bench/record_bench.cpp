// SPDX-License-Identifier: GPL-3.0-or-later
// Ground-motion records: reading a 100 000-sample record in agency formats (text to samples in
// g), and its intensity measures, the predominant period's spectrum apart.
#include "signals/records/intensity_measures.h"
#include "signals/records/record_file.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {
constexpr int kSamples = 100000;
constexpr double kDt = 0.005;

double accelerationG(int k) {
    const double t = k * kDt;
    return 0.3 * t * std::exp(-t / 60.0) / 60.0 * (std::sin(2.1 * t) + 0.5 * std::sin(13.0 * t));
}

std::vector<double> record() {
    std::vector<double> a(kSamples);
    for (int k = 0; k < kSamples; ++k)
        a[static_cast<std::size_t>(k)] = accelerationG(k);
    return a;
}

// Values written `perLine` to a line in printf `format`.
std::string values(const char* format, int perLine, double factor) {
    std::string out;
    char field[32];
    for (int k = 0; k < kSamples; ++k) {
        std::snprintf(field, sizeof field, format, accelerationG(k) * factor);
        out += field;
        if ((k + 1) % perLine == 0 || k + 1 == kSamples)
            out += '\n';
    }
    return out;
}

std::string at2Text() {
    return "PEER NGA STRONG MOTION DATABASE RECORD\nSynthetic, 1/1/2000, Bench, 90\n"
           "ACCELERATION TIME SERIES IN UNITS OF G\nNPTS= 100000, DT=   .0050 SEC,\n" +
           values("%15.7E", 5, 1.0);
}

std::string esmText() {
    std::string header;
    const char* keys[] = {"EVENT_NAME: BENCH",
                          "EVENT_ID: 1",
                          "EVENT_DATE_YYYYMMDD: 20000101",
                          "EVENT_TIME_HHMMSS: 000000",
                          "NETWORK: XX",
                          "STATION_CODE: BNCH",
                          "SAMPLING_INTERVAL_S: 0.005000",
                          "NDATA: 100000",
                          "STREAM: HNE",
                          "UNITS: cm/s^2",
                          "DATA_TYPE: ACCELERATION"};
    for (const char* k : keys)
        header += std::string(k) + "\n";
    return header + values("%.6f", 1, 980.665);
}

void readRecord(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        const quibel::RecordData data = quibel::ReadRecordText(text, "bench");
        benchmark::DoNotOptimize(data.Components[0].Values.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
} // namespace

static void BM_ReadAt2(benchmark::State& state) {
    readRecord(state, at2Text());
}
BENCHMARK(BM_ReadAt2)->Unit(benchmark::kMillisecond);

static void BM_ReadEsm(benchmark::State& state) {
    readRecord(state, esmText());
}
BENCHMARK(BM_ReadEsm)->Unit(benchmark::kMillisecond);

// Every measure: peaks, integrals, durations, the Fourier mean period and the 200-period
// spectrum of the predominant period.
static void BM_AllIntensityMeasures(benchmark::State& state) {
    const std::vector<double> a = record();
    for (auto _ : state)
        benchmark::DoNotOptimize(quibel::ComputeIntensityMeasures(a, kDt));
}
BENCHMARK(BM_AllIntensityMeasures)->Unit(benchmark::kMillisecond);

// The same without the spectrum: integrals, Husid curve and Fourier amplitudes.
static void BM_MeasuresWithoutSpectrum(benchmark::State& state) {
    const std::vector<double> a = record();
    std::vector<double> v, d;
    for (auto _ : state) {
        quibel::IntegrateFromRest(a, kDt, v, d);
        benchmark::DoNotOptimize(quibel::HusidCurve(a, kDt));
        benchmark::DoNotOptimize(quibel::FourierAmplitudes(a, kDt));
    }
}
BENCHMARK(BM_MeasuresWithoutSpectrum)->Unit(benchmark::kMillisecond);
