// Whether an open file is left out for what it holds: a binary file (a NUL byte in its
// first kBinaryProbeBytes) or one over the size limit. Leaves the stream at its start.
//
// A stateless function; any thread may call it with a stream of its own.
#pragma once

#include <optional>

#include "fileio/ReadOnlyFile.h"
#include "scan/Selection.h"

namespace lintally::scan {

[[nodiscard]] std::optional<SkipReason> CheckContent(Brim::ReadOnlyFile& file,
                                                     const Selection& selection);

}  // namespace lintally::scan
