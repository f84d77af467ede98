// SPDX-License-Identifier: GPL-3.0-or-later
// The result views on a run of 6 000 001 samples (600 s saved every 0.1 ms, sliding and
// rocking): the envelope of one series for a 1000-pixel plot, opening the results viewer and
// the spreadsheet, switching series, the CSV export of the whole run (its speed and the memory
// it adds over the results) and the workbook of 400 001 rows (its time and size).

#include "chart/chart_widget.h"
#include "chart/series_envelope.h"
#include "model/model_flags.h"
#include "model/project_record.h"
#include "model/result_series.h"
#include "qt_benchmark_main.h"
#include "reporting/result_grid.h"
#include "ui/results/frozen_column_table.h"
#include "ui/results/results_csv_export.h"
#include "ui/results/results_dialog.h"
#include "ui/results/spreadsheet_dialog.h"
#include "ui/results/stream_text_file.h"
#include "ui/results/workbook_export.h"
#include "ui/widgets/application_state.h"
#include "ui/widgets/user_prompts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <cmath>
#include <fstream>
#include <unistd.h>

namespace {

using namespace quibel;

constexpr int kLongRun = 6'000'001;

// Every series of a sliding-and-rocking run filled with smooth signals of different periods.
TBlocStatic resultsOf(int samples) {
    TBlocStatic m = startupModel();
    m.AnalysisKind = AnalysisKind::SlidingAndRocking;
    m.Options.TimeStep = 1e-4;
    m.Options.SaveStep = 1e-4;
    setFlag(m.ModelFlags, ModelFlag::GeometryComplete, true);
    setFlag(m.ModelFlags, ModelFlag::ResultsValid, true);
    const ResultSeriesSet filled = seriesFilledBy(m.AnalysisKind);
    for (int s = 0; s < kResultSeriesCount; ++s) {
        const auto series = static_cast<ResultSeries>(s);
        if (!contains(filled, series))
            continue;
        TVector v(samples);
        double* p = v.data();
        for (int k = 0; k < samples; ++k)
            p[k] = std::sin(1e-4 * k * (s + 1)) * (1.0 + 0.1 * s);
        seriesSlot(m, series) = std::move(v);
    }
    return m;
}

const TBlocStatic& longRun() {
    static const TBlocStatic model = resultsOf(kLongRun);
    return model;
}

// Resident memory of the process, bytes.
std::size_t residentBytes() {
    std::ifstream statm("/proc/self/statm");
    std::size_t size = 0, resident = 0;
    statm >> size >> resident;
    return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

void BM_EnvelopeOf6MSamplesOn1000Pixels(benchmark::State& state) {
    const TVector& v = *longRun().SlidingDisp;
    const SeriesSamples samples{0.0, 1e-4, {v.data(), static_cast<std::size_t>(v.size())}};
    for (auto _ : state)
        benchmark::DoNotOptimize(buildEnvelope(samples, 0.0, 600.0, 1000));
}
BENCHMARK(BM_EnvelopeOf6MSamplesOn1000Pixels)->Unit(benchmark::kMillisecond);

void BM_OpenResultsViewer6M(benchmark::State& state) {
    const TBlocStatic& model = longRun();
    ApplicationState app;
    QtUserPrompts prompts(app);
    for (auto _ : state) {
        ResultsDialog dlg(model, Language::English, prompts);
        dlg.show();
        benchmark::DoNotOptimize(dlg.chart().toImage());
    }
}
BENCHMARK(BM_OpenResultsViewer6M)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SwitchSeries6M(benchmark::State& state) {
    const TBlocStatic& model = longRun();
    ApplicationState app;
    QtUserPrompts prompts(app);
    ResultsDialog dlg(model, Language::English, prompts);
    dlg.show();
    int item = 0;
    for (auto _ : state) {
        item = (item + 1) % static_cast<int>(dlg.items().size());
        dlg.ListeChange(item);
        benchmark::DoNotOptimize(dlg.chart().toImage());
    }
}
BENCHMARK(BM_SwitchSeries6M)->Unit(benchmark::kMillisecond)->Iterations(22);

void BM_OpenSpreadsheet6M(benchmark::State& state) {
    const TBlocStatic& model = longRun();
    ApplicationState app;
    QtUserPrompts prompts(app);
    const std::size_t before = residentBytes();
    std::size_t open = before;
    for (auto _ : state) {
        SpreadsheetDialog dlg(model, Language::English, prompts);
        dlg.show();
        benchmark::DoNotOptimize(dlg.table().grab());
        open = std::max(open, residentBytes());
    }
    // What the open sheet holds beyond the run's results.
    state.counters["open_growth_MB"] = static_cast<double>(open - before) / 1e6;
}
BENCHMARK(BM_OpenSpreadsheet6M)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_CsvExportOf6MSamples(benchmark::State& state) {
    const TBlocStatic& model = longRun();
    const QString path = QDir::temp().filePath(QStringLiteral("quibel-bench-results.csv"));
    std::size_t before = residentBytes();
    std::size_t peak = before;
    std::int64_t bytes = 0;
    for (auto _ : state) {
        before = residentBytes();
        peak = before;
        const ExportOutcome outcome = streamTextFile(
            path, ResultsCsvRows(model, Language::English),
            [&peak](std::size_t, std::size_t) {
                peak = std::max(peak, residentBytes());
                return true;
            },
            nullptr);
        if (outcome != ExportOutcome::Written)
            state.SkipWithError("the export failed");
        bytes += QFile(path).size();
    }
    QFile::remove(path);
    state.SetBytesProcessed(bytes);
    state.counters["peak_growth_MB"] = static_cast<double>(peak - before) / 1e6;
}
BENCHMARK(BM_CsvExportOf6MSamples)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_WorkbookOf400001Rows(benchmark::State& state) {
    const TBlocStatic results = resultsOf(400'001);
    const ResultGrid grid = ResultGridFor(results, Language::English);
    const std::string path =
        QDir::temp().filePath(QStringLiteral("quibel-bench-results.xlsx")).toStdString();
    for (auto _ : state) {
        std::string error;
        if (!WriteGridWorkbook(grid, path, &error))
            state.SkipWithError(error.c_str());
    }
    state.counters["file_MB"] =
        static_cast<double>(QFile(QString::fromStdString(path)).size()) / 1e6;
    QFile::remove(QString::fromStdString(path));
}
BENCHMARK(BM_WorkbookOf400001Rows)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    return runQtBenchmarks(argc, argv);
}
