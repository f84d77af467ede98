// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "signals/signal_samples.h"

#include <string>
#include <string_view>

namespace quibel {

/// How the numbers of a time-history text file are arranged.
enum class HistoryFileFormat {
    TimeAndAmplitude, ///< time 1, amplitude 1, time 2, amplitude 2, ... (s, history unit)
    AmplitudesOnly,   ///< amplitude k at time (k - 1) * time step
};

/// Reads a time history from the text of a file (see NumberStreamReader for the numbers).
/// Pairs give n = N div 2 samples (a last unpaired number is ignored); amplitudes only give
/// n = N samples at (k - 1) * timeStep (s). Amplitudes are taken as they are (g or the force
/// unit of the project).
/// Throws Error("signals.invalid_data_file") when a token is not a number or n is 0,
/// Error("signals.time_step_not_positive") for amplitudes only with timeStep <= 0 (such a table
/// has no time axis), Error("signals.too_many_samples") beyond what a series can hold.
SignalSamples ImportHistoryText(std::string_view text, HistoryFileFormat format,
                                double timeStep = 0.0);

/// The same for the file at path, read in pieces (the file is never held whole in memory).
/// Throws in addition Error("signals.cannot_open_file", {path, system message}) and
/// Error("signals.cannot_read_file", {path}).
SignalSamples ImportHistoryFile(const std::string& path, HistoryFileFormat format,
                                double timeStep = 0.0);

} // namespace quibel
