// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/input/analysis_options_dialog.h"

#include "model/model_flags.h"
#include "model/unit_labels.h"
#include "ui/widgets/dialog_buttons.h"
#include "ui/widgets/help_topics.h"
#include "ui/widgets/help_window.h"
#include "ui/widgets/numeric_edit.h"
#include "ui/widgets/ui_text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <initializer_list>

namespace quibel {

namespace {
struct ChoiceSpec {
    const char* name;
    const char* captionKey;
    std::initializer_list<const char*> itemKeys;
    bool twoColumns;
};

const ChoiceSpec& choiceSpec(int choice) {
    static const ChoiceSpec specs[AnalysisOptionsDialog::ChoiceCount] = {
        {"newmark_beta",
         "ui.options.newmark_group",
         {"ui.options.newmark_linear", "ui.options.newmark_constant"},
         false},
        {"uplift_up",
         "ui.options.uplift_up",
         {"ui.options.no_pressure", "ui.options.pressures_unchanged"},
         false},
        {"uplift_down",
         "ui.options.uplift_down",
         {"ui.options.no_pressure", "ui.options.pressures_unchanged", "ui.options.full_reservoir"},
         false},
        {"center_up",
         "ui.options.center_up",
         {"ui.options.center_fixed", "ui.options.center_moving"},
         false},
        {"center_down",
         "ui.options.center_down",
         {"ui.options.center_fixed", "ui.options.center_moving"},
         false},
        {"vertical_acceleration",
         "ui.options.vertical_acceleration",
         {"ui.options.hydrostatic_yes", "ui.options.hydrostatic_no"},
         true},
        {"translational", "ui.options.translational", {"ui.options.yes", "ui.options.no"}, true},
        {"rotational", "ui.options.rotational", {"ui.options.yes", "ui.options.no"}, true},
    };
    return specs[choice];
}

std::uint8_t& optionByte(AnalysisOptions& o, int choice) {
    switch (choice) {
    case AnalysisOptionsDialog::NewmarkBeta:
        return o.NewmarkBeta;
    case AnalysisOptionsDialog::UpliftUp:
        return o.UpliftUp;
    case AnalysisOptionsDialog::UpliftDown:
        return o.UpliftDown;
    case AnalysisOptionsDialog::CenterUp:
        return o.CenterUp;
    case AnalysisOptionsDialog::CenterDown:
        return o.CenterDown;
    case AnalysisOptionsDialog::VerticalAcceleration:
        return o.VerticalAcceleration;
    case AnalysisOptionsDialog::Translational:
        return o.Translational;
    default:
        return o.Rotational;
    }
}
} // namespace

AnalysisOptionsDialog::AnalysisOptionsDialog(const TBlocStatic& model, Language language,
                                             QWidget* parent)
    : QDialog(parent), mLanguage(language), mOptions(model.Options) {
    setObjectName(QStringLiteral("analysis_options_dialog"));
    setWindowTitle(uiText(language, "ui.options.caption"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    auto makeEdit = [&](QWidget* parentWidget, const char* name, const QString& mask) {
        auto* edit = new NumericEdit(parentWidget);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setLanguage(language);
        edit->setDecimals(10);
        edit->setCalculatorEnabled(true);
        edit->setDisplayMask(mask);
        return edit;
    };

    auto* gravityBox = new QGroupBox(uiText(language, "ui.options.gravity_group"), this);
    gravityBox->setObjectName(QStringLiteral("gravity_group"));
    auto* gravityRow = new QHBoxLayout(gravityBox);
    mGravity = makeEdit(gravityBox, "gravity_edit",
                        QStringLiteral(",0.### ") +
                            QString::fromStdString(units::gravityUnit(model.UnitSystem)));
    auto* gLabel = new QLabel(QStringLiteral("g ="), gravityBox);
    gLabel->setBuddy(mGravity);
    gravityRow->addWidget(gLabel);
    gravityRow->addWidget(mGravity, 1);

    mPages = new QTabWidget(this);
    mPages->setObjectName(QStringLiteral("options_pages"));
    auto addPage = [&](const char* name, const char* titleKey) {
        auto* page = new QWidget(mPages);
        page->setObjectName(QString::fromLatin1(name));
        new QVBoxLayout(page);
        mPages->addTab(page, uiText(language, titleKey));
        return page;
    };
    // Every tab shows its title whole: the window is as wide as the row of tabs.
    mPages->setUsesScrollButtons(false);
    mPages->tabBar()->setElideMode(Qt::ElideNone);
    QWidget* integration = addPage("numerical_integration_page", "ui.options.page_integration");
    QWidget* sliding = addPage("sliding_page", "ui.options.page_sliding");
    QWidget* rocking = addPage("rocking_page", "ui.options.page_rocking");
    QWidget* hydrostatic = addPage("hydrostatic_page", "ui.options.page_hydrostatic");
    QWidget* hydrodynamic = addPage("hydrodynamic_page", "ui.options.page_hydrodynamic");

    auto* stepsBox = new QGroupBox(uiText(language, "ui.options.integration_group"), integration);
    auto* stepsGrid = new QGridLayout(stepsBox);
    const QString secondsMask = QStringLiteral(",0.###### sec");
    mTimeStep = makeEdit(stepsBox, "time_step_edit", secondsMask);
    mSaveStep = makeEdit(stepsBox, "save_step_edit", secondsMask);
    stepsGrid->addWidget(new QLabel(uiText(language, "ui.options.time_step"), stepsBox), 0, 0);
    stepsGrid->addWidget(mTimeStep, 0, 1);
    stepsGrid->addWidget(new QLabel(uiText(language, "ui.options.save_step"), stepsBox), 1, 0);
    stepsGrid->addWidget(mSaveStep, 1, 1);
    auto* debugBox = new QGroupBox(uiText(language, "ui.options.debug_group"), integration);
    auto* debugRow = new QVBoxLayout(debugBox);
    mDebugFile = new QCheckBox(uiText(language, "ui.options.debug_file"), debugBox);
    mDebugFile->setObjectName(QStringLiteral("debug_file_check"));
    debugRow->addWidget(mDebugFile);
    integration->layout()->addWidget(stepsBox);
    integration->layout()->addWidget(debugBox);

    auto makeChoice = [&](int choice, QWidget* parentWidget) {
        const ChoiceSpec& spec = choiceSpec(choice);
        auto* box = new QGroupBox(uiText(language, spec.captionKey), parentWidget);
        box->setObjectName(QString::fromLatin1(spec.name) + QStringLiteral("_group"));
        auto* grid = new QGridLayout(box);
        auto* group = new QButtonGroup(box);
        int i = 0;
        for (const char* key : spec.itemKeys) {
            auto* radio = new QRadioButton(uiText(language, key), box);
            radio->setObjectName(QString::fromLatin1(spec.name) + QStringLiteral("_radio_") +
                                 QString::number(i));
            group->addButton(radio, i);
            if (spec.twoColumns)
                grid->addWidget(radio, 0, i);
            else
                grid->addWidget(radio, i, 0);
            ++i;
        }
        mChoices[static_cast<std::size_t>(choice)] = group;
        return box;
    };
    sliding->layout()->addWidget(makeChoice(NewmarkBeta, sliding));
    auto* upliftBox = new QGroupBox(uiText(language, "ui.options.uplift_group"), rocking);
    auto* upliftRow = new QHBoxLayout(upliftBox);
    upliftRow->addWidget(makeChoice(UpliftUp, upliftBox));
    upliftRow->addWidget(makeChoice(UpliftDown, upliftBox));
    auto* centersBox = new QGroupBox(uiText(language, "ui.options.centers_group"), rocking);
    auto* centersRow = new QHBoxLayout(centersBox);
    centersRow->addWidget(makeChoice(CenterUp, centersBox));
    centersRow->addWidget(makeChoice(CenterDown, centersBox));
    rocking->layout()->addWidget(upliftBox);
    rocking->layout()->addWidget(centersBox);
    hydrostatic->layout()->addWidget(makeChoice(VerticalAcceleration, hydrostatic));
    hydrodynamic->layout()->addWidget(makeChoice(Translational, hydrodynamic));
    hydrodynamic->layout()->addWidget(makeChoice(Rotational, hydrodynamic));
    for (QWidget* page : {integration, sliding, rocking, hydrostatic, hydrodynamic})
        static_cast<QVBoxLayout*>(page->layout())->addStretch(1);

    const auto [ok, cancel, help, buttons] = makeDialogButtons(this, language, "ui.options");
    ok->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gravityBox);
    layout->addWidget(mPages);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The working record as the controls show it; a byte that is none of its group's items
    // checks no item and is kept as it is.
    mGravity->setValue(mOptions.Gravity);
    mTimeStep->setValue(mOptions.TimeStep);
    mSaveStep->setValue(mOptions.SaveStep);
    mDebugFile->setChecked(mOptions.DebugFile == 1);
    for (int c = 0; c < ChoiceCount; ++c)
        if (QAbstractButton* item =
                mChoices[static_cast<std::size_t>(c)]->button(optionByte(mOptions, c)))
            item->setChecked(true);
    mPages->setCurrentIndex(0);

    connect(ok, &QPushButton::clicked, this, &AnalysisOptionsDialog::okClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [this] { showHelp(this, mLanguage, HelpContext::AnalysisOptions); });
}

AnalysisOptions AnalysisOptionsDialog::editedOptions() const {
    AnalysisOptions o = mOptions;
    o.Gravity = mGravity->value();
    o.TimeStep = mTimeStep->value();
    o.SaveStep = mSaveStep->value();
    o.DebugFile = mDebugFile->isChecked() ? 1 : 0;
    for (int c = 0; c < ChoiceCount; ++c) {
        const int id = mChoices[static_cast<std::size_t>(c)]->checkedId();
        if (id >= 0)
            optionByte(o, c) = static_cast<std::uint8_t>(id);
    }
    return o;
}

void AnalysisOptionsDialog::applyTo(TBlocStatic& model) const {
    model.Options = editedOptions();
    setFlag(model.ModelFlags, ModelFlag::ResultsValid, false);
}

void AnalysisOptionsDialog::okClicked() {
    for (NumericEdit* edit : {mGravity, mTimeStep, mSaveStep})
        edit->finishEditing();
    // A run divides by each of these; refuse them here rather than let a run start with them.
    const struct {
        NumericEdit* edit;
        const char* key;
        int page; // page holding the field, -1 above the pages
    } checks[] = {
        {mGravity, "ui.options.gravity_not_positive", -1},
        {mTimeStep, "ui.options.time_step_not_positive", 0},
        {mSaveStep, "ui.options.save_step_not_positive", 0},
    };
    for (const auto& check : checks) {
        if (check.edit->value() > 0.0)
            continue;
        mNotices(this, MessageKind::Error, uiText(mLanguage, check.key));
        if (check.page >= 0)
            mPages->setCurrentIndex(check.page);
        check.edit->setFocus(Qt::OtherFocusReason);
        return;
    }
    accept();
}

} // namespace quibel
