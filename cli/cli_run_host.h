// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/run/run_host.h"
#include "texts/text_catalogue.h"

#include <iosfwd>

namespace quibel::cli {

/// The command-line face of an analysis run. Messages go to err as they come (warnings with
/// "Warning: "), every question is written with the answer the policy takes, the energy
/// warning once when it first appears; with showProgress a progress line is kept up to date
/// on err (for a terminal). Texts are in lang; the "\r" line breaks of the run's messages
/// become new lines.
class CliRunHost final : public RunHost {
public:
    CliRunHost(std::ostream& err, Language lang, QuestionAnswer policy, bool showProgress)
        : mErr(err), mLang(lang), mPolicy(policy), mShowProgress(showProgress) {}

    void showMessage(MessageKind kind, const Message& message) override;
    QuestionAnswer ask(const RunQuestion& question) override;
    void progress(int position) override;
    void status(const RunStatus& status) override;
    /// True once Ctrl+C came (see InterruptGuard).
    bool stopRequested() override;

private:
    void endProgressLine();

    std::ostream& mErr;
    Language mLang;
    QuestionAnswer mPolicy;
    bool mShowProgress;
    bool mProgressShown = false;
    bool mEnergyWarned = false;
    double mTime = 0.0; ///< time of the last output sample, s
};

} // namespace quibel::cli
