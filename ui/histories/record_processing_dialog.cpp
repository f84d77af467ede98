// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/histories/record_processing_dialog.h"

#include "chart/chart_widget.h"
#include "numeric/error.h"
#include "signals/records/intensity_measures.h"
#include "ui/histories/history_chart.h"
#include "ui/histories/record_dialog_buttons.h"
#include "ui/widgets/numeric_edit.h"
#include "ui/widgets/ui_text.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace quibel {

namespace {

// Acceleration (g), velocity (m/s) and displacement (m) of a record.
std::array<std::vector<double>, 3> motion(const RecordComponent& c) {
    std::array<std::vector<double>, 3> m{c.Values, {}, {}};
    IntegrateFromRest(c.Values, c.Dt, m[1], m[2]);
    return m;
}

void drawSeries(ChartWidget& chart, const std::vector<double>& values, double dt) {
    chart.moveTo(0.0, values.front());
    for (std::size_t k = 1; k < values.size(); ++k)
        chart.drawTo(dt * static_cast<double>(k), values[k]);
}

std::pair<double, double> extremes(const std::vector<double>& a, const std::vector<double>& b) {
    const auto [aLo, aHi] = std::minmax_element(a.begin(), a.end());
    const auto [bLo, bHi] = std::minmax_element(b.begin(), b.end());
    return {std::min(*aLo, *bLo), std::max(*aHi, *bHi)};
}

QSpinBox* spinBox(const char* name, int lo, int hi, int value, QWidget* parent) {
    auto* s = new QSpinBox(parent);
    s->setObjectName(QLatin1String(name));
    s->setRange(lo, hi);
    s->setValue(value);
    return s;
}

} // namespace

RecordProcessingDialog::RecordProcessingDialog(RecordComponent record, Language language,
                                               QWidget* parent)
    : QDialog(parent), mInput(std::move(record)), mProcessed(mInput), mLanguage(language) {
    setObjectName(QStringLiteral("RecordProcessingDialog"));
    setWindowTitle(uiText(language, "records.ui.processing_caption"));
    resize(860, 620);

    auto check = [&](const char* name, const char* key) {
        auto* b = new QCheckBox(uiText(language, key), this);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    auto label = [&](const char* key) { return new QLabel(uiText(language, key), this); };
    mDetrend = check("DetrendCheck", "records.ui.detrend");
    mDegree = spinBox("DegreeSpin", 0, 3, 1, this);
    mTaper = check("TaperCheck", "records.ui.taper");
    mTaperLength = numberEdit("EditTaper", 1.0);
    mFilter = check("FilterCheck", "records.ui.filter");
    mOrder = spinBox("OrderSpin", 1, 8, 4, this);
    mLowHz = numberEdit("EditLowHz", 0.1);
    mHighHz = numberEdit("EditHighHz", 25.0);
    mTrim = check("TrimCheck", "records.ui.trim");
    mTrimFrom = numberEdit("EditTrimFrom", 0.0);
    mTrimTo = numberEdit("EditTrimTo", mInput.Dt * static_cast<double>(mInput.Values.size() - 1));
    mResample = check("ResampleCheck", "records.ui.resample");
    mStep = numberEdit("EditStep", mInput.Dt);
    mScalePga = check("ScalePgaCheck", "records.ui.scale_pga");
    mPga = numberEdit("EditPga", 0.1);
    mScaleSa = check("ScaleSaCheck", "records.ui.scale_sa");
    mSaPeriod = numberEdit("EditSaPeriod", 1.0);
    mSaDamping = numberEdit("EditSaDamping", 0.05);
    mSa = numberEdit("EditSa", 0.1);

    auto* options = new QGridLayout;
    const auto row = [&](int r, QCheckBox* box, std::initializer_list<QWidget*> widgets) {
        options->addWidget(box, r, 0);
        int column = 1;
        for (QWidget* w : widgets)
            options->addWidget(w, r, column++);
    };
    row(0, mDetrend, {label("records.ui.degree"), mDegree});
    row(1, mTaper, {label("records.ui.length_s"), mTaperLength});
    row(2, mFilter,
        {label("records.ui.order"), mOrder, label("records.ui.low_hz"), mLowHz,
         label("records.ui.high_hz"), mHighHz});
    row(3, mTrim, {label("records.ui.from_s"), mTrimFrom, label("records.ui.to_s"), mTrimTo});
    row(4, mResample, {label("records.ui.step_s"), mStep});
    row(5, mScalePga, {label("records.ui.pga_g"), mPga});
    row(6, mScaleSa,
        {label("records.ui.period_s"), mSaPeriod, label("records.ui.damping"), mSaDamping,
         label("records.ui.sa_g"), mSa});

    const char* axes[] = {"records.ui.axis_acceleration", "records.ui.axis_velocity",
                          "records.ui.axis_displacement"};
    auto* charts = new QVBoxLayout;
    for (std::size_t i = 0; i < mCharts.size(); ++i) {
        mCharts[i] = makeHistoryChart(this, uiText(language, "records.ui.axis_time"),
                                      GridStyle::None, Qt::DashDotLine);
        mCharts[i]->setObjectName(QStringLiteral("PreviewChart%1").arg(i));
        mCharts[i]->setIdOrdinate(uiText(language, axes[i]));
        charts->addWidget(mCharts[i], 1);
    }
    mProblem = new QLabel(this);
    mProblem->setObjectName(QStringLiteral("ProblemLabel"));
    mProblem->setWordWrap(true);

    QPushButton* ok = nullptr;
    QDialogButtonBox* buttons = makeRecordButtons(this, language, ok);
    auto* previewButton =
        buttons->addButton(uiText(language, "records.ui.preview"), QDialogButtonBox::ActionRole);
    previewButton->setObjectName(QStringLiteral("ButtonPreview"));
    connect(previewButton, &QPushButton::clicked, this, &RecordProcessingDialog::preview);
    connect(ok, &QPushButton::clicked, this, &RecordProcessingDialog::confirm);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addLayout(charts, 1);
    layout->addWidget(mProblem);
    layout->addWidget(buttons);
    plot();
}

NumericEdit* RecordProcessingDialog::numberEdit(const char* name, double value) {
    auto* e = new NumericEdit(this);
    e->setObjectName(QLatin1String(name));
    e->setLanguage(mLanguage);
    e->setDecimals(9);
    e->setDisplayMask(QStringLiteral(",0.########"));
    e->setValue(value);
    // Room for a value like "1234.5678" at any font size, however the grid shares its width.
    e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("0000.00000")) + 12);
    return e;
}

