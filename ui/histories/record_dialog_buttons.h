// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts/text_catalogue.h"

class QDialog;
class QDialogButtonBox;
class QPushButton;

namespace quibel {

/// The centred OK ("ButtonOk", the default), Cancel ("ButtonCancel", which rejects dialog)
/// and Help of the record dialogs; the caller connects OK.
QDialogButtonBox* makeRecordButtons(QDialog* dialog, Language language, QPushButton*& ok);

/// Adds the Help button ("HelpBtn") of the record dialogs to buttons: it opens the page on
/// reading records.
void addRecordHelpButton(QDialogButtonBox* buttons, QDialog* dialog, Language language);

} // namespace quibel
