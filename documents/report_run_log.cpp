// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/report_run_log.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quibel {

void RecordingRunHost::showMessage(MessageKind kind, const Message& message) {
    mLog.events.push_back({.message = message,
                           .kind = kind,
                           .question = false,
                           .answer = QuestionAnswer::Continue,
                           .time = mLog.endTime});
    mHost.showMessage(kind, message);
}

QuestionAnswer RecordingRunHost::ask(const RunQuestion& question) {
    const QuestionAnswer answer = mHost.ask(question);
    mLog.events.push_back({.message = question.message,
                           .kind = MessageKind::Warning,
                           .question = true,
                           .answer = answer,
                           .time = mLog.endTime});
    return answer;
}

void RecordingRunHost::status(const RunStatus& status) {
    mLog.statuses.push_back(status);
    mLog.endTime = status.time;
    mHost.status(status);
}

namespace {

// The largest error over the samples whose denominator counts; NaN wins.
double largestError(const std::optional<TVector>& input, const std::vector<RunStatus>& statuses,
                    double RunStatus::*error) {
    double largestInput = 0.0;
    if (input)
        for (int i = 1; i <= input->size(); ++i)
            largestInput = std::max(largestInput, std::fabs(input->get(i)));
    double largest = 0.0;
    for (const RunStatus& s : statuses) {
        const bool counts = !input || s.sample < 1 || s.sample > input->size() ||
                            std::fabs(input->get(s.sample)) >= 1e-6 * largestInput;
        if (!counts)
            continue;
        if (std::isnan(s.*error))
            return std::numeric_limits<double>::quiet_NaN();
        largest = std::max(largest, s.*error);
    }
    return largest;
}

} // namespace

LargestEnergyErrors LargestRunEnergyErrors(const TBlocStatic& model, const ReportRunLog& log) {
    return {largestError(model.AbsInputEnergy, log.statuses, &RunStatus::absoluteEnergyError),
            largestError(model.RelInputEnergy, log.statuses, &RunStatus::relativeEnergyError)};
}

} // namespace quibel
