// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts/text_catalogue.h"

namespace quibel {

/// Qt's own texts (file and print dialogs, standard buttons, context menus) in language:
/// installs Qt's French catalogue on the application for French and removes it for English.
/// Returns false when French was asked for and Qt's catalogue is not installed; those
/// dialogs then stay in English.
bool useQtTranslations(Language language);

} // namespace quibel
