// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "signals/records/record_processing.h"
#include "texts/text_catalogue.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QSpinBox;

namespace quibel {

class ChartWidget;
class NumericEdit;

/// The processing of a record's samples before they are stored: trend removal, taper,
/// band-pass, trim, resampling and scaling, as the core applies them. The charts preview the
/// acceleration, velocity and displacement before (grey) and after; OK keeps the processed
/// record, which the caller stores with the summary in its title.
class RecordProcessingDialog final : public QDialog {
    Q_OBJECT
public:
    RecordProcessingDialog(RecordComponent record, Language language, QWidget* parent = nullptr);

    /// The options as ticked and typed.
    RecordProcessing processing() const;
    /// The record processed with processing() (the input until a preview or OK succeeds).
    const RecordComponent& processed() const noexcept { return mProcessed; }
    ChartWidget& chart(int i) const noexcept { return *mCharts[static_cast<std::size_t>(i)]; }

    /// Processes the record with the options and redraws; false (and the reason shown under
    /// the charts) when the core refuses them.
    bool preview();

private:
    NumericEdit* numberEdit(const char* name, double value);
    void confirm();
    void plot();

    RecordComponent mInput;
    RecordComponent mProcessed;
    Language mLanguage;
    QCheckBox* mDetrend = nullptr;
    QSpinBox* mDegree = nullptr;
    QCheckBox* mTaper = nullptr;
    NumericEdit* mTaperLength = nullptr;
    QCheckBox* mFilter = nullptr;
    QSpinBox* mOrder = nullptr;
    NumericEdit* mLowHz = nullptr;
    NumericEdit* mHighHz = nullptr;
    QCheckBox* mTrim = nullptr;
    NumericEdit* mTrimFrom = nullptr;
    NumericEdit* mTrimTo = nullptr;
    QCheckBox* mResample = nullptr;
    NumericEdit* mStep = nullptr;
    QCheckBox* mScalePga = nullptr;
    NumericEdit* mPga = nullptr;
    QCheckBox* mScaleSa = nullptr;
    NumericEdit* mSaPeriod = nullptr;
    NumericEdit* mSaDamping = nullptr;
    NumericEdit* mSa = nullptr;
    QLabel* mProblem = nullptr;
    std::array<ChartWidget*, 3> mCharts{};
};

} // namespace quibel