RecordProcessing RecordProcessingDialog::processing() const {
    RecordProcessing p;
    if (mDetrend->isChecked())
        p.DetrendDegree = mDegree->value();
    if (mTaper->isChecked())
        p.TaperLength = mTaperLength->value();
    if (mFilter->isChecked())
        p.Filter = BandPass{mOrder->value(), mLowHz->value(), mHighHz->value()};
    if (mTrim->isChecked())
        p.Trim = std::make_pair(mTrimFrom->value(), mTrimTo->value());
    if (mResample->isChecked())
        p.ResampleStep = mStep->value();
    if (mScalePga->isChecked())
        p.TargetPga = mPga->value();
    if (mScaleSa->isChecked())
        p.TargetSa = SpectralTarget{mSaPeriod->value(), mSaDamping->value(), mSa->value()};
    return p;
}

bool RecordProcessingDialog::preview() {
    for (NumericEdit* e : findChildren<NumericEdit*>())
        e->finishEditing();
    RecordComponent processed = mInput;
    try {
        ApplyProcessing(processed, processing());
    } catch (const Error& e) {
        mProblem->setText(renderMessage(mLanguage, e.message()));
        return false;
    }
    mProblem->clear();
    mProcessed = std::move(processed);
    plot();
    return true;
}

void RecordProcessingDialog::confirm() {
    if (preview())
        accept();
}

void RecordProcessingDialog::plot() {
    const auto before = motion(mInput);
    const auto after = motion(mProcessed);
    const double end = std::max(mInput.Dt * static_cast<double>(mInput.Values.size() - 1),
                                mProcessed.Dt * static_cast<double>(mProcessed.Values.size() - 1));
    for (std::size_t i = 0; i < mCharts.size(); ++i) {
        ChartWidget& chart = *mCharts[i];
        const auto [lo, hi] = extremes(before[i], after[i]);
        chart.setRangeLoX(0.0);
        chart.setRangeHiX(end > 0.0 ? end : 1.0);
        chart.setRangeLoY(lo);
        chart.setRangeHiY(hi > lo ? hi : lo + 1.0);
        chart.clearGraph();
        chart.setDataColor(Qt::gray);
        drawSeries(chart, before[i], mInput.Dt);
        chart.setDataColor(Qt::blue);
        drawSeries(chart, after[i], mProcessed.Dt);
        chart.showGraph();
    }
}

} // namespace quibel
