// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/histories/spectrum_dialog.h"

#include "chart/chart_widget.h"
#include "model/unit_tables.h"
#include "numeric/error.h"
#include "signals/spectrum_file.h"
#include "ui/histories/history_chart.h"
#include "ui/widgets/display_mask.h"
#include "ui/widgets/help_topics.h"
#include "ui/widgets/help_window.h"
#include "ui/widgets/mouse_mode_buttons.h"
#include "ui/widgets/numeric_edit.h"
#include "ui/widgets/ui_text.h"
#include "ui/widgets/user_prompts.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QStatusBar>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>
#include <atomic>
#include <new>
#include <utility>

namespace quibel {

/// One analysis, shared between the window and its worker thread.
struct SpectrumDialog::Job {
    Job(SignalSamples samples, UnitSystem system) : input(std::move(samples)), units(system) {}
    SignalSamples input;
    std::vector<double> periods;
    std::vector<double> dampings;
    UnitSystem units{};
    std::optional<ResponseSpectra> result;
    std::optional<Message> error;
    std::atomic<bool> cancel{false};
};

namespace {

NumericEdit* parameterEdit(QWidget* parent, const QString& name, double value, double minimum,
                           double maximum, const QString& mask, Language language) {
    auto* edit = new NumericEdit(parent);
    edit->setObjectName(name);
    edit->setLanguage(language);
    edit->setDecimals(9);
    edit->setDisplayMask(mask);
    edit->setRange(minimum, maximum);
    edit->setValue(value);
    return edit;
}

QLabel* namedLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

// The "Start", "End" and "Increment" titles on the first row of a group's grid, from
// firstColumn on; their object names are prefix followed by StartTitle, EndTitle, IncrementTitle.
void addRangeTitles(QGridLayout* grid, QWidget* group, const QString& prefix, int firstColumn,
                    Language language) {
    constexpr const char* kKeys[3] = {"ui.spectrum.start", "ui.spectrum.end",
                                      "ui.spectrum.increment"};
    constexpr const char* kNames[3] = {"StartTitle", "EndTitle", "IncrementTitle"};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(
            namedLabel(group, prefix + QLatin1String(kNames[i]), uiText(language, kKeys[i])), 0,
            firstColumn + i);
    }
}

} // namespace

