// SPDX-License-Identifier: GPL-3.0-or-later
#include "signals/input_file.h"

#include "numeric/error.h"

#include <cerrno>
#include <system_error>

namespace quibel {

InputFile OpenInputFile(const std::string& path) {
    errno = 0;
    InputFile file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        const int code = errno != 0 ? errno : ENOENT;
        throw Error(
            Message("signals.cannot_open_file", {path, std::system_category().message(code)}));
    }
    return file;
}

} // namespace quibel
