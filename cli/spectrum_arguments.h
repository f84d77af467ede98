// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numeric/message.h"
#include "signals/spectrum_parameters.h"

#include <optional>
#include <string>
#include <vector>

namespace quibel::cli {

/// The words of the spectrum command, read but not yet checked against the project.
struct SpectrumRequest final {
    std::string project;
    std::string historyWord;
    std::vector<PeriodSet> periodSets{kDefaultPeriodSets.begin(), kDefaultPeriodSets.end()};
    DampingRange damping = kDefaultDamping;
    std::optional<double> ratio;
    std::string outputFile;
};

/// A usage problem: its message, to be followed by the command's usage line.
struct SpectrumUsageProblem final {
    Message message;
};

/// Reads the words after "spectrum" (see runSpectrumCommand). Period sets and the damping
/// range are START:END:INCREMENT with "." as decimal separator, sets separated by ",".
/// Throws SpectrumUsageProblem for a word that cannot be read.
SpectrumRequest ParseSpectrumArguments(const std::vector<std::string>& args);

} // namespace quibel::cli
