// SPDX-License-Identifier: GPL-3.0-or-later
// The documents are painted as quibel-cli paints them: in a session of its own, offscreen.
#include "documents/document_session.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const quibel::DocumentSession session;
    return RUN_ALL_TESTS();
}
