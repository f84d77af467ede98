// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "signals/records/intensity_measures.h"
#include "texts/text_catalogue.h"

#include <QDialog>

#include <vector>

namespace quibel {

class ChartWidget;

/// The "Record properties" of an acceleration history: its intensity measures, computed on
/// the samples as the analysis uses them, its Husid plot and its Fourier amplitude spectrum.
class RecordPropertiesDialog final : public QDialog {
    Q_OBJECT
public:
    /// accelerations in g, equally spaced by dt (s) from t = 0.
    RecordPropertiesDialog(std::vector<double> accelerations, double dt, Language language,
                           QWidget* parent = nullptr);

    const IntensityMeasures& measures() const noexcept { return mMeasures; }
    ChartWidget& husidChart() const noexcept { return *mHusid; }
    ChartWidget& fourierChart() const noexcept { return *mFourier; }

private:
    void plotHusid(const std::vector<double>& accelerations, double dt);
    void plotFourier(const std::vector<double>& accelerations, double dt);

    IntensityMeasures mMeasures;
    ChartWidget* mHusid = nullptr;
    ChartWidget* mFourier = nullptr;
};

} // namespace quibel
