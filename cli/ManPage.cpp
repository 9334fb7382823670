#include "cli/ManPage.h"

#include <CLI/CLI.hpp>

#include "cli/CliOptions.h"
#include "cli/OptionValues.h"

namespace lintally::cli {

namespace {

std::string Upper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) {
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return upper;
}

std::string Heading(std::string_view name, std::string_view version)
{
    return ".TH " + Upper(name) + " 1 \"\" \"" + std::string(version) + "\" \"User Commands\"\n";
}

// A help text's paragraphs (split at blank lines) as roff paragraphs.
std::string Paragraphs(std::string_view text)
{
    std::string out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\n\n", start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        out += ".PP\n" + RoffText(text.substr(start, end - start)) + "\n";
        start = end + 2;
    }
    return out;
}

// One option as a tagged paragraph: "-f, --format FORMAT", then its help.
std::string OptionEntry(const CLI::Option& option)
{
    std::string tag;
    if (option.get_positional()) {
        tag = "\\fI" + RoffText(option.get_name(true)) + "\\fR";
    } else {
        for (const std::string& name : OptionNames(option)) {
            tag += (tag.empty() ? "\\fB" : ", \\fB") + RoffText(name) + "\\fR";
        }
        const std::string& value = option.get_option_text();
        if (option.get_expected_min() > 0 && !value.empty()) {
            tag += " \\fI" + RoffText(value) + "\\fR";
        }
    }
    return ".TP\n" + tag + "\n" + RoffText(option.get_description()) + "\n";
}

// "lintally-cli diff [OPTION]... [OLD] [NEW]", one line of the synopsis.
std::string Synopsis(const CLI::App& command, const std::string& name)
{
    std::string out = ".B " + RoffText(name) + "\n[\\fIOPTION\\fR]...";
    for (const CLI::Option* option :
         command.get_options([](const CLI::Option* each) { return each->get_positional(); })) {
        out += " [\\fI" + RoffText(option->get_name(true)) + "\\fR]" +
               (option->get_expected_max() > 1 ? "..." : "");
    }
    return out + "\n.br\n";
}

// A command's section: what it does, its arguments and options, and its closing notes.
std::string CommandSection(const CLI::App& command, std::string_view title)
{
    std::string out = ".SH " + std::string(title) + "\n" + Paragraphs(command.get_description());
    for (const CLI::Option* option :
         command.get_options([](const CLI::Option* each) { return each->get_positional(); })) {
        out += OptionEntry(*option);
    }
    for (const CLI::Option* option : NamedOptions(command)) {
        out += OptionEntry(*option);
    }
    return out + Paragraphs(command.get_footer());
}

}  // namespace

std::string RoffText(std::string_view text)
{
    std::string out;
    bool lineStart = true;
    for (const char c : text) {
        if (lineStart && (c == '.' || c == '\'')) {
            out += "\\&";
        }
        if (c == '\\') {
            out += "\\e";
        } else if (c == '-') {
            out += "\\-";
        } else {
            out += c;
        }
        lineStart = c == '\n';
    }
    return out;
}

std::string CliManPage(const CLI::App& app, std::string_view version)
{
    std::string out = Heading(kProgramName, version);
    out += ".SH NAME\n" + RoffText(kProgramName) + " \\- count the lines of source code\n";
    out += ".SH SYNOPSIS\n";
    out += Synopsis(app, kProgramName);
    for (const CLI::App* command : app.get_subcommands({})) {
        out += Synopsis(*command, std::string(kProgramName) + " " + command->get_name());
    }
    out += CommandSection(app, "COUNT");
    for (const CLI::App* command : app.get_subcommands({})) {
        out += CommandSection(*command, Upper(command->get_name()));
    }
    return out + ".SH SEE ALSO\n.BR lintally (1)\n";
}

std::string DialogManPage(std::string_view version)
{
    std::string out = Heading("lintally", version);
    out += ".SH NAME\nlintally \\- count the lines of source code in a dialog\n";
    out += ".SH SYNOPSIS\n.B lintally\n";
    out += ".SH DESCRIPTION\n" +
           Paragraphs(
               "lintally opens a dialog that counts the lines of source code in a folder tree. "
               "Pick a file type list (such as *.c,*.h), a root folder and the options \"Include "
               "sub-folders.\", \"Include remed "
               "line.\" and \"Exclude blank line(s).\", then press Calculate: one row per file "
               "and a running total appear. Save writes the result as a plain-text report.\n\n"
               "The dialog needs a graphical session. It takes no options; the same counts, "
               "tables by language, suffix or folder, JSON, CSV and comparisons are at hand on "
               "the command line with lintally-cli.");
    return out + ".SH SEE ALSO\n.BR lintally\\-cli (1)\n";
}

}  // namespace lintally::cli
