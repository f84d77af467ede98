// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quibel {

/// Which list of added items the force dialogs edit: the added forces or the added masses.
enum class AddedItemKind { Forces, Masses };

} // namespace quibel
