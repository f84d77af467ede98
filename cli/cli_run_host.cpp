// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_run_host.h"

#include "cli/interrupt.h"

#include "engine/run/number_text.h"

#include <cmath>
#include <ostream>
#include <string>

namespace quibel::cli {

namespace {

// The run's messages use "\r" for a line break, as message boxes do.
std::string lines(std::string text) {
    for (char& c : text)
        if (c == '\r')
            c = '\n';
    return text;
}

} // namespace

void CliRunHost::showMessage(MessageKind kind, const Message& message) {
    endProgressLine();
    const std::string t = lines(render(mLang, message));
    if (kind == MessageKind::Warning)
        mErr << render(mLang, Message("cli.run.warning", {t})) << "\n";
    else
        mErr << t << "\n";
}

QuestionAnswer CliRunHost::ask(const RunQuestion& question) {
    endProgressLine();
    const char* answer =
        mPolicy == QuestionAnswer::Stop ? "cli.run.answer_stop" : "cli.run.answer_continue";
    mErr << render(mLang, Message("cli.run.question", {lines(render(mLang, question.message)),
                                                       std::string(text(mLang, answer))}))
         << "\n";
    return mPolicy;
}

void CliRunHost::progress(int position) {
    if (!mShowProgress)
        return;
    if (position == 0) {
        endProgressLine();
        return;
    }
    const int percent = static_cast<int>(
        std::lround(100.0 * position / static_cast<double>(RunHost::kProgressMaximum)));
    mErr << "\r"
         << render(mLang,
                   Message("cli.run.progress", {std::to_string(percent), fixedText(mTime, 3, 10)}))
         << std::flush;
    mProgressShown = true;
}

void CliRunHost::status(const RunStatus& s) {
    mTime = s.time;
    if (s.energyErrorHigh && !mEnergyWarned) {
        mEnergyWarned = true;
        endProgressLine();
        const std::string warning = std::string(text(mLang, "engine.energy_error_high")) + " " +
                                    std::string(text(mLang, "engine.reduce_time_step"));
        mErr << render(mLang, Message("cli.run.warning", {warning})) << "\n";
    }
}

bool CliRunHost::stopRequested() {
    return InterruptRequested();
}

void CliRunHost::endProgressLine() {
    if (mProgressShown)
        mErr << "\n";
    mProgressShown = false;
}

} // namespace quibel::cli
