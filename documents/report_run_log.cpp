// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/report_run_log.h"

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
    mLog.energyErrors.add(status);
    mLog.endTime = status.time;
    mHost.status(status);
}

} // namespace quibel
