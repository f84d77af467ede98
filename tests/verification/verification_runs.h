// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"
#include "signals/spectrum_parameters.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace quibel::verification {

/// An analysis the program makes for a verification problem: the project, and the name of its
/// files (NAME.qbl, NAME.csv).
struct AnalysisRequest final {
    std::string name;
    TBlocStatic model;
};

/// Response spectra the program computes from history 0 of a project, saved for each ratio.
struct SpectrumRequest final {
    std::string name;
    TBlocStatic model;
    std::vector<PeriodSet> periods; ///< at most four sets
    DampingRange damping;
    std::vector<double> ratios; ///< damping ratios of the damping list to save
};

/// Everything a verification problem asks the program for.
struct CaseRuns final {
    std::vector<AnalysisRequest> analyses;
    std::vector<SpectrumRequest> spectra;
};

/// The result grid of one analysis: every column by its English title.
struct GridColumns final {
    std::map<std::string, std::vector<double>> columns;

    /// The column titled title; throws std::runtime_error naming the titles there are.
    const std::vector<double>& operator[](const std::string& title) const;
};

/// The saved spectra of one damping ratio, in the project's units.
struct SpectrumCurve final {
    std::vector<double> periods; ///< s
    std::vector<double> Sd;      ///< length
    std::vector<double> Sv;      ///< length/s
    std::vector<double> Sa;      ///< length/s²
};

/// What the program answered: grids by analysis name, spectra by (name, ratio).
struct RunResults final {
    std::map<std::string, GridColumns> grids;
    std::map<std::pair<std::string, double>, SpectrumCurve> spectra;

    const GridColumns& grid(const std::string& name) const;
    const SpectrumCurve& spectrum(const std::string& name, double ratio) const;
};

/// How much a problem asks for: everything the manual shows (scripts/verify.sh), or its core
/// checks in a form short enough for the test suite.
enum class Scope { Manual, Tests };

} // namespace quibel::verification
