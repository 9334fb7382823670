// The machine-readable forms of a scan's result.
//
// JSON: {"root": ROOT, "total": N, "files": [{"name": ..., "lines": n}, ...]} in row order,
// then, only when the walk skipped folders, "skipped": [{"name": ..., "reason": ...}, ...];
// on one line followed by LF; names and root are UTF-8, and every byte that is not part of
// a valid UTF-8 sequence becomes U+FFFD.
// CSV: the header "file,lines", then one line per row; a name holding a comma, a double
// quote, CR or LF is quoted with its quotes doubled; every line ends with LF. Names keep
// their bytes as they are.
//
// Pure functions; any thread may call them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "scan/Row.h"
#include "scan/ScanResult.h"

namespace lintally::scan {

// Valid UTF-8 passes unchanged; each other byte becomes U+FFFD (EF BF BD).
[[nodiscard]] std::string ToValidUtf8(std::string_view bytes);

[[nodiscard]] std::string FormatJson(std::string_view root, const std::vector<Row>& rows,
                                     std::uint64_t total,
                                     const std::vector<SkippedFolder>& skipped = {});

[[nodiscard]] std::string FormatCsv(const std::vector<Row>& rows);

}  // namespace lintally::scan
