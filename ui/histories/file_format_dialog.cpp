// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/histories/file_format_dialog.h"

#include "ui/widgets/help_topics.h"
#include "ui/widgets/help_window.h"
#include "ui/widgets/numeric_edit.h"
#include "ui/widgets/ui_text.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quibel {

FileFormatDialog::FileFormatDialog(Language language, QWidget* parent)
    : QDialog(parent), mLanguage(language) {
    setObjectName(QStringLiteral("FileFormatDialog"));
    setWindowTitle(uiText(language, "ui.file_format.caption"));

    auto* group = new QGroupBox(uiText(language, "ui.file_format.group"), this);
    group->setObjectName(QStringLiteral("ArrangementGroup"));
    mAutomaticButton = new QRadioButton(uiText(language, "records.ui.automatic"), group);
    mAutomaticButton->setObjectName(QStringLiteral("AutomaticButton"));
    mPairsButton = new QRadioButton(uiText(language, "ui.file_format.pairs"), group);
    mPairsButton->setObjectName(QStringLiteral("PairsButton"));
    mAmplitudesButton = new QRadioButton(uiText(language, "ui.file_format.amplitudes"), group);
    mAmplitudesButton->setObjectName(QStringLiteral("AmplitudesButton"));
    mPairsButton->setChecked(true);

    auto* label = new QLabel(uiText(language, "ui.file_format.time_step"), group);
    label->setObjectName(QStringLiteral("TimeStepLabel"));
    mEditTimeStep = new NumericEdit(group);
    mEditTimeStep->setObjectName(QStringLiteral("EditTimeStep"));
    mEditTimeStep->setLanguage(language);
    mEditTimeStep->setDecimals(9);
    mEditTimeStep->setDisplayMask(QStringLiteral(",0.########"));
    mEditTimeStep->setValue(0.0);
    mEditTimeStep->setEnabled(false);
    label->setBuddy(mEditTimeStep);

    auto* stepRow = new QHBoxLayout;
    stepRow->addSpacing(20);
    stepRow->addWidget(label);
    stepRow->addWidget(mEditTimeStep);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(mAutomaticButton);
    groupLayout->addWidget(mPairsButton);
    groupLayout->addWidget(mAmplitudesButton);
    groupLayout->addLayout(stepRow);

    auto* buttons = new QDialogButtonBox(this);
    auto* ok =
        buttons->addButton(uiText(language, "ui.file_format.ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ButtonOk"));
    ok->setDefault(true);
    auto* cancel =
        buttons->addButton(uiText(language, "ui.file_format.cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("ButtonCancel"));
    auto* help =
        buttons->addButton(uiText(language, "ui.file_format.help"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("HelpBtn"));
    buttons->setCenterButtons(true);
    connect(ok, &QPushButton::clicked, this, &FileFormatDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [this] { showHelp(this, mLanguage, HelpContext::FileFormat); });

    connect(mPairsButton, &QRadioButton::toggled, this, &FileFormatDialog::followArrangement);
    connect(mAmplitudesButton, &QRadioButton::toggled, this, &FileFormatDialog::followArrangement);
    connect(mAutomaticButton, &QRadioButton::toggled, this, &FileFormatDialog::followArrangement);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

HistoryFileFormat FileFormatDialog::format() const {
    return mAmplitudesButton->isChecked() ? HistoryFileFormat::AmplitudesOnly
                                          : HistoryFileFormat::TimeAndAmplitude;
}

bool FileFormatDialog::automatic() const {
    return mAutomaticButton->isChecked();
}

double FileFormatDialog::timeStep() const {
    return mEditTimeStep->value();
}

void FileFormatDialog::followArrangement() {
    const bool amplitudesOnly = mAmplitudesButton->isChecked();
    // The readers take a step for the records that state none (a CSV of accelerations only).
    mEditTimeStep->setEnabled(amplitudesOnly || mAutomaticButton->isChecked());
    if (amplitudesOnly)
        mEditTimeStep->setFocus();
}

void FileFormatDialog::confirm() {
    // A step typed but not yet taken (OK pressed from the field) counts.
    mEditTimeStep->finishEditing();
    accept();
}

} // namespace quibel
