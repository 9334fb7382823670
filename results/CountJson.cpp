#include "results/CountJson.h"

#include <algorithm>
#include <map>
#include <string_view>

#include "fileio/LastError.h"
#include "fileio/ReadOnlyFile.h"
#include "results/JsonInput.h"

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

bool ReadFiles(JsonInput& in, CountJson& count)
{
    LanguageIndex languages(count.languages);
    std::string key;
    std::string name;
    std::string language;
    return ForEachElement(in, [&] {
        std::uint64_t lines = 0;
        PrjHelper::LineBreakdown kinds;
        bool named = false;
        language.clear();
        const bool read = ForEachMember(in, key, [&](const std::string& member) {
            if (member == "name"sv) {
                named = true;
                return in.String(name);
            }
            if (member == "language"sv) {
                return in.String(language);
            }
            std::uint64_t* const number = member == "lines"sv     ? &lines
                                          : member == "code"sv    ? &kinds.code
                                          : member == "comment"sv ? &kinds.comment
                                          : member == "blank"sv   ? &kinds.blank
                                                                  : nullptr;
            if (number != nullptr) {
                return in.Number(*number);
            }
            return in.Skip();
        });
        if (read && !named) {
            return in.Fail("a file without a name");
        }
        count.rows.Add(name, lines, kinds, languages.Of(language));
        return read;
    });
}

// The folders of "skipped"; its counts of files left out are not needed.
bool ReadSkipped(JsonInput& in, std::vector<scan::SkippedFolder>& folders)
{
    std::string key;
    return ForEachMember(in, key, [&](const std::string& member) {
        if (member != "folders"sv) {
            return in.Skip();
        }
        return ForEachElement(in, [&] {
            scan::SkippedFolder& folder = folders.emplace_back();
            return ForEachMember(in, key, [&](const std::string& field) {
                return field == "name"sv     ? in.String(folder.name)
                       : field == "reason"sv ? in.String(folder.reason)
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
            return in.String(count.root);
        }
        if (member == "roots") {
            return ForEachElement(in, [&] {
                count.roots.emplace_back();
                return in.String(count.roots.back());
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
            return ReadSkipped(in, count.skipped);
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
