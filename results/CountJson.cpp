#include "results/CountJson.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <map>
#include <string_view>

#include "fileio/LastError.h"
#include "fileio/PathLimit.h"
#include "fileio/ReadOnlyFile.h"
#include "results/JsonInput.h"
#include "results/NameBytes.h"

namespace lintally::results {

namespace {

using namespace std::string_view_literals;

// Gives each language name one index, in the order met.
class LanguageIndex
{
public:
    explicit LanguageIndex(std::vector<std::string>& names) : m_names(names) {}

    std::int32_t Of(const std::string& name)
    {
        // Rows of one language tend to come together.
        if (m_last >= 0 && m_names[static_cast<std::size_t>(m_last)] == name) {
            return m_last;
        }
        auto [at, added] = m_index.try_emplace(name, static_cast<std::int32_t>(m_names.size()));
        if (added) {
            m_names.push_back(name);
        }
        m_last = at->second;
        return m_last;
    }

private:
    std::vector<std::string>& m_names;
    std::map<std::string, std::int32_t, std::less<>> m_index;
    std::int32_t m_last = -1;
};

// Calls each(key) for every member of the object that comes next; each reads the value.
template <class Each>
bool ForEachMember(JsonInput& in, std::string& key, Each each)
{
    if (!in.Take('{')) {
        return false;
    }
    if (in.TakeIf('}')) {
        return true;
    }
    do {
        if (!in.String(key) || !in.Take(':') || !each(key)) {
            return false;
        }
    } while (in.TakeIf(','));
    return in.Take('}');
}

// Calls each() for every element of the array that comes next; each reads it.
template <class Each>
bool ForEachElement(JsonInput& in, Each each)
{
    if (!in.Take('[')) {
        return false;
    }
    if (in.TakeIf(']')) {
        return true;
    }
    do {
        if (!each()) {
            return false;
        }
    } while (in.TakeIf(','));
    return in.Take(']');
}

// Reads each option the settings know, by the kind of value it takes; keys of other
// options are passed over.
bool ReadOptions(JsonInput& in, scan::CountSettings& settings)
{
    const std::vector<scan::SettingValue> known = settings.Values();
    std::string key;
    return ForEachMember(in, key, [&](const std::string& name) {
        const auto option =
            std::find_if(known.begin(), known.end(),
                         [&](const scan::SettingValue& value) { return name == value.key; });
        if (option == known.end()) {
            return in.Skip();
        }
        scan::SettingValue value = *option;
        const bool read = value.isFlag ? in.Boolean(value.flag) : in.String(value.text);
        if (!read) {
            return false;
        }
        return settings.Set(value) || in.Fail("\"" + name + "\" has an unknown value");
    });
}

// The members every file's row holds; a row keeps the ones it has seen as bit 1 << index.
constexpr std::string_view kFileMembers[] = {"name", "language", "lines",
                                             "code", "comment",  "blank"};
constexpr unsigned kEveryMember = (1U << std::size(kFileMembers)) - 1;

// A side's sums, and a diff's differences of them, must stay within a signed 64-bit count.
class CountSums
{
public:
    bool Add(std::uint64_t lines, const PrjHelper::LineBreakdown& kinds)
    {
        return Within(m_lines, lines) && Within(m_physical, kinds.code) &&
               Within(m_physical, kinds.comment) && Within(m_physical, kinds.blank);
    }

private:
    static bool Within(std::uint64_t& sum, std::uint64_t value)
    {
        constexpr auto kMost = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
        if (value > kMost - sum) {
            return false;
        }
        sum += value;
        return true;
    }

    std::uint64_t m_lines = 0;
    std::uint64_t m_physical = 0;
};

// One file's row: its members in any order, each one there; the name from "name_bytes" when
// the row holds its exact bytes.
struct FileRow
{
    std::string name;
    std::string hex;
    std::string language;
    std::uint64_t lines = 0;
    PrjHelper::LineBreakdown kinds;
    std::uint64_t complexity = 0;
    // Embedded parts, their languages as indexes of the count's languages.
    std::vector<PrjHelper::EmbeddedPart> embedded;
    unsigned seen = 0;
    bool exact = false;

    bool Read(JsonInput& in, std::string& key, LanguageIndex& languages)
    {
        seen = 0;
        exact = false;
        complexity = 0;
        embedded.clear();
        return ForEachMember(
            in, key, [&](const std::string& member) { return Member(in, member, languages); });
    }

    // "embedded": [{"language": ..., "code": n, "comment": n, "blank": n,
    // "complexity": n}, ...]; other members are passed over.
    bool ReadEmbedded(JsonInput& in, LanguageIndex& languages)
    {
        std::string key;
        std::string language;
        return ForEachElement(in, [&] {
            PrjHelper::EmbeddedPart& part = embedded.emplace_back();
            const bool read = ForEachMember(in, key, [&](const std::string& field) {
                std::uint64_t* const number = field == "code"sv         ? &part.kinds.code
                                              : field == "comment"sv    ? &part.kinds.comment
                                              : field == "blank"sv      ? &part.kinds.blank
                                              : field == "complexity"sv ? &part.complexity
                                                                        : nullptr;
                if (field == "language"sv) {
                    return in.String(language, Brim::kLongestPath);
                }
                return number != nullptr ? in.Number(*number) : in.Skip();
            });
            part.lang = languages.Of(language);
            return read;
        });
    }

