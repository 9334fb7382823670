// Reading a count saved by `-f json` for a command that stands it in for its files (diff's
// side, merge's part): it must list its files, not only group sums, and must have been counted
// with the options the command compares it under.
//
// A function of main's thread.
#pragma once

#include <string>

#include "results/CountJson.h"
#include "scan/CountSettings.h"

namespace lintally::cli {

// Reads the count at path; false with error set to one line naming path: the file is not
// such a count, holds no files (command needs them), or was counted with other options than
// settings, or without options at all (then advice ends the line). settings null: any
// options it records.
[[nodiscard]] bool ReadSavedCount(const std::string& path, const scan::CountSettings* settings,
                                  const std::string& command, const std::string& advice,
                                  results::CountJson& count, std::string& error);

}  // namespace lintally::cli
