// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts/text_catalogue.h"

#include <QLineEdit>

namespace quibel {

class CalculatorPopup;

/// An edit field for one number. Without the focus it shows its value through a display mask
/// ("0.### m", ",0.## deg": see formatDisplayMask) in the widget's locale; with the focus it
/// shows the bare number for typing, with the locale's decimal separator ("." is accepted as
/// well). Typing is limited to decimals() decimal places. When the typed value is taken (focus
/// leaving, Enter, finishEditing()) a value outside the range is brought back to the nearer
/// bound and the user is told the range. A calculator field drops down a pocket calculator from
/// its button or F2; the calculator's result becomes the field's value.
class NumericEdit final : public QLineEdit {
    Q_OBJECT
public:
    explicit NumericEdit(QWidget* parent = nullptr);
    ~NumericEdit() override;

    double value() const noexcept { return mValue; }
    /// Sets the value, brought into the range without a message, and shows it.
    void setValue(double value);

    /// Allowed values, bounds included. Without a range every finite value is allowed.
    void setRange(double minimum, double maximum);
    void clearRange();
    bool hasRange() const noexcept { return mHasRange; }
    double minimum() const noexcept { return mMinimum; }
    double maximum() const noexcept { return mMaximum; }

    /// Decimal places accepted when typing (12 unless set).
    void setDecimals(int decimals);
    int decimals() const noexcept { return mDecimals; }

    void setDisplayMask(const QString& mask);
    QString displayMask() const { return mDisplayMask; }

    /// Gives the field a calculator button and the F2 key.
    void setCalculatorEnabled(bool enabled);
    bool calculatorEnabled() const noexcept { return mCalculatorAction != nullptr; }
    /// The calculator of the field, or nullptr when it is not shown.
    CalculatorPopup* calculator() const noexcept { return mCalculator; }
    /// Drops down the calculator, starting from the field's value.
    void openCalculator();

    /// Language of the range message and of the calculator.
    void setLanguage(Language language);

    /// Takes the typed text as the value now, as leaving the field does.
    void finishEditing();

signals:
    /// The value changed through typing, the calculator or setValue().
    void valueChanged(double value);
    /// A typed value was outside the range and has been brought back; message tells the range.
    void rangeReported(const QString& message);
    /// The field received the focus.
    void entered();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void showValue();
    QString editText() const;
    double bounded(double value) const;
    void takeValue(double value, bool tellRange);

    double mValue = 0.0;
    bool mHasRange = false;
    double mMinimum = 0.0;
    double mMaximum = 0.0;
    int mDecimals = 12;
    QString mDisplayMask = QStringLiteral("0.###");
    Language mLanguage = Language::English;
    QAction* mCalculatorAction = nullptr;
    CalculatorPopup* mCalculator = nullptr;
    bool mEditing = false; // showing the bare number for typing
};

} // namespace quibel
