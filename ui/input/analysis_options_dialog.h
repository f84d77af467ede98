// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/analysis_options.h"
#include "model/project_record.h"
#include "texts/text_catalogue.h"
#include "ui/widgets/dialog_notice.h"

#include <QDialog>

#include <array>

class QButtonGroup;
class QCheckBox;
class QTabWidget;

namespace quibel {

class NumericEdit;

/// The analysis options: gravity, integration and output time steps, the debug file and the
/// modelling choices of the sliding, rocking and hydrodynamic computations, on five pages. It
/// edits a copy of the options; Ok refuses a gravity or a time step that is not positive (the
/// runs divide by them) and keeps the dialog open; applyTo() writes the options into a model.
class AnalysisOptionsDialog final : public QDialog {
    Q_OBJECT
public:
    /// The radio groups, each writing the option byte of the same name.
    enum Choice {
        NewmarkBeta,
        UpliftUp,
        UpliftDown,
        CenterUp,
        CenterDown,
        VerticalAcceleration,
        Translational,
        Rotational,
        ChoiceCount
    };

    AnalysisOptionsDialog(const TBlocStatic& model, Language language, QWidget* parent = nullptr);

    /// The working record with the values the controls show now. A radio group without a
    /// checked item leaves its byte as the model had it.
    AnalysisOptions editedOptions() const;
    /// Ok's writing of the model: the options, and ResultsValid cleared.
    void applyTo(TBlocStatic& model) const;

    void setNoticeHandler(NoticeHandler handler) { mNotices = std::move(handler); }

private:
    void okClicked();

    Language mLanguage;
    AnalysisOptions mOptions; // working record as opened
    NoticeHandler mNotices = messageBoxNotices();
    NumericEdit* mGravity = nullptr;
    NumericEdit* mTimeStep = nullptr;
    NumericEdit* mSaveStep = nullptr;
    QCheckBox* mDebugFile = nullptr;
    QTabWidget* mPages = nullptr;
    std::array<QButtonGroup*, ChoiceCount> mChoices{};
};

} // namespace quibel
