// Writing a command's output as it is made, piece by piece, to a file (replaced atomically)
// or to standard output; a failure is reported on standard error as one line.
//
// A function of main's thread.
#pragma once

#include <functional>
#include <string>

#include "results/TextOut.h"

namespace lintally::cli {

// Calls write with the text to fill, to outputPath or, when it is empty, to standard output.
// 0, or kOutputFailed when the output could not be written (a reader of standard output that
// went away is not a failure).
[[nodiscard]] int EmitOutput(const std::string& outputPath,
                             const std::function<void(results::TextOut&)>& write);

}  // namespace lintally::cli
