#pragma once

#include "signals/history_text_import.h"
#include "texts/text_catalogue.h"

#include <QDialog>

class QRadioButton;

namespace quibel {

class NumericEdit;

/// Asks how the numbers of a time-history text file are arranged: time and amplitude pairs,
/// or amplitudes only at a constant time step, which is typed here.
class TFileFormatDlg final : public QDialog {
    Q_OBJECT
public:
    explicit TFileFormatDlg(Language language, QWidget* parent = nullptr);

    HistoryFileFormat format() const;
    /// The time step typed for amplitudes only, s (0 unless typed).
    double timeStep() const;

private:
    void RadioButtonClick();
    void ButtonOkClick();

    Language mLanguage;
    QRadioButton* mRadioButton1 = nullptr;
    QRadioButton* mRadioButton2 = nullptr;
    NumericEdit* mEditTimeStep = nullptr;
};

} // namespace quibel
