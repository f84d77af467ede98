// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/input/geometry_dialog.h"

#include "model/record_fields.h"
#include "model/unit_tables.h"
#include "ui/input/geometry_consistency.h"
#include "ui/input/geometry_sketch.h"
#include "ui/input/mass_inertia_dialog.h"
#include "ui/widgets/enter_as_tab.h"
#include "ui/widgets/help_topics.h"
#include "ui/widgets/help_window.h"
#include "ui/widgets/numeric_edit.h"
#include "ui/widgets/ui_text.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <numbers>

namespace quibel {

namespace {
enum class Mask { Mass, Length, Force, Inertia, Degrees, Plain };
enum class Unit { None, Mass, Length, Force, Inertia };

struct FieldSpec {
    const char* name;
    const char* symbol; // rich text
    Mask mask;
    const char* infoKey;
    Unit unit; // units inserted into the information text
};

// In tab order, matching GeometryDialog::Field and kGeometryFields, the record fields they edit
// and whose ranges they take.
static_assert(GeometryDialog::FieldCount == kGeometryFields.size());
constexpr FieldSpec kFields[GeometryDialog::FieldCount] = {
    {"m_edit", "M", Mask::Mass, "ui.geometry.info.m", Unit::Mass},
    {"hd_edit", "h<sub>d</sub>", Mask::Length, "ui.geometry.info.hd", Unit::Length},
    {"h_edit", "h", Mask::Length, "ui.geometry.info.h", Unit::Length},
    {"hr_edit", "h<sub>r</sub>", Mask::Length, "ui.geometry.info.hr", Unit::Length},
    {"b_edit", "b", Mask::Length, "ui.geometry.info.b", Unit::Length},
    {"beta_edit", "β", Mask::Degrees, "ui.geometry.info.beta", Unit::None},
    {"u_edit", "U", Mask::Force, "ui.geometry.info.u", Unit::Force},
    {"xu_edit", "x<sub>u</sub>", Mask::Length, "ui.geometry.info.xu", Unit::Length},
    {"t_edit", "t", Mask::Length, "ui.geometry.info.t", Unit::Length},
    {"phi_s_edit", "φ<sub>s</sub>", Mask::Degrees, "ui.geometry.info.phi_s", Unit::None},
    {"phi_d_edit", "φ<sub>d</sub>", Mask::Degrees, "ui.geometry.info.phi_d", Unit::None},
    {"im_edit", "I<sub>m</sub>", Mask::Inertia, "ui.geometry.info.im", Unit::Inertia},
    {"xc_edit", "x<sub>c</sub>", Mask::Length, "ui.geometry.info.xc", Unit::Length},
    {"yc_edit", "y<sub>c</sub>", Mask::Length, "ui.geometry.info.yc", Unit::Length},
    {"eu_edit", "e<sub>u</sub>", Mask::Plain, "ui.geometry.info.eu", Unit::None},
    {"ed_edit", "e<sub>d</sub>", Mask::Plain, "ui.geometry.info.ed", Unit::None},
    {"es_edit", "e<sub>s</sub>", Mask::Plain, "ui.geometry.info.es", Unit::None},
};

QString fromView(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString maskOf(Mask mask, UnitSystem u) {
    const int i = unitIndex(u);
    switch (mask) {
    case Mask::Mass:
        return fromView(units::kMassMask[i]);
    case Mask::Length:
        return fromView(units::kLengthMask[i]);
    case Mask::Force:
        return fromView(units::kForceMask[i]);
    case Mask::Inertia:
        return fromView(units::kInertiaMask[i]);
    case Mask::Degrees:
        return QStringLiteral(",0.## deg");
    case Mask::Plain:
        return QStringLiteral("0.###");
    }
    return QStringLiteral("0.###");
}

} // namespace

GeometryDialog::GeometryDialog(const TBlocStatic& model, Language language, QWidget* parent)
    : QDialog(parent), mLanguage(language), mUnits(model.UnitSystem) {
    setObjectName(QStringLiteral("geometry_dialog"));
    setWindowTitle(uiText(language, "ui.geometry.caption"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    auto* typeBox = new QGroupBox(uiText(language, "ui.geometry.analysis_type"), this);
    typeBox->setObjectName(QStringLiteral("analysis_type_group"));
    auto* typeGrid = new QGridLayout(typeBox);
    mAnalysisType = new QButtonGroup(this);
    const char* typeKeys[3] = {"ui.geometry.sliding_only", "ui.geometry.rocking_only",
                               "ui.geometry.sliding_rocking"};
    const char* typeNames[3] = {"sliding_radio", "rocking_radio", "sliding_rocking_radio"};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(uiText(language, typeKeys[i]), typeBox);
        radio->setObjectName(QString::fromLatin1(typeNames[i]));
        mAnalysisType->addButton(radio, i);
        typeGrid->addWidget(radio, i % 2, i / 2); // two columns
    }
    if (auto* current = mAnalysisType->button(static_cast<int>(model.AnalysisKind)))
        current->setChecked(true);

    const GeometryValues values = GeometryValues::of(model);
    auto* fieldsBox = new QWidget(this);
    auto* fieldGrid = new QGridLayout(fieldsBox);
    fieldGrid->setContentsMargins(0, 0, 0, 0);
    constexpr int kRowsPerColumn = 9;
    for (int i = 0; i < FieldCount; ++i) {
        const FieldSpec& spec = kFields[i];
        auto* edit = new NumericEdit(fieldsBox);
        edit->setObjectName(QString::fromLatin1(spec.name));
        edit->setLanguage(language);
        edit->setDecimals(12);
        edit->setDisplayMask(maskOf(spec.mask, mUnits));
        const auto index = static_cast<std::size_t>(i);
        if (const RecordField& field = recordField(kGeometryFields[index]); field.limited())
            edit->setRange(field.minimum, field.maximum);
        edit->setValue(values.values[index]);
        auto* symbol = new QLabel(QString::fromUtf8(spec.symbol), fieldsBox);
        symbol->setObjectName(QString::fromLatin1(spec.name).replace(QStringLiteral("_edit"),
                                                                     QStringLiteral("_label")));
        symbol->setBuddy(edit);
        symbol->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const int column = (i / kRowsPerColumn) * 2;
        fieldGrid->addWidget(symbol, i % kRowsPerColumn, column);
        fieldGrid->addWidget(edit, i % kRowsPerColumn, column + 1);
        mFields[index] = edit;
        mSymbols[index] = symbol;
        const Field f = static_cast<Field>(i);
        connect(edit, &NumericEdit::entered, this, [this, f] { fieldEntered(f); });
    }

    auto* infoTitle = new QLabel(uiText(language, "ui.geometry.information"), this);
    mInformation = new QPlainTextEdit(this);
    mInformation->setObjectName(QStringLiteral("information_box"));
    mInformation->setReadOnly(true);
    mInformation->setFocusPolicy(Qt::NoFocus);
    mInformation->setFixedHeight(64);

    auto* ok = new QPushButton(uiText(language, "ui.geometry.ok"), this);
    ok->setObjectName(QStringLiteral("ok_button"));
    auto* cancel = new QPushButton(uiText(language, "ui.geometry.cancel"), this);
    cancel->setObjectName(QStringLiteral("cancel_button"));
    auto* rotational = new QPushButton(uiText(language, "ui.geometry.rotational_properties"), this);
    rotational->setObjectName(QStringLiteral("rotational_properties_button"));
    auto* help = new QPushButton(uiText(language, "ui.geometry.help"), this);
    help->setObjectName(QStringLiteral("help_button"));
    for (QPushButton* b : {ok, cancel, rotational, help})
        b->setAutoDefault(false);

    auto* right = new QVBoxLayout;
    right->addWidget(typeBox);
    right->addWidget(fieldsBox);
    right->addStretch(1);
    auto* left = new QVBoxLayout;
    left->addWidget(new GeometrySketch(this), 1);
    left->addWidget(infoTitle);
    left->addWidget(mInformation);
    auto* body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addLayout(right);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(rotational);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget* previous =
        mAnalysisType->checkedButton() ? mAnalysisType->checkedButton() : mAnalysisType->button(0);
    for (NumericEdit* edit : mFields) {
        setTabOrder(previous, edit);
        previous = edit;
    }
    for (QWidget* w : {static_cast<QWidget*>(ok), static_cast<QWidget*>(cancel),
                       static_cast<QWidget*>(rotational), static_cast<QWidget*>(help)}) {
        setTabOrder(previous, w);
        previous = w;
    }

    connect(mAnalysisType, &QButtonGroup::idToggled, this, [this] { analysisTypeChanged(); });
    connect(ok, &QPushButton::clicked, this, &GeometryDialog::okClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(rotational, &QPushButton::clicked, this, &GeometryDialog::rotationalPropertiesClicked);
    connect(help, &QPushButton::clicked, this,
            [this] { showHelp(this, mLanguage, HelpContext::Geometry); });
    analysisTypeChanged();
    EnterAsTab::install(this);
}

void GeometryDialog::analysisTypeChanged() {
    const int kind = mAnalysisType->checkedId();
    const bool friction = kind != static_cast<int>(AnalysisKind::Rocking);
    const bool rocking = kind != static_cast<int>(AnalysisKind::Sliding);
    for (Field f : {PhiS, PhiD}) {
        mFields[f]->setEnabled(friction);
        mSymbols[f]->setEnabled(friction);
    }
    for (Field f : {Xc, Yc, Im, Eu, Ed, Es}) {
        mFields[f]->setEnabled(rocking);
        mSymbols[f]->setEnabled(rocking);
    }
}

void GeometryDialog::fieldEntered(Field f) {
    const FieldSpec& spec = kFields[f];
    const QString mass = fromView(units::massUnit(mUnits));
    const QString length = fromView(units::lengthUnit(mUnits));
    const QString force = fromView(units::forceUnit(mUnits));
    QString info;
    switch (spec.unit) {
    case Unit::None:
        info = uiText(mLanguage, spec.infoKey);
        break;
    case Unit::Mass:
        info = uiText(mLanguage, spec.infoKey, {mass});
        break;
    case Unit::Length:
        info = uiText(mLanguage, spec.infoKey, {length});
        break;
    case Unit::Force:
        info = uiText(mLanguage, spec.infoKey, {force});
        break;
    case Unit::Inertia:
        info = uiText(mLanguage, spec.infoKey, {mass, length});
        break;
    }
    mInformation->clear();
    mInformation->setPlainText(info);
}

void GeometryDialog::rotationalPropertiesClicked() {
    mFields[T]->finishEditing();
    auto* calculator = new MassInertiaDialog(mFields[T]->value(), mUnits, mLanguage, this);
    calculator->setAttribute(Qt::WA_DeleteOnClose);
    calculator->setNoticeHandler(mNotices);
    connect(calculator, &QDialog::accepted, this, [this, calculator] {
        const RotationalProperties r = calculator->computedProperties();
        mFields[M]->setValue(r.M);
        mFields[Xc]->setValue(r.Xc);
        mFields[Yc]->setValue(r.Yc);
        mFields[Im]->setValue(r.Im);
        mFields[H]->setValue(r.A);
        mFields[B]->setValue(r.B);
        mFields[Beta]->setValue(r.Beta * 180.0 / std::numbers::pi);
    });
    calculator->open();
}

GeometryValues GeometryDialog::editedValues() const {
    GeometryValues v;
    const int kind = mAnalysisType->checkedId();
    v.AnalysisKind = kind < 0 ? AnalysisKind::Sliding : static_cast<AnalysisKind>(kind);
    for (std::size_t i = 0; i < kGeometryFields.size(); ++i)
        v.values[i] = mFields[i]->value();
    return v;
}

void GeometryDialog::okClicked() {
    for (NumericEdit* edit : mFields)
        edit->finishEditing();
    const std::vector<GeometryContradiction> found =
        geometryContradictions(editedValues(), mUnits, mLanguage);
    if (found.empty()) {
        accept();
        return;
    }
    // The dialog stays open on the first value to correct; the model keeps its geometry.
    QStringList lines{uiText(mLanguage, "ui.geometry.check.title")};
    for (const GeometryContradiction& c : found)
        lines.append(c.text);
    mNotices(this, MessageKind::Warning, lines.join(QLatin1Char('\n')));
    for (int i = 0; i < FieldCount; ++i)
        if (kGeometryFields[static_cast<std::size_t>(i)] == found.front().field) {
            mFields[static_cast<std::size_t>(i)]->setFocus();
            mFields[static_cast<std::size_t>(i)]->selectAll();
        }
}

} // namespace quibel
