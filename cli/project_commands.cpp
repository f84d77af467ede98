// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/project_commands.h"

#include "cli/command_line.h"
#include "cli/model_json.h"
#include "model/project_file.h"
#include "model/unit_change.h"
#include "numeric/error.h"

#include <ostream>

namespace quibel::cli {

int runInfoCommand(const Invocation& inv) {
    if (inv.args.size() != 1 || inv.args[0].starts_with("-")) {
        inv.error(Message("cli.usage.info"));
        return UsageError;
    }
    TBlocStatic model = startupModel();
    FileVersionWords version{};
    try {
        version = ReadFromFile(model, inv.args[0]);
    } catch (const Error& e) {
        inv.error(e.message());
        return ReadFailed;
    }
    inv.out << modelToJson(model, version) << "\n";
    return Success;
}

int runConvertCommand(const Invocation& inv) {
    std::vector<std::string> files;
    int units = -1;
    for (std::size_t i = 0; i < inv.args.size(); ++i) {
        const std::string& a = inv.args[i];
        if (a == "--units" && i + 1 < inv.args.size()) {
            const std::string& v = inv.args[++i];
            if (v.size() != 1 || v[0] < '0' || v[0] > '3') {
                inv.error(Message("cli.usage.convert"));
                return UsageError;
            }
            units = v[0] - '0';
        } else if (a.starts_with("-")) {
            inv.error(Message("cli.usage.convert"));
            return UsageError;
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2) {
        inv.error(Message("cli.usage.convert"));
        return UsageError;
    }
    TBlocStatic model = startupModel();
    try {
        ReadFromFile(model, files[0]);
    } catch (const Error& e) {
        inv.error(e.message());
        return ReadFailed;
    }
    if (units >= 0)
        changeUnitSystem(model, static_cast<UnitSystem>(units));
    try {
        WriteToFile(model, files[1]);
    } catch (const Error& e) {
        inv.error(e.message());
        return WriteFailed;
    }
    return Success;
}

} // namespace quibel::cli
