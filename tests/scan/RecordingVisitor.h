// A walk visitor that records what the walk reports, as "matched <relative name>",
// "checked" and "skipped <relative name>: <reason>" events (and the folders read), and can end the
// walk or refuse sub-folders on cue.
//
// Owned by one test; the walk calls it from the test's thread only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scan/Walker.h"

namespace lintally::testing {

class RecordingVisitor final : public scan::IWalkVisitor
{
public:
    bool Poll() override { return ++polls <= pollLimit; }
    bool IncludeSubFolders() override
    {
        ++subFolderQueries;
        return subFolderAnswers.empty() ? true : TakeAnswer();
    }
    void OnFileMatched(const std::string& fullPath, std::string_view relativeName) override
    {
        events.push_back("matched " + std::string(relativeName));
        fullPaths.push_back(fullPath);
    }
    void OnFolderRead(std::string_view relativeName,
                      const std::vector<scan::DirEntry>& entries) override
    {
        listed.push_back(std::string(relativeName) + ": " + std::to_string(entries.size()) +
                         " entries, after " + std::to_string(events.size()) + " events");
    }
    void OnEntryChecked() override { events.push_back("checked"); }
    void OnFolderSkipped(std::string_view relativeName, const std::string& reason) override
    {
        events.push_back("skipped " + std::string(relativeName) + ": " + reason);
    }

    [[nodiscard]] std::vector<std::string> Matched() const
    {
        std::vector<std::string> names;
        for (const std::string& event : events) {
            if (event.rfind("matched ", 0) == 0) {
                names.push_back(event.substr(8));
            }
        }
        return names;
    }

    std::vector<bool> subFolderAnswers;
    int pollLimit = 1 << 30;
    int polls = 0;
    int subFolderQueries = 0;
    std::vector<std::string> events;
    std::vector<std::string> listed;  // each folder read, and how many events came before
    std::vector<std::string> fullPaths;

private:
    bool TakeAnswer()
    {
        const bool answer = subFolderAnswers.front();
        subFolderAnswers.erase(subFolderAnswers.begin());
        return answer;
    }
};

}  // namespace lintally::testing
