#include "ui/file_format_dialog.h"

#include "ui/help_topics.h"
#include "ui/help_window.h"
#include "ui/numeric_edit.h"
#include "ui/ui_text.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quibel {

TFileFormatDlg::TFileFormatDlg(Language language, QWidget* parent)
    : QDialog(parent), mLanguage(language) {
    setObjectName(QStringLiteral("FileFormatDlg"));
    setWindowTitle(uiText(language, "ui.file_format.caption"));

    auto* group = new QGroupBox(uiText(language, "ui.file_format.group"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    mRadioButton1 = new QRadioButton(uiText(language, "ui.file_format.pairs"), group);
    mRadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    mRadioButton2 = new QRadioButton(uiText(language, "ui.file_format.amplitudes"), group);
    mRadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    mRadioButton1->setChecked(true);

    auto* label = new QLabel(uiText(language, "ui.file_format.time_step"), group);
    label->setObjectName(QStringLiteral("Label1"));
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
    groupLayout->addWidget(mRadioButton1);
    groupLayout->addWidget(mRadioButton2);
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
    connect(ok, &QPushButton::clicked, this, &TFileFormatDlg::ButtonOkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [this] { showHelp(this, mLanguage, HelpContext::FileFormat); });

    connect(mRadioButton1, &QRadioButton::toggled, this, &TFileFormatDlg::RadioButtonClick);
    connect(mRadioButton2, &QRadioButton::toggled, this, &TFileFormatDlg::RadioButtonClick);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

HistoryFileFormat TFileFormatDlg::format() const {
    return mRadioButton2->isChecked() ? HistoryFileFormat::AmplitudesOnly
                                      : HistoryFileFormat::TimeAndAmplitude;
}

double TFileFormatDlg::timeStep() const {
    return mEditTimeStep->value();
}

void TFileFormatDlg::RadioButtonClick() {
    const bool amplitudesOnly = mRadioButton2->isChecked();
    mEditTimeStep->setEnabled(amplitudesOnly);
    if (amplitudesOnly)
        mEditTimeStep->setFocus();
}

void TFileFormatDlg::ButtonOkClick() {
    // A step typed but not yet taken (OK pressed from the field) counts.
    mEditTimeStep->finishEditing();
    accept();
}

} // namespace quibel