    bool Member(JsonInput& in, const std::string& member, LanguageIndex& languages)
    {
        if (member == "complexity"sv) {
            return in.Number(complexity);
        }
        if (member == "embedded"sv) {
            return ReadEmbedded(in, languages);
        }
        if (member == kNameBytesKey) {
            exact = true;
            return in.String(hex, 2 * Brim::kLongestPath) &&
                   (BytesFromHex(hex, name) || in.Fail("\"name_bytes\" that is not hex"));
        }
        const auto* const known =
            std::find(std::begin(kFileMembers), std::end(kFileMembers), member);
        if (known == std::end(kFileMembers)) {
            return in.Skip();
        }
        const auto index = static_cast<std::size_t>(known - std::begin(kFileMembers));
        seen |= 1U << index;
        if (index < 2) {
            // The name from "name_bytes" wins, whichever comes first.
            std::string ignored;
            return in.String(index == 1 ? language : exact ? ignored : name, Brim::kLongestPath);
        }
        std::uint64_t* const numbers[] = {&lines, &kinds.code, &kinds.comment, &kinds.blank};
        return in.Number(*numbers[index - 2]);
    }
};

bool ReadFiles(JsonInput& in, CountJson& count)
{
    LanguageIndex languages(count.languages);
    CountSums sums;
    std::string key;
    FileRow row;
    return ForEachElement(in, [&] {
        if (!row.Read(in, key, languages)) {
            return false;
        }
        if (row.seen != kEveryMember) {
            const auto missing = static_cast<std::size_t>(std::countr_one(row.seen));
            return in.Fail("a file without \"" + std::string(kFileMembers[missing]) + "\"");
        }
        const bool within = sums.Add(row.lines, row.kinds) &&
                            std::all_of(row.embedded.begin(), row.embedded.end(),
                                        [&](const auto& part) { return sums.Add(0, part.kinds); });
        if (!within) {
            return in.Fail("counts larger than any tree holds");
        }
        if (!row.exact && row.name.find("\xEF\xBF\xBD") != std::string::npos) {
            count.inexactNames.push_back(row.name);
        }
        count.rows.Add(row.name, row.lines, row.kinds, languages.Of(row.language), row.complexity,
                       row.embedded);
        return true;
    });
}

// "skipped": the files and folders left out, by reason, and the folders not read.
bool ReadSkipped(JsonInput& in, CountJson& count)
{
    std::string key;
    return ForEachMember(in, key, [&](const std::string& member) {
        if (member != "folders"sv) {
            for (const scan::SkipReasonName& name : scan::kSkipReasonNames) {
                if (member == name.key) {
                    std::uint64_t skipped = 0;
                    const bool read = in.Number(skipped);
                    count.skips.Add(name.reason, skipped);
                    return read;
                }
            }
            return in.Skip();
        }
        return ForEachElement(in, [&] {
            scan::SkippedFolder& folder = count.skipped.emplace_back();
            return ForEachMember(in, key, [&](const std::string& field) {
                return field == "name"sv     ? in.String(folder.name, Brim::kLongestPath)
                       : field == "reason"sv ? in.String(folder.reason, Brim::kLongestPath)
                                             : in.Skip();
            });
        });
    });
}

bool ReadCount(JsonInput& in, CountJson& count)
{
    std::string key;
    std::string text;
    const bool read = ForEachMember(in, key, [&](const std::string& member) {
        if (member == "root") {
            return in.String(count.root, Brim::kLongestPath);
        }
        if (member == "roots") {
            return ForEachElement(in, [&] {
                count.roots.emplace_back();
                return in.String(count.roots.back(), Brim::kLongestPath);
            });
        }
        if (member == "options") {
            count.hasOptions = true;
            return ReadOptions(in, count.settings);
        }
        if (member == "by") {
            return in.String(count.by);
        }
        if (member == "files") {
            count.hasFiles = true;
            return ReadFiles(in, count);
        }
        if (member == "skipped") {
            return ReadSkipped(in, count);
        }
        return in.Skip();
    });
    return read && (in.AtEnd() || in.Fail("more text after the count"));
}

}  // namespace

bool ReadCountJson(const std::string& path, CountJson& count, std::string& error)
{
    count = CountJson();
    Brim::ReadOnlyFile file;
    if (!file.Open(path.c_str())) {
        error = Brim::GetLastErrorLine();
        return false;
    }
    JsonInput in(file);
    if (!ReadCount(in, count)) {
        error = in.Error();
        return false;
    }
    return true;
}

}  // namespace lintally::results
