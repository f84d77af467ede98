// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "signals/history_editing.h"
#include "texts/text_catalogue.h"

#include <QDialog>

#include <array>

class QGroupBox;
class QRadioButton;

namespace quibel {

class NumericEdit;

/// The Advanced settings of a time history: its amplitude scaling factor, its user-defined
/// offset and the amplitude correction. For a generated history the correction does not
/// apply: its group is disabled and shows the first item, and OK leaves the correction as it
/// was. Cancel changes nothing. Enter moves to the next field, as Tab does.
class AdvancedDialog final : public QDialog {
    Q_OBJECT
public:
    /// settings: the values shown (see AdvancedDialogSettings); correctionEditable: false for
    /// a generated history.
    AdvancedDialog(const AmplitudeSettings& settings, bool correctionEditable, Language language,
                   QWidget* parent = nullptr);

    /// The values as edited; valid after OK.
    AmplitudeSettings settings() const noexcept { return mSettings; }

private:
    void confirm();

    Language mLanguage;
    AmplitudeSettings mSettings;
    bool mCorrectionEditable;
    NumericEdit* mEditScale = nullptr;
    NumericEdit* mEditOffset = nullptr;
    QGroupBox* mRadioCorrection = nullptr;
    std::array<QRadioButton*, 3> mCorrections{};
};

} // namespace quibel
