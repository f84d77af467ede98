// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"
#include "texts/text_catalogue.h"
#include "ui/input/geometry_values.h"
#include "ui/widgets/dialog_notice.h"

#include <QDialog>

#include <array>

class QButtonGroup;
class QLabel;
class QPlainTextEdit;

namespace quibel {

class NumericEdit;

/// The geometry dialog: the analysis type and every scalar input of the block, with a sketch
/// of the notation, an information box explaining the focused field in the project's units,
/// and the rotational-properties calculator. It edits a copy: editedValues() gives the values,
/// applyTo() writes them (and the flags they decide) into a model after Ok. Enter moves to the
/// next control as Tab does.
class GeometryDialog final : public QDialog {
    Q_OBJECT
public:
    /// The fields, in tab order.
    enum Field { M, Hd, H, Hr, B, Beta, U, Xu, T, PhiS, PhiD, Im, Xc, Yc, Eu, Ed, Es, FieldCount };

    GeometryDialog(const TBlocStatic& model, Language language, QWidget* parent = nullptr);

    /// The analysis type and the values the fields show now.
    GeometryValues editedValues() const;
    /// Ok's writing of the model: see applyGeometry.
    void applyTo(TBlocStatic& model) const { applyGeometry(editedValues(), model); }

    NumericEdit* field(Field f) const { return mFields[static_cast<std::size_t>(f)]; }

    /// Also used by the rotational-properties calculator the dialog opens.
    void setNoticeHandler(NoticeHandler handler) { mNotices = std::move(handler); }

private:
    void analysisTypeChanged();
    void fieldEntered(Field f);
    void rotationalPropertiesClicked();
    void okClicked();

    Language mLanguage;
    UnitSystem mUnits;
    NoticeHandler mNotices = messageBoxNotices();
    std::array<NumericEdit*, FieldCount> mFields{};
    std::array<QLabel*, FieldCount> mSymbols{};
    QButtonGroup* mAnalysisType = nullptr;
    QPlainTextEdit* mInformation = nullptr;
};

} // namespace quibel
