// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_export.h"
#include "chart/chart_widget.h"
#include "documents/dam_section_drawing.h"
#include "model/model_flags.h"
#include "model/project_record.h"
#include "qt_benchmark_main.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>

// Painting one picture of a chart of 1000 x 700 pixels must take well under a frame (16 ms).

namespace {

using namespace quibel;

// The start-up section with its geometry confirmed, a horizontal record, a force and a mass.
TBlocStatic demonstrationModel() {
    TBlocStatic m = startupModel();
    setFlag(m.ModelFlags, ModelFlag::GeometryComplete, true);
    setFlag(m.ModelFlags, ModelFlag::HorizontalAccDefined, true);
    m.Forces.Items = {{8, 20, 800, -300}};
    setFlag(m.ModelFlags, ModelFlag::HasForces, true);
    m.Masses.Items = {{4, 14, 39.8, 50}};
    setFlag(m.ModelFlags, ModelFlag::HasMasses, true);
    return m;
}

void paintRepeatedly(benchmark::State& state, const ChartWidget& chart) {
    QImage image(chart.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        chart.paintPicture(painter);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_PaintStartupSection(benchmark::State& state) {
    ChartWidget chart;
    setUpDamSectionChart(chart);
    chart.resize(1000, 700);
    drawDamSection(chart, demonstrationModel(), true, Language::English);
    paintRepeatedly(state, chart);
}
BENCHMARK(BM_PaintStartupSection)->Unit(benchmark::kMillisecond);

void BM_PaintLineSeries10k(benchmark::State& state) {
    ChartWidget chart;
    chart.resize(1000, 700);
    chart.setGridStyle(GridStyle::DotLines);
    chart.setRangeLoX(0);
    chart.setRangeHiX(100);
    chart.setRangeLoY(-1.2);
    chart.setRangeHiY(1.2);
    chart.moveTo(0, 0);
    for (int i = 1; i < 10000; ++i)
        chart.drawTo(i * 0.01, std::sin(i * 0.01) * std::cos(i * 0.37));
    paintRepeatedly(state, chart);
}
BENCHMARK(BM_PaintLineSeries10k)->Unit(benchmark::kMillisecond);

void BM_MetafileOfLineSeries10k(benchmark::State& state) {
    ChartWidget chart;
    chart.resize(1000, 700);
    chart.setRangeLoX(0);
    chart.setRangeHiX(100);
    chart.setRangeLoY(-1.2);
    chart.setRangeHiY(1.2);
    chart.moveTo(0, 0);
    for (int i = 1; i < 10000; ++i)
        chart.drawTo(i * 0.01, std::sin(i * 0.01) * std::cos(i * 0.37));
    for (auto _ : state)
        benchmark::DoNotOptimize(chartMetafile(chart));
}
BENCHMARK(BM_MetafileOfLineSeries10k)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return runQtBenchmarks(argc, argv);
}
