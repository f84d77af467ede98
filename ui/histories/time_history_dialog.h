// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/enums.h"
#include "model/project_record.h"
#include "model/time_history_record.h"
#include "texts/text_catalogue.h"

#include <QDialog>
#include <QString>

#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace quibel {

class MouseModeButtons;
class NumericEdit;
class ChartWidget;
class UserPrompts;

/// Shows a sub-dialog modally and returns its result (QDialog::Accepted or Rejected). The
/// default runs exec(); tests give one that fills the sub-dialog and presses its buttons.
using DialogRunner = std::function<int(QDialog&)>;

/// The dialog in which the user defines one of the four input time histories. It works on a
/// copy of the model's record, plots it, and offers the ways to fill it: a text file, the
/// function generator, the earthquake database (accelerations only), the Advanced settings,
/// deleting it, and its response spectrum (accelerations only). OK stores the copy into the
/// model, keeps the history's ModelFlags bit in step and clears ResultsValid; Cancel discards
/// it. Every command redraws the plot, whether its sub-dialog was confirmed or not.
class TimeHistoryDialog final : public QDialog {
    Q_OBJECT
public:
    /// model and prompts must outlive the dialog.
    TimeHistoryDialog(TBlocStatic& model, HistoryKind kind, Language language, UserPrompts& prompts,
                      QWidget* parent = nullptr);
    ~TimeHistoryDialog() override;

    void setDialogRunner(DialogRunner runner) { mRunDialog = std::move(runner); }
    /// The folder of the earthquake workbooks; the program's own folder unless set.
    void setDatabaseFolder(const QString& folder) { mDatabaseFolder = folder; }

    HistoryKind kind() const noexcept { return mKind; }
    /// The history as edited so far (the title as last taken from the title box).
    const TimeHistoryRecord& workingCopy() const noexcept { return mWork; }
    ChartWidget& chart() const noexcept { return *mChart; }

    // The commands, as their buttons run them.
    void loadFromFile();   ///< Load from a file
    void openGenerator();  ///< Function generator
    void deleteHistory();  ///< Delete time history
    void openDatabase();   ///< Database
    void openAdvanced();   ///< Advanced
    void showFullView();   ///< Full view
    void openSpectrum();   ///< Spectrum response
    void openProperties(); ///< Record properties
    void openProcessing(); ///< Processing
    void confirm();
    /// Redraws the chart from the working copy, with the full ranges.
    void PlotHistory();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isForce() const noexcept;
    /// Reads the file with the record readers (timeStep, s, for a record that states none; 0
    /// when not typed), shows what they recognised and stores the component the user confirms.
    void loadRecordFile(const QString& path, double timeStep);
    /// The text of the bar shown while path is read.
    QString loadingLabel(const QString& path) const;
    /// The caption names the file the history was just read from.
    void showLoadedFile(const QString& path);
    QString unitSuffix() const;
    QString valueText(double value) const;
    void chartMouseMove(bool inChart, double x);
    void titleChanged();
    void showError(const Message& message, bool warning);

    TBlocStatic& mModel;
    HistoryKind mKind;
    Language mLanguage;
    UserPrompts& mPrompts;
    TimeHistoryRecord mWork;
    DialogRunner mRunDialog;
    QString mDatabaseFolder;
    QString mCaption; ///< the window's title before a file is read

    ChartWidget* mChart = nullptr;
    MouseModeButtons* mMouseButtons = nullptr;
    QPushButton* mButtonSpectrum = nullptr;
    QPushButton* mButtonProperties = nullptr;
    QPushButton* mButtonProcessing = nullptr;
    NumericEdit* mEditXpos = nullptr;
    NumericEdit* mEditYPos = nullptr;
    QLabel* mLabelmax = nullptr;
    QLabel* mLabelmin = nullptr;
    QLabel* mXcoord = nullptr;
    QLabel* mYcoord = nullptr;
    QPlainTextEdit* mMemoTitle = nullptr;
};

} // namespace quibel
