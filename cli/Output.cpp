#include "cli/Output.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "scan/FormatThousands.h"
#include "scan/JsonCsv.h"
#include "scan/Report.h"

namespace lintally::cli {

std::string FormatOutput(OutputFormat format, std::string_view root, const scan::ScanResult& result)
{
    switch (format) {
    case OutputFormat::Json:
        return scan::FormatJson(root, result.rows, result.total);
    case OutputFormat::Csv:
        return scan::FormatCsv(result.rows);
    case OutputFormat::Report:
        break;
    }
    return scan::FormatReport(root, result.rows,
                              scan::FormatThousands(static_cast<std::int64_t>(result.total)));
}

WriteStatus WriteToDescriptor(int fd, std::string_view bytes, std::string& error)
{
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno == EPIPE) {
                return WriteStatus::PipeClosed;
            }
            error = std::strerror(errno);
            return WriteStatus::Failed;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return WriteStatus::Written;
}

}  // namespace lintally::cli
