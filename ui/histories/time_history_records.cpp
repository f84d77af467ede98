// SPDX-License-Identifier: GPL-3.0-or-later
// The time-history dialog's commands that work through the record readers.
#include "numeric/error.h"
#include "signals/effective_signal.h"
#include "signals/history_editing.h"
#include "signals/records/record_file.h"
#include "signals/records/record_samples.h"
#include "ui/histories/record_processing_dialog.h"
#include "ui/histories/record_properties_dialog.h"
#include "ui/histories/record_recognition_dialog.h"
#include "ui/histories/time_history_dialog.h"
#include "ui/widgets/background_work.h"
#include "ui/widgets/ui_text.h"

#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>

namespace quibel {

namespace {

constexpr int kMaxTitle = 255; // characters of a history title, as the title box holds

} // namespace

QString TimeHistoryDialog::loadingLabel(const QString& path) const {
    return uiText(mLanguage, "large.loading_record", {QFileInfo(path).fileName()});
}

void TimeHistoryDialog::showLoadedFile(const QString& path) {
    setWindowTitle(QStringLiteral("%1 - %2").arg(mCaption, QFileInfo(path).fileName()));
}

void TimeHistoryDialog::loadRecordFile(const QString& path, double timeStep) {
    RecordData data;
    try {
        const std::string file = QDir::toNativeSeparators(path).toStdString();
        runInBackground(this, loadingLabel(path), [&data, &file, timeStep] {
            data = ReadRecordFile(file, {timeStep > 0.0 ? timeStep : 0.0});
        });
    } catch (const Error& e) {
        const std::string& key = e.message().key;
        // A file that is not a record warns; a file that cannot be read is an error.
        showError(e.message(),
                  key != "signals.cannot_open_file" && key != "signals.cannot_read_file");
        return;
    }
    RecordRecognitionDialog recognition(data, mLanguage, this);
    if (mRunDialog(recognition) == QDialog::Accepted) {
        const std::size_t c = recognition.component();
        StoreSamples(mWork, RecordSamples(data.Components[c]));
        showLoadedFile(path);
        mMemoTitle->setPlainText(QString::fromStdString(RecordTitle(data, c)).left(kMaxTitle));
    }
    PlotHistory();
}

void TimeHistoryDialog::openProperties() {
    const std::optional<SignalSamples> input = EffectiveSignal(mWork);
    const std::optional<double> dt = input ? EqualStep(*input) : std::nullopt;
    if (isForce() || !dt) {
        // Uneven samples have no spectrum nor durations of one step.
        showError(Message("records.ui.uneven_samples"), true);
        return;
    }
    const double* values = input->Values.data();
    RecordPropertiesDialog properties(std::vector<double>(values, values + input->size()), *dt,
                                      mLanguage, this);
    mRunDialog(properties);
    PlotHistory();
}

void TimeHistoryDialog::openProcessing() {
    // The history's own samples are processed: its scale and offset still apply to them.
    const std::optional<SignalSamples> samples =
        mWork.Times && mWork.Values ? std::optional(SignalSamples{*mWork.Times, *mWork.Values})
                                    : std::nullopt;
    const std::optional<double> dt = samples ? EqualStep(*samples) : std::nullopt;
    if (isForce() || !dt) {
        showError(Message("records.ui.uneven_samples"), true);
        return;
    }
    RecordComponent record;
    record.Dt = *dt;
    record.Values.assign(samples->Values.data(), samples->Values.data() + samples->size());
    RecordProcessingDialog processing(std::move(record), mLanguage, this);
    if (mRunDialog(processing) == QDialog::Accepted) {
        const std::string summary = ProcessingSummary(processing.processing());
        StoreSamples(mWork, RecordSamples(processing.processed()));
        if (!summary.empty())
            mMemoTitle->setPlainText(
                uiText(mLanguage, "records.ui.processed_title",
                       {mMemoTitle->toPlainText(), QString::fromStdString(summary)})
                    .left(kMaxTitle));
    }
    PlotHistory();
}

} // namespace quibel
