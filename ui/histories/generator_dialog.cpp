// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/histories/generator_dialog.h"

#include "chart/chart_widget.h"
#include "signals/generator_rules.h"
#include "ui/widgets/drawn_icon.h"
#include "ui/widgets/enter_as_tab.h"
#include "ui/widgets/help_topics.h"
#include "ui/widgets/help_window.h"
#include "ui/widgets/numeric_edit.h"
#include "ui/widgets/ui_text.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>
#include <numbers>

namespace quibel {

namespace {

// The glyph of a term shape: one period of the wave.
QIcon shapeGlyph(TermShape shape) {
    return drawnIcon(QSize(22, 16), Qt::darkBlue, [shape](QPainter& p) {
        QPolygonF wave;
        switch (shape) {
        case TermShape::Sine:
            for (int i = 0; i <= 40; ++i)
                wave << QPointF(1 + i * 0.5, 8 - 6 * std::sin(i * std::numbers::pi / 20));
            break;
        case TermShape::Triangle:
            wave << QPointF(1, 8) << QPointF(6, 2) << QPointF(16, 14) << QPointF(21, 8);
            break;
        default:
            wave << QPointF(1, 8) << QPointF(1, 2) << QPointF(11, 2) << QPointF(11, 14)
                 << QPointF(21, 14) << QPointF(21, 8);
            break;
        }
        p.drawPolyline(wave);
    });
}

struct Column {
    const char* name; // object name prefix of the row's edit
    double minimum;   // range of the values
    double maximum;
};
// Amplitude is unrestricted; times and periods in s, phase in degrees.
constexpr Column kColumns[5] = {{"amplitude", -1e300, 1e300},
                                {"Period", 0.0, 100000.0},
                                {"Phase", -180.0, 180.0},
                                {"Start", 0.0, 100000.0},
                                {"End", 0.0, 100000.0}};

} // namespace

GeneratorDialog::GeneratorDialog(const std::array<GeneratorTerm, 4>& terms, Language language,
                                 QWidget* parent)
    : QDialog(parent), mLanguage(language), mTerms(terms) {
    setObjectName(QStringLiteral("GeneratorDialog"));
    setWindowTitle(uiText(language, "ui.generator.caption"));
    resize(640, 480);

    mChart = new ChartWidget(this);
    mChart->setObjectName(QStringLiteral("Chart"));
    mChart->setMinimumHeight(200);
    mChart->setMinRangeX(1e-10);
    mChart->setMinRangeY(1e-10);
    mChart->setIdAbscissa(uiText(language, "ui.generator.axis_time"));
    mChart->setIdOrdinate(uiText(language, "ui.generator.axis_amplitude"));
    mChart->setDecPlaceY(2);
    mChart->setGridStyle(GridStyle::None);
    CrossHair cross;
    cross.Mode = CrossHairMode::Horizontal;
    cross.LineType = Qt::DashLine;
    cross.FollowsMouse = true;
    mChart->setCrossHair(1, cross);

    auto* grid = new QGridLayout;
    static constexpr const char* kHeaders[] = {"ui.generator.amplitude", "ui.generator.period",
                                               "ui.generator.phase",     "ui.generator.start",
                                               "ui.generator.end",       "ui.generator.function"};
    for (int c = 0; c < 6; ++c)
        grid->addWidget(new QLabel(uiText(language, kHeaders[c]), this), 0, c + 1,
                        Qt::AlignHCenter);
    for (int r = 0; r < 4; ++r) {
        Row& row = mRows[static_cast<std::size_t>(r)];
        const GeneratorTerm& term = mTerms[static_cast<std::size_t>(r)];
        grid->addWidget(new QLabel(QString::number(r + 1), this), r + 1, 0);
        const double values[5] = {term.Amplitude, term.Period, term.Phase, term.StartTime,
                                  term.EndTime};
        for (int c = 0; c < 5; ++c) {
            auto* edit = new NumericEdit(this);
            edit->setObjectName(
                QStringLiteral("%1%2").arg(QLatin1String(kColumns[c].name)).arg(r + 1));
            edit->setLanguage(language);
            edit->setDecimals(15);
            edit->setDisplayMask(QStringLiteral("0.######"));
            if (c != 0)
                edit->setRange(kColumns[c].minimum, kColumns[c].maximum);
            edit->setValue(values[c]);
            // Leaving a field takes the row's values and redraws the preview.
            connect(edit, &NumericEdit::editingFinished, this, [this, r] {
                takeRow(r);
                DrawPreview();
            });
            row.edits[static_cast<std::size_t>(c)] = edit;
            grid->addWidget(edit, r + 1, c + 1);
        }
        auto makeButton = [&](TermShape shape, const char* name, const char* hint) {
            auto* b = new QToolButton(this);
            b->setObjectName(QStringLiteral("%1%2").arg(QLatin1String(name)).arg(r + 1));
            b->setToolTip(uiText(language, hint));
            b->setIcon(shapeGlyph(shape));
            b->setCheckable(true);
            // Reachable with Tab after the row's fields and pressed with Space.
            b->setFocusPolicy(Qt::StrongFocus);
            b->setChecked(ShapeShownDown(term) == shape);
            connect(b, &QToolButton::clicked, this, [this, r, b] { chooseShape(r, b); });
            return b;
        };
        row.sine = makeButton(TermShape::Sine, "SpeedSinus", "ui.generator.sine");
        row.triangle = makeButton(TermShape::Triangle, "SpeedTriangular", "ui.generator.triangle");
        row.impulse = makeButton(TermShape::Impulse, "SpeedImpulse", "ui.generator.impulse");
        auto* shapes = new QHBoxLayout;
        shapes->setSpacing(1);
        shapes->addWidget(row.sine);
        shapes->addWidget(row.triangle);
        shapes->addWidget(row.impulse);
        grid->addLayout(shapes, r + 1, 6);
    }

    auto* buttons = new QDialogButtonBox(this);
    auto* ok =
        buttons->addButton(uiText(language, "ui.generator.ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ButtonOk"));
    ok->setDefault(true);
    auto* cancel =
        buttons->addButton(uiText(language, "ui.generator.cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("ButtonCancel"));
    auto* help =
        buttons->addButton(uiText(language, "ui.generator.help"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("HelpBtn"));
    buttons->setCenterButtons(true);
    connect(ok, &QPushButton::clicked, this, &GeneratorDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [this] { showHelp(this, mLanguage, HelpContext::FunctionGenerator); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mChart, 1);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    EnterAsTab::install(this);
    DrawPreview();
}

void GeneratorDialog::takeRow(int r) {
    Row& row = mRows[static_cast<std::size_t>(r)];
    GeneratorTerm& term = mTerms[static_cast<std::size_t>(r)];
    for (NumericEdit* edit : row.edits)
        edit->finishEditing();
    term.Amplitude = row.edits[0]->value();
    term.Period = row.edits[1]->value();
    term.Phase = row.edits[2]->value();
    term.StartTime = row.edits[3]->value();
    term.EndTime = row.edits[4]->value();
}

void GeneratorDialog::chooseShape(int r, QToolButton* clicked) {
    Row& row = mRows[static_cast<std::size_t>(r)];
    // At most one button of a row is down; all may be up.
    for (QToolButton* b : {row.sine, row.triangle, row.impulse})
        if (b != clicked && clicked->isChecked())
            b->setChecked(false);
    TermShape down = TermShape::None;
    if (row.sine->isChecked())
        down = TermShape::Sine;
    else if (row.triangle->isChecked())
        down = TermShape::Triangle;
    else if (row.impulse->isChecked())
        down = TermShape::Impulse;
    // A click (or a key) on a shape button may come before the field being typed has handed in
    // its value: take the row first, so the rule sees what the row shows.
    takeRow(r);
    ShapeButtonClicked(mTerms[static_cast<std::size_t>(r)], down);
    // Redrawn whether the term came on or went off, so the preview never shows a term that is
    // no longer part of the sum.
    DrawPreview();
}

void GeneratorDialog::DrawPreview() {
    const std::optional<GeneratorPreview> preview = GeneratorPreviewData(mTerms);
    if (!preview) {
        mChart->setCaption(QString());
        mChart->clearGraph();
        mChart->showGraph();
        return;
    }
    mChart->setCaption(uiText(mLanguage, "signals.generated_function"));
    mChart->setRangeLoX(0.0);
    mChart->setRangeHiX(preview->TimeMax);
    mChart->setRangeLoY(preview->ValueMin);
    mChart->setRangeHiY(preview->ValueMax);
    mChart->clearGraph();
    const SignalSamples& points = preview->Points;
    mChart->moveTo(points.Times.get(1), points.Values.get(1));
    for (int i = 2; i <= points.size(); ++i)
        mChart->drawTo(points.Times.get(i), points.Values.get(i));
    mChart->showGraph();
}

void GeneratorDialog::confirm() {
    for (int r = 0; r < 4; ++r)
        takeRow(r);
    DrawPreview();
    accept();
}

} // namespace quibel
