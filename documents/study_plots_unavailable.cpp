// SPDX-License-Identifier: GPL-3.0-or-later
// A build without the desktop program has no chart control: the study's data are written
// without their pictures.
#include "documents/study_plots.h"

namespace quibel {

StudyPlotsOutcome DrawStudyCharts(const std::vector<StudyChart>&) {
    return StudyPlotsOutcome::Unavailable;
}

} // namespace quibel
