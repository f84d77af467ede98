// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/calculator_popup.h"

#include "ui/widgets/ui_text.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace quibel {

namespace {
// Button texts and the key each one stands for ('C' clear, '<' backspace, '~' sign, 'O' OK).
struct ButtonSpec {
    const char* text;
    char key;
    const char* name;
};
constexpr ButtonSpec kButtons[5][4] = {
    {{"C", 'C', "clear_button"},
     {"\u2190", '<', "backspace_button"},
     {"\u00b1", '~', "negate_button"},
     {"\u00f7", '/', "divide_button"}},
    {{"7", '7', "digit_7_button"},
     {"8", '8', "digit_8_button"},
     {"9", '9', "digit_9_button"},
     {"\u00d7", '*', "times_button"}},
    {{"4", '4', "digit_4_button"},
     {"5", '5', "digit_5_button"},
     {"6", '6', "digit_6_button"},
     {"\u2212", '-', "minus_button"}},
    {{"1", '1', "digit_1_button"},
     {"2", '2', "digit_2_button"},
     {"3", '3', "digit_3_button"},
     {"+", '+', "plus_button"}},
    {{"0", '0', "digit_0_button"},
     {".", '.', "point_button"},
     {"=", '=', "equals_button"},
     {"OK", 'O', "ok_button"}},
};
} // namespace

CalculatorPopup::CalculatorPopup(QWidget* field) : QFrame(field, Qt::Popup) {
    setObjectName(QStringLiteral("calculator_popup"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(3);
    mDisplay = new QLabel(this);
    mDisplay->setObjectName(QStringLiteral("calculator_display"));
    mDisplay->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    mDisplay->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    mDisplay->setMinimumWidth(150);
    mDisplay->setAutoFillBackground(true);
    layout->addWidget(mDisplay);
    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    for (int row = 0; row < 5; ++row) {
        for (int col = 0; col < 4; ++col) {
            const ButtonSpec& spec = kButtons[row][col];
            auto* button = new QToolButton(this);
            button->setObjectName(QString::fromLatin1(spec.name));
            button->setText(QString::fromUtf8(spec.text));
            button->setFocusPolicy(Qt::NoFocus);
            button->setMinimumSize(32, 26);
            button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
            const QChar key = QChar::fromLatin1(spec.key);
            connect(button, &QToolButton::clicked, this, [this, key] { press(key); });
            grid->addWidget(button, row, col);
        }
    }
    layout->addLayout(grid);
    refresh();
}

void CalculatorPopup::start(double value, const QLocale& locale, Language language) {
    mCalculator = PocketCalculator(value);
    mLocale = locale;
    mLanguage = language;
    if (auto* point = findChild<QToolButton*>(QStringLiteral("point_button")))
        point->setText(mLocale.decimalPoint());
    refresh();
}

void CalculatorPopup::showBelow(QWidget* widget) {
    adjustSize();
    QPoint pos = widget->mapToGlobal(QPoint(0, widget->height()));
    if (const QScreen* screen = widget->screen()) {
        const QRect area = screen->availableGeometry();
        if (pos.y() + height() > area.bottom())
            pos.setY(widget->mapToGlobal(QPoint(0, 0)).y() - height());
        pos.setX(std::max(area.left(), std::min(pos.x(), area.right() - width())));
    }
    move(pos);
    show();
    setFocus(Qt::PopupFocusReason);
}

QString CalculatorPopup::displayText() const {
    return mDisplay->text();
}

void CalculatorPopup::refresh() {
    if (mCalculator.hasError()) {
        mDisplay->setText(uiText(mLanguage, "ui.edit.calculator_error"));
        return;
    }
    QString shown = QString::fromStdString(mCalculator.display());
    shown.replace(u'.', mLocale.decimalPoint());
    shown.replace(u'-', mLocale.negativeSign());
    mDisplay->setText(shown);
}

void CalculatorPopup::press(QChar key) {
    const char k = key.toLatin1();
    if (k >= '0' && k <= '9')
        mCalculator.digit(k - '0');
    else if (k == '.')
        mCalculator.point();
    else if (k == '+' || k == '-' || k == '*' || k == '/')
        mCalculator.operation(k);
    else if (k == '=')
        mCalculator.equals();
    else if (k == '~')
        mCalculator.negate();
    else if (k == '<')
        mCalculator.backspace();
    else if (k == 'C')
        mCalculator.clear();
    else if (k == 'O') {
        accept();
        return;
    }
    refresh();
}

void CalculatorPopup::accept() {
    mCalculator.equals();
    refresh();
    if (mCalculator.hasError())
        return; // nothing to give; the user clears or closes
    const double result = mCalculator.value();
    hide();
    emit valueAccepted(result);
}

void CalculatorPopup::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        accept();
        return;
    case Qt::Key_Escape:
        hide();
        return;
    case Qt::Key_Backspace:
        press(u'<');
        return;
    case Qt::Key_Delete:
        press(u'C');
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() == 1) {
        const QChar c = text[0];
        if (c.isDigit() && c.unicode() < 128) {
            press(c);
            return;
        }
        if (c == u'.' || QString(c) == mLocale.decimalPoint()) {
            press(u'.');
            return;
        }
        if (c == u'+' || c == u'-' || c == u'*' || c == u'/' || c == u'=') {
            press(c);
            return;
        }
        if (c == u'c' || c == u'C') {
            press(u'C');
            return;
        }
    }
    QFrame::keyPressEvent(event);
}

} // namespace quibel
