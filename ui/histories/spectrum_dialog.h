// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/enums.h"
#include "signals/response_spectrum.h"
#include "signals/signal_samples.h"
#include "signals/spectrum_parameters.h"
#include "texts/text_catalogue.h"

#include <QDialog>

#include <array>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QThread;

namespace quibel {

class MouseModeButtons;
class NumericEdit;
class ChartWidget;
class UserPrompts;

/// The response spectra of an acceleration history: the user chooses up to four sets of
/// natural periods and one range of damping ratios, runs the analysis, switches between the
/// spectra (Sa, Sv, Sd) and the damping ratios, reads values with the mouse and saves the
/// spectra of one damping ratio to a text file. Nothing is written back to the model.
///
/// The analysis runs on a worker thread, so the window keeps repainting while it works; the
/// results are shown when it ends (analysisFinished). While it runs, the Analyse button reads
/// "Cancel analysis" and cancels it: the spectra shown before stay. Closing the window cancels
/// it too and waits for the worker to stop.
class SpectrumDialog final : public QDialog {
    Q_OBJECT
public:
    /// input: the history's effective signal, accelerations in g (only Times[1], Times[2] and
    /// the number of samples are used). units: the project's unit system, for the length unit
    /// of the spectra. prompts must outlive the dialog.
    SpectrumDialog(SignalSamples input, UnitSystem units, Language language, UserPrompts& prompts,
                   QWidget* parent = nullptr);
    ~SpectrumDialog() override;

    /// Starts the analysis with the values of the boxes ("Analyse").
    void computeSpectra();
    /// Asks the running analysis to stop; it ends, without results, after the period it is at.
    void cancelAnalysis();
    /// Plots the chosen spectrum in full view ("Full view").
    void showFullView();
    /// Writes the spectra of the chosen damping ratio to a file the user names.
    void saveSpectra();

    bool analysisRunning() const noexcept { return mThread != nullptr; }
    /// The results of the last analysis; none before the first.
    const std::optional<ResponseSpectra>& results() const noexcept { return mResults; }
    ChartWidget& chart() const noexcept { return *mChart; }

signals:
    /// An analysis has ended, with results or with a message.
    void analysisFinished();

private:
    struct Job;

    void analysisDone(const std::shared_ptr<Job>& job);
    void Plot(bool fullView);
    void chartMouseMove(bool inChart, double x, double y);
    QString lengthUnit() const;

    SignalSamples mInput;
    UnitSystem mUnits;
    Language mLanguage;
    UserPrompts& mPrompts;
    std::optional<ResponseSpectra> mResults;
    QThread* mThread = nullptr;
    std::shared_ptr<Job> mJob; ///< the running analysis

    std::array<NumericEdit*, 4> mPerStart{};
    std::array<NumericEdit*, 4> mPerEnd{};
    std::array<NumericEdit*, 4> mPerInc{};
    NumericEdit* mAmorStart = nullptr;
    NumericEdit* mAmorEnd = nullptr;
    NumericEdit* mAmorInc = nullptr;
    QPushButton* mAnalyseButton = nullptr;
    QPushButton* mSaveButton = nullptr;
    QLabel* mDampingLabel = nullptr;
    QLabel* mPlotLabel = nullptr;
    QComboBox* mDampingSelector = nullptr;
    QComboBox* mPlotSelector = nullptr;
    ChartWidget* mChart = nullptr;
    MouseModeButtons* mMouseButtons = nullptr;
    std::array<QLabel*, 3> mStatusPanels{};
};

} // namespace quibel
