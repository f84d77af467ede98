// SPDX-License-Identifier: GPL-3.0-or-later
// A build without the desktop program has no paint devices: no document can be made.
#include "documents/document_session.h"

namespace quibel {

struct DocumentSession::Application {};

DocumentSession::DocumentSession() = default;
DocumentSession::~DocumentSession() = default;
bool DocumentSession::available() const {
    return false;
}

} // namespace quibel
