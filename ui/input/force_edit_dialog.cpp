// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/input/force_edit_dialog.h"

#include "model/unit_labels.h"
#include "model/unit_tables.h"
#include "ui/widgets/dialog_buttons.h"
#include "ui/widgets/enter_as_tab.h"
#include "ui/widgets/help_topics.h"
#include "ui/widgets/help_window.h"
#include "ui/widgets/numeric_edit.h"
#include "ui/widgets/ui_text.h"

#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quibel {

namespace {
QString fromView(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
} // namespace

ForceEditDialog::ForceEditDialog(AddedItemKind kind, UnitSystem units, Language language,
                                 QWidget* parent)
    : QDialog(parent), mKind(kind), mLanguage(language) {
    const bool forces = kind == AddedItemKind::Forces;
    setUpDialogFrame(
        *this, "force_edit_dialog",
        uiText(language, forces ? "ui.force_edit.caption.forces" : "ui.force_edit.caption.masses"));

    auto* group = new QGroupBox(
        uiText(language, forces ? "ui.force_edit.group.forces" : "ui.force_edit.group.masses"),
        this);
    group->setObjectName(QStringLiteral("item_data_group"));
    QFont bold = group->font();
    bold.setBold(true);
    group->setFont(bold);
    auto* grid = new QGridLayout(group);

    const QString length = fromView(units::lengthUnit(units));
    const char* names[4] = {"position_x_edit", "elevation_edit", "horizontal_force_edit",
                            "vertical_force_edit"};
    const char* captions[4] = {"ui.force_edit.position_x", "ui.force_edit.elevation",
                               forces ? "ui.force_edit.horizontal_force" : "ui.force_edit.mass",
                               forces ? "ui.force_edit.vertical_force" : "ui.force_edit.inertia"};
    const QString unitLabels[4] = {length, length,
                                   forces ? fromView(units::forceUnit(units))
                                          : fromView(units::massUnit(units)),
                                   forces ? fromView(units::forceUnit(units))
                                          : QString::fromStdString(units::inertiaUnit(units))};
    QFont normal = font();
    for (int i = 0; i < 4; ++i) {
        auto* edit = new NumericEdit(group);
        edit->setObjectName(QString::fromLatin1(names[i]));
        edit->setFont(normal);
        edit->setLanguage(language);
        edit->setDisplayMask(QStringLiteral(",0.###"));
        edit->setDecimals(10);
        edit->setCalculatorEnabled(true);
        auto* caption = new QLabel(uiText(language, captions[i]), group);
        caption->setFont(normal);
        caption->setBuddy(edit);
        caption->setObjectName(QString::fromLatin1(names[i]).replace(
            QStringLiteral("_edit"), QStringLiteral("_caption_label")));
        auto* unit = new QLabel(unitLabels[i], group);
        unit->setFont(normal);
        unit->setObjectName(QString::fromLatin1(names[i]).replace(QStringLiteral("_edit"),
                                                                  QStringLiteral("_unit_label")));
        grid->addWidget(caption, i, 0);
        grid->addWidget(edit, i, 1);
        grid->addWidget(unit, i, 2);
        mFields[static_cast<std::size_t>(i)] = edit;
    }

    const auto [ok, cancel, help, buttons] = makeDialogButtons(this, language, "ui.force_edit");
    ok->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(mFields[0], mFields[1]);
    setTabOrder(mFields[1], mFields[2]);
    setTabOrder(mFields[2], mFields[3]);
    setTabOrder(mFields[3], ok);
    setTabOrder(ok, cancel);
    setTabOrder(cancel, help);

    connect(ok, &QPushButton::clicked, this, &ForceEditDialog::okClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] {
        showHelp(this, mLanguage,
                 mKind == AddedItemKind::Forces ? HelpContext::ForceData : HelpContext::MassData);
    });
    EnterAsTab::install(this);
}

void ForceEditDialog::setValues(const Values& values) {
    for (std::size_t i = 0; i < mFields.size(); ++i)
        mFields[i]->setValue(values[i]);
}

ForceEditDialog::Values ForceEditDialog::values() const {
    return {mFields[0]->value(), mFields[1]->value(), mFields[2]->value(), mFields[3]->value()};
}

void ForceEditDialog::okClicked() {
    for (NumericEdit* edit : mFields)
        edit->finishEditing();
    if (mFields[2]->value() == 0.0 && mFields[3]->value() == 0.0) {
        mNotices(this, MessageKind::Warning,
                 uiText(mLanguage, mKind == AddedItemKind::Forces ? "ui.force_edit.no_force"
                                                                  : "ui.force_edit.no_mass"));
        return;
    }
    accept();
}

} // namespace quibel
