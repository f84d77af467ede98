// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/input/mass_inertia_dialog.h"

#include "model/unit_labels.h"
#include "model/unit_tables.h"
#include "ui/input/block_shape_sketch.h"
#include "ui/widgets/dialog_buttons.h"
#include "ui/widgets/display_mask.h"
#include "ui/widgets/help_topics.h"
#include "ui/widgets/help_window.h"
#include "ui/widgets/numeric_edit.h"
#include "ui/widgets/ui_text.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quibel {

namespace {
QString unitText(std::string_view unit) {
    return QString::fromUtf8(unit.data(), static_cast<qsizetype>(unit.size()));
}
} // namespace

double MassInertiaDialog::defaultDensity(UnitSystem units) noexcept {
    switch (units) {
    case UnitSystem::MmNKg:
        // 2400 kg/m³ is 2.4e-6 kg/mm³ (2.4 t/m³ x 1000 kg/t / 1000³ mm³/m³).
        return 2.4e-6;
    case UnitSystem::MKnTon:
        return 2.4;
    case UnitSystem::InLbLb:
        return 150.0 / (12.0 * 12.0 * 12.0); // 150 lb/ft³
    case UnitSystem::FtKipKip:
        return 0.15;
    }
    return 2.4;
}

MassInertiaDialog::MassInertiaDialog(double thickness, UnitSystem units, Language language,
                                     QWidget* parent)
    : QDialog(parent), mThickness(thickness), mUnits(units), mLanguage(language) {
    setObjectName(QStringLiteral("mass_inertia_dialog"));
    setWindowTitle(uiText(language, "ui.mass_inertia.caption"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    const QString length = unitText(units::lengthUnit(units));
    const QString lengthMask = unitText(units::kLengthMask[unitIndex(units)]);

    auto* data = new QGroupBox(uiText(language, "ui.mass_inertia.dimensions"), this);
    auto* grid = new QGridLayout(data);
    int row = 0;
    auto addField = [&](const char* name, const QString& symbol, const QString& unit) {
        auto* edit = new NumericEdit(data);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setLanguage(language);
        auto* label = new QLabel(symbol, data);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        if (!unit.isEmpty())
            grid->addWidget(new QLabel(unit, data), row, 2);
        ++row;
        return edit;
    };
    mDensity = addField("density_edit", QStringLiteral("γ ="),
                        unitText(units::massUnit(units)) + u'/' + length + u'³');
    mDensity->setDisplayMask(QStringLiteral("0.##########"));
    mDensity->setRange(0, 100000000);
    mDensity->setValue(defaultDensity(units));
    if (auto* unitLabel = qobject_cast<QLabel*>(grid->itemAtPosition(0, 2)->widget()))
        unitLabel->setObjectName(QStringLiteral("density_unit_label"));
    mA = addField("a_edit", QStringLiteral("a ="), QString());
    mB = addField("b_edit", QStringLiteral("b ="), QString());
    mC = addField("c_edit", QStringLiteral("c ="), QString());
    mD = addField("d_edit", QStringLiteral("d ="), QString());
    mE = addField("e_edit", QStringLiteral("e ="), QString());
    for (NumericEdit* edit : {mA, mB, mC, mD, mE}) {
        edit->setDisplayMask(lengthMask);
        if (edit != mE)
            edit->setRange(0, 100000000);
    }
    QString thicknessText = QString::asprintf("%10.3f ", thickness);
    thicknessText.replace(u'.', locale().decimalPoint());
    auto* thicknessLabel =
        new QLabel(uiText(language, "ui.mass_inertia.thickness", {thicknessText + length}), data);
    thicknessLabel->setObjectName(QStringLiteral("thickness_label"));
    grid->addWidget(thicknessLabel, row++, 0, 1, 3);

    auto* compute = new QPushButton(uiText(language, "ui.mass_inertia.compute"), this);
    compute->setObjectName(QStringLiteral("compute_button"));
    compute->setDefault(true);

    auto* results = new QGroupBox(uiText(language, "ui.mass_inertia.results"), this);
    auto* resultGrid = new QGridLayout(results);
    auto addResult = [&](int r, const char* name, const QString& symbol) {
        auto* label = new QLabel(results);
        label->setObjectName(QString::fromLatin1(name));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        resultGrid->addWidget(new QLabel(symbol, results), r, 0);
        resultGrid->addWidget(label, r, 1);
        return label;
    };
    mMassResult = addResult(0, "mass_result_label", QStringLiteral("M ="));
    mXcResult = addResult(1, "xc_result_label", QStringLiteral("x<sub>c</sub> ="));
    mYcResult = addResult(2, "yc_result_label", QStringLiteral("y<sub>c</sub> ="));
    mImResult = addResult(3, "im_result_label", QStringLiteral("I<sub>m</sub> ="));
    resultGrid->setColumnStretch(1, 1);

    const auto [ok, cancel, help, buttons] = makeDialogButtons(this, language, "ui.mass_inertia");
    mOk = ok;
    mOk->setEnabled(false);
    mOk->setAutoDefault(false);

    auto* right = new QVBoxLayout;
    right->addWidget(data);
    right->addWidget(compute);
    right->addWidget(results);
    right->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addWidget(new BlockShapeSketch(this), 1);
    body->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(mDensity, mA);
    setTabOrder(mA, mB);
    setTabOrder(mB, mC);
    setTabOrder(mC, mD);
    setTabOrder(mD, mE);
    setTabOrder(mE, compute);
    setTabOrder(compute, mOk);
    setTabOrder(mOk, cancel);
    setTabOrder(cancel, help);

    connect(compute, &QPushButton::clicked, this, &MassInertiaDialog::computeClicked);
    connect(mOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [this] { showHelp(this, mLanguage, HelpContext::RotationalProperties); });
}

QString MassInertiaDialog::problemText(BlockSectionProblem problem) const {
    switch (problem) {
    case BlockSectionProblem::ZeroValue:
        return uiText(mLanguage, "ui.mass_inertia.zero_value");
    case BlockSectionProblem::CrestWiderThanBase:
        return uiText(mLanguage, "ui.mass_inertia.crest_wider_than_base");
    case BlockSectionProblem::FaceBelowToe:
        return uiText(mLanguage, "ui.mass_inertia.face_below_toe");
    case BlockSectionProblem::FaceCrossesBase:
        return uiText(mLanguage, "ui.mass_inertia.face_crosses_base");
    case BlockSectionProblem::NoArea:
        return uiText(mLanguage, "ui.mass_inertia.no_area");
    case BlockSectionProblem::None:
        break;
    }
    return {};
}

void MassInertiaDialog::computeClicked() {
    for (NumericEdit* edit : {mDensity, mA, mB, mC, mD, mE})
        edit->finishEditing();
    const BlockSectionInput in{mDensity->value(), mA->value(), mB->value(), mC->value(),
                               mD->value(),       mE->value(), mThickness};
    const BlockSectionResult r = ComputeBlockSection(in);
    if (r.problem != BlockSectionProblem::None) {
        mOk->setEnabled(false);
        for (QLabel* label : {mMassResult, mXcResult, mYcResult, mImResult})
            label->clear();
        mNotices(this,
                 r.problem == BlockSectionProblem::ZeroValue ? MessageKind::Information
                                                             : MessageKind::Warning,
                 problemText(r.problem));
        return;
    }
    mResult = {r.properties.M, r.properties.Xc,  r.properties.Yc, r.properties.Im, in.A,
               in.B,           r.properties.Beta};
    showResults();
    mOk->setEnabled(true);
}

void MassInertiaDialog::showResults() {
    const QString mass = unitText(units::massUnit(mUnits));
    const QString length = unitText(units::lengthUnit(mUnits));
    const QString inertia = QString::fromStdString(units::inertiaUnit(mUnits));
    const QLocale loc = locale();
    mMassResult->setText(formatDisplayMask(mResult.M, QStringLiteral("#.### ") + mass, loc));
    mXcResult->setText(formatDisplayMask(mResult.Xc, QStringLiteral("#.### ") + length, loc));
    mYcResult->setText(formatDisplayMask(mResult.Yc, QStringLiteral("#.### ") + length, loc));
    mImResult->setText(formatDisplayMask(mResult.Im, QStringLiteral("#.# ") + inertia, loc));
}

} // namespace quibel
