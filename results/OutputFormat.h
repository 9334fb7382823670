// The forms a count or a diff is written in: the table for people, the dialog's report (a
// count only), JSON and CSV.
#pragma once

namespace lintally::results {

enum class OutputFormat
{
    Table,
    Report,
    Json,
    Csv,
};

}  // namespace lintally::results
