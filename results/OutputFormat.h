// The forms a count or a diff is written in: the table for people, the dialog's report (a
// count only), JSON, CSV and a page of charts (HTML).
#pragma once

namespace lintally::results {

enum class OutputFormat
{
    Table,
    Report,
    Json,
    Csv,
    Html,
};

}  // namespace lintally::results
