#include "cli/SavedCount.h"

#include "fileio/MessageText.h"

namespace lintally::cli {

bool ReadSavedCount(const std::string& path, const scan::CountSettings* settings,
                    const std::string& command, const std::string& advice,
                    results::CountJson& count, std::string& error)
{
    const std::string shown = Brim::EscapeControlBytes(path);
    if (!results::ReadCountJson(path, count, error)) {
        error = shown + " is not a count saved by -f json: " + Brim::EscapeControlBytes(error);
        return false;
    }
    if (!count.hasFiles && count.by.empty()) {
        error = shown + " is not a count saved by -f json: it lists no \"files\"";
        return false;
    }
    if (!count.hasFiles) {
        error = shown + " holds group sums (--by " + Brim::EscapeControlBytes(count.by) + "); " +
                command + " needs the files of a count saved by -f json without --by";
        return false;
    }
    // A count saved without its options cannot show it was counted alike.
    if (!count.hasOptions || (settings != nullptr && !(count.settings == *settings))) {
        const std::string difference = count.hasOptions
                                           ? scan::FirstDifference(count.settings, *settings)
                                           : "no \"options\" there";
        error = shown + " was counted with other options (" + Brim::EscapeControlBytes(difference) +
                "); " + advice;
        return false;
    }
    return true;
}

}  // namespace lintally::cli
