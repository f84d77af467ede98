// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/block_section.h"
#include "model/enums.h"
#include "texts/text_catalogue.h"
#include "ui/widgets/dialog_notice.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace quibel {

class NumericEdit;

/// What the rotational-properties calculator hands back on Ok, in the project's units.
struct RotationalProperties final {
    double M = 0.0;    ///< mass, mass unit
    double Xc = 0.0;   ///< centre of mass from the upstream face, length
    double Yc = 0.0;   ///< centre of mass above the heel, length
    double Im = 0.0;   ///< about the centre of mass, mass x length²
    double A = 0.0;    ///< block height at the upstream face, length
    double B = 0.0;    ///< base width, length
    double Beta = 0.0; ///< base inclination, rad
};

/// The rotational-properties calculator: computes mass, centre of mass, mass moment of inertia
/// and base inclination of the usual block outline from the density, five dimensions and the
/// thickness typed in the geometry dialog. Ok is enabled only after a successful computation
/// and hands its results back; the calculator never writes the model.
class MassInertiaDialog final : public QDialog {
    Q_OBJECT
public:
    /// thickness: the section thickness, length unit of units.
    MassInertiaDialog(double thickness, UnitSystem units, Language language,
                      QWidget* parent = nullptr);

    /// The density a new calculation starts with: concrete (2400 kg/m³, 150 lb/ft³) in the
    /// units of the system.
    static double defaultDensity(UnitSystem units) noexcept;

    /// The results of the last successful computation.
    RotationalProperties computedProperties() const noexcept { return mResult; }

    void setNoticeHandler(NoticeHandler handler) { mNotices = std::move(handler); }

private:
    void computeClicked();
    void showResults();
    QString problemText(BlockSectionProblem problem) const;

    double mThickness;
    UnitSystem mUnits;
    Language mLanguage;
    NoticeHandler mNotices = messageBoxNotices();
    RotationalProperties mResult;
    NumericEdit* mDensity = nullptr;
    NumericEdit* mA = nullptr;
    NumericEdit* mB = nullptr;
    NumericEdit* mC = nullptr;
    NumericEdit* mD = nullptr;
    NumericEdit* mE = nullptr;
    QLabel* mMassResult = nullptr;
    QLabel* mXcResult = nullptr;
    QLabel* mYcResult = nullptr;
    QLabel* mImResult = nullptr;
    QPushButton* mOk = nullptr;
};

} // namespace quibel
