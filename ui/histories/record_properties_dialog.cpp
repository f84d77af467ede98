// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/histories/record_properties_dialog.h"

#include "chart/chart_widget.h"
#include "ui/histories/history_chart.h"
#include "ui/histories/record_dialog_buttons.h"
#include "ui/widgets/ui_text.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace quibel {

namespace {

// One line of the measures: its catalogue key, the label's object name, value and unit.
struct MeasureRow {
    const char* key;
    const char* name;
    double value;
    const char* unit;
};

// The frequencies the Fourier spectrum is drawn to: the band of the mean period and a margin.
constexpr double kFourierMaxHz = 25.0;

} // namespace

RecordPropertiesDialog::RecordPropertiesDialog(std::vector<double> accelerations, double dt,
                                               Language language, QWidget* parent)
    : QDialog(parent), mMeasures(ComputeIntensityMeasures(accelerations, dt)) {
    setObjectName(QStringLiteral("RecordPropertiesDialog"));
    setWindowTitle(uiText(language, "records.ui.properties_caption"));
    resize(760, 520);

    const IntensityMeasures& m = mMeasures;
    const MeasureRow rows[] = {
        {"records.ui.im.pga", "PgaValue", m.Pga, "g"},
        {"records.ui.im.t_pga", "TPgaValue", m.TPga, "s"},
        {"records.ui.im.pgv", "PgvValue", m.Pgv, "m/sec"},
        {"records.ui.im.t_pgv", "TPgvValue", m.TPgv, "s"},
        {"records.ui.im.pgd", "PgdValue", m.Pgd, "m"},
        {"records.ui.im.t_pgd", "TPgdValue", m.TPgd, "s"},
        {"records.ui.im.arias", "AriasValue", m.Arias, "m/sec"},
        {"records.ui.im.d5_95", "D5_95Value", m.D5_95, "s"},
        {"records.ui.im.d5_75", "D5_75Value", m.D5_75, "s"},
        {"records.ui.im.cav", "CavValue", m.Cav, "m/sec"},
        {"records.ui.im.tm", "TmValue", m.Tm, "s"},
        {"records.ui.im.tp", "TpValue", m.Tp, "s"},
    };
    auto* form = new QFormLayout;
    for (const MeasureRow& r : rows) {
        auto* value = new QLabel(QStringLiteral("%1 %2").arg(r.value, 0, 'g', 6).arg(r.unit), this);
        value->setObjectName(QLatin1String(r.name));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(uiText(language, r.key), value);
    }

    mHusid = makeHistoryChart(this, uiText(language, "records.ui.axis_time"), GridStyle::DotLines,
                              Qt::DashDotLine);
    mHusid->setObjectName(QStringLiteral("HusidChart"));
    mHusid->setIdOrdinate(uiText(language, "records.ui.axis_husid"));
    mFourier = makeHistoryChart(this, uiText(language, "records.ui.axis_frequency"),
                                GridStyle::DotLines, Qt::DashDotLine);
    mFourier->setObjectName(QStringLiteral("FourierChart"));
    mFourier->setIdOrdinate(uiText(language, "records.ui.axis_fourier"));
    plotHusid(accelerations, dt);
    plotFourier(accelerations, dt);

    auto* charts = new QVBoxLayout;
    charts->addWidget(mHusid, 1);
    charts->addWidget(mFourier, 1);
    auto* body = new QHBoxLayout;
    body->addLayout(form);
    body->addLayout(charts, 1);

    auto* buttons = new QDialogButtonBox(this);
    auto* close =
        buttons->addButton(uiText(language, "records.ui.close"), QDialogButtonBox::AcceptRole);
    close->setObjectName(QStringLiteral("ButtonClose"));
    buttons->setCenterButtons(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    addRecordHelpButton(buttons, this, language);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(buttons);
}

void RecordPropertiesDialog::plotHusid(const std::vector<double>& accelerations, double dt) {
    const std::vector<double> husid = HusidCurve(accelerations, dt);
    const double end = husid.back() > 0.0 ? husid.back() : 1.0;
    mHusid->setRangeLoX(0.0);
    mHusid->setRangeHiX(dt * static_cast<double>(husid.size() - 1));
    mHusid->setRangeLoY(0.0);
    mHusid->setRangeHiY(100.0);
    mHusid->clearGraph();
    mHusid->moveTo(0.0, 0.0);
    for (std::size_t k = 1; k < husid.size(); ++k)
        mHusid->drawTo(dt * static_cast<double>(k), 100.0 * husid[k] / end);
    mHusid->showGraph();
}

void RecordPropertiesDialog::plotFourier(const std::vector<double>& accelerations, double dt) {
    const std::vector<double> c = FourierAmplitudes(accelerations, dt);
    const double df = 1.0 / (dt * static_cast<double>(accelerations.size()));
    const std::size_t last = std::min(c.size() - 1, static_cast<std::size_t>(kFourierMaxHz / df));
    const double peak = *std::max_element(c.begin(), c.begin() + static_cast<long>(last) + 1);
    mFourier->setRangeLoX(0.0);
    mFourier->setRangeHiX(df * static_cast<double>(std::max<std::size_t>(last, 1)));
    mFourier->setRangeLoY(0.0);
    mFourier->setRangeHiY(peak > 0.0 ? peak : 1.0);
    mFourier->clearGraph();
    mFourier->moveTo(0.0, c[0]);
    for (std::size_t k = 1; k <= last; ++k)
        mFourier->drawTo(df * static_cast<double>(k), c[k]);
    mFourier->showGraph();
}

} // namespace quibel
