// The forms a count or a diff is written in: the table for people, the dialog's report (a
// count only), JSON, CSV, a page of charts (HTML) and a Markdown table; and for a count
// only, the forms other tools read: YAML, XML, SQL and OpenMetrics.
#pragma once

namespace lintally::results {

enum class OutputFormat
{
    Table,
    Report,
    Json,
    Csv,
    Html,
    Markdown,
    Yaml,
    Xml,
    Sql,
    OpenMetrics,
};

}  // namespace lintally::results
