// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/histories/advanced_dialog.h"

#include "ui/widgets/enter_as_tab.h"
#include "ui/widgets/help_topics.h"
#include "ui/widgets/help_window.h"
#include "ui/widgets/numeric_edit.h"
#include "ui/widgets/ui_text.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quibel {

namespace {
NumericEdit* amplitudeEdit(QWidget* parent, const QString& name, double value, Language language) {
    auto* edit = new NumericEdit(parent);
    edit->setObjectName(name);
    edit->setLanguage(language);
    edit->setDecimals(8);
    edit->setDisplayMask(QStringLiteral("0.########"));
    edit->setValue(value);
    return edit;
}
} // namespace

AdvancedDialog::AdvancedDialog(const AmplitudeSettings& settings, bool correctionEditable,
                               Language language, QWidget* parent)
    : QDialog(parent), mLanguage(language), mSettings(settings),
      mCorrectionEditable(correctionEditable) {
    setObjectName(QStringLiteral("AdvancedDialog"));
    setWindowTitle(uiText(language, "ui.advanced.caption"));

    mEditScale = amplitudeEdit(this, QStringLiteral("EditScale"), settings.Scale, language);
    mEditOffset = amplitudeEdit(this, QStringLiteral("EditOffset"), settings.Offset, language);
    auto* form = new QFormLayout;
    form->addRow(uiText(language, "ui.advanced.scale"), mEditScale);
    form->addRow(uiText(language, "ui.advanced.offset"), mEditOffset);

    mRadioCorrection = new QGroupBox(uiText(language, "ui.advanced.correction"), this);
    mRadioCorrection->setObjectName(QStringLiteral("RadioCorrection"));
    auto* groupLayout = new QVBoxLayout(mRadioCorrection);
    static constexpr const char* kItems[] = {"ui.advanced.correction.0", "ui.advanced.correction.1",
                                             "ui.advanced.correction.2"};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(uiText(language, kItems[i]), mRadioCorrection);
        radio->setObjectName(QStringLiteral("RadioCorrection%1").arg(i));
        groupLayout->addWidget(radio);
        mCorrections[static_cast<std::size_t>(i)] = radio;
    }
    // The index of the item is the value of the correction.
    mCorrections[static_cast<std::size_t>(settings.Correction)]->setChecked(true);
    mRadioCorrection->setEnabled(correctionEditable);

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(uiText(language, "ui.advanced.ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ButtonOk"));
    auto* cancel =
        buttons->addButton(uiText(language, "ui.advanced.cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("ButtonCancel"));
    auto* help =
        buttons->addButton(uiText(language, "ui.advanced.help"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("HelpBtn"));
    buttons->setCenterButtons(true);
    connect(ok, &QPushButton::clicked, this, &AdvancedDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [this] { showHelp(this, mLanguage, HelpContext::AdvancedHistorySettings); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(mRadioCorrection);
    layout->addWidget(buttons);

    EnterAsTab::install(this);
}

void AdvancedDialog::confirm() {
    mEditScale->finishEditing();
    mEditOffset->finishEditing();
    mSettings.Scale = mEditScale->value();
    mSettings.Offset = mEditOffset->value();
    if (mCorrectionEditable) {
        for (std::size_t i = 0; i < mCorrections.size(); ++i)
            if (mCorrections[i]->isChecked())
                mSettings.Correction = static_cast<OffsetCorrection>(i);
    }
    accept();
}

} // namespace quibel
