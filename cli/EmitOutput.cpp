#include "cli/EmitOutput.h"

#include <iostream>

#include "cli/CliOptions.h"
#include "cli/ExitStatus.h"
#include "cli/System.h"
#include "fileio/AtomicFile.h"

namespace lintally::cli {

int EmitOutput(const std::string& outputPath, const std::function<void(results::TextOut&)>& write)
{
    std::string error;
    if (!outputPath.empty()) {
        const auto content = [&](const Brim::ContentWriter& writer) {
            results::TextOut text(writer);
            write(text);
            return text.Finish();
        };
        if (!Brim::WriteFileAtomically(outputPath, content, error)) {
            std::cerr << kProgramName << ": " << error << '\n';
            return kOutputFailed;
        }
        return 0;
    }
    WriteStatus status = WriteStatus::Written;
    results::TextOut text([&](std::string_view piece) {
        status = WriteStream(StdStream::Out, piece, error);
        return status == WriteStatus::Written;
    });
    write(text);
    // A reader that went away (a pipe into head) is not an error.
    if (text.Finish() || status == WriteStatus::PipeClosed) {
        return 0;
    }
    std::cerr << kProgramName << ": cannot write standard output: " << error << '\n';
    return kOutputFailed;
}

}  // namespace lintally::cli
