// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace quibel {

/// One set of points of a study chart: joined by lines, or shown as markers.
struct StudyCurve final {
    std::vector<double> x, y;
    bool markers = false;
};

/// A chart of a study's findings (a fragility curve with its observed fractions, the
/// responses of a record against intensity, a histogram of the responses at one level).
struct StudyChart final {
    std::string file; ///< path without extension: file.svg and file.png are written
    std::string caption, abscissa, ordinate;
    std::vector<StudyCurve> curves; ///< drawn in turn, each in the next colour
};

enum class StudyPlotsOutcome {
    Drawn,
    Unavailable, ///< a build without the desktop program paints no picture
    WriteFailed, ///< some file could not be written (the others were)
};

/// Paints each chart with the program's chart control and writes it as SVG and PNG. Needs a
/// DocumentSession (documents/document_session.h) while it runs.
StudyPlotsOutcome DrawStudyCharts(const std::vector<StudyChart>& charts);

} // namespace quibel
