#pragma once

#include "model/text_catalogue.h"

#include <QDialog>

namespace quibel {

/// The About box: the program's name and version, what it does, its licence and the
/// libraries it uses, in the user's language.
class AboutDialog final : public QDialog {
    Q_OBJECT
public:
    AboutDialog(Language language, QWidget* parent = nullptr);

    /// The program's version, as the build sets it ("1.0.3").
    static QString version();
    /// The libraries the program uses, one line each ("Qt 6.4.2 (LGPL-3.0)").
    static QStringList libraries();
};

} // namespace quibel
