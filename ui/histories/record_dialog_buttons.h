// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts/text_catalogue.h"

class QDialog;
class QDialogButtonBox;
class QPushButton;

namespace quibel {

/// The centred OK ("ButtonOk", the default) and Cancel ("ButtonCancel", which rejects dialog)
/// of the record dialogs; the caller connects OK.
QDialogButtonBox* makeRecordButtons(QDialog* dialog, Language language, QPushButton*& ok);

} // namespace quibel
