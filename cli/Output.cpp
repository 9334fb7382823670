#include "cli/Output.h"

#include "scan/FormatThousands.h"
#include "scan/JsonCsv.h"
#include "scan/Report.h"

namespace lintally::cli {

std::string FormatOutput(OutputFormat format, std::string_view root, const scan::ScanResult& result)
{
    switch (format) {
    case OutputFormat::Json:
        return scan::FormatJson(root, result.rows, result.total, result.skipped);
    case OutputFormat::Csv:
        return scan::FormatCsv(result.rows);
    case OutputFormat::Report:
        break;
    }
    return scan::FormatReport(root, result.rows,
                              scan::FormatThousands(static_cast<std::int64_t>(result.total)));
}

}  // namespace lintally::cli
