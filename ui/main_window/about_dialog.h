// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts/text_catalogue.h"

#include <QDialog>

namespace quibel {

/// The About box: the program's name and version, what it does, its licence, the libraries
/// it uses and the credits of the earthquake records, in the user's language.
class AboutDialog final : public QDialog {
    Q_OBJECT
public:
    AboutDialog(Language language, QWidget* parent = nullptr);

    /// The program's version, as the build sets it ("1.0.3").
    static QString version();
    /// The libraries the program uses with their licences, one line each ("Qt 6.4.2
    /// (LGPL-3.0): ...").
    static QStringList libraries(Language language);
    /// The credits the records of the earthquake database require, one line per source.
    static QStringList credits(Language language);
};

} // namespace quibel
