// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/project_record.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quibel {

/// The bytes of the project file (version 1, 0, 3, 1) for the input part of model. Result
/// series, FileName, ThetaUp and ThetaDown are not stored.
std::vector<std::uint8_t> serializeProject(const TBlocStatic& model);

/// Reads a project file image into model. The image is parsed into a copy of model that
/// replaces it only when every field was read, so a damaged file leaves model as it was.
/// Throws Error("file.unable_to_read") for a short image, a count that is negative or larger
/// than the bytes left could hold, or a unit system outside 0..3. FileVersion is set back to
/// 1, 0, 3, 1 afterwards; the version words the file holds are returned.
using FileVersionWords = std::array<std::int16_t, 4>;
FileVersionWords parseProject(std::span<const std::uint8_t> bytes, TBlocStatic& model);

/// Writes model to path. The bytes go to a temporary file in the same folder that replaces
/// path only when complete, so a failed save never destroys the previous file. Throws
/// Error("file.unable_to_write", {path, system message}).
void WriteToFile(const TBlocStatic& model, const std::string& path);

/// Reads the project file at path into model (see parseProject). Throws
/// Error("file.unable_to_read") when it cannot be opened or is damaged. FileName is left to
/// the caller. Returns the version words of the file.
FileVersionWords ReadFromFile(TBlocStatic& model, const std::string& path);

/// Size of a current file with no samples, masses or forces.
inline constexpr std::size_t kSmallestProjectFile = 2306;

} // namespace quibel
