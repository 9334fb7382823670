// The settings files' TOML reader over any bytes. A refused input names a line the input
// has and says what is wrong; an accepted one, written back as TOML (every string quoted,
// its control bytes, quotes and backslashes escaped), reads again to the same entries.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "Harness.h"
#include "fileio/TomlReader.h"

using Brim::TomlEntry;
using Brim::TomlError;
using Brim::TomlValue;
using lintally::fuzz::Fault;

namespace {

std::string Quoted(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out.append(1, '\\').append(1, c);
        } else if (byte < 0x20 || byte == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string Written(const std::vector<TomlEntry>& entries)
{
    std::string out;
    std::string table;
    for (const TomlEntry& entry : entries) {
        if (entry.table != table) {
            table = entry.table;
            out += "[" + Quoted(table) + "]\n";
        }
        out += Quoted(entry.key) + " = ";
        const TomlValue& value = entry.value;
        switch (value.kind) {
        case TomlValue::Kind::String:
            out += Quoted(value.text);
            break;
        case TomlValue::Kind::Integer:
            out += std::to_string(value.integer);
            break;
        case TomlValue::Kind::Boolean:
            out += value.boolean ? "true" : "false";
            break;
        case TomlValue::Kind::Strings:
            out += "[";
            for (const std::string& each : value.strings) {
                out += Quoted(each) + ",\n";
            }
            out += "]";
            break;
        }
        out += "\n";
    }
    return out;
}

bool Same(const TomlEntry& a, const TomlEntry& b)
{
    return a.table == b.table && a.key == b.key && a.value.kind == b.value.kind &&
           a.value.text == b.value.text && a.value.integer == b.value.integer &&
           a.value.boolean == b.value.boolean && a.value.strings == b.value.strings;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<TomlEntry> entries;
    TomlError error;
    if (!Brim::ReadToml(text, entries, error)) {
        std::size_t lines = 1;
        for (const char c : text) {
            lines += c == '\n' ? 1 : 0;
        }
        if (error.what.empty() || error.line == 0 || error.line > lines) {
            Fault("a refusal without a reason or with a line the input lacks");
        }
        return 0;
    }
    std::vector<TomlEntry> again;
    if (!Brim::ReadToml(Written(entries), again, error)) {
        Fault("what was read, written back, does not read");
    }
    if (again.size() != entries.size()) {
        Fault("what was read, written back, reads to other entries");
    }
    for (std::size_t i = 0; i < again.size(); ++i) {
        if (!Same(again[i], entries[i])) {
            Fault("what was read, written back, reads to other values");
        }
    }
    return 0;
}
