// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the project-file reader: it must either read them or refuse them
// with its one error, never crash, hang or allocate far more than the input's size.
#include "model/project_file.h"
#include "numeric/error.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quibel::TBlocStatic model = quibel::startupModel();
    try {
        quibel::parseProject({data, size}, model);
        // Whatever was read must write back without trouble.
        (void)quibel::serializeProject(model);
    } catch (const quibel::Error&) {
    }
    return 0;
}
