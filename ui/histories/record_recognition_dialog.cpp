// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/histories/record_recognition_dialog.h"

#include "ui/histories/record_dialog_buttons.h"
#include "ui/widgets/ui_text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace quibel {

namespace {

QString qstr(const std::string& s) {
    return QString::fromStdString(s);
}

QLabel* valueLabel(const char* name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

} // namespace

RecordRecognitionDialog::RecordRecognitionDialog(const RecordData& data, Language language,
                                                 QWidget* parent)
    : QDialog(parent), mData(data), mLanguage(language) {
    setObjectName(QStringLiteral("RecordRecognitionDialog"));
    setWindowTitle(uiText(language, "records.ui.recognised_caption"));

    mComponentBox = new QComboBox(this);
    mComponentBox->setObjectName(QStringLiteral("ComponentBox"));
    for (std::size_t i = 0; i < data.Components.size(); ++i) {
        const std::string& orientation = data.Components[i].Orientation;
        mComponentBox->addItem(QStringLiteral("%1: %2").arg(i + 1).arg(qstr(orientation)));
    }
    mComponentBox->setEnabled(data.Components.size() > 1);
    mCount = valueLabel("CountValue", QString(), this);
    mStep = valueLabel("StepValue", QString(), this);
    mUnits = valueLabel("UnitsValue", QString(), this);
    mPga = valueLabel("PgaValue", QString(), this);

    auto* form = new QFormLayout;
    form->addRow(uiText(language, "records.ui.format"),
                 valueLabel("FormatValue", qstr(data.Format), this));
    form->addRow(uiText(language, "records.ui.station"),
                 valueLabel("StationValue", qstr(data.Station), this));
    form->addRow(uiText(language, "records.ui.event"),
                 valueLabel("EventValue", qstr(data.Event), this));
    form->addRow(uiText(language, "records.ui.component"), mComponentBox);
    form->addRow(uiText(language, "records.ui.count"), mCount);
    form->addRow(uiText(language, "records.ui.step"), mStep);
    form->addRow(uiText(language, "records.ui.units"), mUnits);
    form->addRow(uiText(language, "records.ui.pga"), mPga);
    if (!data.Warnings.empty()) {
        QStringList warnings;
        for (const Message& w : data.Warnings)
            warnings << renderMessage(language, w);
        auto* remarks = valueLabel("WarningsValue", warnings.join(QLatin1Char('\n')), this);
        remarks->setWordWrap(true);
        form->addRow(uiText(language, "records.ui.warnings"), remarks);
    }

    QPushButton* ok = nullptr;
    QDialogButtonBox* buttons = makeRecordButtons(this, language, ok);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(mComponentBox, &QComboBox::currentIndexChanged, this,
            &RecordRecognitionDialog::showComponent);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    showComponent();
}

std::size_t RecordRecognitionDialog::component() const {
    return static_cast<std::size_t>(std::max(mComponentBox->currentIndex(), 0));
}

void RecordRecognitionDialog::showComponent() {
    const RecordComponent& c = mData.Components[component()];
    double pga = 0.0;
    for (double v : c.Values)
        pga = std::max(pga, std::abs(v));
    mCount->setText(QString::number(c.Values.size()));
    mStep->setText(QString::number(c.Dt, 'g', 9) + QStringLiteral(" s"));
    mUnits->setText(qstr(c.Units));
    mPga->setText(fixedNumber(pga, 0, 4) + QStringLiteral(" g"));
}

} // namespace quibel