SpectrumDialog::SpectrumDialog(SignalSamples input, UnitSystem units, Language language,
                               UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), mInput(std::move(input)), mUnits(units), mLanguage(language),
      mPrompts(prompts) {
    setObjectName(QStringLiteral("SpectrumDialog"));
    setWindowTitle(uiText(language, "ui.spectrum.caption"));

    const QString periodMask = uiText(language, "ui.spectrum.period_mask");
    const QString dampingMask = uiText(language, "ui.spectrum.damping_mask");

    auto* periods = new QGroupBox(uiText(language, "ui.spectrum.periods"), this);
    periods->setObjectName(QStringLiteral("PeriodsGroup"));
    auto* periodGrid = new QGridLayout(periods);
    addRangeTitles(periodGrid, periods, QStringLiteral("Period"), 1, language);
    for (int i = 0; i < 4; ++i) {
        const auto s = static_cast<std::size_t>(i);
        const PeriodSet& set = kDefaultPeriodSets[s];
        auto* label =
            new QLabel(uiText(language, "ui.spectrum.set", {QString::number(i + 1)}), periods);
        label->setObjectName(QStringLiteral("PeriodSetLabel%1").arg(i + 1));
        periodGrid->addWidget(label, i + 1, 0);
        mPerStart[s] = parameterEdit(periods, QStringLiteral("PerStart%1").arg(i + 1), set.Start,
                                     kShortestPeriod, kLongestPeriod, periodMask, language);
        mPerEnd[s] = parameterEdit(periods, QStringLiteral("PerEnd%1").arg(i + 1), set.End,
                                   kShortestPeriod, kLongestPeriod, periodMask, language);
        // A zero increment ends the list of sets; a negative one cannot be typed.
        mPerInc[s] = parameterEdit(periods, QStringLiteral("PerInc%1").arg(i + 1), set.Increment,
                                   0.0, kLongestPeriod, periodMask, language);
        periodGrid->addWidget(mPerStart[s], i + 1, 1);
        periodGrid->addWidget(mPerEnd[s], i + 1, 2);
        periodGrid->addWidget(mPerInc[s], i + 1, 3);
    }

    auto* damping = new QGroupBox(uiText(language, "ui.spectrum.damping_group"), this);
    damping->setObjectName(QStringLiteral("DampingGroup"));
    auto* dampingGrid = new QGridLayout(damping);
    addRangeTitles(dampingGrid, damping, QStringLiteral("Damping"), 0, language);
    mAmorStart = parameterEdit(damping, QStringLiteral("AmorStart"), kDefaultDamping.Start,
                               kSmallestDamping, kLargestDamping, dampingMask, language);
    mAmorEnd = parameterEdit(damping, QStringLiteral("AmorEnd"), kDefaultDamping.End,
                             kSmallestDamping, kLargestDamping, dampingMask, language);
    mAmorInc = parameterEdit(damping, QStringLiteral("AmorInc"), kDefaultDamping.Increment,
                             kSmallestDamping, kLargestDamping, dampingMask, language);
    dampingGrid->addWidget(mAmorStart, 1, 0);
    dampingGrid->addWidget(mAmorEnd, 1, 1);
    dampingGrid->addWidget(mAmorInc, 1, 2);

    mAnalyseButton = new QPushButton(uiText(language, "ui.spectrum.analyse"), this);
    mAnalyseButton->setObjectName(QStringLiteral("AnalyseButton"));
    mAnalyseButton->setDefault(true);
    auto* fullView = new QPushButton(uiText(language, "ui.spectrum.full_view"), this);
    fullView->setObjectName(QStringLiteral("FullViewButton"));
    fullView->setAutoDefault(false);
    auto* close = new QPushButton(uiText(language, "ui.spectrum.close"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    close->setAutoDefault(false);
    auto* help = new QPushButton(uiText(language, "ui.spectrum.help"), this);
    help->setObjectName(QStringLiteral("HelpBtn"));
    help->setAutoDefault(false);
    mSaveButton = new QPushButton(uiText(language, "ui.spectrum.save"), this);
    mSaveButton->setObjectName(QStringLiteral("SaveButton"));
    mSaveButton->setAutoDefault(false);
    connect(mAnalyseButton, &QPushButton::clicked, this,
            [this] { analysisRunning() ? cancelAnalysis() : computeSpectra(); });
    connect(fullView, &QPushButton::clicked, this, &SpectrumDialog::showFullView);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [this] { showHelp(this, mLanguage, HelpContext::ResponseSpectra); });
    connect(mSaveButton, &QPushButton::clicked, this, &SpectrumDialog::saveSpectra);

    mDampingLabel = namedLabel(this, QStringLiteral("DampingLabel"),
                               uiText(language, "ui.spectrum.select_damping"));
    mDampingSelector = new QComboBox(this);
    mDampingSelector->setObjectName(QStringLiteral("DampingSelector"));
    mPlotLabel =
        namedLabel(this, QStringLiteral("PlotLabel"), uiText(language, "ui.spectrum.select_plot"));
    mPlotSelector = new QComboBox(this);
    mPlotSelector->setObjectName(QStringLiteral("PlotSelector"));
    mPlotSelector->addItems({QStringLiteral("Sa"), QStringLiteral("Sv"), QStringLiteral("Sd")});
    connect(mDampingSelector, &QComboBox::activated, this, [this] { Plot(false); });
    connect(mPlotSelector, &QComboBox::activated, this, [this] { Plot(false); });

    mChart = makeHistoryChart(this, uiText(language, "ui.spectrum.axis_periods"),
                              GridStyle::DotLines, Qt::DotLine);
    connect(mChart, &ChartWidget::mouseMovedInChart, this,
            [this](ChartWidget*, bool inChart, Qt::KeyboardModifiers, double x, double y) {
                chartMouseMove(inChart, x, y);
            });
    mMouseButtons = makeHistoryMouseButtons(
        mChart,
        {MouseAction::None, MouseAction::Pan, MouseAction::ZoomDrag, MouseAction::ZoomWindow},
        language, this);

    auto* statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("StatusBar"));
    statusBar->setSizeGripEnabled(false);
    for (std::size_t i = 0; i < mStatusPanels.size(); ++i) {
        auto* panel = new QLabel(statusBar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        panel->setMinimumWidth(150);
        statusBar->addWidget(panel, i == 2 ? 1 : 0);
        mStatusPanels[i] = panel;
    }

    auto* parameters = new QHBoxLayout;
    parameters->addWidget(periods, 3);
    parameters->addWidget(damping, 2, Qt::AlignTop);

    auto* commands = new QHBoxLayout;
    commands->addWidget(mAnalyseButton);
    commands->addWidget(fullView);
    commands->addWidget(mMouseButtons);
    commands->addStretch();
    commands->addWidget(help);
    commands->addWidget(close);

    auto* selectors = new QHBoxLayout;
    selectors->addWidget(mDampingLabel);
    selectors->addWidget(mDampingSelector);
    selectors->addSpacing(12);
    selectors->addWidget(mPlotLabel);
    selectors->addWidget(mPlotSelector);
    selectors->addSpacing(12);
    selectors->addWidget(mSaveButton);
    selectors->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(parameters);
    layout->addLayout(commands);
    layout->addLayout(selectors);
    layout->addWidget(mChart, 1);
    layout->addWidget(statusBar);

    // Shown once there are results to choose from.
    for (QWidget* w : {static_cast<QWidget*>(mDampingLabel),
                       static_cast<QWidget*>(mDampingSelector), static_cast<QWidget*>(mPlotLabel),
                       static_cast<QWidget*>(mPlotSelector), static_cast<QWidget*>(mSaveButton)})
        w->hide();
    resize(sizeHint().expandedTo(QSize(760, 560)));
}

SpectrumDialog::~SpectrumDialog() {
    if (mThread != nullptr) {
        mJob->cancel = true;
        mThread->wait();
        delete mThread;
    }
}

QString SpectrumDialog::lengthUnit() const {
    const std::string_view u = units::lengthUnit(mUnits);
    return QString::fromUtf8(u.data(), static_cast<qsizetype>(u.size()));
}

void SpectrumDialog::computeSpectra() {
    if (mThread != nullptr)
        return;
    auto job = std::make_shared<Job>(mInput, mUnits);
    try {
        std::array<PeriodSet, 4> sets{};
        for (std::size_t i = 0; i < sets.size(); ++i) {
            for (NumericEdit* e : {mPerStart[i], mPerEnd[i], mPerInc[i]})
                e->finishEditing();
            sets[i] = {mPerStart[i]->value(), mPerEnd[i]->value(), mPerInc[i]->value()};
        }
        for (NumericEdit* e : {mAmorStart, mAmorEnd, mAmorInc})
            e->finishEditing();
        job->periods = PeriodList(sets);
        job->dampings = DampingList({mAmorStart->value(), mAmorEnd->value(), mAmorInc->value()});
        // An empty list has nothing to analyse: say why instead of doing nothing.
        if (job->periods.empty())
            throw Error("signals.spectrum_no_periods");
        if (job->dampings.empty())
            throw Error("signals.spectrum_no_damping");
    } catch (const Error& e) {
        mPrompts.showMessage(this, MessageKind::Warning, renderMessage(mLanguage, e.message()));
        return;
    }

    mAnalyseButton->setText(uiText(mLanguage, "desktop.spectrum.cancel"));
    mStatusPanels[2]->setText(uiText(mLanguage, "ui.spectrum.analysing"));
    mJob = job;
    mThread = QThread::create([job] {
        try {
            job->result = ComputeResponseSpectra(job->input, job->periods, job->dampings,
                                                 job->units, 0, &job->cancel);
        } catch (const Error& e) {
            job->error = e.message();
        } catch (const std::bad_alloc&) {
            job->error = Message("numeric.out_of_memory");
        }
    });
    connect(mThread, &QThread::finished, this, [this, job] { analysisDone(job); });
    mThread->start();
}

void SpectrumDialog::cancelAnalysis() {
    if (mJob == nullptr)
        return;
    mJob->cancel = true;
    mAnalyseButton->setEnabled(false); // until the worker has stopped
}

void SpectrumDialog::analysisDone(const std::shared_ptr<Job>& job) {
    mThread->wait();
    delete mThread;
    mThread = nullptr;
    mJob.reset();
    mAnalyseButton->setText(uiText(mLanguage, "ui.spectrum.analyse"));
    mAnalyseButton->setEnabled(true);
    mStatusPanels[2]->clear();
    if (job->cancel) {
        mStatusPanels[2]->setText(uiText(mLanguage, "desktop.spectrum.cancelled"));
        emit analysisFinished();
        return;
    }
    if (job->error) {
        mPrompts.showMessage(this, MessageKind::Error, renderMessage(mLanguage, *job->error));
        emit analysisFinished();
        return;
    }
    mResults = std::move(job->result);
    mDampingSelector->clear();
    for (int d = 1; d <= mResults->Dampings.size(); ++d)
        mDampingSelector->addItem(
            formatDisplayMask(mResults->Dampings.get(d), QStringLiteral("0.0######"), QLocale()));
    mDampingSelector->setCurrentIndex(0);
    for (QWidget* w : {static_cast<QWidget*>(mDampingLabel),
                       static_cast<QWidget*>(mDampingSelector), static_cast<QWidget*>(mPlotLabel),
                       static_cast<QWidget*>(mPlotSelector), static_cast<QWidget*>(mSaveButton)})
        w->show();
    Plot(true);
    emit analysisFinished();
}

void SpectrumDialog::showFullView() {
    if (mResults)
        Plot(true);
}

void SpectrumDialog::Plot(bool fullView) {
    if (!mResults)
        return;
    const int d = std::max(0, mDampingSelector->currentIndex()) + 1;
    const int which = std::max(0, mPlotSelector->currentIndex());
    static constexpr const char* kAxis[] = {"ui.spectrum.axis.sa", "ui.spectrum.axis.sv",
                                            "ui.spectrum.axis.sd"};
    mChart->setIdOrdinate(uiText(mLanguage, kAxis[which], {lengthUnit()}));
    const TMatrix& spectrum = which == 0 ? mResults->Sa : which == 1 ? mResults->Sv : mResults->Sd;
    const TVector& periods = mResults->Periods;
    const int m = periods.size();
    if (fullView) {
        mChart->setRangeLoX(periods.min());
        mChart->setRangeHiX(periods.max());
    }
    mChart->setRangeLoY(spectrum.min(1, d, m, d));
    mChart->setRangeHiY(spectrum.max(1, d, m, d));
    mChart->clearGraph();
    mChart->moveTo(periods.get(1), spectrum.get(1, d));
    for (int l = 2; l <= m; ++l)
        mChart->drawTo(periods.get(l), spectrum.get(l, d));
    mChart->showGraph();
}

void SpectrumDialog::chartMouseMove(bool inChart, double x, double y) {
    if (!inChart || !mResults)
        return;
    mStatusPanels[0]->setText(
        uiText(mLanguage, "ui.spectrum.period_readout", {fixedNumber(x, 10, 6)}));
    mStatusPanels[1]->setText(uiText(mLanguage, "ui.spectrum.value_readout",
                                     {mPlotSelector->currentText(), fixedNumber(y, 10, 6)}));
}

void SpectrumDialog::saveSpectra() {
    if (!mResults)
        return;
    const QString path = mPrompts.saveFileName(this, {uiText(mLanguage, "ui.spectrum.save_title"),
                                                      {uiText(mLanguage, "ui.spectrum.filter_text"),
                                                       uiText(mLanguage, "ui.spectrum.filter_all")},
                                                      QStringLiteral("txt")});
    if (path.isEmpty())
        return;
    try {
        SaveSpectrumFile(QDir::toNativeSeparators(path).toStdString(), *mResults,
                         std::max(0, mDampingSelector->currentIndex()) + 1, mUnits, mLanguage);
    } catch (const Error& e) {
        mPrompts.showMessage(this, MessageKind::Error, renderMessage(mLanguage, e.message()));
    }
}

} // namespace quibel
